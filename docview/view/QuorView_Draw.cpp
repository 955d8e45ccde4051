// Painting the view: the two borehole panes with their hatched units, labels, ticks and names, the
// footers with the displayed and the cursor depths, and the pictures recorded for the clipboard.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_map>

#include <QBuffer>
#include <QCursor>
#include <QFontMetricsF>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QSvgGenerator>
#include <QTextLayout>

#include "config/HatchList.h"
#include "config/InbuiltPattern.h"
#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "dialogs/ApplicationServices.h"
#include "docview/clipboard/ClipboardTransfer.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "docview/view/geometry/FittedText.h"
#include "platform/qt/Graphics.h"
#include "platform/services/Services.h"

using ORBAX_Platform::Graphics;
using ORBAX_Platform::GraphicsState;
using namespace ViewGeometry;

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

struct QueuedElement {
    QRectF rect;
    const HatchListEntry* entry;
};

// A line of text laid out as QPainter::drawText lays out a single line at a point: laying out takes
// more than drawing, and the same depth labels, names and range values are drawn at every paint.
struct LaidOutText {
    QString text;
    QFont font; // the painter's font, made for its device
    int deviceType = 0;
    int dpiX = 0;
    int dpiY = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    std::unique_ptr<QTextLayout> layout;
    double width = 0;  // the natural width, by which drawText aligns the text's box
    double height = 0; // the line's ascent and descent
};

const LaidOutText& LaidOut(const QPainter& painter, const QString& text)
{
    constexpr std::size_t kKept = 1024;
    thread_local std::unordered_multimap<QString, LaidOutText> kept;
    const QPaintDevice* device = painter.device();
    const QFont& font = painter.font();
    const int type = device->devType();
    const int dpiX = device->logicalDpiX();
    const int dpiY = device->logicalDpiY();
    const Qt::LayoutDirection direction = painter.layoutDirection();
    auto [first, last] = kept.equal_range(text);
    for (auto it = first; it != last; ++it) {
        const LaidOutText& known = it->second;
        if (known.deviceType == type && known.dpiX == dpiX && known.dpiY == dpiY && known.direction == direction &&
            known.font == font)
            return known;
    }
    if (kept.size() >= kKept)
        kept.clear();
    LaidOutText made;
    made.text = text;
    made.font = font;
    made.deviceType = type;
    made.dpiX = dpiX;
    made.dpiY = dpiY;
    made.direction = direction;
    made.layout = std::make_unique<QTextLayout>(text, font);
    made.layout->setCacheEnabled(true);
    QTextOption option;
    option.setTextDirection(direction);
    option.setAlignment(Qt::AlignLeft);
    option.setFlags(option.flags() | QTextOption::IncludeTrailingSpaces);
    made.layout->setTextOption(option);
    made.layout->beginLayout();
    QTextLine line = made.layout->createLine();
    if (line.isValid()) {
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
    }
    made.layout->endLayout();
    if (line.isValid()) {
        made.width = line.naturalTextWidth();
        made.height = line.ascent() + line.descent();
    }
    return kept.emplace(text, std::move(made))->second;
}

// What QPainter::drawText(QRectF(point, QSizeF()), alignment | Qt::TextDontClip, text) draws, from a
// layout made once.
void DrawLaidOutText(QPainter& painter, const QPointF& point, const QString& text, int alignment)
{
    if (text.isEmpty() || painter.pen().style() == Qt::NoPen)
        return;
    const LaidOutText& laidOut = LaidOut(painter, text);
    if (laidOut.layout->lineCount() != 1) {
        painter.drawText(QRectF(point, QSizeF(0, 0)), alignment | Qt::TextDontClip, text);
        return;
    }
    const QTextLine line = laidOut.layout->lineAt(0);
    const Qt::Alignment visual = QStyle::visualAlignment(laidOut.direction, Qt::Alignment(alignment));
    double x = 0;
    if (visual & Qt::AlignRight)
        x = -line.horizontalAdvance();
    else if (visual & Qt::AlignHCenter)
        x = -line.horizontalAdvance() / 2;
    double y = 0;
    if (visual & Qt::AlignBottom)
        y = -laidOut.height;
    else if (visual & Qt::AlignVCenter)
        y = -laidOut.height / 2;
    line.draw(&painter, QPointF(point.x() + x, point.y() + y));
}

} // namespace

void CQuorView::DrawTextAt(Graphics& graphics, const QPointF& point, const QString& text, const QFont& font,
                           const QBrush& brush, int alignment)
{
    QPainter& painter = graphics.painter();
    QFont pageFont = graphics.deviceFont(font);
    const QTransform transform = painter.worldTransform();
    if (transform.type() > QTransform::TxScale || !(transform.m22() > 0) || !(transform.m11() > 0)) {
        painter.setFont(pageFont);
        painter.setPen(QPen(brush.color()));
        painter.drawText(QRectF(point, QSizeF(0, 0)), alignment | Qt::TextDontClip, text);
        return;
    }
    // A text too far above or below what is painted to reach it is not laid out at all: the ruler and
    // the trace labels are drawn for every strip the hover line repaints.
    const QPointF anchor = transform.map(point);
    if (painter.hasClipping() && pageFont.pointSizeF() > 0) {
        const QRectF clip = transform.mapRect(painter.clipBoundingRect());
        const double reach = 3 * pageFont.pointSizeF() * transform.m22() * painter.device()->logicalDpiY() / 72.0 + 2;
        if (anchor.y() < clip.top() - reach || anchor.y() > clip.bottom() + reach)
            return;
    }
    // A font shrunk to the page scale is laid out with its metrics rounded at that small size, which
    // makes the text wider and taller than measured: lay it out on the device at its true size.
    QFont deviceFont(pageFont);
    if (pageFont.pointSizeF() > 0)
        deviceFont.setPointSizeF(pageFont.pointSizeF() * transform.m22());
    else if (pageFont.pixelSize() > 0)
        deviceFont.setPixelSize(std::max(1, static_cast<int>(std::lround(pageFont.pixelSize() * transform.m22()))));
    painter.save();
    painter.resetTransform();
    painter.setFont(deviceFont);
    painter.setPen(QPen(brush.color()));
    DrawLaidOutText(painter, anchor, text, alignment);
    painter.restore();
}

void CQuorView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    try {
        // Strips apart (the hover line moving, the cursor depths in the footers, the ends of a scrolled
        // pane) are drawn each alone: drawing what lies between them would cost a whole paint.
        const QRegion& region = event->region();
        if (region.rectCount() <= 48) {
            for (const QRect& rect : region) {
                painter.save();
                painter.setClipRect(rect);
                OnDraw(painter, DeviceToPage(QRectF(rect)), true);
                painter.restore();
            }
        } else {
            painter.setClipRegion(region);
            OnDraw(painter, DeviceToPage(QRectF(event->rect())), true);
        }
    } catch (...) {
        // A paint that fails leaves what it drew; no exception may reach the event loop.
    }
}

void CQuorView::OnDraw(QPainter& painter, const QRectF& clip, bool forScreen)
{
    Graphics graphics(painter);
    const DrawingResources& resources = *m_screenResources;
    graphics.fillRect(clip, m_backgroundColour);
    const double scale = m_settings.scale;
    const double leftTop = GetPaneTopDepth(0);
    const double rightTop = GetPaneTopDepth(1);

    if (RectsIntersect(clip, m_layout.leftFooter) || RectsIntersect(clip, m_layout.rightFooter)) {
        QPoint cursor = mapFromGlobal(QCursor::pos());
        DrawFooters(graphics, forScreen && underMouse() ? &cursor : nullptr);
    }
    static const UnitRangeList noSelection;
    for (int pane = 0; pane < 2; ++pane) {
        const ORBAX_Logging::Borehole* hole = borehole(pane);
        if (!hole || !RectsIntersect(clip, m_layout.pane(pane)))
            continue;
        const bool active = m_activePane == pane;
        DrawBorehole(clip, m_layout.column(pane), m_layout.pane(pane), m_layout.lineHeight, active,
                     pane == 0 ? leftTop : rightTop, scale, m_layout.tickOrigin, m_layout.tickIndent, resources,
                     active ? m_selection : noSelection, m_settings.showSampleNumbers, true, false, *hole, graphics);
    }
    const QPen gridPen = MakeDrawingPen(0xFF808080u, 0.1);
    for (int k = 0; k < 3; ++k) {
        if (!RectsIntersect(clip, m_layout.traceColumn[k]))
            continue;
        DrawTraceColumn(graphics, m_layout.tracePlot[k], m_layout.traceColumn[k], scale, k, m_selectedTraceFile,
                        m_selectedCurve, m_settings.traceRangePrecision, m_layout.lineHeight, rightTop,
                        m_layout.tickOrigin, QPointF(m_layout.tickIndent, m_layout.tickTextOffset), resources, gridPen,
                        m_blackHairlinePen, m_lightGreyPen, false, m_traces, m_traceColours);
    }
    if (!forScreen)
        return;
    if (MouseModes::ShowsPickHandles(m_editMode))
        DrawPickedBoundary(m_dragPane, m_dragUnit, graphics);
    painter.resetTransform();
    if (m_hoverRow != -1)
        drawHoverLine(painter, m_hoverRow);
    if (m_bandShown) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_bandStart, m_bandEnd).normalized());
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void CQuorView::DrawBorehole(const QRectF& clipBounds, const QRectF& column, const QRectF& paneRect, double lineHeight,
                             bool isActive, double topDepth, double scale, double tickOrigin, int tickIndent,
                             const DrawingResources& resources, const UnitRangeList& selection, bool showSampleNumbers,
                             bool drawName, bool forPicture, const ORBAX_Logging::Borehole& borehole,
                             Graphics& graphics, const RulerReach* reach, bool drawLabels, double pageColumnDepth) const
{
    if (!IsUsableScale(scale))
        return;
    QPainter& painter = graphics.painter();
    const int count = borehole.unitCount();

    // The part of the column to draw: what is to be painted, a line height more above and below.
    const double bandTop = std::max(column.top(), clipBounds.top() - lineHeight);
    const double bandBottom = std::min(column.bottom(), clipBounds.bottom() + lineHeight);
    const double depthTop = topDepth + (bandTop - column.top()) * scale;
    const double depthBottom = topDepth + (bandBottom - column.top()) * scale;

    GraphicsState paneState(graphics);
    graphics.intersectClip(paneRect);

    // The end-of-hole and start-of-hole texts: set smaller to fit the column, or where even the smallest
    // size does not, reaching over its sides as the other labels do (drawn once the column's clip is gone).
    struct EndText {
        QPointF at;
        FittedText text;
        int alignment;
    };
    std::vector<EndText> reaching;
    // The end of the hole's mark, drawn once the column's clip is gone too: on paper the hole may end at
    // the foot of a page-column, and the mark stands below it there (the page gives it the room).
    double endMark = std::numeric_limits<double>::quiet_NaN(); // its base's y
    if (RectsIntersect(column, clipBounds) && bandBottom > bandTop) {
        if (count == 0) {
            painter.fillRect(column, resources.whiteBrush);
        } else {
            GraphicsState state(graphics);
            // World x from the column's left edge, world y the depth over the scale.
            const double origin = topDepth / scale;
            graphics.setWorldTransform(QTransform::fromTranslate(column.x(), column.top() - origin) *
                                       graphics.worldTransform());
            const double width = column.width();
            graphics.intersectClip(QRectF(0, origin, width, column.height()));
            graphics.setSmoothing(true);
            const QPen blackPen = DevicePen(MakeDrawingPen(kBlack, 0.2), graphics.worldToDevice());
            const QRectF reference(0, depthTop / scale, width, (depthBottom - depthTop) / scale);
            const HatchList* list =
                m_tables ? ::GetHatchList(m_tables->hatchLists, m_tables->currentHatchListId) : nullptr;

            std::vector<QueuedElement> queued;
            for (int i = FirstUnitWithBaseAtOrBelow(borehole, depthTop); i < count; ++i) {
                const ORBAX_Logging::Interval& unit = borehole[static_cast<std::size_t>(i)];
                const QRectF row = UnitRowRect(width, scale, i, borehole);
                if (row.bottom() >= reference.top() && row.top() <= reference.bottom()) {
                    for (int e = 0; e < static_cast<int>(unit.elements.size()); ++e) {
                        const HatchListEntry* entry =
                            list ? HatchList::FindRockType(*list,
                                                           unit.elements[static_cast<std::size_t>(e)].rockType.str())
                                 : nullptr;
                        queued.push_back({ElementRect(i, e, width, scale, borehole), entry});
                    }
                }
                if (unit.bottom > depthBottom)
                    break;
            }
            for (const QueuedElement& element : queued) {
                if (element.entry && m_tables)
                    HatchListEntry::Draw(m_tables->bitmaps, m_tables->inbuilts, *element.entry, graphics, element.rect,
                                         reference, m_tables->vectors, forPicture);
                else
                    DrawNoRecordPattern(graphics, element.rect, reference, forPicture);
                const bool smooth = graphics.smoothing();
                graphics.setSmoothing(forPicture);
                painter.setPen(resources.unitOutlinePen);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(element.rect);
                graphics.setSmoothing(smooth);
            }

            const double x0 = width / 2;
            // The end of hole shows when the last base lies in the column (at or below its top; at its foot
            // too, which the column's millimetres, summed, may miss by a rounding). Its mark and text reach
            // below the base, into parts of the column that may be drawn alone.
            const double lastBase = borehole[static_cast<std::size_t>(count - 1)].bottom;
            const double endReach = (2 + 2 * lineHeight) * scale;
            const double rounding = 1e-6 * scale;
            if (lastBase >= topDepth && lastBase <= depthBottom + rounding && lastBase + endReach >= depthTop) {
                const double b = lastBase / scale;
                const double below = reference.bottom() + lineHeight;
                if (below > b)
                    painter.fillRect(QRectF(0, b, width, below - b), resources.whiteBrush);
                // An end at a page-column's top is the foot of the page-column above, which draws it; one
                // below the depths it prints (in the part of a millimetre its body may show more) is the
                // next one's, as the pagination gives it room.
                const bool onThisPageColumn =
                    !(pageColumnDepth > 0) || ((topDepth <= rounding || lastBase > topDepth + rounding) &&
                                               lastBase <= topDepth + pageColumnDepth + rounding);
                if (onThisPageColumn)
                    endMark = column.top() - origin + b;
            }
            if (depthTop < 0) {
                auto endText = [&](const QString& text, double y, int alignment) {
                    FittedText fitted = FitText(painter.device(), resources.tickFont, text, width - 2 * LineTextGap,
                                                false, resources.smallestTextPoints);
                    if (!fitted.text.isEmpty()) {
                        DrawTextAt(graphics, QPointF(x0, y), fitted.text, fitted.font, resources.blackBrush, alignment);
                        return;
                    }
                    fitted.text = text;
                    reaching.push_back({QPointF(column.x() + x0, column.top() - origin + y), fitted, alignment});
                };
                // Start of hole at depth 0 when the display begins above it.
                const double above = reference.top() - lineHeight;
                if (above < 0)
                    painter.fillRect(QRectF(0, above, width, -above), resources.whiteBrush);
                painter.setPen(blackPen);
                painter.setBrush(Qt::NoBrush);
                painter.drawLine(QPointF(0, 0), QPointF(width, 0));
                const QPointF points[3] = {QPointF(x0, 0), QPointF(x0 - 1, -1), QPointF(x0 + 1, -1)};
                painter.drawPolygon(points, 3);
                painter.drawLine(QPointF(x0, 0), QPointF(x0, -2));
                endText(QStringLiteral("SOH"), -2, Qt::AlignHCenter | Qt::AlignBottom);
            }
        }
        if (isActive && count > 0 && !selection.empty()) {
            // One outline per run of selected units, drawn inside the column.
            GraphicsState state(graphics);
            graphics.intersectClip(column);
            graphics.setSmoothing(true);
            const double inset = resources.selectionPen.widthF() / 2;
            painter.setPen(resources.selectionPen);
            painter.setBrush(Qt::NoBrush);
            for (const UnitRange& range : selection) {
                const int first = std::max(0, range.first);
                const int lastUnit = std::min(count - 1, range.last);
                if (first > lastUnit)
                    continue;
                const double top = first == 0 ? 0.0 : borehole[static_cast<std::size_t>(first - 1)].bottom;
                const double base = borehole[static_cast<std::size_t>(lastUnit)].bottom;
                QRectF outline(column.x(), column.top() + (top - topDepth) / scale, column.width(),
                               (base - top) / scale);
                painter.drawRect(outline.adjusted(inset, inset, -inset, -inset));
            }
        }
    }

    // The pane around the column.
    {
        const QRectF& c = column;
        const QRectF& p = paneRect;
        painter.fillRect(QRectF(QPointF(p.left(), p.top()), QPointF(p.right(), c.top())), resources.whiteBrush);
        painter.fillRect(QRectF(QPointF(p.left(), c.bottom()), QPointF(p.right(), p.bottom())), resources.whiteBrush);
        painter.fillRect(QRectF(QPointF(p.left(), c.top()), QPointF(c.left(), c.bottom())), resources.whiteBrush);
        painter.fillRect(QRectF(QPointF(c.right(), c.top()), QPointF(p.right(), c.bottom())), resources.whiteBrush);
    }
    FrameColumn(column, graphics, forPicture);
    if (std::isfinite(endMark)) {
        // Its triangle and stem below the base, and "EOH" under them, as large as the column holds it.
        GraphicsState state(graphics);
        graphics.setSmoothing(true);
        const double x0 = column.center().x();
        const double b = endMark;
        const QPointF points[3] = {QPointF(x0, b), QPointF(x0 - 1, b + 1), QPointF(x0 + 1, b + 1)};
        painter.setPen(DevicePen(MakeDrawingPen(kBlack, 0.2), graphics.worldToDevice()));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(points, 3);
        painter.drawLine(QPointF(x0, b), QPointF(x0, b + EndMarkStem));
        // The word as large as the column's width holds it and, on paper, the room the field leaves
        // below (a legend below the log may stand near); where even the smallest size does not fit,
        // at that size, reaching over the column's sides.
        const QPaintDevice* device = painter.device();
        const QString word = QStringLiteral("EOH");
        const double width = column.width() - 2 * LineTextGap;
        const double height = reach ? column.bottom() + reach->below - PrintLineGap - (b + EndMarkStem) : HUGE_VAL;
        auto share = [&](const QFont& f) {
            const double high = QFontMetricsF(f, device).height() * 25.4 / device->logicalDpiY();
            return std::max(TextWidth(device, f, word) / width, high / height);
        };
        FittedText text{word, resources.tickFont, 0};
        if (!(width > 0) || !(height > 0) ||
            !FittingFont(resources.tickFont, 1.0 + 1e-9, share, text.font,
                         SmallestFactor(resources.tickFont, resources.smallestTextPoints)))
            text.font =
                ScaledFont(resources.tickFont, SmallestFactor(resources.tickFont, resources.smallestTextPoints));
        reaching.push_back({QPointF(x0, b + EndMarkStem), text, Qt::AlignHCenter | Qt::AlignTop});
    }
    for (const EndText& end : reaching)
        DrawTextAt(graphics, end.at, end.text.text, end.text.font, resources.blackBrush, end.alignment);

    const QRectF textArea(column.right(), paneRect.top(), std::max(0.0, paneRect.right() - column.right()),
                          paneRect.height());
    if (drawLabels && count > 0 && RectsIntersect(textArea, clipBounds)) {
        const auto labels = DrawUnitLabels(borehole, column, showSampleNumbers, resources.tickFont, topDepth, scale,
                                           resources.tickFontItalic, resources.smallestTextPoints);
        DrawLabels(graphics, column, labels, resources, isActive, selection, paneRect.right());
    }
    DrawDepthTicks(graphics, column.left(), column.top(), column.bottom(), topDepth / scale, tickOrigin,
                   QPointF(tickIndent, m_layout.tickTextOffset), resources.blackBrush, QPen(Qt::NoPen), 0, topDepth, 0,
                   scale, resources.hairlinePen, resources.tickFont, paneRect.left(), resources.smallestTextPoints,
                   reach);
    if (drawName && clipBounds.top() < column.top() - lineHeight / 2 &&
        clipBounds.bottom() > column.top() - 2.5 * lineHeight) {
        // Centred over the column; moved sideways to stay inside the pane (a printed field is much
        // narrower than the screen's pane), set smaller and then shortened when wider than the pane.
        const PlacedName name = PlaceColumnName(painter.device(), resources.generalFont,
                                                QString::fromStdWString(borehole.name), column, paneRect);
        if (!name.text.text.isEmpty())
            DrawTextAt(graphics, QPointF(name.left, column.top() - 2 * lineHeight), name.text.text, name.text.font,
                       isActive ? resources.selectionBrush : resources.blackBrush, Qt::AlignLeft | Qt::AlignTop);
    }
}

std::vector<UnitLabel> CQuorView::DrawUnitLabels(const ORBAX_Logging::Borehole& borehole, const QRectF& column,
                                                 bool showSampleNumbers, const QFont& regularFont, double topDepth,
                                                 double scale, const QFont& italicFont, double smallestPoints) const
{
    const QString test = QStringLiteral("TESTLABEL");
    return CollectUnitLabels(borehole, column, showSampleNumbers, topDepth, scale,
                             MeasureText(test, regularFont).height(), MeasureText(test, italicFont).height(),
                             SmallestFactor(regularFont, smallestPoints));
}

void CQuorView::DrawLabels(Graphics& graphics, const QRectF& column, const std::vector<UnitLabel>& labels,
                           const DrawingResources& resources, bool isActive, const UnitRangeList& selection,
                           double textRight, const LabelRoom* room) const
{
    QPainter& painter = graphics.painter();
    const QPaintDevice* device = painter.device();
    const double x = column.right();
    const double regularHalf = MeasureText(QStringLiteral("TESTLABEL"), resources.tickFont).height() / 2;
    const double italicHalf = MeasureText(QStringLiteral("TESTLABEL"), resources.tickFontItalic).height() / 2;
    // Labels wholly above or below what is painted are skipped.
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
    const double reach = 2 * std::max(regularHalf, italicHalf) + 1;
    // On paper short of room the lines are drawn shorter and the texts follow them.
    const double s = room ? room->lineScale : 1.0;
    const double textX = x + LabelTextIndent * s;

    // Texts start right of the lines and stay whole inside the pane or, on paper, the room beyond it
    // (see `FitLabelTexts`).
    std::vector<bool> painted(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        painted[i] = clip.isNull() || (std::max(labels[i].y, labels[i].labelY) >= clip.top() - reach &&
                                       std::min(labels[i].y, labels[i].labelY) <= clip.bottom() + reach);
    // A bracket is drawn with a text of its own, which is fitted even where it is not painted.
    std::vector<bool> fitted = painted;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (painted[i])
            for (int text : {labels[i].above, labels[i].below})
                if (text >= 0 && static_cast<std::size_t>(text) < labels.size())
                    fitted[static_cast<std::size_t>(text)] = true;
    const std::vector<LabelText> texts =
        FitLabelTexts(device, labels, fitted, resources.tickFont, resources.tickFontItalic, regularHalf, italicHalf,
                      textX, textRight, resources.smallestTextPoints, room);
    const std::vector<double> tails = FollowedTails(labels, texts, regularHalf, italicHalf);
    auto drawn = [&](int text) {
        return text >= 0 && static_cast<std::size_t>(text) < texts.size() &&
               !texts[static_cast<std::size_t>(text)].fitted.text.isEmpty();
    };
    auto drawText = [&](const LabelText& text) {
        if (!text.fitted.text.isEmpty())
            DrawTextAt(graphics, QPointF(textX, text.y - text.half), text.fitted.text, text.fitted.font,
                       resources.blackBrush, Qt::AlignLeft | Qt::AlignTop);
    };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const UnitLabel& label = labels[i];
        const double y = label.y;
        const double ly = tails[i];
        if (!painted[i])
            continue;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(resources.unitOutlinePen);
        switch (label.kind) {
        case UnitLabel::SampleText:
        case UnitLabel::PlyText: drawText(texts[i]); break;
        case UnitLabel::SampleBracket: {
            if (!drawn(label.above) && !drawn(label.below))
                break;
            // A sample number may stand some way from its sample: the leaders slant over most of the
            // room before the texts, so that close ones stay apart enough to be followed.
            const QPointF points[4] = {QPointF(x, y), QPointF(x + SampleLeaderStart * s, y),
                                       QPointF(x + SampleLeaderEnd * s, ly), QPointF(x + SampleBracketLength * s, ly)};
            painter.drawPolyline(points, 4);
            break;
        }
        case UnitLabel::PlyBracket: {
            if (!drawn(label.above) && !drawn(label.below))
                break;
            const QPointF points[4] = {QPointF(x, y), QPointF(x + 2 * s, y), QPointF(x + 3 * s, ly),
                                       QPointF(x + LabelTextIndent * s, ly)};
            painter.drawPolyline(points, 4);
            break;
        }
        case UnitLabel::SeamEnds:
        case UnitLabel::SeamBegins: {
            // The line runs to where the text stands; without its text it only marks the seam's end.
            const double ty = texts[i].fitted.text.isEmpty() ? y : texts[i].y;
            const QPointF points[4] = {QPointF(x, y), QPointF(x + s, y), QPointF(x + 2 * s, ty),
                                       QPointF(x + 3 * s, ty)};
            painter.drawPolyline(points, 4);
            drawText(texts[i]);
            break;
        }
        case UnitLabel::ZeroThickness: {
            const QPointF points[3] = {QPointF(x, y), QPointF(x + 1, y - 1), QPointF(x + 1, y + 1)};
            QPen red = resources.unitOutlinePen;
            red.setColor(ORBAX_Platform::ColourFromArgb(0xFFFF0000u));
            painter.setPen(red);
            if (isActive && selection.contains(label.unit))
                painter.setBrush(resources.selectionBrush);
            painter.drawPolygon(points, 3);
            break;
        }
        default: break;
        }
    }
}

QRectF CQuorView::CursorDepthBox(int pane) const
{
    const QRectF& footer = m_layout.footer(pane);
    const QSizeF size = MeasureText(QStringLiteral("01234567890MM"), m_screenResources->generalFont);
    return QRectF(QPointF(footer.x() + m_layout.tickIndent + m_layout.depthTextWidth,
                          footer.bottom() - 2.5 * m_layout.lineHeight),
                  size);
}

void CQuorView::DrawFooters(Graphics& graphics, const QPoint* cursor) const
{
    const DrawingResources& resources = *m_screenResources;
    // The cursor depth changes as the pointer moves: the texts beside it are drawn only when what is
    // painted reaches them.
    QPainter& painter = graphics.painter();
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
    auto reaches = [&clip](const QRectF& rect) { return clip.isNull() || RectsIntersect(clip, rect); };
    const double h = m_layout.lineHeight;
    for (int pane = 0; pane < 2; ++pane) {
        const QRectF& footer = m_layout.footer(pane);
        GraphicsState state(graphics);
        graphics.intersectClip(footer);
        const double x = footer.x() + m_layout.tickIndent;
        if (reaches(QRectF(footer.x(), footer.bottom() - 1.5 * h, footer.width(), 1.5 * h))) {
            const std::wstring top = ORBAX_Utilities::format_message(
                pane == 0 ? 148 : 150, {FixedText(GetPaneTopDepth(pane), m_settings.displayPrecision)});
            DrawTextAt(graphics, QPointF(x, footer.bottom() - h), QString::fromStdWString(top), resources.generalFont,
                       resources.blackBrush, Qt::AlignLeft | Qt::AlignTop);
        }
        if (reaches(QRectF(footer.x(), footer.bottom() - 3 * h, m_layout.tickIndent + m_layout.depthTextWidth, 2 * h)))
            DrawTextAt(graphics, QPointF(x, footer.bottom() - 2.5 * h),
                       QString::fromStdWString(ORBAX_Utilities::get_message_wide(151)), resources.generalFont,
                       resources.blackBrush, Qt::AlignLeft | Qt::AlignTop);
    }
    DrawCursorDepth(graphics, cursor);
}

void CQuorView::DrawCursorDepth(Graphics& graphics, const QPoint* cursor) const
{
    for (int pane = 0; pane < 2; ++pane) {
        const QRectF box = CursorDepthBox(pane);
        graphics.painter().fillRect(box, m_backgroundBrush);
        if (!cursor)
            continue;
        const QPointF p = DeviceToPage(QPointF(*cursor));
        const QRectF& column = m_layout.column(pane);
        if (p.x() < column.left() || p.x() >= column.right() || p.y() < column.top() || p.y() > column.bottom())
            continue;
        const double depth = SnapDepth(DeviceYToDepth(pane, cursor->y() - m_dragOffset));
        DrawTextAt(graphics, box.topLeft(), QString::fromStdWString(FixedText(depth, m_settings.displayPrecision)),
                   m_screenResources->generalFont, m_screenResources->blackBrush, Qt::AlignLeft | Qt::AlignTop);
    }
}

void CQuorView::InvalidateCursorDepth()
{
    InvalidatePageRect(CursorDepthBox(0));
    InvalidatePageRect(CursorDepthBox(1));
}

// ---------------------------------------------------------------------------------------------------
// Pictures

CQuorView::Picture CQuorView::recordPicture(const QRectF& frame, const std::function<void(Graphics&)>& draw) const
{
    Picture picture;
    const QRect pixels = PageRectToDevice(QRectF(QPointF(0, 0), frame.size()));
    if (pixels.width() <= 0 || pixels.height() <= 0)
        return picture;
    const int dpi = logicalDpiX();
    auto render = [&](QPainter& painter) {
        Graphics graphics(painter);
        graphics.setWorldTransform(QTransform::fromTranslate(-frame.x(), -frame.y()));
        graphics.fillRect(frame, m_backgroundColour);
        draw(graphics);
    };
    {
        QBuffer buffer(&picture.svg);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(pixels.size());
        generator.setViewBox(QRect(QPoint(0, 0), pixels.size()));
        generator.setResolution(dpi);
        generator.setTitle(QStringLiteral("QUOR_Log"));
        QPainter painter(&generator);
        render(painter);
    }
    picture.image = QImage(pixels.size(), QImage::Format_ARGB32);
    picture.image.setDotsPerMeterX(static_cast<int>(std::lround(m_pixelsPerMmX * 1000)));
    picture.image.setDotsPerMeterY(static_cast<int>(std::lround(m_pixelsPerMmY * 1000)));
    picture.image.fill(Qt::white);
    {
        QPainter painter(&picture.image);
        render(painter);
    }
    return picture;
}

CQuorView::Picture CQuorView::RecordViewPicture() const
{
    const int pane = m_activePane < 0 ? 0 : m_activePane;
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    const QRectF frame = m_layout.leftPane;
    static const UnitRangeList noSelection;
    const double topDepth = GetPaneTopDepth(0);
    return recordPicture(frame, [&](Graphics& graphics) {
        if (hole)
            DrawBorehole(frame, m_layout.leftColumn, frame, m_layout.lineHeight, false, topDepth, m_settings.scale,
                         m_layout.tickOrigin, m_layout.tickIndent, *m_screenResources, noSelection,
                         m_settings.showSampleNumbers, false, true, *hole, graphics);
    });
}

CQuorView::Picture CQuorView::RecordSelectionPicture(const UnitRangeList& selection) const
{
    const ORBAX_Logging::Borehole* hole = borehole(m_activePane < 0 ? 0 : m_activePane);
    if (!hole || selection.empty() || hole->unitCount() == 0)
        return RecordViewPicture();
    const int first = std::clamp(selection.begin()->first, 0, hole->unitCount() - 1);
    const int last = std::clamp(std::prev(selection.end())->last, first, hole->unitCount() - 1);
    const double topDepth = first == 0 ? 0.0 : (*hole)[static_cast<std::size_t>(first - 1)].bottom;
    const double base = (*hole)[static_cast<std::size_t>(last)].bottom;
    const double scale = m_settings.scale;
    QRectF column = m_layout.leftColumn;
    column.setHeight(std::max(0.0, (base - topDepth) / scale));
    const double h = m_layout.lineHeight;
    const QRectF frame(m_layout.leftPane.x(), column.top() - h, m_layout.leftPane.width(), h + column.height());
    static const UnitRangeList noSelection;
    return recordPicture(frame, [&](Graphics& graphics) {
        DrawBorehole(frame, column, frame, h, false, topDepth, scale, m_layout.tickOrigin, m_layout.tickIndent,
                     *m_screenResources, noSelection, m_settings.showSampleNumbers, false, true, *hole, graphics);
    });
}

// The Copy command's work: the picture of the selection, or of the view when nothing is selected.
// (With exactly one unit selected, the unit itself also goes on the clipboard in the program's own
// format; the clipboard transfer adds that to the same data.)
void CopySelection(const UnitRangeList& selection, CQuorView& view, int pane)
{
    const CQuorView::Picture picture =
        selection.empty() ? view.RecordViewPicture() : view.RecordSelectionPicture(selection);
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), picture.svg);
    data->setImageData(picture.image);
    // One selected unit also goes as data that this program, or another running copy, can paste.
    if (selection.count() == 1 && view.GetDocument()) {
        ApplicationServices* app = view.GetApplication();
        CopyUnitsToClipboard(*data, *view.GetDocument(), pane, selection.begin()->first,
                             app && app->Startup().m_developer);
    }
    ORBAX_Platform::clipboard().setMimeData(data);
}
