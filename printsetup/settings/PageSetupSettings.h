#pragma once
// Everything the printing of the log needs to know about the page: log columns per page, which fields
// show and how wide they may be, the four title texts (with their %-codes, expanded when printing),
// the margins, the logo image and the legend's place, order, contents and style. The view keeps one
// for its whole life in the profile section "PageSetup"; the page-setup sheet edits a copy that is
// swapped in on OK.
#include <string>

#include "core/options/FormatProfiles.h"
#include "printsetup/legend/LegendStyle.h"

class PageSetupSettings {
public:
    // Legend positions, in the order of the sheet's list.
    enum LegendPosition { NoLegend = 0, BottomOfPage = 1, RightOfPage = 2, BeginningOfDocument = 3, EndOfDocument = 4 };

    static constexpr int MinColumns = 1;
    static constexpr int MaxColumns = 100;

    PageSetupSettings();

    // Reads every field, each with its current value as the default. Numbers of millimetres are read
    // from text, a text without a number keeping the value; a column count, legend position, sort
    // order or include mode outside its range reads as its default.
    void Load(ORBAX_Utilities::SettingsReader& reader);
    // Writes every field in the same order (millimetres as text of six significant digits).
    void Save(ORBAX_Utilities::SettingsWriter& writer) const;

    int columnsPerPage = 1;
    bool showLeftBorehole = true;
    bool showRightBorehole = true;
    bool showTrace1 = true;
    bool showTrace2 = true;
    bool showTrace3 = true;
    float maxBoreWidth = 20.0f;
    float maxTraceWidth = 40.0f;
    std::wstring topText = L"%r";
    std::wstring middleText;
    std::wstring leftText = L"Page %p/%t";
    std::wstring rightText = L"%d";
    float topMargin = 20.0f;
    float bottomMargin = 20.0f;
    float leftMargin = 20.0f;
    float rightMargin = 20.0f;
    std::wstring logoFile;
    int legendPosition = NoLegend;
    int legendSort = 0;
    int legendInclude = 0;
    LegendStyle legendStyle;
};

// Exchanges every field of two records.
void swap(PageSetupSettings& a, PageSetupSettings& b);
