// Printing the log: the print, preview and set-up commands, the pagination for the printer's paper,
// and each page drawn with the view's own routines: the page-columns of boreholes and traces, the
// frame, the title block with its texts, the logo and the legend.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include <QAction>
#include <QDate>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "config/HatchList.h"
#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/print/BoreholePens.h"
#include "docview/print/PrintJob.h"
#include "docview/print/pagination/LeftOutNames.h"
#include "docview/print/pagination/PageText.h"
#include "docview/print/pagination/PrintLegend.h"
#include "docview/view/QuorView.h"
#include "docview/view/TraceColours.h"
#include "docview/view/geometry/FittedText.h"
#include "platform/Paths.h"
#include "platform/qt/Graphics.h"
#include "platform/services/Services.h"
#include "printsetup/pagesetup/LogoImage.h"
#include "resources/CommandIds.h"

using ORBAX_Platform::Graphics;
using ORBAX_Platform::GraphicsState;
using namespace LogPagination;
using ViewGeometry::UnitLabel;

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

// Measuring happens before the print starts (a painter on the printer would begin the document):
// on an image of the printer's resolution, which measures text as the printer does.
QImage MeasuringImage(const QPrinter& printer)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(printer.resolution() / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// A text's line height in millimetres on the device.
double LineHeight(const QFont& font, const QPaintDevice& device)
{
    return QFontMetricsF(font, &device).lineSpacing() * 25.4 / device.logicalDpiY();
}

void Tell(QWidget* parent, const std::wstring& text)
{
    ORBAX_Platform::showMessage(parent, text, ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Warning);
}

// Where the output goes, for a message: the file, else the printer's name.
std::wstring OutputName(const QPrinter& printer)
{
    const QString name = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    return name.toStdWString();
}

// The fields beside a field of page-column `column`: the next shown field to its left or right, in the
// page-column or, for its first or last field, the last or first of the page-column beside it. `offset`
// is where that field is drawn from the page-column's own geometry; no field beside the first field of
// the first page-column (the page's frame) or the last of the last (the frame or the legend).
struct Neighbour {
    const Field* field = nullptr;
    int index = -1;
    int column = 0;
    double offset = 0;
};
Neighbour Beside(const Layout& layout, int f, int column, int direction)
{
    for (int k = f + direction; k >= 0 && k < FieldCount; k += direction)
        if (layout.fields[k].shown)
            return {&layout.fields[k], k, column, 0.0};
    const int next = column + direction;
    if (next < 0 || next >= layout.columns)
        return {};
    for (int n = 0; n < FieldCount; ++n) {
        const int k = direction > 0 ? n : FieldCount - 1 - n;
        if (layout.fields[k].shown)
            return {&layout.fields[k], k, next, direction * layout.pageColumnWidth};
    }
    return {};
}

// The labels' longest line: sample brackets when sample numbers are shown, else ply brackets.
double LabelLineLength(bool sampleNumbers) { return sampleNumbers ? SampleBracketLength : LabelTextIndent; }
// The labels' lines are drawn no shorter than this share of their length.
constexpr double LeastLineScale = 0.5;
// What a label keeps free of its field's right edge, beyond which the next field's depth numbers may
// stand (a field keeps its own texts `FieldTextGap` inside its edges): texts of the two stay apart.
constexpr double LabelsRightGap = PrintTextsApart - FieldTextGap;

// Field `f` of page-column `column` on the page. A side on the page's frame (or the frame of a legend at
// the right) keeps its texts further from it than from another field.
QRectF FieldOnPage(const Layout& layout, int f, int column)
{
    QRectF field = layout.fields[f].field.translated(layout.content.left() + column * layout.pageColumnWidth, 0);
    if (!Beside(layout, f, column, -1).field)
        field.setLeft(field.left() + PrintLineGap - FieldTextGap);
    if (!Beside(layout, f, column, 1).field)
        field.setRight(field.right() - PrintLineGap + FieldTextGap);
    return field;
}

// Where a borehole field's unit labels may reach, from the page-column's own geometry: over the ruler
// space of the field to its right up to its ticks, within the body; the lines as long as on screen where
// the room beside the column in the field holds them and the widest text, down to half that where it is
// short.
LabelRoom LabelsRoom(const PrintJob& job, int pane, int column, bool sampleNumbers)
{
    const Layout& layout = job.layout;
    const Field& field = layout.fields[pane];
    LabelRoom room;
    const Neighbour next = Beside(layout, pane, column, 1);
    room.right = next.field ? next.offset + next.field->body.left() - layout.tickOrigin - PrintLineGap
                            : field.field.right() - PrintLineGap;
    room.top = layout.bodyTop;
    room.bottom = layout.bodyBottom;
    const double own = field.field.right() - (next.field ? LabelsRightGap : PrintLineGap) - field.body.right();
    const double width = room.right - field.body.right();
    room.lineScale =
        std::clamp(std::min((own - job.widestLabel[pane]) / LabelTextIndent, width / LabelLineLength(sampleNumbers)),
                   LeastLineScale, 1.0);
    return room;
}

// The room field `f` of page-column `column` leaves under its body for its ruler's last depth number: its
// footer, less a trace plot's rows of range values; no lower than a legend below the log reaches up.
double RoomBelow(const PrintJob& job, int f, int column)
{
    const Layout& layout = job.layout;
    const Field& field = layout.fields[f];
    double bottom = layout.bodyBottom + field.footer;
    const double left = layout.content.left() + column * layout.pageColumnWidth + field.field.left();
    if (left < layout.LegendRightLimit())
        bottom = std::min(bottom, job.legendTop);
    return bottom - layout.bodyBottom - (f >= Trace1 ? job.traceRows[f - Trace1] * job.tickLineHeight : 0.0);
}

// Where the depth numbers of field `f` may stand when its ruler space is too narrow for them, from its
// ruler: over the margin of the field to its left (a trace plot's frame, or a borehole's label lines)
// or, for the first field of the first page-column, in the page margin left of the frame; and how far
// below the ruler's end the last may reach.
RulerReach NumbersReach(const PrintJob& job, int f, int column, bool sampleNumbers)
{
    const Layout& layout = job.layout;
    const double ruler = layout.fields[f].body.left();
    const double below = RoomBelow(job, f, column);
    const Neighbour before = Beside(layout, f, column, -1);
    if (!before.field) {
        const double rulerOnPage = layout.content.left() + ruler;
        return {FieldTextGap - rulerOnPage, layout.content.left() - PrintLineGap - rulerOnPage, false, below};
    }
    double left = before.offset + before.field->body.right() + LineTextGap;
    if (before.index < Trace1)
        left += LabelLineLength(sampleNumbers) * LabelsRoom(job, before.index, before.column, sampleNumbers).lineScale;
    return {left - ruler, -LineTextGap, true, below};
}

// The room of a borehole field's unit labels on a page-column (see `LabelsRoom`), on the page, with the
// boxes of the next ruler's depth numbers they keep clear of and the end of the `hole` they label.
// `tickTextOffset` is how far above its ticks a borehole's ruler sets its numbers (the view's).
LabelRoom PageLabelsRoom(const PrintJob& job, const PageRecord& page, int column, int pane,
                         const ORBAX_Logging::Borehole& hole, bool sampleNumbers, const QPaintDevice* device,
                         double tickTextOffset)
{
    const Layout& layout = job.layout;
    const DrawingResources& resources = *job.resources;
    const double offset = layout.content.left() + column * layout.pageColumnWidth;
    LabelRoom room = LabelsRoom(job, pane, column, sampleNumbers);
    room.right += offset;
    if (!hole.empty())
        room.end = layout.bodyTop + (hole.back().bottom - layout.ColumnTopDepth(page, column)) / job.scale;
    const Neighbour next = Beside(layout, pane, column, 1);
    if (!next.field)
        return room;
    const double ruler = offset + next.offset + next.field->body.left();
    const double top = layout.ColumnTopDepth(page, next.column);
    const RulerReach reach = NumbersReach(job, next.index, next.column, sampleNumbers);
    // A borehole's ruler takes its numbers' offset from the view's layout, a trace plot's from the page.
    const QPointF labelOffset = next.index < Trace1 ? QPointF(static_cast<int>(layout.tickIndent), tickTextOffset)
                                                    : QPointF(layout.tickIndent, layout.tickTextOffset);
    const RulerLabels numbers = LayOutRuler(
        device, ruler, layout.bodyBottom - layout.bodyTop, top, 0, job.scale, layout.tickOrigin, labelOffset,
        resources.tickFont, offset + next.offset + next.field->field.left(), resources.smallestTextPoints, &reach);
    for (const ViewGeometry::DepthTick& tick : numbers.ticks)
        if (numbers.Shown(device, tick))
            room.keepClear.push_back(numbers.Box(device, tick).translated(ruler, layout.bodyTop - top / job.scale));
    return room;
}

// The widths of a borehole's label texts at the smallest size (see `PrintJob::widestLabel`).
void MeasureLabels(PrintJob& job, int pane, const QPaintDevice& device, const ORBAX_Logging::Borehole& hole,
                   bool sampleNumbers)
{
    const QFont& font = job.resources->tickFont;
    const QFont smallest = ScaledFont(font, SmallestFactor(font, job.resources->smallestTextPoints));
    std::set<std::wstring> texts;
    for (const ORBAX_Logging::Interval& unit : hole)
        for (const std::wstring& text :
             {sampleNumbers ? unit.sample.str() : unit.seam.str(), sampleNumbers ? std::wstring() : unit.ply.str()})
            if (!text.empty())
                texts.insert(text);
    for (const std::wstring& text : texts) {
        const QString shown = QString::fromStdWString(text);
        const double width = TextWidth(&device, smallest, shown);
        job.widestLabel[pane] = std::max(job.widestLabel[pane], width);
        // The room a name is given at the least: for its first and last few characters about the
        // ellipsis it is shortened with, enough to tell one from another ("Nort…am_5", "NX-0005" whole).
        constexpr int kept = ShortenedNameKeeps;
        const double least =
            sampleNumbers || shown.size() <= 2 * kept + 1
                ? width
                : std::min(width, TextWidth(&device, smallest, shown.left(kept) + QChar(0x2026) + shown.right(kept)));
        job.labelRoomNeeded[pane] = std::max(job.labelRoomNeeded[pane], least);
    }
}

// The four cells of the title block, with their texts and how those stand in them: the top and middle
// texts across the block, centred; the left and right ones in the bottom row's halves. A text keeps a
// millimetre from the lines beside it.
struct TitleCell {
    const std::wstring* text;
    QRectF cell;
    int alignment;

    double Room() const { return cell.width() - 2 * TitleTextInset; }
    QPointF Anchor() const
    {
        const double x = alignment & Qt::AlignLeft    ? cell.left() + TitleTextInset
                         : alignment & Qt::AlignRight ? cell.right() - TitleTextInset
                                                      : cell.center().x();
        return QPointF(x, cell.center().y());
    }
    static constexpr double TitleTextInset = 1.0;
};
std::vector<TitleCell> TitleCells(const QRectF& title, const PageSetupSettings& setup)
{
    const bool middle = !setup.middleText.empty();
    const double row = title.height() / (middle ? 3 : 2);
    const double half = title.width() / 2;
    std::vector<TitleCell> cells{
        {&setup.topText, QRectF(title.left(), title.top(), title.width(), row), Qt::AlignHCenter | Qt::AlignVCenter}};
    if (middle)
        cells.push_back({&setup.middleText, QRectF(title.left(), title.top() + row, title.width(), row),
                         Qt::AlignHCenter | Qt::AlignVCenter});
    cells.push_back(
        {&setup.leftText, QRectF(title.left(), title.bottom() - row, half, row), Qt::AlignLeft | Qt::AlignVCenter});
    cells.push_back({&setup.rightText, QRectF(title.center().x(), title.bottom() - row, half, row),
                     Qt::AlignRight | Qt::AlignVCenter});
    return cells;
}

// A title text with its codes filled in, fitted whole into its cell: smaller, then its names (and then,
// unless `namesOnly`, its other words) shortened; its numbers never are. Empty when it cannot stand there.
FittedText FitTitleText(const PrintJob& job, const QPaintDevice* device, const TitleCell& cell,
                        const PageTextFields& fields, bool namesOnly = false)
{
    std::vector<TextPart> parts;
    for (const PageTextPart& part : ExpandPageTextParts(*cell.text, fields))
        parts.push_back({QString::fromStdWString(part.text), part.shortening == PageTextPart::Name ? TextPart::Name
                                                             : part.shortening == PageTextPart::Words
                                                                 ? (namesOnly ? TextPart::Never : TextPart::Words)
                                                                 : TextPart::Never});
    return FitTextParts(device, job.titleFont, parts, cell.Room(), job.resources->smallestTextPoints);
}

// The texts the log would print without where its fields are too narrow for them even at the smallest
// print size: depth numbers (the deepest the rulers show is the widest), range values of the traces,
// whole title texts and legend names. Measured as the page draws them, with the room beside the fields.
// The unit labels that print nowhere (`labelsLeftOut`) are named. The title texts are fitted with the
// last page's `fields` (the widest page number).
std::vector<std::wstring> TextsLeftOut(const PrintJob& job, const QImage& device, bool sampleNumbers,
                                       const TraceList& traces, int rangePrecision,
                                       const std::vector<std::wstring>& labelsLeftOut, const PageTextFields& fields)
{
    using ORBAX_Utilities::get_message_wide;
    const LogPagination::Layout& layout = job.layout;
    const QFont& font = job.resources->tickFont;
    const double smallest = job.resources->smallestTextPoints;
    bool depths = false, ranges = false;

    double deepest = 0;
    for (const PageRecord& page : layout.pages)
        if (!page.legendPage)
            deepest = std::max(deepest, page.topDepth + layout.columns * layout.depthPerColumn);
    const QString widestDepth = QString::fromStdWString(FixedText(deepest, layout.ruler.decimals));
    for (int f = 0; f < FieldCount; ++f) {
        const Field& field = layout.fields[f];
        if (!field.shown)
            continue;
        for (int column = 0; column < layout.columns; ++column) {
            // The field as the page-column draws it, from its own left edge.
            const double onPage = layout.content.left() + column * layout.pageColumnWidth;
            const QRectF drawn = FieldOnPage(layout, f, column).translated(-onPage, 0);
            const RulerReach reach = NumbersReach(job, f, column, sampleNumbers);
            depths = depths || !PlaceRulerLabels(&device, font, widestDepth, field.body.left() - drawn.left(),
                                                 layout.tickOrigin, layout.tickIndent, smallest, &reach)
                                    .fits;
            if (f < Trace1)
                continue;
            for (const auto& file : traces)
                for (const CurveProperty& curve : file->curves()) {
                    if (curve.displayField != f - Trace1 || !curve.visible || !IsDrawnColour(curve.colourIndex))
                        continue;
                    const double lower = curve.ownRange ? curve.minimum() : curve.rangeMinimum;
                    const double upper = curve.ownRange ? curve.maximum() : curve.rangeMaximum;
                    const TraceLabelRow row =
                        LayOutTraceLabels(&device, font, field.body, drawn, lower, upper, rangePrecision,
                                          QString::fromStdString(curve.mnemonic), drawn.left(), smallest);
                    ranges = ranges || (std::isfinite(lower) && row.lower.text.isEmpty()) ||
                             (std::isfinite(upper) && row.upper.text.isEmpty());
                }
        }
    }
    // The title texts: each must stand whole but for its names, which may be shortened untold; a typed
    // text that does not fit prints shortened, and is told.
    bool titles = false;
    for (const TitleCell& cell : TitleCells(layout.titleBlock, job.setup))
        titles = titles || (!cell.text->empty() && FitTitleText(job, &device, cell, fields, true).text.isEmpty());
    // The legend's names, each whole in its cell, smaller or wrapped where the cell is narrower.
    bool legend = false;
    {
        QImage image = device;
        QPainter painter(&image);
        Graphics graphics(painter);
        const LegendStyle& style = job.setup.legendStyle;
        const QFont drawn = style.DrawnNameFont(graphics);
        for (const PageRecord& page : layout.pages)
            for (const auto& entry : page.legend)
                legend = legend || !style
                                        .FitName(graphics, drawn, entry->GetName(),
                                                 page.grid.cellWidth - style.boxWidth - style.spacing)
                                        .fits;
    }

    std::vector<std::wstring> names;
    if (titles)
        names.push_back(get_message_wide(389));
    if (legend)
        names.push_back(get_message_wide(394));
    if (depths)
        names.push_back(get_message_wide(384));
    if (!labelsLeftOut.empty())
        names.push_back(NamesLeftOut(sampleNumbers ? 391 : 393, labelsLeftOut));
    if (ranges)
        names.push_back(get_message_wide(386));
    return names;
}

// The message that the log would print without some of its texts.
std::wstring TextsLeftOutMessage(const std::vector<std::wstring>& names)
{
    return ORBAX_Utilities::format_message1(382, ListText(names));
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Commands

void CQuorView::RegisterPrintCommands(CommandFrame& frame)
{
    using namespace QuorCommand;
    frame.SetCommandHandler(ID_FILE_PRINT, [this] { OnFilePrint(); });
    frame.SetCommandHandler(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    frame.SetCommandHandler(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    frame.SetCommandHandler(
        ID_PRINT_SAMPLE_LABELS, [this] { OnPrintSampleLabels(); },
        [this](QAction& action) { OnUpdatePrintSampleLabels(action); });
}

QPrinter& CQuorView::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CQuorView::OnFilePrint()
{
    QPrinter& printer = Printer();
    printer.setDocName(QString::fromStdWString(m_document->GetTitle()));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // The pages are known only once the paper is: any range may be asked for.
    dialog.setMinMax(1, static_cast<int>(MaxLogPages));
    if (ORBAX_Platform::dialogs().run(dialog) != QDialog::Accepted)
        return;
    PrintLog(printer);
}

void CQuorView::OnFilePrintPreview()
{
    QPrinter& printer = Printer();
    printer.setDocName(QString::fromStdWString(m_document->GetTitle()));
    // A setup that cannot print is told once, before the preview opens; so are texts it prints without.
    const bool printable = OnBeginPrinting(printer);
    const std::vector<std::wstring> leftOut = printable ? m_printJob->textsLeftOut : std::vector<std::wstring>();
    OnEndPrinting();
    if (!printable)
        return;
    if (!leftOut.empty())
        Tell(this, TextsLeftOutMessage(leftOut));
    // The preview shows every page, whatever range the last print asked for.
    printer.setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        try {
            // The preview draws its pages as pictures; its print button prints on the printer, and asks
            // as Print does before a log goes out without some of its texts.
            const QPaintEngine* engine = target ? target->paintEngine() : nullptr;
            if (target)
                PrintLog(*target, engine && engine->type() == QPaintEngine::Picture);
        } catch (...) {
            // A page that cannot be drawn stays blank in the preview.
        }
    });
    ORBAX_Platform::dialogs().run(preview);
}

void CQuorView::OnFilePrintSetup()
{
    QPrintDialog dialog(&Printer(), this);
    dialog.setObjectName(QStringLiteral("dlgPrintSetup"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // The printer keeps what the user chose; nothing prints now.
    ORBAX_Platform::dialogs().run(dialog);
}

// ---------------------------------------------------------------------------------------------------
// The print job

int CQuorView::PrintPageCount() const { return m_printJob ? static_cast<int>(m_printJob->layout.pages.size()) : 0; }

bool CQuorView::OnBeginPrinting(QPrinter& printer, bool quiet)
{
    auto job = std::make_unique<PrintJob>();
    job->setup = m_pageSetup;
    job->scale = m_settings.scale;
    CreateBoreholePens(*this, job->resources, 1.0);
    job->titleFont = m_titleFont;

    const QImage measuring = MeasuringImage(printer);
    job->lineHeight = LineHeight(job->resources->generalFont, measuring);
    job->tickLineHeight = LineHeight(job->resources->tickFont, measuring);

    const ORBAX_Logging::Borehole& left = m_document->GetBorehole(0);
    const ORBAX_Logging::Borehole& right = m_document->GetBorehole(1);
    Input input;
    input.printable = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    input.setup = job->setup;
    input.lineHeight = job->lineHeight;
    input.tickLineHeight = job->tickLineHeight;
    input.scale = job->scale;
    input.deepestDepth = DeepestDepth(&left, &right, m_traces);

    const HatchList* hatchList =
        m_tables ? ::GetHatchList(m_tables->hatchLists, m_tables->currentHatchListId) : nullptr;
    const ORBAX_Logging::Borehole* shownLeft = job->setup.showLeftBorehole ? &left : nullptr;
    const ORBAX_Logging::Borehole* shownRight = job->setup.showRightBorehole ? &right : nullptr;
    const int include = job->setup.legendInclude;
    const int sort = job->setup.legendSort;
    // Every page of a legend of the whole hatch list or the whole hole has the same entries.
    auto sameForAll = std::make_shared<std::optional<LegendUtils::LegendItems>>();
    const ConfigurationTables* tables = m_tables;
    input.legend = [=](double top, double bottom) {
        if (include == LegendUtils::AllOnPage)
            return BuildPrintLegend(shownLeft, shownRight, hatchList, include, sort, top, bottom, tables);
        if (!*sameForAll)
            *sameForAll = BuildPrintLegend(shownLeft, shownRight, hatchList, include, sort, top, bottom, tables);
        return **sameForAll;
    };
    // Names are measured once each, on the printer's resolution.
    auto widths = std::make_shared<std::map<std::wstring, float>>();
    const LegendStyle style = job->setup.legendStyle;
    input.cellWidth = [widths, style, measuring](const LegendUtils::LegendItems& entries, float minCellWidth) {
        QImage device = measuring;
        QPainter painter(&device);
        Graphics graphics(painter);
        float widest = 0.0f;
        for (const auto& entry : entries) {
            const std::wstring name = entry->GetName();
            auto found = widths->find(name);
            if (found == widths->end())
                found = widths->emplace(name, style.MeasureName(graphics, name)).first;
            widest = std::max(widest, style.boxWidth + style.spacing + found->second);
        }
        return std::max(widest, minCellWidth);
    };

    // The unit labels' texts, measured first: the fields give them the room they need.
    const bool shownPanes[2] = {job->setup.showLeftBorehole, job->setup.showRightBorehole};
    for (int pane = 0; pane < 2; ++pane)
        if (shownPanes[pane]) {
            MeasureLabels(*job, pane, measuring, pane == 0 ? left : right, m_settings.showSampleNumbers);
            if (job->labelRoomNeeded[pane] > 0)
                input.labelRoom[pane] = LabelTextIndent * LeastLineScale + job->labelRoomNeeded[pane] +
                                        std::max(LabelsRightGap, PrintLineGap);
        }

    // The end-of-hole mark under each hole's last base: its stem, its word at full size and the gap
    // it keeps below; across, its word at the smallest size between the column's frame lines (and a
    // hundredth of a millimetre, so that rounding never sets it smaller still).
    for (int pane = 0; pane < 2; ++pane) {
        const ORBAX_Logging::Borehole& hole = pane == 0 ? left : right;
        if (shownPanes[pane] && !hole.empty())
            input.holeEnd[pane] = hole.back().bottom;
    }
    const QFont& tickFont = job->resources->tickFont;
    input.endMarkBelow = EndMarkStem + job->tickLineHeight + PrintLineGap;
    input.endMarkWidth =
        TextWidth(&measuring, ScaledFont(tickFont, SmallestFactor(tickFont, job->resources->smallestTextPoints)),
                  QStringLiteral("EOH")) +
        2 * LineTextGap + 0.01;

    job->layout = Paginate(input);
    if (job->setup.legendPosition == PageSetupSettings::BottomOfPage)
        for (const PageRecord& page : job->layout.pages)
            if (!page.legend.empty())
                job->legendTop = std::min({job->legendTop, job->layout.titleBlock.top(),
                                           job->layout.content.bottom() - page.legendSize.height()});
    for (const auto& file : m_traces)
        for (const CurveProperty& curve : file->curves())
            if (curve.displayField >= 0 && curve.displayField < 3 && curve.visible && IsDrawnColour(curve.colourIndex))
                ++job->traceRows[curve.displayField];
    job->date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdWString();
    // Told before printing and before the preview opens, not while the preview draws its pages.
    if (job->layout.outcome == Outcome::Pages && !quiet) {
        // A text left out of both boreholes is named once.
        std::vector<std::wstring> labels;
        std::set<std::wstring> named;
        for (int pane = 0; pane < 2; ++pane)
            if (job->layout.fields[pane].shown)
                for (std::wstring& text : LabelsLeftOut(*job, pane, m_settings.showSampleNumbers, measuring))
                    if (named.insert(text).second)
                        labels.push_back(std::move(text));
        job->textsLeftOut =
            TextsLeftOut(*job, measuring, m_settings.showSampleNumbers, m_traces, m_settings.traceRangePrecision,
                         labels, PageFields(*job, static_cast<int>(job->layout.pages.size())));
    }
    std::wstring logoProblem;
    job->logo = ReadLogoImage(job->setup.logoFile, &logoProblem);
    // The box stays empty; the user hears why before the pages, as an open of the file would say it.
    if (!quiet && !logoProblem.empty() && job->layout.outcome == Outcome::Pages)
        Tell(this, ORBAX_Utilities::format_message(1001, {job->setup.logoFile, logoProblem}));
    const Outcome outcome = job->layout.outcome;
    const bool empty = job->layout.pages.empty();
    m_printJob = std::move(job);

    if (outcome == Outcome::Pages && !empty)
        return true;
    if (!quiet) {
        using ORBAX_Utilities::get_message_wide;
        switch (outcome) {
        case Outcome::NoBodyHeight: Tell(this, get_message_wide(27163)); break;
        case Outcome::NoWidth: Tell(this, get_message_wide(27162)); break;
        case Outcome::LegendDoesNotFit: Tell(this, get_message_wide(27161)); break;
        case Outcome::TooManyPages:
            Tell(this, ORBAX_Utilities::format_message1(27167, std::to_wstring(MaxLogPages)));
            break;
        case Outcome::Pages: Tell(this, get_message_wide(27164)); break;
        }
    }
    return false;
}

void CQuorView::OnEndPrinting() { m_printJob.reset(); }

bool CQuorView::PrintLog(QPrinter& printer, bool quiet)
{
    struct EndPrinting {
        CQuorView& view;
        ~EndPrinting() { view.OnEndPrinting(); }
    } end{*this};
    if (!OnBeginPrinting(printer, quiet))
        return false;
    // A log without its depths (or sample numbers, or range values) is printed only when asked for.
    if (!quiet && !m_printJob->textsLeftOut.empty() &&
        ORBAX_Platform::showMessage(
            this, TextsLeftOutMessage(m_printJob->textsLeftOut) + L"\n\n" + ORBAX_Utilities::get_message_wide(383),
            ORBAX_Platform::MessageButtons::YesNo,
            ORBAX_Platform::MessageIcon::Warning) != ORBAX_Platform::MessageResult::Yes)
        return false;
    const int count = PrintPageCount();
    int first = 1;
    int last = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(count, printer.toPage() > 0 ? printer.toPage() : count);
    }
    if (first > last) {
        if (!quiet)
            Tell(this, ORBAX_Utilities::get_message_wide(27164));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!quiet)
            Tell(this, ORBAX_Utilities::format_message1(27166, OutputName(printer)));
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            break;
        OnPrint(painter, page);
    }
    return painter.end();
}

PageTextFields CQuorView::PageFields(const PrintJob& job, int page) const
{
    PageTextFields fields;
    fields.date = job.date;
    fields.leftName = m_document->GetBorehole(0).name;
    fields.rightName = m_document->GetBorehole(1).name;
    fields.projectName = m_settings.projectName;
    fields.page = page;
    fields.pageCount = static_cast<int>(job.layout.pages.size());
    fields.scale = job.scale;
    return fields;
}

std::vector<std::wstring> CQuorView::LabelsLeftOut(const PrintJob& job, int pane, bool sampleNumbers,
                                                   const QPaintDevice& device) const
{
    // Laid out and fitted as each page-column's labels are drawn (see `OnPrint` and `DrawLabels`): a text
    // the placing leaves out, or with no room beside its column, prints nowhere. A label split between
    // two page-columns prints when it prints in either: a sample number is known by its text, a seam or
    // ply label by its kind and unit.
    const LogPagination::Layout& layout = job.layout;
    const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(pane);
    const DrawingResources& resources = *job.resources;
    const double regularHalf = MeasureText(QStringLiteral("TESTLABEL"), resources.tickFont).height() / 2;
    const double italicHalf = MeasureText(QStringLiteral("TESTLABEL"), resources.tickFontItalic).height() / 2;
    auto key = [sampleNumbers](const UnitLabel& label) {
        return sampleNumbers ? label.text : std::to_wstring(label.kind) + L':' + std::to_wstring(label.unit);
    };
    std::vector<UnitLabel> leftOut;
    std::set<std::wstring> printed;
    for (const PageRecord& page : layout.pages)
        for (int column = 0; column < layout.columns && !page.legendPage; ++column) {
            const QRectF body =
                layout.fields[pane].body.translated(layout.content.left() + column * layout.pageColumnWidth, 0);
            const LabelRoom room =
                PageLabelsRoom(job, page, column, pane, hole, sampleNumbers, &device, m_layout.tickTextOffset);
            std::vector<UnitLabel> labels =
                DrawUnitLabels(hole, body, sampleNumbers, resources.tickFont, layout.ColumnTopDepth(page, column),
                               job.scale, resources.tickFontItalic, resources.smallestTextPoints);
            const std::vector<LabelText> texts = FitLabelTexts(
                &device, labels, std::vector<bool>(labels.size(), true), resources.tickFont, resources.tickFontItalic,
                regularHalf, italicHalf, body.right() + LabelTextIndent * room.lineScale,
                FieldOnPage(layout, pane, column).right(), resources.smallestTextPoints, &room);
            for (std::size_t i = 0; i < labels.size(); ++i)
                if (labels[i].IsText()) {
                    if (labels[i].leftOut || texts[i].fitted.text.isEmpty())
                        leftOut.push_back(std::move(labels[i]));
                    else
                        printed.insert(key(labels[i]));
                }
        }
    // Each text named once, in the order of the hole.
    std::vector<std::wstring> missing;
    std::set<std::wstring> told;
    for (const UnitLabel& label : leftOut)
        if (!printed.count(key(label)) && told.insert(label.text).second)
            missing.push_back(label.text);
    return missing;
}

void CQuorView::PrintBoreholeColumn(Graphics& graphics, const QRectF& /*content*/, double offset, int pane,
                                    const DrawingResources& resources, bool showSampleNumbers, bool bothBoreholes,
                                    double pageTopDepth, int column, double depthPerColumn, double scale) const
{
    if (!m_printJob || pane < 0 || pane > 1)
        return;
    const LogPagination::Layout& layout = m_printJob->layout;
    const QRectF fieldRect = FieldOnPage(layout, pane, column);
    const QRectF body = layout.fields[pane].body.translated(offset, 0);
    static const UnitRangeList noSelection;
    const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(pane);
    // The labels are drawn once every field of the page is (they may reach over the next field).
    const RulerReach reach = NumbersReach(*m_printJob, pane, column, showSampleNumbers);
    DrawBorehole(fieldRect, body, fieldRect, m_printJob->lineHeight, false, pageTopDepth + column * depthPerColumn,
                 scale, layout.tickOrigin, static_cast<int>(layout.tickIndent), resources, noSelection,
                 showSampleNumbers, bothBoreholes, true, hole, graphics, &reach, false, depthPerColumn);
}

void CQuorView::OnPrint(QPainter& painter, int pageNumber)
{
    if (!m_printJob || pageNumber < 1 || pageNumber > PrintPageCount())
        return;
    const PrintJob& job = *m_printJob;
    const LogPagination::Layout& layout = job.layout;
    const PageRecord& page = layout.pages[static_cast<std::size_t>(pageNumber - 1)];
    const DrawingResources& resources = *job.resources;
    const QRectF& content = layout.content;
    Graphics graphics(painter);

    // A borehole field's unit labels, drawn once every field of the page is: they may reach over the
    // ruler space of the field to their right, clear of its depth numbers.
    auto printLabels = [&](int column, int pane) {
        const QRectF fieldRect = FieldOnPage(layout, pane, column);
        const QRectF body = layout.fields[pane].body.translated(content.left() + column * layout.pageColumnWidth, 0);
        const bool samples = m_settings.showSampleNumbers;
        const LabelRoom room = PageLabelsRoom(job, page, column, pane, m_document->GetBorehole(pane), samples,
                                              graphics.painter().device(), m_layout.tickTextOffset);
        GraphicsState state(graphics);
        graphics.intersectClip(QRectF(fieldRect.left(), fieldRect.top(),
                                      std::max(fieldRect.right(), room.right) - fieldRect.left(), fieldRect.height()));
        static const UnitRangeList noSelection;
        const auto labels = DrawUnitLabels(m_document->GetBorehole(pane), body, samples, resources.tickFont,
                                           layout.ColumnTopDepth(page, column), job.scale, resources.tickFontItalic,
                                           resources.smallestTextPoints);
        DrawLabels(graphics, body, labels, resources, false, noSelection, fieldRect.right(), &room);
    };

    // The log, page-column by page-column.
    if (!page.legendPage && !layout.NothingShown()) {
        const bool both = layout.fields[LeftBorehole].shown && layout.fields[RightBorehole].shown;
        const QPen dividerPen = MakeDrawingPen(0xFFA5A5A5u, 0.1);
        for (int i = 0; i < layout.columns; ++i) {
            const double offset = content.left() + i * layout.pageColumnWidth;
            for (int pane = 0; pane < 2; ++pane)
                if (layout.fields[pane].shown)
                    PrintBoreholeColumn(graphics, content, offset, pane, resources, m_settings.showSampleNumbers, both,
                                        page.topDepth, i, layout.depthPerColumn, job.scale);
            for (int k = 0; k < 3; ++k) {
                const Field& field = layout.fields[Trace1 + k];
                if (!field.shown)
                    continue;
                const RulerReach reach = NumbersReach(job, Trace1 + k, i, m_settings.showSampleNumbers);
                DrawTraceColumn(graphics, field.body.translated(offset, 0), FieldOnPage(layout, Trace1 + k, i),
                                job.scale, k, -1, -1, m_settings.traceRangePrecision, job.tickLineHeight,
                                layout.ColumnTopDepth(page, i), layout.tickOrigin,
                                QPointF(layout.tickIndent, layout.tickTextOffset), resources, resources.greyPen,
                                resources.hairlinePen, dividerPen, true, m_traces, m_traceColours, &reach);
            }
        }
        // The unit labels last: they may reach over the ruler space of the field to their right.
        for (int i = 0; i < layout.columns; ++i)
            for (int pane = 0; pane < 2; ++pane)
                if (layout.fields[pane].shown)
                    printLabels(i, pane);
    }

    QPainter& p = graphics.painter();
    const QPen framePen = MakeDrawingPen(kBlack, 0.2);
    p.setBrush(Qt::NoBrush);

    // The frame.
    p.setPen(framePen);
    p.drawRect(content);

    // The title block: its left and top edges (the frame draws the others), the rows and the texts.
    const QRectF& title = layout.titleBlock;
    const PageSetupSettings& setup = job.setup;
    p.setPen(framePen);
    p.drawLine(title.topLeft(), title.bottomLeft());
    p.drawLine(title.topLeft(), title.topRight());
    const bool middle = !setup.middleText.empty();
    const double row = title.height() / (middle ? 3 : 2);
    if (middle)
        p.drawLine(QPointF(title.left(), title.top() + row), QPointF(title.right(), title.top() + row));
    p.drawLine(QPointF(title.left(), title.bottom() - row), QPointF(title.right(), title.bottom() - row));
    p.drawLine(QPointF(title.center().x(), title.bottom() - row), QPointF(title.center().x(), title.bottom()));

    // Each text whole in its cell (or, with no room even shortened, not at all: a cut scale or page
    // number would read as another).
    const PageTextFields fields = PageFields(job, pageNumber);
    for (const TitleCell& cell : TitleCells(title, setup)) {
        const FittedText text = FitTitleText(job, p.device(), cell, fields);
        if (!text.text.isEmpty())
            DrawTextAt(graphics, cell.Anchor(), text.text, text.font, resources.blackBrush, cell.alignment);
    }

    // The logo, in a square box left of the title block, inset by a millimetre and keeping its shape.
    if (layout.hasLogo) {
        const QRectF& box = layout.logoBox;
        p.setPen(framePen);
        p.drawLine(box.topLeft(), box.bottomLeft());
        p.drawLine(box.topLeft(), box.topRight());
        const QRectF room = box.adjusted(1, 1, -1, -1);
        if (!job.logo.isNull() && room.width() > 0 && room.height() > 0) {
            QSizeF size = QSizeF(job.logo.size()).scaled(room.size(), Qt::KeepAspectRatio);
            QRectF target(QPointF(), size);
            target.moveCenter(room.center());
            GraphicsState state(graphics);
            graphics.setSmoothing(true);
            graphics.drawImage(job.logo, target);
        }
    }

    // The legend.
    if (page.legend.empty())
        return;
    const LegendStyle& style = setup.legendStyle;
    const QPen boxPen = MakeDrawingPen(kBlack, 0.1);
    const QBrush textBrush = resources.blackBrush;
    const QSizeF size = page.legendSize;
    switch (setup.legendPosition) {
    case PageSetupSettings::BottomOfPage: {
        const double top = std::min(title.top(), content.bottom() - size.height());
        const QRectF frame(content.left(), top, layout.LegendRightLimit() - content.left(), size.height());
        p.fillRect(frame, resources.whiteBrush);
        page.grid.DrawByRows(style, graphics, page.legend, QPointF(content.left(), top), boxPen, textBrush);
        p.setPen(framePen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        break;
    }
    case PageSetupSettings::RightOfPage: {
        const double left = content.right() - size.width();
        const QRectF frame(left, content.top(), size.width(), title.top() - content.top());
        p.fillRect(frame, resources.whiteBrush);
        page.grid.DrawByColumns(style, graphics, page.legend, QPointF(left, content.top()), boxPen, textBrush);
        p.setPen(framePen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        break;
    }
    default: page.grid.Draw(style, graphics, page.legend, content.topLeft(), boxPen, textBrush); break;
    }
}
