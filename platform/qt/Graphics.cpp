#include "platform/qt/Graphics.h"

#include <QFontDatabase>
#include <QPaintDevice>
#include <QPolygonF>

namespace ORBAX_Platform {

namespace {

constexpr double millimetresPerInch = 25.4;

// The dash patterns of the five styles in multiples of the pen width, as the pattern files were
// drawn: dash 3-1, dot 1-1, dash-dot 3-1-1-1, dash-dot-dot 3-1-1-1-1-1.
QVector<qreal> StyleDashes(int style)
{
    switch (style) {
    case DashDash: return {3, 1};
    case DashDot: return {1, 1};
    case DashDashDot: return {3, 1, 1, 1};
    case DashDashDotDot: return {3, 1, 1, 1, 1, 1};
    default: return {};
    }
}

} // namespace

QPen MakePen(Argb colour, double width, int dashStyle, const std::vector<float>& dashes)
{
    QPen pen(ColourFromArgb(colour));
    pen.setWidthF(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCosmetic(false);
    if (dashStyle == DashCustom) {
        QVector<qreal> pattern;
        for (float d : dashes)
            pattern.push_back(d > 0 ? d : 0.0);
        // Qt wants pairs of dash and gap; an odd list repeats as GDI+ would draw it twice over.
        if (pattern.size() % 2 == 1)
            pattern += pattern;
        bool any = false;
        for (qreal d : pattern)
            any = any || d > 0;
        if (!pattern.isEmpty() && any)
            pen.setDashPattern(pattern);
    } else {
        QVector<qreal> pattern = StyleDashes(dashStyle);
        if (!pattern.isEmpty())
            pen.setDashPattern(pattern);
    }
    return pen;
}

QFont CreateNamedFont(const QString& family, double points, QFont::Style style, bool bold)
{
    QFont font;
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        font.setFamily(family);
    } else {
        font.setStyleHint(QFont::SansSerif);
        font.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    }
    if (points > 0)
        font.setPointSizeF(points);
    font.setStyle(style);
    font.setBold(bold);
    return font;
}

Graphics::Graphics(QPainter& painter) : m_painter(painter)
{
    const QPaintDevice* device = painter.device();
    m_dpiX = device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96.0;
    m_dpiY = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    // A QImage keeps its resolution exactly in dots per metre; the integer dpi would round it.
    if (device && device->devType() == QInternal::Image) {
        const QImage* image = static_cast<const QImage*>(device);
        if (image->dotsPerMeterX() > 0)
            m_dpiX = image->dotsPerMeterX() * 0.0254;
        if (image->dotsPerMeterY() > 0)
            m_dpiY = image->dotsPerMeterY() * 0.0254;
    }
    apply();
}

double Graphics::pageScaleX() const { return m_pageUnit == PageUnit::Millimetre ? m_dpiX / millimetresPerInch : 1.0; }

double Graphics::pageScaleY() const { return m_pageUnit == PageUnit::Millimetre ? m_dpiY / millimetresPerInch : 1.0; }

QTransform Graphics::worldToDevice() const { return m_world * QTransform::fromScale(pageScaleX(), pageScaleY()); }

void Graphics::apply() { m_painter.setWorldTransform(worldToDevice()); }

void Graphics::setPageUnit(PageUnit unit)
{
    m_pageUnit = unit;
    apply();
}

void Graphics::setWorldTransform(const QTransform& world)
{
    m_world = world;
    apply();
}

bool Graphics::smoothing() const { return m_painter.testRenderHint(QPainter::Antialiasing); }

void Graphics::setSmoothing(bool on)
{
    m_painter.setRenderHint(QPainter::Antialiasing, on);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, on);
}

void Graphics::intersectClip(const QRectF& rect)
{
    m_painter.setClipRect(rect, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void Graphics::fillRect(const QRectF& rect, Argb colour) { m_painter.fillRect(rect, ColourFromArgb(colour)); }

void Graphics::drawLine(const QPen& pen, const QPointF& from, const QPointF& to)
{
    m_painter.setPen(pen);
    m_painter.drawLine(QLineF(from, to));
}

void Graphics::drawLines(const QPen& pen, const std::vector<QPointF>& points)
{
    if (points.size() < 2)
        return;
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void Graphics::drawEllipse(const QPen& pen, const QRectF& bounds)
{
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawEllipse(bounds);
}

void Graphics::fillEllipse(const QRectF& bounds, Argb colour)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ColourFromArgb(colour));
    m_painter.drawEllipse(bounds);
}

void Graphics::fillPolygon(const std::vector<QPointF>& points, Argb colour)
{
    if (points.size() < 3)
        return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ColourFromArgb(colour));
    m_painter.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

void Graphics::drawImage(const QImage& image, const QRectF& target) { m_painter.drawImage(target, image); }

QFont Graphics::deviceFont(const QFont& font) const
{
    QFont scaled(font);
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() / pageScaleY());
    return scaled;
}

void Graphics::drawTextCentred(const QString& text, const QFont& font, Argb colour, const QRectF& rect)
{
    m_painter.setFont(deviceFont(font));
    m_painter.setPen(ColourFromArgb(colour));
    m_painter.drawText(rect, Qt::AlignCenter | Qt::TextWordWrap, text);
}

GraphicsState::GraphicsState(Graphics& graphics)
    : m_graphics(graphics), m_world(graphics.m_world), m_unit(graphics.m_pageUnit)
{
    m_graphics.m_painter.save();
}

GraphicsState::~GraphicsState()
{
    m_graphics.m_painter.restore();
    m_graphics.m_world = m_world;
    m_graphics.m_pageUnit = m_unit;
    m_graphics.apply();
}

} // namespace ORBAX_Platform
