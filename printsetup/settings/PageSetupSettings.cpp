#include "printsetup/settings/PageSetupSettings.h"

#include <utility>

#include "platform/Numbers.h"

namespace {

void ReadMillimetres(ORBAX_Utilities::SettingsReader& reader, const wchar_t* key, float& value)
{
    const std::wstring text = reader.ReadString(key, ORBAX_Platform::format_stream_wide(value));
    double read = value;
    if (ORBAX_Platform::read_stream_number(text, read))
        value = static_cast<float>(read);
}

void WriteMillimetres(ORBAX_Utilities::SettingsWriter& writer, const wchar_t* key, float value)
{
    writer.WriteString(key, ORBAX_Platform::format_stream_wide(value));
}

// A stored number outside [low, high] reads as the default: the printing divides by the column count
// and indexes by the others.
int ReadInRange(ORBAX_Utilities::SettingsReader& reader, const wchar_t* key, int current, int low, int high,
                int defaultValue)
{
    const int read = reader.ReadInt(key, current);
    return read >= low && read <= high ? read : defaultValue;
}

} // namespace

PageSetupSettings::PageSetupSettings() { legendStyle.font = FontDescription(L"Arial", false, false, 10.0f); }

void PageSetupSettings::Load(ORBAX_Utilities::SettingsReader& reader)
{
    columnsPerPage = ReadInRange(reader, L"PageCols", columnsPerPage, MinColumns, MaxColumns, 1);

    const int boreholes = reader.ReadInt(L"ShowBoreholes", int(showLeftBorehole) | int(showRightBorehole) << 1);
    showLeftBorehole = (boreholes & 1) != 0;
    showRightBorehole = (boreholes & 2) != 0;
    const int traces = reader.ReadInt(L"ShowTraces", int(showTrace1) | int(showTrace2) << 1 | int(showTrace3) << 2);
    showTrace1 = (traces & 1) != 0;
    showTrace2 = (traces & 2) != 0;
    showTrace3 = (traces & 4) != 0;

    ReadMillimetres(reader, L"MaxBoreWidth", maxBoreWidth);
    ReadMillimetres(reader, L"MaxTraceWidth", maxTraceWidth);

    topText = reader.ReadString(L"TopText", topText);
    middleText = reader.ReadString(L"MiddleText", middleText);
    leftText = reader.ReadString(L"LeftText", leftText);
    rightText = reader.ReadString(L"RightText", rightText);

    ReadMillimetres(reader, L"TopMargin", topMargin);
    ReadMillimetres(reader, L"BottomMargin", bottomMargin);
    ReadMillimetres(reader, L"LeftMargin", leftMargin);
    ReadMillimetres(reader, L"RightMargin", rightMargin);

    logoFile = reader.ReadString(L"LogoFile", logoFile);

    legendPosition = ReadInRange(reader, L"LegendPosition", legendPosition, NoLegend, EndOfDocument, NoLegend);
    legendSort = ReadInRange(reader, L"LegendSort", legendSort, 0, 4, 0);
    legendInclude = ReadInRange(reader, L"LegendInclude", legendInclude, 0, 2, 0);

    legendStyle.Load(reader);
}

void PageSetupSettings::Save(ORBAX_Utilities::SettingsWriter& writer) const
{
    writer.WriteInt(L"PageCols", columnsPerPage);
    writer.WriteInt(L"ShowBoreholes", int(showLeftBorehole) | int(showRightBorehole) << 1);
    writer.WriteInt(L"ShowTraces", int(showTrace1) | int(showTrace2) << 1 | int(showTrace3) << 2);
    WriteMillimetres(writer, L"MaxBoreWidth", maxBoreWidth);
    WriteMillimetres(writer, L"MaxTraceWidth", maxTraceWidth);
    writer.WriteString(L"TopText", topText);
    writer.WriteString(L"MiddleText", middleText);
    writer.WriteString(L"LeftText", leftText);
    writer.WriteString(L"RightText", rightText);
    WriteMillimetres(writer, L"TopMargin", topMargin);
    WriteMillimetres(writer, L"BottomMargin", bottomMargin);
    WriteMillimetres(writer, L"LeftMargin", leftMargin);
    WriteMillimetres(writer, L"RightMargin", rightMargin);
    writer.WriteString(L"LogoFile", logoFile);
    writer.WriteInt(L"LegendPosition", legendPosition);
    writer.WriteInt(L"LegendSort", legendSort);
    writer.WriteInt(L"LegendInclude", legendInclude);
    legendStyle.Save(writer);
}

void swap(PageSetupSettings& a, PageSetupSettings& b)
{
    using std::swap;
    swap(a.columnsPerPage, b.columnsPerPage);
    swap(a.showLeftBorehole, b.showLeftBorehole);
    swap(a.showRightBorehole, b.showRightBorehole);
    swap(a.showTrace1, b.showTrace1);
    swap(a.showTrace2, b.showTrace2);
    swap(a.showTrace3, b.showTrace3);
    swap(a.maxBoreWidth, b.maxBoreWidth);
    swap(a.maxTraceWidth, b.maxTraceWidth);
    swap(a.topText, b.topText);
    swap(a.middleText, b.middleText);
    swap(a.leftText, b.leftText);
    swap(a.rightText, b.rightText);
    swap(a.topMargin, b.topMargin);
    swap(a.bottomMargin, b.bottomMargin);
    swap(a.leftMargin, b.leftMargin);
    swap(a.rightMargin, b.rightMargin);
    swap(a.logoFile, b.logoFile);
    swap(a.legendPosition, b.legendPosition);
    swap(a.legendSort, b.legendSort);
    swap(a.legendInclude, b.legendInclude);
    swap(a.legendStyle, b.legendStyle);
}
