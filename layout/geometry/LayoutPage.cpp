#include "layout/geometry/LayoutPage.h"

#include <cmath>

#include "layout/geometry/SectionLayoutItem.h"

namespace {
constexpr double MillimetresPerInch = 25.4;
}

QTransform LayoutPage::World() const
{
    return QTransform::fromTranslate(leftMargin, topMargin) * QTransform::fromScale(zoom, zoom);
}

QTransform LayoutPage::ToDevice(double dpiX, double dpiY) const
{
    return World() * QTransform::fromScale(dpiX / MillimetresPerInch, dpiY / MillimetresPerInch);
}

QPointF LayoutPage::DeviceToItem(const QPointF& pixel, double dpiX, double dpiY) const
{
    bool invertible = false;
    const QTransform inverse = ToDevice(dpiX, dpiY).inverted(&invertible);
    return invertible ? inverse.map(pixel) : QPointF();
}

QRect LayoutPage::ItemToDevicePixels(const QRectF& rect, double dpiX, double dpiY) const
{
    return ToDevice(dpiX, dpiY).mapRect(rect).toAlignedRect();
}

float LayoutPage::FitZoom(const QSizeF& clientMm, const QSizeF& paperMm)
{
    if (!(clientMm.width() > 0) || !(clientMm.height() > 0) || !(paperMm.width() > 0) || !(paperMm.height() > 0))
        return 0.0f;
    return static_cast<float>(std::min(clientMm.height() / paperMm.height(), clientMm.width() / paperMm.width()));
}

QRectF LayoutPage::PaperRect(const QSizeF& paper) const
{
    return QRectF(-leftMargin, -topMargin, paper.width(), paper.height());
}

QRectF LayoutPage::MarginRect(const QSizeF& paper) const
{
    return QRectF(0, 0, paper.width() - leftMargin - rightMargin, paper.height() - topMargin - bottomMargin);
}

void LayoutPage::Append(std::shared_ptr<LayoutItem> item) { entries.push_back({std::move(item), QPointF(0, 0)}); }

LayoutEntry* LayoutPage::Selected()
{
    return selection >= 0 && selection < static_cast<int>(entries.size())
               ? &entries[static_cast<std::size_t>(selection)]
               : nullptr;
}

const LayoutEntry* LayoutPage::Selected() const { return const_cast<LayoutPage*>(this)->Selected(); }

bool LayoutPage::DeleteSelection()
{
    if (!Selected())
        return false;
    entries.erase(entries.begin() + selection);
    selection = -1;
    dragging = false;
    return true;
}

std::vector<const SectionLayoutItem*> LayoutPage::Sections() const
{
    std::vector<const SectionLayoutItem*> sections;
    for (const LayoutEntry& entry : entries)
        if (const auto* section = dynamic_cast<const SectionLayoutItem*>(entry.item.get()))
            sections.push_back(section);
    return sections;
}

bool LayoutPage::SelectAt(const QPointF& point, const HitTest& hits)
{
    int hit = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LayoutEntry& entry = entries[i];
        if (entry.item && hits(*entry.item, point - entry.position)) {
            hit = static_cast<int>(i);
            break;
        }
    }
    const bool changed = hit != selection;
    selection = hit;
    dragging = false;
    if (LayoutEntry* entry = Selected()) {
        dragging = true;
        dragOffset = entry->position - point;
    }
    return changed;
}

QRectF LayoutPage::DragTo(const QPointF& point, const QRectF& bounds)
{
    LayoutEntry* entry = Selected();
    if (!dragging || !entry)
        return QRectF();
    const QRectF before = bounds.translated(entry->position);
    entry->position = point + dragOffset;
    const QRectF after = bounds.translated(entry->position);
    const QRectF both = LayoutGeometry::Union(before, after);
    return QRectF(both.x() - DragBorder, both.y() - DragBorder, both.width() + 2 * DragBorder,
                  both.height() + 2 * DragBorder);
}
