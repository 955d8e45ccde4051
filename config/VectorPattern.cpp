#include "config/VectorPattern.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iomanip>
#include <map>
#include <sstream>
#include <tuple>

#include <QPaintDevice>

using ORBAX_Platform::Graphics;

namespace {

const char* const StyleKeywords[] = {"solid", "dash", "dot", "dashdot", "dashdotdot"};

// A number as the element reader takes it back: six significant digits in the stream's default
// form, but never with an exponent, since a sign inside a number token ends the token.
std::string NumberText(double value)
{
    std::ostringstream out;
    const double magnitude = std::fabs(value);
    if (std::isfinite(value) && value != 0 && (magnitude >= 1e6 || magnitude < 1e-4)) {
        const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
        out << std::fixed << std::setprecision(std::clamp(5 - exponent, 0, 30)) << value;
        std::string text = out.str();
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.')
                text.pop_back();
        }
        return text;
    }
    out << value;
    return out.str();
}

void WriteColour(std::ostream& out, std::uint32_t argb)
{
    out << "(" << ((argb >> 16) & 0xFF) << ", " << ((argb >> 8) & 0xFF) << ", " << (argb & 0xFF) << ")";
}

void WritePoints(std::ostream& out, const std::vector<VectorPoint>& points)
{
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            out << "; ";
        out << NumberText(points[i].x * 10.0) << ", " << NumberText(points[i].y * 10.0);
    }
}

// Radius, centre x and centre y of a circle, times 10, each in 8 characters.
void WriteCircle(std::ostream& out, const std::vector<VectorPoint>& points)
{
    const VectorPoint radius = points.size() > 0 ? points[0] : VectorPoint{};
    const VectorPoint centre = points.size() > 1 ? points[1] : VectorPoint{};
    out << std::setw(8) << NumberText(radius.x * 10.0) << " " << std::setw(8) << NumberText(centre.x * 10.0) << " "
        << std::setw(8) << NumberText(centre.y * 10.0);
}

} // namespace

std::uint32_t ArgbFromColorref(std::uint32_t colorref)
{
    const std::uint32_t red = colorref & 0xFF;
    const std::uint32_t green = (colorref >> 8) & 0xFF;
    const std::uint32_t blue = (colorref >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

bool operator==(const VectorPatternElement& a, const VectorPatternElement& b)
{
    if (a.type != b.type || a.penWidth != b.penWidth || a.lineStyle != b.lineStyle || a.colour != b.colour ||
        a.dashes != b.dashes || a.points.size() != b.points.size())
        return false;
    for (std::size_t i = 0; i < a.points.size(); ++i)
        if (a.points[i].x != b.points[i].x || a.points[i].y != b.points[i].y)
            return false;
    return true;
}

void VectorPatternElement::Write(std::ostream& out) const
{
    const std::ios_base::fmtflags saved = out.flags();
    out << std::right;
    switch (type) {
    case Line:
        out << "line    " << std::setw(8) << NumberText(penWidth * 10.0) << "   ";
        WriteColour(out, colour);
        out << " ";
        if (lineStyle >= 0 && lineStyle <= 4) {
            out << StyleKeywords[lineStyle];
        } else {
            out << "(";
            for (std::size_t i = 0; i < dashes.size(); ++i)
                out << (i > 0 ? ", " : "") << NumberText(dashes[i]);
            out << ")";
        }
        out << " {";
        WritePoints(out, points);
        out << "}";
        break;
    case Rect: {
        out << "rect    ";
        WriteColour(out, colour);
        out << "         ";
        const VectorPoint a = points.size() > 0 ? points[0] : VectorPoint{};
        const VectorPoint b = points.size() > 1 ? points[1] : VectorPoint{};
        out << NumberText(a.x * 10.0) << " " << NumberText(a.y * 10.0) << " " << NumberText(b.x * 10.0) << " "
            << NumberText(b.y * 10.0);
        break;
    }
    case Circle:
        out << "circle " << std::setw(8) << NumberText(penWidth * 10.0) << "  ";
        WriteColour(out, colour);
        out << " ";
        WriteCircle(out, points);
        break;
    case FillCircle:
        out << "fillcircle ";
        WriteColour(out, colour);
        out << " ";
        WriteCircle(out, points);
        break;
    case FillPoly:
        out << "fillpoly ";
        WriteColour(out, colour);
        out << " { ";
        WritePoints(out, points);
        out << "}";
        break;
    default: break;
    }
    out.flags(saved);
}

VectorPatternElement& VectorPattern::AppendElement(std::uint32_t colorref, double penWidth, int type, int lineStyle)
{
    VectorPatternElement element;
    element.type = type;
    element.penWidth = penWidth;
    element.lineStyle = lineStyle;
    element.colour = ArgbFromColorref(colorref);
    elements.push_back(element);
    return elements.back();
}

namespace {

// Filling a unit cell by cell strokes every line of every cell, which costs most of a repaint. On a
// screen or an image the same cell is drawn once into a tile of whole device pixels and the rectangle
// is filled with that tile; pictures and printers keep the drawn cells.
bool IsRasterDevice(const QPaintDevice* device)
{
    if (!device)
        return false;
    const int type = device->devType();
    return type == QInternal::Image || type == QInternal::Widget || type == QInternal::Pixmap;
}

struct TileKey {
    std::size_t pattern; // the pattern's look: colour, size and elements
    int width;
    int height;
    bool smooth;
    bool operator<(const TileKey& other) const
    {
        return std::tie(pattern, width, height, smooth) <
               std::tie(other.pattern, other.width, other.height, other.smooth);
    }
};

std::size_t PatternLook(const VectorPattern& pattern)
{
    std::size_t seed = std::hash<std::wstring>()(pattern.sourceText);
    auto mix = [&seed](std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); };
    mix(pattern.colour);
    mix(std::hash<float>()(pattern.width));
    mix(std::hash<float>()(pattern.height));
    mix(pattern.elements.size());
    for (const VectorPatternElement& element : pattern.elements) {
        mix(element.colour);
        mix(std::hash<double>()(element.penWidth));
        mix(static_cast<std::size_t>(element.type));
        mix(static_cast<std::size_t>(element.lineStyle));
        for (float dash : element.dashes)
            mix(std::hash<float>()(dash));
        for (const VectorPoint& point : element.points) {
            mix(std::hash<double>()(point.x));
            mix(std::hash<double>()(point.y));
        }
    }
    return seed;
}

// The cell drawn at `width` x `height` device pixels; null when the tile would be unreasonably large.
const QImage* CellTile(const VectorPattern& pattern, const QSizeF& cell, int width, int height, bool smooth)
{
    constexpr int MaxTileSide = 2048;
    constexpr std::size_t MaxTiles = 256;
    if (width < 1 || height < 1 || width > MaxTileSide || height > MaxTileSide)
        return nullptr;
    thread_local std::map<TileKey, QImage> tiles;
    const TileKey key{PatternLook(pattern), width, height, smooth};
    auto found = tiles.find(key);
    if (found != tiles.end())
        return &found->second;
    if (tiles.size() >= MaxTiles)
        tiles.clear();
    QImage tile(width, height, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    {
        QPainter painter(&tile);
        Graphics graphics(painter);
        graphics.setPageUnit(ORBAX_Platform::PageUnit::Pixel);
        graphics.setSmoothing(smooth);
        graphics.setWorldTransform(QTransform::fromScale(width / cell.width(), height / cell.height()));
        VectorPattern::DrawElements(graphics, 0, 0, pattern, cell);
    }
    return &tiles.emplace(key, std::move(tile)).first->second;
}

// Whether every element lies within its cell. Cells drawn one by one let an element that reaches
// beyond its cell show in the cells drawn before it (a later cell's background covers what reaches
// into it), which a tile cannot reproduce: such patterns keep the cells drawn one by one.
bool ElementsInsideCell(const VectorPattern& pattern)
{
    const double w = pattern.width;
    const double h = pattern.height;
    auto inside = [&](double x, double y, double margin) {
        return x - margin >= 0 && x + margin <= w && y - margin >= 0 && y + margin <= h;
    };
    for (const VectorPatternElement& element : pattern.elements) {
        if (element.type == VectorPatternElement::Circle || element.type == VectorPatternElement::FillCircle) {
            if (element.points.size() < 2 || !inside(element.points[1].x, element.points[1].y, element.points[0].x))
                return false;
            continue;
        }
        for (const VectorPoint& point : element.points)
            if (!inside(point.x, point.y, 0))
                return false;
    }
    return true;
}

// Fills the rows from `top` to `bottom` of the rectangle with cells of the given size laid from its
// top-left corner, from a tile; false when the device or the transform does not allow it.
bool FillWithTile(Graphics& graphics, const QRectF& rect, double top, double bottom, const VectorPattern& pattern,
                  const QSizeF& cell)
{
    QPainter& painter = graphics.painter();
    const QTransform toDevice = graphics.worldToDevice();
    if (!IsRasterDevice(painter.device()) || toDevice.type() > QTransform::TxScale || !pattern.compiled ||
        !ElementsInsideCell(pattern))
        return false;
    const double width = cell.width() * toDevice.m11();
    const double height = cell.height() * toDevice.m22();
    if (!(width >= 2) || !(height >= 2))
        return false;
    const QImage* tile = CellTile(pattern, cell, static_cast<int>(std::lround(width)),
                                  static_cast<int>(std::lround(height)), graphics.smoothing());
    if (!tile)
        return false;
    const QPointF origin = toDevice.map(rect.topLeft());
    const QRectF rows(QPointF(rect.left(), top), QPointF(rect.right(), std::min(bottom, rect.bottom())));
    if (rows.isEmpty())
        return true;
    painter.save();
    painter.resetTransform();
    painter.setBrushOrigin(origin);
    painter.fillRect(toDevice.mapRect(rows), QBrush(*tile));
    painter.restore();
    return true;
}

} // namespace

void VectorPattern::FillRect(const QRectF& rect, const VectorPattern& pattern, Graphics& graphics,
                             const QRectF& reference, bool anisotropic)
{
    ORBAX_Platform::GraphicsState state(graphics);
    graphics.intersectClip(rect);
    graphics.fillRect(rect, pattern.colour);

    const double W = pattern.width;
    const double H = pattern.height;
    if (pattern.elements.empty() || !(H > 0) || (!anisotropic && !(W > 0)))
        return;

    const double k = std::floor((reference.y() - rect.y()) / H);
    double y = rect.y() + k * H;
    if (!(y > rect.y()))
        y = rect.y();
    const double rowsEnd = std::min(rect.y() + rect.height(), reference.y() + reference.height()) + H;
    // Cells far smaller than anything drawn (a damaged file's sizes) would be counted in the millions
    // or billions, or stop the loops advancing at all: such a pattern shows its background only.
    const double rows = std::ceil((rowsEnd - y) / H);
    const double columns = anisotropic ? 1.0 : std::ceil(rect.width() / W);
    if (!(rows * columns <= MaxCellsPerFill))
        return;
    // The cell rows drawn: whole rows from the first that can show to the first past the reference.
    if (FillWithTile(graphics, rect, y, y + rows * H, pattern, QSizeF(anisotropic ? rect.width() : W, H)))
        return;
    for (; y < rowsEnd; y += H) {
        if (anisotropic) {
            DrawElements(graphics, rect.x(), y, pattern, QSizeF(rect.width(), H));
        } else {
            for (double x = rect.x(); x < rect.x() + rect.width(); x += W)
                DrawElements(graphics, x, y, pattern, QSizeF(W, H));
        }
    }
}

void VectorPattern::DrawElements(Graphics& graphics, double x, double y, const VectorPattern& pattern,
                                 const QSizeF& cellSize)
{
    if (!pattern.compiled)
        return;
    const double w = cellSize.width();
    const double h = cellSize.height();
    graphics.fillRect(QRectF(x, y, w, h), pattern.colour);
    const double scaleX = pattern.width != 0 ? w / pattern.width : 0.0;
    auto map = [&](const VectorPoint& p) { return QPointF(x + p.x * scaleX, y + h - p.y); };

    for (const VectorPatternElement& element : pattern.elements) {
        const QPen pen = ORBAX_Platform::MakePen(element.colour, element.penWidth, element.lineStyle, element.dashes);
        switch (element.type) {
        case VectorPatternElement::Line: {
            std::vector<QPointF> mapped;
            mapped.reserve(element.points.size());
            for (const VectorPoint& p : element.points)
                mapped.push_back(map(p));
            graphics.drawLines(pen, mapped);
            break;
        }
        case VectorPatternElement::Rect: {
            if (element.points.size() < 2)
                break;
            const QPointF a = map(element.points[0]);
            const QPointF b = map(element.points[1]);
            graphics.fillRect(QRectF(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::fabs(a.x() - b.x()),
                                     std::fabs(a.y() - b.y())),
                              element.colour);
            break;
        }
        case VectorPatternElement::Circle:
        case VectorPatternElement::FillCircle: {
            if (element.points.size() < 2)
                break;
            const double rx = element.points[0].x * scaleX;
            const double ry = element.points[0].x;
            const QPointF centre = map(element.points[1]);
            const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
            if (element.type == VectorPatternElement::Circle)
                graphics.drawEllipse(pen, bounds);
            else
                graphics.fillEllipse(bounds, element.colour);
            break;
        }
        case VectorPatternElement::FillPoly: {
            std::vector<QPointF> mapped;
            for (const VectorPoint& p : element.points)
                mapped.push_back(map(p));
            graphics.fillPolygon(mapped, element.colour);
            break;
        }
        default: break;
        }
    }
}
