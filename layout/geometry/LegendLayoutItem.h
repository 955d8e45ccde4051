#pragma once
// A legend placed on the page: the rock types of the sections on the page (collected when it is made,
// and again as items are added, edited or deleted and when the options change), sorted and merged as
// the legend builder does, drawn as a grid at most 200 mm high inside a grey frame.
#include <vector>

#include "layout/geometry/LayoutItem.h"
#include "printsetup/legend/LegendStyle.h"
#include "printsetup/legend/LegendUtils.h"

class BoreholeDocument;
class HatchList;
struct ConfigurationTables;
class SectionLayoutItem;

class LegendLayoutItem : public LayoutItem {
public:
    // The tallest a legend grows before it starts another column.
    static constexpr float MaxHeight = 200.0f;

    // Defaults, no entries.
    LegendLayoutItem() = default;
    // Defaults, then the entries collected from the sections placed in the layout view.
    LegendLayoutItem(const CQuorLayout& layout, const CQuorDoc& document);

    // Collects the entries from the sections placed in `layout`, with the hatch list of the view the
    // layout is linked to.
    void Rebuild(const CQuorDoc& document, const CQuorLayout& layout);
    // The same from a list of sections: for each section, its left then its right borehole when shown,
    // collected by the include mode; then sorted and merged. Without a hatch list, or when nothing was
    // collected, the entries stay as they are. The swatches are drawn with the patterns of `tables`
    // (with none, every hatch shows as missing).
    void Rebuild(const std::vector<const SectionLayoutItem*>& sections, const BoreholeDocument& document,
                 const HatchList* hatchList, const ConfigurationTables* tables = nullptr);

    // Takes over sort order, include mode, style and the entries (shared) of another legend.
    void Assign(const LegendLayoutItem& from);

    // The grid the entries take: at most MaxHeight high, cells as wide as the widest name needs.
    LegendGrid Grid(ORBAX_Platform::Graphics& graphics) const;

    QRectF GetBounds(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document, const LayoutItemView& view,
                     const DrawingResources& resources) const override;
    bool HitTest(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document, const LayoutItemView& view,
                 const DrawingResources& resources, const QPointF& point) const override;
    // A white ground, the entries by columns (boxes outlined black, 0.1 mm; names black), a grey frame.
    void Draw(ORBAX_Platform::Graphics& graphics, const QRectF& area, const BoreholeDocument& document,
              const LayoutItemView& view, const DrawingResources& resources) const override;
    // The legend's dialog over a copy; OK takes the copy over (the page then collects the entries again).
    bool EditProperties(CQuorDoc& document, const QPointF& position);

    int sortOrder = LegendUtils::Alphabetical;
    int includeMode = LegendUtils::AllOnPage;
    LegendStyle style;
    LegendUtils::LegendItems entries;
};
