#pragma once
// The abstract base of every LAS file object: whatever the curve type, a caller can ask for the depth
// of a row.

namespace ORBAX_Geophysics {

class LasBase {
public:
    virtual ~LasBase() = default;
    // The depth of a data row (the first curve's sample); NaN for a row that does not exist.
    virtual double index_value(int row) const = 0;

protected:
    LasBase() = default;
    LasBase(const LasBase&) = default;
    LasBase& operator=(const LasBase&) = default;
};

} // namespace ORBAX_Geophysics
