#pragma once
// An item placed on a page of the page-layout view: a section of the log, a legend or a title block.
// Every coordinate is a millimetre in the item's own space, whose origin the view puts at the item's
// position. The view measures, hit-tests and draws items with the drawing resources of printing
// (scale 1), and lets the user edit them in their dialogs.
#include <QPointF>
#include <QRectF>

class BoreholeDocument;
class CQuorDoc;
class CQuorLayout;
class LayoutItemView;
struct DrawingResources;

namespace ORBAX_Platform {
class Graphics;
}

// The items measure, hit-test and draw without a window: the document's boreholes, the borehole
// view's drawing (LayoutItemView) and the drawing resources are handed in. Editing an item is a
// window's work: each kind has an EditProperties of its own, defined beside its dialog, and the
// page-layout view runs the one of the item's kind.
class LayoutItem {
public:
    virtual ~LayoutItem() = default;

    // The item's extent in its own space.
    virtual QRectF GetBounds(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document,
                             const LayoutItemView& view, const DrawingResources& resources) const = 0;
    // Whether the point (in the item's own space) picks the item.
    virtual bool HitTest(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document,
                         const LayoutItemView& view, const DrawingResources& resources, const QPointF& point) const = 0;
    // Draws the item at its own origin; `area` is the page inside its margins.
    virtual void Draw(ORBAX_Platform::Graphics& graphics, const QRectF& area, const BoreholeDocument& document,
                      const LayoutItemView& view, const DrawingResources& resources) const = 0;
    // Told whenever an item of the page is added, edited or deleted; no kind of item does anything.
    virtual void NoOp(CQuorDoc& document, CQuorLayout& layout)
    {
        (void)document;
        (void)layout;
    }

protected:
    LayoutItem() = default;
    LayoutItem(const LayoutItem&) = default;
    LayoutItem& operator=(const LayoutItem&) = default;
};

namespace LayoutGeometry {

// The rule of every hit test: x <= px < x + width and y <= py < y + height. A rectangle of no or
// negative width or height holds no point.
inline bool Contains(const QRectF& rect, const QPointF& point)
{
    return rect.x() <= point.x() && point.x() < rect.x() + rect.width() && rect.y() <= point.y() &&
           point.y() < rect.y() + rect.height();
}

// The smallest rectangle enclosing both: the lesser left and top edges, the greater right and bottom
// edges, each edge being position + extent as stored (an empty rectangle at the origin counts as the
// point at the origin).
inline QRectF Union(const QRectF& a, const QRectF& b)
{
    const double left = a.x() < b.x() ? a.x() : b.x();
    const double top = a.y() < b.y() ? a.y() : b.y();
    const double ar = a.x() + a.width(), br = b.x() + b.width();
    const double ab = a.y() + a.height(), bb = b.y() + b.height();
    return QRectF(left, top, (ar > br ? ar : br) - left, (ab > bb ? ab : bb) - top);
}

} // namespace LayoutGeometry
