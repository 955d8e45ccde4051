#include "docview/print/pagination/SampleLabels.h"

#include <algorithm>
#include <set>

#include "core/catalogue/Messages.h"
#include "core/model/NoCaseCompare.h"
#include "platform/Numbers.h"

namespace SampleLabels {

namespace {

constexpr int CaptionX = 50;
constexpr int ValueX = 370;
constexpr int ProjectX = 170;

// Distinct non-empty texts in ordinal order, joined by ", ".
std::wstring JoinDistinct(const std::set<std::wstring>& texts)
{
    std::wstring joined;
    for (const std::wstring& text : texts) {
        if (!joined.empty())
            joined += L", ";
        joined += text;
    }
    return joined;
}

} // namespace

std::vector<Sample> CollectSamples(const ORBAX_Logging::Borehole& borehole)
{
    std::vector<Sample> samples;
    const NoCaseCompare compare;
    const int count = borehole.unitCount();
    for (int i = 0; i < count;) {
        const std::wstring number = borehole[static_cast<std::size_t>(i)].sample.str();
        if (number.empty()) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < count && compare.Equal(borehole[static_cast<std::size_t>(last + 1)].sample.str(), number))
            ++last;
        samples.push_back({i, last});
        i = last + 1;
    }
    return samples;
}

Grid ComputeGrid(int width, int height, const Area& printable)
{
    const int left = std::max(SideMargin, printable.left);
    const int right = std::min(width - SideMargin, printable.right);
    const int top = std::max(EndMargin, printable.top);
    const int bottom = std::min(height - EndMargin, printable.bottom);
    Grid grid;
    grid.left = left - printable.left;
    grid.top = top - printable.top;
    grid.columns = right > left ? (right - left) / CellWidth : 0;
    grid.rows = bottom > top ? (bottom - top) / CellHeight : 0;
    return grid;
}

Grid ComputeGrid(int width, int height) { return ComputeGrid(width, height, {0, 0, width, height}); }

Captions Captions::FromCatalogue()
{
    using ORBAX_Utilities::get_message_wide;
    return {get_message_wide(27170), get_message_wide(27171), get_message_wide(27172), get_message_wide(27173),
            get_message_wide(27174), get_message_wide(27175), get_message_wide(27176)};
}

std::vector<Line> LabelLines(const ORBAX_Logging::Borehole& borehole, const Sample& sample,
                             const std::wstring& projectName, const Captions& captions)
{
    const ORBAX_Logging::Interval& first = borehole.at(static_cast<std::size_t>(sample.firstUnit));
    const ORBAX_Logging::Interval& last = borehole.at(static_cast<std::size_t>(sample.lastUnit));
    const bool sampleField = borehole.hasSampleField();
    const bool seamField = borehole.hasSeamField();
    const bool plyField = borehole.hasSeamAndPlyFields();

    std::vector<Line> lines;
    lines.push_back({ProjectX, 15, projectName});
    lines.push_back({CaptionX, 80, captions.borename});
    lines.push_back({ValueX, 80, borehole.name});
    lines.push_back({CaptionX, 150, captions.from});
    lines.push_back({ValueX, 150, ORBAX_Platform::format_fixed_wide(first.top(), 3), false});
    lines.push_back({CaptionX, 220, captions.to});
    lines.push_back({ValueX, 220, ORBAX_Platform::format_fixed_wide(last.bottom, 3), false});
    lines.push_back({CaptionX, 290, captions.sampleNo});
    if (sampleField)
        lines.push_back({ValueX, 290, first.sample.str(), false});
    if (seamField) {
        std::set<std::wstring> seams, plies;
        for (int i = sample.firstUnit; i <= sample.lastUnit; ++i) {
            const ORBAX_Logging::Interval& unit = borehole[static_cast<std::size_t>(i)];
            if (!unit.seam.empty())
                seams.insert(unit.seam.str());
            if (!unit.ply.empty())
                plies.insert(unit.ply.str());
        }
        lines.push_back({CaptionX, 360, captions.seam});
        lines.push_back({ValueX, 360, JoinDistinct(seams)});
        if (plyField) {
            lines.push_back({CaptionX, 430, captions.ply});
            lines.push_back({ValueX, 430, JoinDistinct(plies)});
        }
    }
    lines.push_back({CaptionX, 500, captions.comment});
    return lines;
}

} // namespace SampleLabels
