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

const QString ListSeparator = QStringLiteral(", ");

// The line of a list of distinct non-empty names in ordinal order, joined by ", ".
Line ListLine(int y, const std::set<std::wstring>& texts, int namedAs)
{
    Line line{ValueX, y, std::wstring(), true, namedAs, {texts.begin(), texts.end()}};
    for (const std::wstring& text : texts) {
        if (!line.text.empty())
            line.text += ListSeparator.toStdWString();
        line.text += text;
    }
    return line;
}

// A name as short as a list may make it: its first and last few characters about an ellipsis.
int LeastKept(const QString& name) { return std::min(static_cast<int>(name.size()), 2 * ShortenedNameKeeps); }
QString Least(const QString& name)
{
    const int n = LeastKept(name);
    return n == name.size() ? name : name.left((n + 1) / 2) + QChar(0x2026) + name.right(n / 2);
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
        lines.push_back({ValueX, 290, first.sample.str(), false, 391});
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
        lines.push_back(ListLine(360, seams, 27182));
        if (plyField) {
            lines.push_back({CaptionX, 430, captions.ply});
            lines.push_back(ListLine(430, plies, 27183));
        }
    }
    lines.push_back({CaptionX, 500, captions.comment});
    return lines;
}

FittedLine FitLine(const QPaintDevice* device, const QFont& font, const Line& line, double room)
{
    const QString text = QString::fromStdWString(line.text);
    if (line.names.empty()) {
        FittedLine fitted{FitText(device, font, text, room, line.mayShorten), {}};
        if (fitted.text.text.isEmpty() && !text.isEmpty() && line.namedAs)
            fitted.leftOut.push_back(line.text);
        return fitted;
    }
    // As many names as stand at their shortest at the smallest size, the ellipsis for the others.
    const QFont smallest = ScaledFont(font, SmallestTextFactor);
    const QString more = ListSeparator + QChar(0x2026);
    std::size_t count = 0;
    double width = 0;
    while (count < line.names.size()) {
        width += TextWidth(device, smallest,
                           (count > 0 ? ListSeparator : QString()) + Least(QString::fromStdWString(line.names[count])));
        const bool last = count + 1 == line.names.size();
        if (width + (last ? 0.0 : TextWidth(device, smallest, more)) > room)
            break;
        ++count;
    }
    for (;; --count) {
        std::vector<TextPart> parts;
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0)
                parts.push_back({ListSeparator});
            const QString name = QString::fromStdWString(line.names[i]);
            parts.push_back({name, TextPart::Name, LeastKept(name)});
        }
        if (count < line.names.size())
            parts.push_back({count > 0 ? more : QString(QChar(0x2026))});
        FittedLine fitted{FitTextParts(device, font, parts, room, 0), {}};
        // The widths of the parts, summed, may miss the whole's by a kerning: one name fewer then.
        if (!fitted.text.text.isEmpty() || count == 0) {
            fitted.leftOut.assign(line.names.begin() +
                                      static_cast<std::ptrdiff_t>(fitted.text.text.isEmpty() ? 0 : count),
                                  line.names.end());
            return fitted;
        }
    }
}

} // namespace SampleLabels
