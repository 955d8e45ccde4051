#pragma once
// Completing a unit's bottom and thickness from whichever of top, bottom and thickness a file gives,
// against the running depth (the bottom of the unit above), and reporting what does not agree.
#include "core/model/Interval.h"
#include "core/model/LoadMessage.h"

namespace ORBAX_Logging {

enum ResolutionCode {
    ResolvedConsistent = 0,
    BottomThicknessInconsistent = 1,    // 11106
    TopThicknessInconsistent = 2,       // 11108
    TopBottomInconsistent = 3,          // 11107
    TopBottomThicknessInconsistent = 4, // 11105
    OnlyTopGiven = 5,                   // 11110: nothing more can be loaded
    NothingGiven = 6,                   // 11109: nothing more can be loaded
};

// Given values are NaN when absent. Sets the unit's bottom and thickness and the running depth
// (which becomes the new bottom) and answers the code; writes no message. With `keepGiven` (the
// repair read) a given thickness is stored as given instead of being recomputed from the bottom.
int resolveUnit(double& runningDepth, double top, double bottom, double thickness, Interval& unit,
                bool keepGiven = false);

// resolveUnit, and for a non-zero code one message with the values printed with `decimals` places.
int resolveAndReport(LoadMessages& messages, int decimals, Interval& unit, double& runningDepth, double top,
                     double bottom, double thickness, bool keepGiven = false);

} // namespace ORBAX_Logging
