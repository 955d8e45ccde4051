#pragma once
// The page of the page-layout view without its window: the placed items in placing order with their
// positions, the selection and the drag, the margins and the zoom, and the transform between item
// space (millimetres from the top-left corner inside the margins) and device pixels.
#include <functional>
#include <memory>
#include <vector>

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include "layout/geometry/LayoutItem.h"

class SectionLayoutItem;

// One placed item: the item and its position in item space.
struct LayoutEntry {
    std::shared_ptr<LayoutItem> item;
    QPointF position;
};

class LayoutPage {
public:
    static constexpr float DefaultMargin = 20.0f;
    // How far around a dragged item's old and new extents the window is repainted.
    static constexpr double DragBorder = 2.0;

    // ---- Transform
    // Page millimetres scaled by the zoom, then moved by the left and top margins: an item-space
    // point p lies at (p + margins) x zoom on the paper drawn on screen.
    QTransform World() const;
    // Item space to device pixels on a device of the given resolution.
    QTransform ToDevice(double dpiX, double dpiY) const;
    QPointF DeviceToItem(const QPointF& pixel, double dpiX, double dpiY) const;
    // An item-space rectangle as the whole device pixels that cover it.
    QRect ItemToDevicePixels(const QRectF& rect, double dpiX, double dpiY) const;
    // The zoom that fits the paper into a window of `clientMm`: the lesser of the two ratios. 0 when
    // either size is empty (nothing to fit yet).
    static float FitZoom(const QSizeF& clientMm, const QSizeF& paperMm);

    // The paper in item space: (-left, -top, paper width, paper height).
    QRectF PaperRect(const QSizeF& paper) const;
    // The area inside the margins: (0, 0, width - left - right, height - top - bottom).
    QRectF MarginRect(const QSizeF& paper) const;

    // ---- Entries
    // Appends an item at (0, 0).
    void Append(std::shared_ptr<LayoutItem> item);
    // The selected entry; null when none.
    LayoutEntry* Selected();
    const LayoutEntry* Selected() const;
    // Removes the selected entry and clears the selection; false when nothing is selected.
    bool DeleteSelection();
    // The sections placed, in placing order.
    std::vector<const SectionLayoutItem*> Sections() const;

    // ---- Mouse
    // Selects the first entry, in placing order, that `hits` at the point taken relative to the
    // entry's position; none clears the selection. With a selection, dragging starts with the offset
    // from the point to the entry's position. True when the selection changed.
    using HitTest = std::function<bool(const LayoutItem& item, const QPointF& point)>;
    bool SelectAt(const QPointF& point, const HitTest& hits);
    // Moves the selected entry so that the point stays on the same spot of it; returns the item-space
    // rectangle to repaint: the old and the new extent (`bounds` in the item's own space) united and
    // grown by DragBorder on every side. Empty when nothing is dragged.
    QRectF DragTo(const QPointF& point, const QRectF& bounds);
    void EndDrag() { dragging = false; }

    std::vector<LayoutEntry> entries;
    int selection = -1;
    bool dragging = false;
    QPointF dragOffset;
    float leftMargin = DefaultMargin;
    float topMargin = DefaultMargin;
    float rightMargin = DefaultMargin;
    float bottomMargin = DefaultMargin;
    // Screen millimetres per page millimetre; 0 fits the page to the window at the next paint.
    float zoom = 0.0f;
};
