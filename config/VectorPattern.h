#pragma once
// A named cell of a given size in millimetres with a background colour and drawing elements
// (lines, filled rectangles, circles, filled circles and filled polygons), compiled from a small
// element text. It fills a rectangle with cells of its own size (isotropic) or with one cell
// stretched over the rectangle's width per row (anisotropic).
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <QPointF>
#include <QRectF>

#include "config/HatchPattern.h"
#include "core/configfile/ConfigMessage.h"
#include "platform/qt/Graphics.h"

struct VectorPoint {
    float x = 0;
    float y = 0;
};

struct VectorPatternElement {
    enum Type { Line = 0, Rect = 1, Circle = 2, FillCircle = 3, FillPoly = 4 };

    int type = Line;
    double penWidth = 0;
    int lineStyle = 0;
    std::vector<float> dashes;
    std::uint32_t colour = 0xFF000000u;
    std::vector<VectorPoint> points;

    // One line of the element text as written back (numbers times 10), without its line end.
    void Write(std::ostream& out) const;
};

bool operator==(const VectorPatternElement& a, const VectorPatternElement& b);

class VectorPattern final : public HatchPattern {
public:
    explicit VectorPattern(const std::wstring& patternName = std::wstring(), float cellWidth = 0, float cellHeight = 0)
        : width(cellWidth), height(cellHeight), name(patternName)
    {
    }

    const std::wstring& GetName() const override { return name; }

    // Replaces the elements by those of the text, counting lines from `firstLine`. The first problem
    // is appended to `problems` and ends the compile with false; the pattern then has no elements and
    // keeps its previous source, so that what is drawn and written agree.
    static bool Compile(VectorPattern& pattern, const std::wstring& text, ConfigMessageList& problems, int firstLine);

    // The most cells one fill draws; a pattern that would need more draws its background only.
    static constexpr double MaxCellsPerFill = 1e6;

    // Fills `rect` with the background and the cells that can show within `reference`.
    static void FillRect(const QRectF& rect, const VectorPattern& pattern, ORBAX_Platform::Graphics& graphics,
                         const QRectF& reference, bool anisotropic);
    // Draws one cell whose top-left corner is (x, y) and whose size is `cellSize`.
    static void DrawElements(ORBAX_Platform::Graphics& graphics, double x, double y, const VectorPattern& pattern,
                             const QSizeF& cellSize);

    // Appends an element whose colour is given in COLORREF layout (red in the low byte) and stores it
    // as opaque ARGB; the parser fills in its points.
    VectorPatternElement& AppendElement(std::uint32_t colorref, double penWidth, int type, int lineStyle);

    std::uint32_t colour = 0xFFFFFFFFu; // background
    float width = 0;
    float height = 0;
    std::wstring name;
    std::vector<VectorPatternElement> elements;
    std::wstring sourceText;
    bool compiled = false;
};

// COLORREF (0x00BBGGRR) to opaque ARGB.
std::uint32_t ArgbFromColorref(std::uint32_t colorref);
