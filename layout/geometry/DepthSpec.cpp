#include "layout/geometry/DepthSpec.h"

double DepthSpec::Resolve(const ORBAX_Logging::Borehole& units) const
{
    switch (option) {
    case Depth: return depth;
    case TopOfSeam:
        for (const ORBAX_Logging::Interval& unit : units)
            if (unit.seam.str() == seam)
                return unit.bottom - unit.thickness;
        return 0.0;
    case BottomOfSeam:
        for (auto unit = units.rbegin(); unit != units.rend(); ++unit)
            if (unit->seam.str() == seam)
                return unit->bottom;
        return units.empty() ? 0.0 : units.back().bottom;
    default: return 0.0;
    }
}

bool operator==(const DepthSpec& a, const DepthSpec& b)
{
    return a.option == b.option && a.depth == b.depth && a.seam == b.seam;
}
