// What lies under a point of the view: which side, a borehole's column or its title, a trace column or
// the labels of one of its traces, the unit under the point and the traces whose lines pass near it.
#include "docview/view/QuorView.h"
#include "docview/view/TraceColours.h"
#include "docview/view/ViewSettings.h"

using UnitHitTest::PickDistance;

QRectF CQuorView::titleBox(int pane) const
{
    // The name as it is drawn: centred over the column, two lines above it. An unnamed borehole has no
    // title to hit.
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || hole->name.empty())
        return QRectF();
    const QSizeF size = MeasureText(QString::fromStdWString(hole->name), m_screenResources->generalFont);
    const QRectF& column = m_layout.column(pane);
    return QRectF(column.center().x() - size.width() / 2, column.top() - 2 * m_layout.lineHeight, size.width(),
                  size.height());
}

bool CQuorView::onTraceLabel(const QPointF& page, int column, int& traceFile, int& curve) const
{
    // The labels as the column draws them: a row per drawn curve below the plot, the lower value at the
    // plot's left edge, the upper at its right, the name in the middle, each centred on its point.
    const QRectF& plot = m_layout.tracePlot[column];
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
            const std::pair<double, QString> labels[3] = {
                {plot.left(), QString::fromStdWString(FixedText(lower, m_settings.traceRangePrecision))},
                {plot.right(), QString::fromStdWString(FixedText(upper, m_settings.traceRangePrecision))},
                {plot.center().x(), QString::fromStdString(trace.mnemonic)}};
            for (const auto& [x, text] : labels) {
                const QSizeF size = MeasureText(text, font);
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
