// Drawing shared by the view, printing and the page layout: depth ticks, column frames, the trace
// columns with their curves and labels; and the view's hover line and picked-boundary handles.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <QFontMetricsF>
#include <QPaintEngine>
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

// What a text measures depends on the device's resolution, not on which device it is.
struct DeviceKind {
    int type = 0;
    int dpiX = 0;
    int dpiY = 0;
    explicit DeviceKind(const QPaintDevice* device)
        : type(device ? device->devType() : 0), dpiX(device ? device->logicalDpiX() : 0),
          dpiY(device ? device->logicalDpiY() : 0)
    {
    }
    bool operator==(const DeviceKind& other) const
    {
        return type == other.type && dpiX == other.dpiX && dpiY == other.dpiY;
    }
};

// Equal as inputs: the same bits, so that two missing values (NaN) match.
bool SameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// The last `Size` layouts made, the oldest replaced first. Room for all is taken at once, so that a
// layout handed out stays where it is while others are kept.
template <typename Layout, std::size_t Size>
class KeptLayouts {
public:
    KeptLayouts() { m_kept.reserve(Size); }
    template <typename Matches>
    Layout* Find(Matches matches)
    {
        for (Layout& layout : m_kept)
            if (matches(layout))
                return &layout;
        return nullptr;
    }
    Layout& Keep(Layout&& layout)
    {
        if (m_kept.size() < Size) {
            m_kept.push_back(std::move(layout));
            return m_kept.back();
        }
        Layout& slot = m_kept[m_next];
        m_next = (m_next + 1) % Size;
        slot = std::move(layout);
        return slot;
    }

private:
    std::vector<Layout> m_kept;
    std::size_t m_next = 0;
};

// A ruler is laid out again for every strip a paint draws and for every paint of an unchanged view,
// and laying it out measures its numbers' texts, which costs more than drawing the ruler: the last few
// layouts are kept, with which numbers were found to fit. A layout is kept by everything it is made
// from: the smallest size and the reach by their values.
struct KeptRuler {
    DeviceKind device{nullptr};
    double x = 0, length = 0, topDepth = 0, origin = 0, scale = 0, tickLength = 0, labelLeft = 0;
    double smallestPoints = 0;
    bool hasReach = false;
    RulerReach reach;
    QPointF labelOffset;
    QFont labelFont;
    RulerLabels labels;
    std::vector<signed char> shown; // per tick: 1 shown, 0 not, -1 not measured yet

    bool Matches(const DeviceKind& kind, double x_, double length_, double topDepth_, double origin_, double scale_,
                 double tickLength_, const QPointF& labelOffset_, const QFont& labelFont_, double labelLeft_,
                 double smallestPoints_, const RulerReach* reach_) const
    {
        return device == kind && x == x_ && length == length_ && topDepth == topDepth_ && origin == origin_ &&
               scale == scale_ && tickLength == tickLength_ && labelLeft == labelLeft_ &&
               smallestPoints == smallestPoints_ && hasReach == (reach_ != nullptr) &&
               (!reach_ || (reach.left == reach_->left && reach.right == reach_->right &&
                            reach.onTicks == reach_->onTicks && reach.below == reach_->below)) &&
               labelOffset == labelOffset_ && labelFont == labelFont_;
    }
    // RulerLabels::Shown, measured once per tick.
    bool Shown(const QPaintDevice* paintDevice, std::size_t tick)
    {
        if (shown[tick] < 0)
            shown[tick] = labels.Shown(paintDevice, labels.ticks[tick]) ? 1 : 0;
        return shown[tick] > 0;
    }
};

KeptRuler& LaidOutRuler(const QPaintDevice* device, double x, double length, double topDepth, double origin,
                        double scale, double tickLength, const QPointF& labelOffset, const QFont& labelFont,
                        double labelLeft, double smallestPoints, const RulerReach* reach)
{
    thread_local KeptLayouts<KeptRuler, 16> kept;
    const DeviceKind kind(device);
    if (KeptRuler* known = kept.Find([&](const KeptRuler& ruler) {
            return ruler.Matches(kind, x, length, topDepth, origin, scale, tickLength, labelOffset, labelFont,
                                 labelLeft, smallestPoints, reach);
        }))
        return *known;
    KeptRuler ruler;
    ruler.device = kind;
    ruler.x = x;
    ruler.length = length;
    ruler.topDepth = topDepth;
    ruler.origin = origin;
    ruler.scale = scale;
    ruler.tickLength = tickLength;
    ruler.labelLeft = labelLeft;
    ruler.smallestPoints = smallestPoints;
    ruler.hasReach = reach != nullptr;
    if (reach)
        ruler.reach = *reach;
    ruler.labelOffset = labelOffset;
    ruler.labelFont = labelFont;
    ruler.labels = LayOutRuler(device, x, length, topDepth, origin, scale, tickLength, labelOffset, labelFont,
                               labelLeft, smallestPoints, reach);
    ruler.shown.assign(ruler.labels.ticks.size(), -1);
    return kept.Keep(std::move(ruler));
}

} // namespace

TraceLabelRow CQuorView::PlacedTraceLabels(const QPaintDevice* device, const QFont& font, const QRectF& plot,
                                           const QRectF& field, double lower, double upper, int decimals,
                                           const QString& mnemonic, double rowLeft, double smallestPoints)
{
    // Each strip of each paint, and each pointer move over the trace columns (for its hit test), asks
    // for the same few rows again: the last placements are kept.
    struct Kept {
        DeviceKind device{nullptr};
        QFont font;
        QRectF plot, field;
        double lower, upper, rowLeft, smallestPoints;
        int decimals;
        QString mnemonic;
        TraceLabelRow row;
    };
    thread_local KeptLayouts<Kept, 64> kept;
    const DeviceKind kind(device);
    if (const Kept* known = kept.Find([&](const Kept& k) {
            return k.device == kind && k.decimals == decimals && SameNumber(k.lower, lower) &&
                   SameNumber(k.upper, upper) && k.rowLeft == rowLeft && k.smallestPoints == smallestPoints &&
                   k.plot == plot && k.field == field && k.mnemonic == mnemonic && k.font == font;
        }))
        return known->row;
    Kept placed{
        kind,
        font,
        plot,
        field,
        lower,
        upper,
        rowLeft,
        smallestPoints,
        decimals,
        mnemonic,
        LayOutTraceLabels(device, font, plot, field, lower, upper, decimals, mnemonic, rowLeft, smallestPoints)};
    return kept.Keep(std::move(placed)).row;
}

void CQuorView::DrawDepthTicks(Graphics& graphics, double x, double top, double bottom, double y0, double tickLength,
                               const QPointF& labelOffset, const QBrush& labelBrush, const QPen& gridPen,
                               double gridLength, double topDepth, double depthOrigin, double scale,
                               const QPen& tickPen, const QFont& labelFont, double labelLeft, double smallestPoints,
                               const RulerReach* reach)
{
    QPainter& painter = graphics.painter();
    KeptRuler& ruler = LaidOutRuler(painter.device(), x, bottom - top, topDepth, depthOrigin, scale, tickLength,
                                    labelOffset, labelFont, labelLeft, smallestPoints, reach);
    const RulerLabels& labels = ruler.labels;
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
    for (std::size_t t = 0; t < labels.ticks.size(); ++t) {
        const DepthTick& tick = labels.ticks[t];
        if (tick.labelled && reaches(tick.y, labelReach) && ruler.Shown(painter.device(), t))
            DrawTextAt(graphics, labels.Anchor(tick), labels.Text(tick), labels.Font(tick), labelBrush,
                       labels.Alignment(tick));
    }
}

double CQuorView::TraceValuesLeft(const QPaintDevice* device, const QRectF& plotRect, const QRectF& columnRect,
                                  double topDepth, double scale, double tickLength, const QPointF& labelOffset,
                                  const QFont& tickFont, double smallestPoints, const RulerReach* reach)
{
    // On paper the rows move down below the number instead (see `TraceRowsDrop`).
    if (smallestPoints > 0)
        return columnRect.left();
    KeptRuler& ruler = LaidOutRuler(device, plotRect.left(), plotRect.height(), topDepth, 0, scale, tickLength,
                                    labelOffset, tickFont, columnRect.left(), smallestPoints, reach);
    const RulerLabels& labels = ruler.labels;
    // Only the lowest label can reach below the plot, and not when it stands on its tick or outside the
    // field.
    if (labels.onTicks || labels.reached)
        return columnRect.left();
    for (std::size_t t = labels.ticks.size(); t-- > 0;) {
        const DepthTick* tick = &labels.ticks[t];
        if (!tick->labelled || !ruler.Shown(device, t))
            continue;
        if (plotRect.top() + labels.Box(device, *tick).bottom() - topDepth / scale > plotRect.bottom())
            return plotRect.left() + labels.right;
        break;
    }
    return columnRect.left();
}

double CQuorView::TraceRowsDrop(const QPaintDevice* device, const QRectF& plotRect, const QRectF& columnRect,
                                double topDepth, double scale, double tickLength, const QPointF& labelOffset,
                                const QFont& tickFont, double smallestPoints, const RulerReach* reach)
{
    if (!(smallestPoints > 0))
        return 0;
    KeptRuler& ruler = LaidOutRuler(device, plotRect.left(), plotRect.height(), topDepth, 0, scale, tickLength,
                                    labelOffset, tickFont, columnRect.left(), smallestPoints, reach);
    for (std::size_t t = ruler.labels.ticks.size(); t-- > 0;)
        if (ruler.labels.ticks[t].labelled && ruler.Shown(device, t))
            return std::max(0.0, plotRect.top() + ruler.labels.Box(device, ruler.labels.ticks[t]).bottom() -
                                     topDepth / scale - plotRect.bottom());
    return 0;
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
    const QTransform toDevice = graphics.worldToDevice();
    const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    const bool hairline = pen.isCosmetic() && pen.widthF() <= 1;
    if (!raster || !hairline || toDevice.type() > QTransform::TxScale || !(toDevice.m22() > 0)) {
        int from = 0;
        for (int end : polylines.ends) {
            painter.drawPolyline(polylines.points.data() + from, end - from);
            from = end;
        }
        return;
    }
    // On the screen a curve has up to four points on a device row where that row holds many samples:
    // the first, lowest, highest and last. A hairline is a pixel wide, so the lines between them ink
    // the row from the lowest to the highest point, over and over: most of the cost of a paint. Such a
    // row is filled from its lowest to its highest point instead, each line to the next such row
    // shared between the two rows at its middle, as the line would cross over; rows of one or two
    // points are drawn as lines, as are the lines that join them to the rest. Each row is drawn from
    // its own points and its neighbours', so that a strip painted alone draws what a whole paint
    // draws there.
    const double rowScale = toDevice.m22();
    const double rowOffset = toDevice.dy();
    auto rowOf = [&](const QPointF& p) { return std::floor(p.y() * rowScale + rowOffset); };
    auto deviceX = [&](const QPointF& p) { return p.x() * toDevice.m11() + toDevice.dx(); };
    const std::vector<QPointF>& points = polylines.points;
    thread_local std::vector<QPointF> line;
    thread_local std::vector<QRect> spans;
    spans.clear();
    struct Group {
        int first, end; // points [first, end)
        double row;
    };
    thread_local std::vector<Group> groups;
    int from = 0;
    for (int end : polylines.ends) {
        groups.clear();
        for (int i = from; i < end;) {
            const double row = rowOf(points[static_cast<std::size_t>(i)]);
            int j = i + 1;
            while (j < end && rowOf(points[static_cast<std::size_t>(j)]) == row)
                ++j;
            groups.push_back({i, j, row});
            i = j;
        }
        from = end;
        auto dense = [&](std::size_t g) { return groups[g].end - groups[g].first > 2; };
        line.clear();
        auto flushLine = [&] {
            if (line.size() >= 2)
                painter.drawPolyline(line.data(), static_cast<int>(line.size()));
            line.clear();
        };
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const Group& group = groups[g];
            if (!dense(g)) {
                if (line.empty() && g > 0)
                    line.push_back(points[static_cast<std::size_t>(groups[g - 1].end - 1)]);
                line.insert(line.end(), points.begin() + group.first, points.begin() + group.end);
                if (g + 1 < groups.size() && dense(g + 1)) {
                    line.push_back(points[static_cast<std::size_t>(groups[g + 1].first)]);
                    flushLine();
                }
                continue;
            }
            flushLine();
            double low = deviceX(points[static_cast<std::size_t>(group.first)]);
            double high = low;
            for (int k = group.first + 1; k < group.end; ++k) {
                const double x = deviceX(points[static_cast<std::size_t>(k)]);
                low = std::min(low, x);
                high = std::max(high, x);
            }
            // The lines to the dense rows next to it: half on each row.
            if (g > 0 && dense(g - 1)) {
                const double middle = (deviceX(points[static_cast<std::size_t>(groups[g - 1].end - 1)]) +
                                       deviceX(points[static_cast<std::size_t>(group.first)])) /
                                      2;
                low = std::min(low, middle);
                high = std::max(high, middle);
            }
            if (g + 1 < groups.size() && dense(g + 1)) {
                const double middle = (deviceX(points[static_cast<std::size_t>(group.end - 1)]) +
                                       deviceX(points[static_cast<std::size_t>(groups[g + 1].first)])) /
                                      2;
                low = std::min(low, middle);
                high = std::max(high, middle);
            }
            // Far outside any device, a value off the plot's range stays a number of pixels.
            const int left = static_cast<int>(std::floor(std::clamp(low, -1.0e6, 1.0e6)));
            const int right = static_cast<int>(std::floor(std::clamp(high, -1.0e6, 1.0e6)));
            spans.push_back(QRect(left, static_cast<int>(group.row), right - left + 1, 1));
        }
        flushLine();
    }
    if (!spans.empty()) {
        painter.save();
        painter.resetTransform();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pen.color());
        painter.drawRects(spans.data(), static_cast<int>(spans.size()));
        painter.restore();
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
        // The labels under the plot are placed and drawn only where this paint reaches them: a scroll
        // step or a pointer move paints strips of the plot alone. The clip holds the column at most
        // (a printed page has no clip of its own), so a label left out here is one the paint could not
        // show.
        const QRectF labelClip = painter.hasClipping() ? painter.clipBoundingRect() : columnRect;
        auto labelsReached = [&](double y, const QFont& font) {
            const double fontMm = font.pointSizeF() > 0 ? font.pointSizeF() * 25.4 / 72 : 5.0;
            const double reach = lineHeight + 3 * fontMm;
            return y >= labelClip.top() - reach && y <= labelClip.bottom() + reach;
        };
        // On paper the rows stand below the ruler's last number where it reaches below the plot.
        const double rowsDrop =
            TraceRowsDrop(painter.device(), plotRect, columnRect, topDepth, scale, tickLength, labelOffset,
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
                const double labelY = plotRect.bottom() + rowsDrop + (n - 0.5) * lineHeight;
                const double lower = curve.ownRange ? curve.minimum() : curve.rangeMinimum;
                const double upper = curve.ownRange ? curve.maximum() : curve.rangeMaximum;
                const int centred = Qt::AlignHCenter | Qt::AlignVCenter;
                if (labelsReached(labelY, font)) {
                    // Whole inside the column and apart from each other (a printed field has little room).
                    // The first row keeps clear of a depth label standing on the plot's bottom edge.
                    const double rowLeft = n == 1 ? TraceValuesLeft(painter.device(), plotRect, columnRect, topDepth,
                                                                    scale, tickLength, labelOffset, resources.tickFont,
                                                                    resources.smallestTextPoints, numbersReach)
                                                  : columnRect.left();
                    const TraceLabelRow row = PlacedTraceLabels(
                        painter.device(), font, plotRect, columnRect, lower, upper, traceRangePrecision,
                        QString::fromStdString(curve.mnemonic), rowLeft, resources.smallestTextPoints);
                    for (const auto& [text, x] : {std::pair{&row.lower, row.lowerX}, std::pair{&row.upper, row.upperX},
                                                  std::pair{&row.name, row.nameX}})
                        if (!text->text.isEmpty())
                            DrawTextAt(graphics, QPointF(x, labelY), text->text, text->font, labelBrush, centred);
                }

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
