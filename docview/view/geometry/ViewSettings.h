#pragma once
// The display settings of the main view, kept in the profile section "View": display switches, the
// scale, the depth tolerance and minimum thickness, the precisions and the project name. A value the
// profile does not hold, or holds in a form that cannot serve (a scale or tolerance of 0 or below, a
// negative minimum thickness, text that is no number), reads as the default.
#include <string>

namespace ORBAX_Platform {
class Settings;
}

struct ViewSettings {
    static constexpr double DefaultScale = 0.1; // metres of depth per millimetre: 1:100
    static constexpr int DefaultTolerance = 100;
    static constexpr double DefaultMinimumThickness = 0.01;

    bool showSampleNumbers = false;
    bool showFilteredTraces = true;
    bool showRuler = true;
    bool fineScroll = false;
    bool linkScrolling = true;
    bool insertMode = false;
    double scale = DefaultScale;
    int tolerance = DefaultTolerance;
    int displayPrecision = 2;
    int traceRangePrecision = 1;
    double minimumThickness = DefaultMinimumThickness;
    std::wstring projectName;

    void Load(const ORBAX_Platform::Settings& section);
    // Writes every value; the scale as scale x 1000 and the minimum thickness with six decimals.
    void Save(ORBAX_Platform::Settings& section) const;
};

// A decimal text of the profile read without regard to the locale; `fallback` when the text holds no
// number or one that is not finite.
double ParseProfileNumber(const std::wstring& text, double fallback);

// A value in fixed notation with the given decimals; a precision beyond what can be shown is held to
// 0 to 30 places.
std::wstring FixedText(double value, int decimals);
