#pragma once
// One end of a section of the log: a depth, or the top or the bottom of a seam looked up in the units
// of a borehole.
#include <string>

#include "core/model/Borehole.h"

struct DepthSpec {
    enum Option { Depth = 0, TopOfSeam = 1, BottomOfSeam = 2 };

    int option = Depth;
    double depth = 0.0;
    // The seam's name as the units carry it (compared exactly, case included).
    std::wstring seam;

    // The depth in the borehole's depth unit:
    // - Depth: the stored depth;
    // - TopOfSeam: the top (base minus thickness) of the first unit from the top carrying the seam; 0
    //   when none does;
    // - BottomOfSeam: the base of the last unit carrying the seam, searching from the bottom; when
    //   none does, the base of the last unit (0 for a hole without units);
    // - any other option: 0.
    double Resolve(const ORBAX_Logging::Borehole& units) const;
};

bool operator==(const DepthSpec& a, const DepthSpec& b);
inline bool operator!=(const DepthSpec& a, const DepthSpec& b) { return !(a == b); }
