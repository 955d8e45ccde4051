#include "docview/view/geometry/ViewSettings.h"

#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"
#include "platform/settings/Settings.h"

double ParseProfileNumber(const std::wstring& text, double fallback)
{
    std::size_t consumed = 0;
    const double value = ORBAX_Platform::parse_double(text, &consumed);
    if (consumed == 0 || !std::isfinite(value))
        return fallback;
    return value;
}

std::wstring FixedText(double value, int decimals)
{
    return ORBAX_Platform::format_fixed_wide(value, std::clamp(decimals, 0, 30));
}

void ViewSettings::Load(const ORBAX_Platform::Settings& s)
{
    showSampleNumbers = s.readInt(L"ShowSampleNumbers", 0) != 0;
    showFilteredTraces = s.readInt(L"ShowFilteredTraces", 1) != 0;
    showRuler = s.readInt(L"ShowRuler", 1) != 0;
    fineScroll = s.readInt(L"FineScroll", 0) != 0;
    linkScrolling = s.readInt(L"LinkScrolling", 1) != 0;
    insertMode = s.readInt(L"InsertMode", 0) != 0;

    // Every conversion divides by the scale, and snapping by the tolerance.
    const double denominator = ParseProfileNumber(s.readString(L"Scale", L"100"), 100);
    scale = denominator > 0 ? denominator / 1000 : DefaultScale;
    if (!(scale > 0) || !std::isfinite(scale))
        scale = DefaultScale;
    tolerance = s.readInt(L"Tolerance", DefaultTolerance);
    if (tolerance <= 0)
        tolerance = DefaultTolerance;

    displayPrecision = s.readInt(L"DisplayPrecision", 2);
    traceRangePrecision = s.readInt(L"TraceRangePrecision", 1);
    minimumThickness = ParseProfileNumber(s.readString(L"MinimumThickness", L"0.01"), DefaultMinimumThickness);
    if (minimumThickness < 0)
        minimumThickness = DefaultMinimumThickness;
    projectName = s.readString(L"ProjectName", std::wstring());
}

void ViewSettings::Save(ORBAX_Platform::Settings& s) const
{
    s.writeInt(L"ShowSampleNumbers", showSampleNumbers ? 1 : 0);
    s.writeInt(L"ShowFilteredTraces", showFilteredTraces ? 1 : 0);
    s.writeInt(L"ShowRuler", showRuler ? 1 : 0);
    s.writeInt(L"FineScroll", fineScroll ? 1 : 0);
    s.writeInt(L"LinkScrolling", linkScrolling ? 1 : 0);
    s.writeInt(L"InsertMode", insertMode ? 1 : 0);
    s.writeString(L"Scale", ORBAX_Platform::format_fixed_wide(scale * 1000, 6));
    s.writeInt(L"Tolerance", tolerance);
    s.writeInt(L"DisplayPrecision", displayPrecision);
    s.writeInt(L"TraceRangePrecision", traceRangePrecision);
    s.writeString(L"MinimumThickness", ORBAX_Platform::format_fixed_wide(minimumThickness, 6));
    s.writeString(L"ProjectName", projectName);
}
