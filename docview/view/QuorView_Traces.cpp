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

namespace {

// The ticks of a ruler with the place and size of their labels. The labels share one place and size,
// those at which the widest fits between the field's edge and the ticks: where it is short of room
// they move in up to the ticks, then are set smaller; a label that still does not fit is left out
// (cut, a depth would read as another depth).
struct RulerLabels {
    std::vector<DepthTick> ticks;
    RulerStep step;
    QFont font;
    double right = 0;  // the labels' right edge, from the ruler's x
    double room = 0;   // the width a label may take
    double height = 0; // a label's line height at the full size (their spacing)

    QString Text(const DepthTick& tick) const { return QString::fromStdWString(FixedText(tick.depth, step.decimals)); }
    bool Shown(const QPaintDevice* device, const DepthTick& tick) const
    {
        return tick.labelled && TextWidth(device, font, Text(tick)) <= room;
    }
};

RulerLabels PlaceRulerLabels(const QPaintDevice* device, double x, double length, double topDepth, double origin,
                             double scale, double tickLength, const QPointF& labelOffset, const QFont& labelFont,
                             double labelLeft)
{
    RulerLabels labels;
    labels.height = QFontMetricsF(labelFont, device).lineSpacing() * 25.4 / device->logicalDpiY();
    labels.ticks = DepthTicks(length, topDepth, origin, scale, labels.step, labels.height);
    QString widest;
    for (const DepthTick& tick : labels.ticks)
        if (tick.labelled && labels.Text(tick).size() > widest.size())
            widest = labels.Text(tick);
    labels.right = -labelOffset.x();
    auto roomLeftOf = [&](double right) { return x + right - (labelLeft + FieldTextGap); };
    if (TextWidth(device, labelFont, widest) > roomLeftOf(labels.right))
        labels.right = std::max(labels.right, -(tickLength + FieldTextGap));
    labels.room = roomLeftOf(labels.right);
    labels.font = FitText(device, labelFont, widest, labels.room, false).font;
    return labels;
}

} // namespace

void CQuorView::DrawDepthTicks(Graphics& graphics, double x, double top, double bottom, double y0, double tickLength,
                               const QPointF& labelOffset, const QBrush& labelBrush, const QPen& gridPen,
                               double gridLength, double topDepth, double depthOrigin, double scale,
                               const QPen& tickPen, const QFont& labelFont, double labelLeft)
{
    QPainter& painter = graphics.painter();
    const RulerLabels labels = PlaceRulerLabels(painter.device(), x, bottom - top, topDepth, depthOrigin, scale,
                                                tickLength, labelOffset, labelFont, labelLeft);
    if (labels.ticks.empty())
        return;
    GraphicsState state(graphics);
    graphics.setWorldTransform(QTransform::fromTranslate(x, top - y0) * graphics.worldTransform());
    // The span's ends in the translated coordinates: grid lines are not drawn over the frame.
    const double spanTop = y0;
    const double spanBottom = y0 + (bottom - top);
    const QPen tickLine = DevicePen(tickPen, graphics.worldToDevice());
    const QPen grid = DevicePen(gridPen, graphics.worldToDevice());
    for (const DepthTick& tick : labels.ticks) {
        const double y = tick.y;
        painter.setPen(tickLine);
        painter.drawLine(QPointF(-tickLength, y), QPointF(0, y));
        if (gridLength > 0 && std::fabs(y - spanTop) > 1e-9 && std::fabs(y - spanBottom) > 1e-9) {
            painter.setPen(grid);
            painter.drawLine(QPointF(0, y), QPointF(gridLength, y));
        }
        if (labels.Shown(painter.device(), tick))
            DrawTextAt(graphics, QPointF(labels.right, y - labelOffset.y()), labels.Text(tick), labels.font, labelBrush,
                       Qt::AlignRight | Qt::AlignTop);
    }
}

double CQuorView::TraceValuesLeft(const QPaintDevice* device, const QRectF& plotRect, const QRectF& columnRect,
                                  double topDepth, double scale, double tickLength, const QPointF& labelOffset,
                                  const QFont& tickFont)
{
    const RulerLabels labels = PlaceRulerLabels(device, plotRect.left(), plotRect.height(), topDepth, 0, scale,
                                                tickLength, labelOffset, tickFont, columnRect.left());
    // Only the lowest label can reach below the plot.
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
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(left, top, right, top);
    painter.drawLine(left, bottom, right, bottom);
    painter.drawLine(right, top, right, bottom);
    painter.restore();
}

void CQuorView::DrawCurvePolyline(Graphics& graphics, const QPen& pen, const PointF* points, int count)
{
    QPainter& painter = graphics.painter();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    std::vector<QPointF> run;
    run.reserve(static_cast<std::size_t>(std::max(0, std::min(count, 4096))));
    auto flush = [&] {
        // A lone point between gaps is not drawn.
        if (run.size() >= 2)
            painter.drawPolyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (int i = 0; i < count; ++i) {
        const PointF& p = points[i];
        if (std::isnan(p.X) || std::isnan(p.Y)) {
            flush();
            continue;
        }
        run.emplace_back(p.X, p.Y);
    }
    flush();
}

void CQuorView::DrawTraceColumn(Graphics& graphics, const QRectF& plotRect, const QRectF& columnRect, double scale,
                                int column, int selectedFile, int selectedCurve, int traceRangePrecision,
                                double lineHeight, double topDepth, double tickLength, const QPointF& labelOffset,
                                const DrawingResources& resources, const QPen& gridPen, QPen curvePen,
                                const QPen& dividerPen, bool fine, const TraceList& traces,
                                const std::uint32_t* colourTable)
{
    QPainter& painter = graphics.painter();
    painter.fillRect(columnRect, resources.whiteBrush);
    const double tiny = std::ldexp(1.0, -23);
    if (!(plotRect.width() > tiny) || !(plotRect.height() > tiny) || !IsUsableScale(scale))
        return;
    GraphicsState outer(graphics);
    graphics.intersectClip(columnRect);
    {
        GraphicsState smoothing(graphics);
        graphics.setSmoothing(true);
        // The first row of labels keeps clear of a depth label standing on the plot's bottom edge.
        const double valuesLeft = TraceValuesLeft(painter.device(), plotRect, columnRect, topDepth, scale, tickLength,
                                                  labelOffset, resources.tickFont);
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
                                      QString::fromStdString(curve.mnemonic), n == 1 ? valuesLeft : columnRect.left());
                for (const auto& [text, x] : {std::pair{&row.lower, row.lowerX}, std::pair{&row.upper, row.upperX},
                                              std::pair{&row.name, row.nameX}})
                    if (!text->text.isEmpty())
                        DrawTextAt(graphics, QPointF(x, labelY), text->text, text->font, labelBrush, centred);

                if (rows <= 0)
                    continue;
                int first, last;
                try {
                    first = IndexAtDepth(file, topDepth - curve.depthOffset) - 2;
                    last = IndexAtDepth(file, plotRect.height() * scale + topDepth - curve.depthOffset) + 2;
                } catch (const ORBAX_Geophysics::LasException&) {
                    continue;
                }
                first = std::clamp(first, 0, rows - 1);
                last = std::clamp(last, 0, rows - 1);
                if (first > last)
                    continue;

                GraphicsState state(graphics);
                graphics.intersectClip(plotRect);
                graphics.setWorldTransform(QTransform::fromTranslate(plotRect.x(), plotRect.y() - topDepth / scale) *
                                           graphics.worldTransform());
                const float width = static_cast<float>(plotRect.width());
                const bool cached = curve.has_points() && curve.points().size() == static_cast<std::size_t>(rows) &&
                                    curve.plotWidth == width && curve.depthScale == scale;
                if (cached) {
                    DrawCurvePolyline(graphics, drawingPen, curve.points().data() + first, last - first + 1);
                } else {
                    const std::vector<PointF> fresh = curve.NewPoints(width, scale);
                    DrawCurvePolyline(graphics, drawingPen, fresh.data() + first, last - first + 1);
                }
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
                   resources.hairlinePen, resources.tickFont, columnRect.left());
    FrameColumn(plotRect, graphics, fine);
}

void CQuorView::RefitTraceCurves()
{
    const double scale = m_settings.scale;
    for (const auto& file : m_traces)
        for (CurveProperty& curve : file->curves()) {
            if (curve.displayField < 0 || curve.displayField > 2)
                continue;
            const float width = static_cast<float>(m_layout.tracePlot[curve.displayField].width());
            // Points already made for this width and scale are the ones a recomputation would give.
            if (curve.has_points() && curve.plotWidth == width && curve.depthScale == scale)
                continue;
            curve.plotWidth = width;
            curve.depthScale = scale;
            curve.ComputePoints();
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
