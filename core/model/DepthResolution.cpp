#include "core/model/DepthResolution.h"

#include <cmath>
#include <limits>

#include "core/catalogue/Messages.h"
#include "core/model/ValueText.h"

namespace ORBAX_Logging {
namespace {

constexpr double tolerance = 0.001;

bool differs(double a, double b) { return std::fabs(a - b) > tolerance; }

} // namespace

int resolveUnit(double& runningDepth, double top, double bottom, double thickness, Interval& unit, bool keepGiven)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const bool hasT = !std::isnan(top);
    const bool hasB = !std::isnan(bottom);
    const bool hasH = !std::isnan(thickness);
    const double d = runningDepth;
    int code = ResolvedConsistent;

    if (!hasB && !hasH) {
        unit.bottom = nan;
        unit.thickness = nan;
        code = hasT ? OnlyTopGiven : NothingGiven;
    } else if (!hasB) {
        unit.bottom = d + thickness;
        unit.thickness = thickness;
        if (hasT && differs(top, d))
            code = TopThicknessInconsistent;
    } else {
        unit.bottom = bottom;
        unit.thickness = (keepGiven && hasH) ? thickness : bottom - d;
        if (hasT && hasH) {
            if (differs(top, d) || differs(bottom, d + thickness))
                code = TopBottomThicknessInconsistent;
        } else if (hasT) {
            if (differs(top, d))
                code = TopBottomInconsistent;
        } else if (hasH) {
            if (differs(bottom, d + thickness))
                code = BottomThicknessInconsistent;
        }
    }
    runningDepth = unit.bottom;
    return code;
}

int resolveAndReport(LoadMessages& messages, int decimals, Interval& unit, double& runningDepth, double top,
                     double bottom, double thickness, bool keepGiven)
{
    using ORBAX_Utilities::format_message;
    const int code = resolveUnit(runningDepth, top, bottom, thickness, unit, keepGiven);
    auto text = [decimals](double x) { return realText(decimals, x); };
    switch (code) {
    case BottomThicknessInconsistent:
        addError(messages, 1, format_message(11106, {text(bottom), text(thickness)}));
        break;
    case TopThicknessInconsistent: addError(messages, 1, format_message(11108, {text(top), text(thickness)})); break;
    case TopBottomInconsistent: addError(messages, 1, format_message(11107, {text(top), text(bottom)})); break;
    case TopBottomThicknessInconsistent:
        addError(messages, 1, format_message(11105, {text(top), text(bottom), text(thickness)}));
        break;
    case OnlyTopGiven: addError(messages, 3, format_message(11110, {text(top)})); break;
    case NothingGiven: addError(messages, 3, format_message(11109, {})); break;
    default: break;
    }
    return code;
}

} // namespace ORBAX_Logging
