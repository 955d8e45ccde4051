// Drawing shared by the view, printing and the page layout: depth ticks, column frames, the trace
// columns with their curves and labels; and the view's hover line and picked-boundary handles.
#include <algorithm>
#include <cmath>
#include <limits>

#include <QFontMetricsF>
#include <QPainter>

#include "docview/view/QuorView.h"
#include "docview/view/TraceColours.h"
#include "docview/view/geometry/FittedText.h"
#include "las/LasException.h"
#include "platform/qt/Graphics.h"

using ORBAX_Platform::Graphics;
using ORBAX_Platform::GraphicsState;
using namespace ViewGeometry;

void CQuorView::DrawDepthTicks(Graphics& graphics, double x, double top, double bottom, double y0, double tickLength,
                               const QPointF& labelOffset, const QBrush& labelBrush, const QPen& gridPen,
                               double gridLength, double topDepth, double depthOrigin, double scale,
                               const QPen& tickPen, const QFont& labelFont, double labelLeft, double smallestPoints,
                               const RulerReach* reach)
{
    QPainter& painter = graphics.painter();
    const RulerLabels labels = LayOutRuler(painter.device(), x, bottom - top, topDepth, depthOrigin, scale, tickLength,
                                           labelOffset, labelFont, labelLeft, smallestPoints, reach);
    if (labels.ticks.empty())
        return;
    GraphicsState state(graphics);
    graphics.setWorldTransform(QTransform::fromTranslate(x, top - y0) * graphics.worldTransform());
    // The span's ends in the translated coordinates: grid lines are not drawn over the frame.
    const double spanTop = y0;
    const double spanBottom = y0 + (bottom - top);
    const QPen tickLine = DevicePen(tickPen, graphics.worldToDevice());
    const QPen grid = DevicePen(gridPen, graphics.worldToDevice());
    // Lines and labels that cannot reach what is painted are skipped: a line is thinner than a
    // millimetre, a label stands within its height and a half of its tick.
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
    const double fontMm = labelFont.pointSizeF() > 0 ? labelFont.pointSizeF() * 25.4 / 72 : 5.0;
    const double labelReach = std::fabs(labelOffset.y()) + 1.5 * fontMm + 0.5;
    auto reaches = [&clip](double y, double reach) {
        return clip.isNull() || (y >= clip.top() - reach && y <= clip.bottom() + reach);
    };
    for (const DepthTick& tick : labels.ticks) {
        const double y = tick.y;
        if (reaches(y, 1.0)) {
            painter.setPen(tickLine);
            painter.drawLine(QPointF(-tickLength, y), QPointF(0, y));
            if (gridLength > 0 && std::fabs(y - spanTop) > 1e-9 && std::fabs(y - spanBottom) > 1e-9) {
                painter.setPen(grid);
                painter.drawLine(QPointF(0, y), QPointF(gridLength, y));
            }
        }
    }
    // Numbers standing over the neighbour's margin are drawn outside the field the caller clips to (only
    // a printed page, which has no other clip, gives them that reach).
    if (labels.reached)
        painter.setClipRect(QRectF(reach->left, spanTop - 2 * labelReach, reach->right - reach->left,
                                   spanBottom - spanTop + 4 * labelReach),
                            Qt::ReplaceClip);
    for (const DepthTick& tick : labels.ticks)
        if (labels.Shown(painter.device(), tick) && reaches(tick.y, labelReach))
            DrawTextAt(graphics, labels.Anchor(tick), labels.Text(tick), labels.font, labelBrush, labels.Alignment());
}

double CQuorView::TraceValuesLeft(const QPaintDevice* device, const QRectF& plotRect, const QRectF& columnRect,
                                  double topDepth, double scale, double tickLength, const QPointF& labelOffset,
                                  const QFont& tickFont, double smallestPoints, const RulerReach* reach)
{
    const RulerLabels labels = LayOutRuler(device, plotRect.left(), plotRect.height(), topDepth, 0, scale, tickLength,
                                           labelOffset, tickFont, columnRect.left(), smallestPoints, reach);
    // Only the lowest label can reach below the plot, and not when it stands on its tick or outside the
    // field.
    if (labels.onTicks || labels.reached)
        return columnRect.left();
    for (auto tick = labels.ticks.rbegin(); tick != labels.ticks.rend(); ++tick) {
        if (!labels.Shown(device, *tick))
            continue;
        const double labelTop = plotRect.top() + tick->y - topDepth / scale - labelOffset.y();
        if (labelTop + labels.height > plotRect.bottom())
            return plotRect.left() + labels.right;
        break;
    }
    return columnRect.left();
}

void CQuorView::FrameColumn(const QRectF& rect, Graphics& graphics, bool fine)
{
    QPainter& painter = graphics.painter();
    if (fine) {
        painter.setPen(DevicePen(MakeDrawingPen(0xFF000000u, 0.2), graphics.worldToDevice()));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        return;
    }
    // Four one-pixel lines on the rectangle snapped to whole device pixels.
    const QRectF device = graphics.worldToDevice().mapRect(rect);
    const int left = static_cast<int>(std::floor(device.left() + 0.5));
    const int top = static_cast<int>(std::floor(device.top() + 0.5));
    const int right = static_cast<int>(std::floor(device.right() + 0.5));
    const int bottom = static_cast<int>(std::floor(device.bottom() + 0.5));
    // Filled as rectangles a pixel wide: the same pixels as one-pixel lines, at a fraction of the cost.
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect edges[4] = {QRect(left, top, 1, bottom - top + 1), QRect(left, top, right - left + 1, 1),
                            QRect(left, bottom, right - left + 1, 1), QRect(right, top, 1, bottom - top + 1)};
    for (const QRect& edge : edges)
        painter.fillRect(edge.normalized(), Qt::black);
    painter.restore();
}

void CQuorView::DrawCurvePolyline(Graphics& graphics, const QPen& pen, const CurvePolylines& polylines)
{
    QPainter& painter = graphics.painter();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    int from = 0;
    for (int end : polylines.ends) {
        painter.drawPolyline(polylines.points.data() + from, end - from);
        from = end;
    }
}

void CQuorView::DrawTraceColumn(Graphics& graphics, const QRectF& plotRect, const QRectF& columnRect, double scale,
                                int column, int selectedFile, int selectedCurve, int traceRangePrecision,
                                double lineHeight, double topDepth, double tickLength, const QPointF& labelOffset,
                                const DrawingResources& resources, const QPen& gridPen, QPen curvePen,
                                const QPen& dividerPen, bool fine, const TraceList& traces,
                                const std::uint32_t* colourTable, const RulerReach* numbersReach)
{
    QPainter& painter = graphics.painter();
    painter.fillRect(columnRect, resources.whiteBrush);
    const double tiny = std::ldexp(1.0, -23);
    if (!(plotRect.width() > tiny) || !(plotRect.height() > tiny) || !IsUsableScale(scale))
        return;
    GraphicsState outer(graphics);
    graphics.intersectClip(columnRect);
    // The depths of the plot that this paint reaches, widened by the widest pen and a few device rows:
    // a line from a row beyond them may reach in.
    const double rowsPerMm = graphics.worldToDevice().m22();
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : plotRect;
    const double reach = 0.5 + (rowsPerMm > 0 ? 3 / rowsPerMm : 0.0);
    const double shownTop = std::max(plotRect.top(), clip.top()) - reach;
    const double shownBottom = std::min(plotRect.bottom(), clip.bottom()) + reach;
    const bool plotShown =
        shownTop < shownBottom && clip.left() < plotRect.right() + reach && clip.right() > plotRect.left() - reach;
    CurvePolylines polylines;
    {
        GraphicsState smoothing(graphics);
        graphics.setSmoothing(true);
        // The first row of labels keeps clear of a depth label standing on the plot's bottom edge.
        const double valuesLeft =
            TraceValuesLeft(painter.device(), plotRect, columnRect, topDepth, scale, tickLength, labelOffset,
                            resources.tickFont, resources.smallestTextPoints, numbersReach);
        int n = 0;
        for (std::size_t f = 0; f < traces.size(); ++f) {
            const LasProperty& file = *traces[f];
            const int rows = file.row_count();
            for (std::size_t c = 0; c < file.curves().size(); ++c) {
                const CurveProperty& curve = file.curves()[c];
                if (curve.displayField != column || !curve.visible || !IsDrawnColour(curve.colourIndex))
                    continue;
                const bool selected = static_cast<int>(f) == selectedFile && static_cast<int>(c) == selectedCurve;
                const QColor colour = ORBAX_Platform::ColourFromArgb(colourTable[curve.colourIndex] | 0xFF000000u);
                const QBrush labelBrush(ORBAX_Platform::ColourFromArgb(colourTable[curve.colourIndex]));
                curvePen.setColor(colour);
                curvePen.setWidthF(selected ? 0.5 : 0.1);
                curvePen.setCosmetic(false);
                const QPen drawingPen = DevicePen(curvePen, graphics.worldToDevice());
                const QFont& font = selected ? resources.tickFontBold : resources.tickFont;

                ++n;
                const double labelY = plotRect.bottom() + (n - 0.5) * lineHeight;
                const double lower = curve.ownRange ? curve.minimum() : curve.rangeMinimum;
                const double upper = curve.ownRange ? curve.maximum() : curve.rangeMaximum;
                const int centred = Qt::AlignHCenter | Qt::AlignVCenter;
                // Whole inside the column and apart from each other (a printed field has little room).
                const TraceLabelRow row =
                    LayOutTraceLabels(painter.device(), font, plotRect, columnRect, lower, upper, traceRangePrecision,
                                      QString::fromStdString(curve.mnemonic), n == 1 ? valuesLeft : columnRect.left(),
                                      resources.smallestTextPoints);
                for (const auto& [text, x] : {std::pair{&row.lower, row.lowerX}, std::pair{&row.upper, row.upperX},
                                              std::pair{&row.name, row.nameX}})
                    if (!text->text.isEmpty())
                        DrawTextAt(graphics, QPointF(x, labelY), text->text, text->font, labelBrush, centred);

                if (rows <= 0 || !plotShown)
                    continue;
                GraphicsState state(graphics);
                graphics.intersectClip(plotRect);
                graphics.setWorldTransform(QTransform::fromTranslate(plotRect.x(), plotRect.y() - topDepth / scale) *
                                           graphics.worldTransform());
                // Device rows from the plot's units; the offset in whole 1/1024ths of a row, so that
                // the view scrolled by whole rows gathers the same rows on each.
                const QTransform toDevice = graphics.worldToDevice();
                const double deviceScale = toDevice.type() <= QTransform::TxScale ? toDevice.m22() : 0.0;
                const double deviceOffset = std::round(toDevice.dy() * 1024) / 1024;
                curve.DrawingPolylines(
                    topDepth + (shownTop - plotRect.top()) * scale, topDepth + (shownBottom - plotRect.top()) * scale,
                    static_cast<float>(plotRect.width()), scale, deviceScale, deviceOffset, polylines);
                DrawCurvePolyline(graphics, drawingPen, polylines);
            }
        }
    }
    painter.setPen(DevicePen(dividerPen, graphics.worldToDevice()));
    for (int third = 1; third <= 2; ++third) {
        const double x = plotRect.x() + third * plotRect.width() / 3;
        painter.drawLine(QPointF(x, plotRect.top()), QPointF(x, plotRect.bottom()));
    }
    DrawDepthTicks(graphics, plotRect.left(), plotRect.top(), plotRect.bottom(), topDepth / scale, tickLength,
                   labelOffset, resources.blackBrush, gridPen, plotRect.width(), topDepth, 0, scale,
                   resources.hairlinePen, resources.tickFont, columnRect.left(), resources.smallestTextPoints,
                   numbersReach);
    FrameColumn(plotRect, graphics, fine);
}

void CQuorView::RefitTraceCurves()
{
    // The drawing places each row for the plot and scale it draws at, so nothing is computed here
    // for the curve's rows: a zoom costs the same whatever their number.
    const double scale = m_settings.scale;
    for (const auto& file : m_traces)
        for (CurveProperty& curve : file->curves()) {
            if (curve.displayField < 0 || curve.displayField > 2)
                continue;
            curve.plotWidth = static_cast<float>(m_layout.tracePlot[curve.displayField].width());
            curve.depthScale = scale;
        }
}

// ---------------------------------------------------------------------------------------------------
// Hover line and picked boundary

void CQuorView::drawHoverLine(QPainter& painter, int row) const
{
    const int left = static_cast<int>(std::floor(m_layout.rightPane.left() * m_pixelsPerMmX + 0.5));
    const int right = static_cast<int>(std::floor(m_layout.traceColumn[2].right() * m_pixelsPerMmX + 0.5));
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Inverted, so that it shows over any pattern.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QPen(m_hoverColour, m_hoverWidth));
    painter.drawLine(left, row, right, row);
    painter.restore();
}

void CQuorView::SetHoverRow(int row)
{
    if (row == m_hoverRow)
        return;
    const int left = static_cast<int>(std::floor(m_layout.rightPane.left() * m_pixelsPerMmX + 0.5));
    const int right = static_cast<int>(std::floor(m_layout.traceColumn[2].right() * m_pixelsPerMmX + 0.5));
    auto strip = [&](int y) { return QRect(left, y - m_hoverWidth, right - left + 1, 2 * m_hoverWidth + 1); };
    if (m_hoverRow != -1)
        update(strip(m_hoverRow));
    m_hoverRow = row;
    if (m_hoverRow != -1)
        update(strip(m_hoverRow));
}

void CQuorView::DrawPickedBoundary(int pane, int unit, Graphics& graphics) const
{
    if (pane < 0 || pane > 1 || unit < 0 || unit >= unitCount(pane))
        return;
    const QRectF r = UnitRectOfPane(pane, unit);
    QPainter& painter = graphics.painter();
    painter.setPen(m_redPen);
    painter.drawLine(QPointF(r.x() - 1, r.bottom()), QPointF(r.right() + 1, r.bottom()));
    painter.fillRect(QRectF(r.x() - 3, r.bottom() - 1, 2, 2), m_redBrush);
    painter.fillRect(QRectF(r.right() + 1, r.bottom() - 1, 2, 2), m_redBrush);
}

void CQuorView::InvalidatePickedBoundary(int unit, int pane)
{
    if (pane < 0 || pane > 1 || unit < 0 || unit >= unitCount(pane))
        return;
    const QRectF r = UnitRectOfPane(pane, unit);
    InvalidatePageRect(QRectF(r.x() - 5, r.bottom() - 2, r.width() + 10, 4));
}
