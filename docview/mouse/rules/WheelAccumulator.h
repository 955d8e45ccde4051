#pragma once
// The mouse wheel gathered into notches: a wheel sends 120 a notch, fine-grained devices send smaller
// steps, and nothing happens until a whole notch has come together.

class WheelAccumulator {
public:
    static constexpr int Notch = 120;

    // Adds a rotation (positive forward). Returns +1 when a forward notch is complete, -1 for a
    // backward one, 0 while less than a notch has gathered; a completed notch is taken off.
    int add(int delta);
    int pending() const { return m_total; }
    void reset() { m_total = 0; }

private:
    int m_total = 0;
};
