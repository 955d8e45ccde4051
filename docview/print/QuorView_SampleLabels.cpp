// Print Sample Labels: one label for every sample of a borehole, in a grid of 85 x 57 mm cells on
// each page, with the project, the borehole, the depths, the sample number, the seams and plies and
// a line for a comment.
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include <QAction>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "core/catalogue/Messages.h"
#include "docview/document/QuorDoc.h"
#include "docview/print/pagination/LeftOutNames.h"
#include "docview/print/pagination/SampleLabels.h"
#include "docview/view/QuorView.h"
#include "docview/view/geometry/FittedText.h"
#include "platform/qt/Graphics.h"
#include "platform/services/Services.h"

using ORBAX_Platform::Graphics;
using ORBAX_Platform::GraphicsState;

namespace {

// Arial with a character cell (ascent and descent) 4.8 mm high.
QFont LabelFont(const QPaintDevice& device)
{
    constexpr double cellMillimetres = 4.8;
    constexpr double probePoints = 100.0;
    QFont font = ORBAX_Platform::CreateNamedFont(QStringLiteral("Arial"), probePoints);
    const QFontMetricsF metrics(font, &device);
    const double cellPoints = (metrics.ascent() + metrics.descent()) * 72.0 / device.logicalDpiY();
    if (cellPoints > 0)
        font.setPointSizeF(probePoints * (cellMillimetres * 72.0 / 25.4) / cellPoints);
    return font;
}

// What a text keeps free of the cell's right edge.
constexpr double LabelGap = 2.0;

bool HasSampleNumbers(const ORBAX_Logging::Borehole& hole)
{
    for (const ORBAX_Logging::Interval& unit : hole)
        if (!unit.sample.empty())
            return true;
    return false;
}

} // namespace

void CQuorView::OnUpdatePrintSampleLabels(QAction& action)
{
    bool enable = false;
    if (m_activePane == 0 || m_activePane == 1) {
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
        enable = hole.schema && hole.hasSampleField() && HasSampleNumbers(hole);
    }
    action.setEnabled(enable);
}

void CQuorView::OnPrintSampleLabels()
{
    if (m_activePane != 0 && m_activePane != 1)
        return;
    const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
    if (!hole.schema || !hole.hasSampleField())
        return;
    PrintSampleLabels(m_activePane);
}

void CQuorView::PrintSampleLabels(int pane)
{
    if (pane != 0 && pane != 1)
        return;
    QPrinter& printer = Printer();
    printer.setDocName(
        QString::fromStdWString(m_document->GetBorehole(pane).name + ORBAX_Utilities::get_message_wide(143)));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrintSampleLabels"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (ORBAX_Platform::dialogs().run(dialog) != QDialog::Accepted)
        return;
    PrintSampleLabels(printer, pane);
}

bool CQuorView::PrintSampleLabels(QPrinter& printer, int pane)
{
    using namespace SampleLabels;
    const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(pane);
    // The paper and the part of it the printer prints on, in tenths of a millimetre, whole ones: the
    // margins are the paper's, not added to the printer's own.
    const QPageLayout page = printer.pageLayout();
    const QSizeF paper = page.fullRect(QPageLayout::Millimeter).size();
    const QRectF area = page.paintRect(QPageLayout::Millimeter);
    auto tenths = [](double mm) { return static_cast<int>(std::floor(mm * 10 + 1e-6)); };
    auto tenthsUp = [](double mm) { return static_cast<int>(std::ceil(mm * 10 - 1e-6)); };
    const Area printable{tenthsUp(area.left()), tenthsUp(area.top()), tenths(area.right()), tenths(area.bottom())};
    Grid grid = ComputeGrid(tenths(paper.width()), tenths(paper.height()), printable);
    if (printer.fullPage()) {
        // Drawing starts at the paper's corner.
        grid.left += printable.left;
        grid.top += printable.top;
    }
    if (!grid.Fits()) {
        // Labels would land outside the grid, one a page, partly off the paper.
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::get_message_wide(27165), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
        return false;
    }
    const std::vector<Sample> samples = CollectSamples(hole);
    const Captions captions = Captions::FromCatalogue();
    // Every label's texts are made before the print starts, so a borehole that cannot give them
    // (no schema) prints nothing.
    std::vector<std::vector<Line>> labels;
    labels.reserve(samples.size());
    for (const Sample& sample : samples)
        labels.push_back(LabelLines(hole, sample, m_settings.projectName, captions));

    // Each text whole inside the cell: smaller, down to two thirds, then (a name) shortened, a list name
    // by name. The captions, the project and the borehole are the same on every label: each is fitted
    // once. Fitted before the print starts, so that the labels print only with the texts they are
    // asked to go without.
    const QFont font = LabelFont(printer);
    constexpr double tenth = 0.1; // the label geometry is in tenths of a millimetre
    std::map<std::tuple<int, std::wstring, bool, std::vector<std::wstring>>, FittedLine> fitted;
    auto fit = [&](const Line& line) -> const FittedLine& {
        auto key = std::make_tuple(line.x, line.text, line.mayShorten, line.names);
        auto found = fitted.find(key);
        if (found == fitted.end())
            found =
                fitted.emplace(std::move(key), FitLine(&printer, font, line, (CellWidth - line.x) * tenth - LabelGap))
                    .first;
        return found->second;
    };
    std::map<int, std::vector<std::wstring>> leftOut; // by the message that names them
    std::set<std::pair<int, std::wstring>> named;
    for (const std::vector<Line>& label : labels)
        for (const Line& line : label)
            for (const std::wstring& text : fit(line).leftOut)
                if (named.insert({line.namedAs, text}).second)
                    leftOut[line.namedAs].push_back(text);
    if (!leftOut.empty()) {
        std::vector<std::wstring> items;
        for (int id : {391, 27182, 27183})
            if (leftOut.count(id))
                items.push_back(NamesLeftOut(id, leftOut[id]));
        if (ORBAX_Platform::showMessage(this,
                                        ORBAX_Utilities::format_message1(27180, ListText(items)) + L"\n\n" +
                                            ORBAX_Utilities::get_message_wide(27181),
                                        ORBAX_Platform::MessageButtons::YesNo,
                                        ORBAX_Platform::MessageIcon::Warning) != ORBAX_Platform::MessageResult::Yes)
            return false;
    }

    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString name = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::format_message1(27166, name.toStdWString()),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Warning);
        return false;
    }
    Graphics graphics(painter);
    const QPen gridPen = MakeDrawingPen(0xFF000000u, 0);
    const QBrush textBrush(ORBAX_Platform::ColourFromArgb(0xFF000000u));
    const int perPage = grid.PerPage();
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const int n = static_cast<int>(k % static_cast<std::size_t>(perPage));
        if (n == 0) {
            if (k > 0)
                printer.newPage();
            // The grid: its outline, then the lines between the cells.
            painter.setPen(gridPen);
            painter.setBrush(Qt::NoBrush);
            const double left = grid.left * tenth, top = grid.top * tenth;
            const double right = left + grid.columns * CellWidth * tenth;
            const double bottom = top + grid.rows * CellHeight * tenth;
            painter.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
            for (int c = 1; c < grid.columns; ++c)
                painter.drawLine(QPointF(left + c * CellWidth * tenth, top),
                                 QPointF(left + c * CellWidth * tenth, bottom));
            for (int r = 1; r < grid.rows; ++r)
                painter.drawLine(QPointF(left, top + r * CellHeight * tenth),
                                 QPointF(right, top + r * CellHeight * tenth));
        }
        const double x = grid.CellX(n) * tenth;
        const double y = grid.CellY(n) * tenth;
        GraphicsState state(graphics);
        graphics.intersectClip(QRectF(x, y, (CellWidth - 1) * tenth, (CellHeight - 1) * tenth));
        for (const Line& line : labels[k]) {
            const FittedText& text = fit(line).text;
            if (!text.text.isEmpty())
                DrawTextAt(graphics, QPointF(x + line.x * tenth, y + line.y * tenth), text.text, text.font, textBrush,
                           Qt::AlignLeft | Qt::AlignTop);
        }
    }
    // Without a sample the document still has its one (empty) page.
    return painter.end();
}
