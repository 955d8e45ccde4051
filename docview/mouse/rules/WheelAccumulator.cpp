#include "docview/mouse/rules/WheelAccumulator.h"

int WheelAccumulator::add(int delta)
{
    // Held within a few notches, so that no rotation, however long, overflows.
    const long long total = static_cast<long long>(m_total) + delta;
    m_total = static_cast<int>(total > 8 * Notch ? 8 * Notch : (total < -8 * Notch ? -8 * Notch : total));
    if (m_total >= Notch) {
        m_total -= Notch;
        return 1;
    }
    if (m_total <= -Notch) {
        m_total += Notch;
        return -1;
    }
    return 0;
}
