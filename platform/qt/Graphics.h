#pragma once
// A drawing surface with the habits the pattern drawing relies on: a page unit of millimetres (or
// device pixels) under a world transform, ARGB colours, pens with dash styles and round caps, solid
// fills without outline, clipping that is saved and restored, and fonts sized in points whatever the
// page unit. It draws through a QPainter that the caller owns (on a QImage, a widget or a printer).
#include <cstdint>
#include <vector>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <QTransform>

namespace ORBAX_Platform {

using Argb = std::uint32_t;

enum class PageUnit { Millimetre, Pixel };

// Dash styles with the numbers of the pattern files: 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 the pen's own dash list.
enum DashStyle { DashSolid = 0, DashDash = 1, DashDot = 2, DashDashDot = 3, DashDashDotDot = 4, DashCustom = 5 };

// A pen of a colour and a width in world units, with round start, end and dash caps.
QPen MakePen(Argb colour, double width, int dashStyle = DashSolid, const std::vector<float>& dashes = {});

// A font of the family in points; the generic sans-serif family when the family is not installed.
QFont CreateNamedFont(const QString& family, double points, QFont::Style style = QFont::StyleNormal, bool bold = false);

class Graphics {
public:
    // Draws on `painter`, whose device gives the resolution; the page unit starts as millimetres and
    // the world transform as the identity.
    explicit Graphics(QPainter& painter);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    QPainter& painter() { return m_painter; }
    double dpiX() const { return m_dpiX; }
    double dpiY() const { return m_dpiY; }

    PageUnit pageUnit() const { return m_pageUnit; }
    void setPageUnit(PageUnit unit);
    const QTransform& worldTransform() const { return m_world; }
    void setWorldTransform(const QTransform& world);
    void resetWorldTransform() { setWorldTransform(QTransform()); }
    // World units to device pixels: the world transform, then the page unit's scale.
    QTransform worldToDevice() const;

    // Smoothing of lines, curves and scaled images.
    bool smoothing() const;
    void setSmoothing(bool on);

    // Clipping: the rectangle in world units is intersected with the current clip (or becomes the
    // clip when there is none). GraphicsState puts the previous clip back.
    bool hasClip() const { return m_painter.hasClipping(); }
    void intersectClip(const QRectF& rect);

    // Drawing in world units.
    void fillRect(const QRectF& rect, Argb colour);
    void drawLine(const QPen& pen, const QPointF& from, const QPointF& to);
    void drawLines(const QPen& pen, const std::vector<QPointF>& points);
    void drawEllipse(const QPen& pen, const QRectF& bounds);
    void fillEllipse(const QRectF& bounds, Argb colour);
    // Alternate (odd-even) fill.
    void fillPolygon(const std::vector<QPointF>& points, Argb colour);
    void drawImage(const QImage& image, const QRectF& target);
    // Text centred both ways and wrapped within the rectangle; the font's size is in points.
    void drawTextCentred(const QString& text, const QFont& font, Argb colour, const QRectF& rect);

    // The font to give the painter so that text comes out at the font's point size while the page
    // unit scales the drawing.
    QFont deviceFont(const QFont& font) const;

private:
    friend class GraphicsState;
    void apply();
    double pageScaleX() const;
    double pageScaleY() const;

    QPainter& m_painter;
    double m_dpiX;
    double m_dpiY;
    PageUnit m_pageUnit = PageUnit::Millimetre;
    QTransform m_world;
};

// Saves the clip, world transform, page unit, smoothing, pen, brush and font of a graphics and puts
// them back when it ends.
class GraphicsState {
public:
    explicit GraphicsState(Graphics& graphics);
    ~GraphicsState();
    GraphicsState(const GraphicsState&) = delete;
    GraphicsState& operator=(const GraphicsState&) = delete;

private:
    Graphics& m_graphics;
    QTransform m_world;
    PageUnit m_unit;
};

inline QColor ColourFromArgb(Argb argb) { return QColor::fromRgba(argb); }

} // namespace ORBAX_Platform
