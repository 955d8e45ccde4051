// What lies under a point of the view: which side, a borehole's column or its title, a trace column or
// the labels of one of its traces, the unit under the point and the traces whose lines pass near it.
#include <algorithm>

#include "docview/view/QuorView.h"
#include "docview/view/TraceColours.h"
#include "docview/view/geometry/FittedText.h"
#include "docview/view/geometry/ViewSettings.h"

using UnitHitTest::PickDistance;

QRectF CQuorView::titleBox(int pane) const
{
    // The name as it is drawn: over the column and inside the pane, two lines above the column. An
    // unnamed borehole has no title to hit.
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || hole->name.empty())
        return QRectF();
    const QRectF& column = m_layout.column(pane);
    const PlacedName name = PlaceColumnName(this, m_screenResources->generalFont, QString::fromStdWString(hole->name),
                                            column, m_layout.pane(pane));
    const double height = MeasureText(name.text.text, name.text.font).height();
    return QRectF(name.left, column.top() - 2 * m_layout.lineHeight, name.text.width, height);
}

bool CQuorView::onTraceLabel(const QPointF& page, int column, int& traceFile, int& curve) const
{
    // The labels as the column draws them: a row per drawn curve below the plot, the values and the
    // name placed and sized as the column places them.
    const QRectF& plot = m_layout.tracePlot[column];
    // The rows stand under the plot, each text as high as its font's lines: a point higher up, where
    // the pointer mostly is, is on none.
    const double halfHeight = std::max(MeasureText(QStringLiteral("0"), m_screenResources->tickFont).height(),
                                       MeasureText(QStringLiteral("0"), m_screenResources->tickFontBold).height()) /
                              2;
    if (page.y() < plot.bottom() + 0.5 * m_layout.lineHeight - halfHeight)
        return false;
    int row = 0;
    for (std::size_t f = 0; f < m_traces.size(); ++f) {
        const auto& curves = m_traces[f]->curves();
        for (std::size_t c = 0; c < curves.size(); ++c) {
            const CurveProperty& trace = curves[c];
            if (trace.displayField != column || !trace.visible || !IsDrawnColour(trace.colourIndex))
                continue;
            ++row;
            const bool selected = static_cast<int>(f) == m_selectedTraceFile && static_cast<int>(c) == m_selectedCurve;
            const QFont& font = selected ? m_screenResources->tickFontBold : m_screenResources->tickFont;
            const double y = plot.bottom() + (row - 0.5) * m_layout.lineHeight;
            const double lower = trace.ownRange ? trace.minimum() : trace.rangeMinimum;
            const double upper = trace.ownRange ? trace.maximum() : trace.rangeMaximum;
            const QRectF& field = m_layout.traceColumn[column];
            const double rowLeft =
                row == 1 ? TraceValuesLeft(this, plot, field, GetPaneTopDepth(1), m_settings.scale, m_layout.tickOrigin,
                                           QPointF(m_layout.tickIndent, m_layout.tickTextOffset),
                                           m_screenResources->tickFont, m_screenResources->smallestTextPoints)
                         : field.left();
            const TraceLabelRow labels = PlacedTraceLabels(
                this, font, plot, field, lower, upper, m_settings.traceRangePrecision,
                QString::fromStdString(trace.mnemonic), rowLeft, m_screenResources->smallestTextPoints);
            for (const auto& [text, x] :
                 {std::pair{&labels.lower, labels.lowerX}, std::pair{&labels.upper, labels.upperX},
                  std::pair{&labels.name, labels.nameX}}) {
                if (text->text.isEmpty())
                    continue;
                const QSizeF size = MeasureText(text->text, text->font);
                const QRectF box(x - size.width() / 2, y - size.height() / 2, size.width(), size.height());
                if (box.contains(page)) {
                    traceFile = static_cast<int>(f);
                    curve = static_cast<int>(c);
                    return true;
                }
            }
        }
    }
    return false;
}

int CQuorView::HitTest(const QPoint& clientPoint, int* traceFile, int* curve) const
{
    if (traceFile)
        *traceFile = -1;
    if (curve)
        *curve = -1;
    if (!rect().contains(clientPoint))
        return 0;
    const QPointF p = DeviceToPage(QPointF(clientPoint));
    if (p.x() <= m_layout.rightPane.left() && p.x() < m_layout.leftPane.right()) {
        if (m_layout.leftColumn.contains(p))
            return HitLeft | HitColumn;
        if (titleBox(0).contains(p))
            return HitLeft | HitColumn | HitLabel;
        return HitLeft;
    }
    if (p.x() <= m_layout.rightPane.left())
        return 0;
    if (m_layout.rightColumn.contains(p))
        return HitRight | HitColumn;
    for (int k = 0; k < 3; ++k) {
        if (!m_layout.traceColumn[k].contains(p))
            continue;
        int bits = HitRight | (HitTrace + k);
        int file = -1, found = -1;
        if (onTraceLabel(p, k, file, found)) {
            bits |= HitLabel;
            if (traceFile)
                *traceFile = file;
            if (curve)
                *curve = found;
        }
        return bits;
    }
    if (titleBox(1).contains(p))
        return HitRight | HitColumn | HitLabel;
    return HitRight;
}

UnitHitTest::UnitHit CQuorView::UnitHitAt(int pane, const QPoint& clientPoint) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole)
        return {};
    return UnitHitTest::HitTestUnit(*hole, m_layout.column(pane), GetPaneTopDepth(pane), m_settings.scale,
                                    DeviceToPage(QPointF(clientPoint)), PickDistance);
}

std::vector<TracePick::TraceRef> CQuorView::PickTracesAt(const QPoint& clientPoint) const
{
    return TracePick::PickTraces(m_traces, m_layout.traceColumn, m_layout.tracePlot, GetPaneTopDepth(1),
                                 m_settings.scale, DeviceToPage(QPointF(clientPoint)), PickDistance);
}
