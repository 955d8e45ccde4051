#pragma once
// A legend's appearance: box size, font, the spacing between box and name, the gaps between cells
// and the inner margins between the legend's frame and its cells (millimetres; the font in points),
// and how names sit in their cells. Only the box size is kept in the profile.
#include <cstddef>
#include <string>

#include <QFont>
#include <QPainterPath>
#include <QString>
#include <Qt>

#include "core/options/FormatProfiles.h"
#include "platform/qt/Graphics.h"
#include "printsetup/legend/LegendGrid.h"
#include "printsetup/legend/LegendUtils.h"
#include "widgets/text/FontDescription.h"

class LegendStyle {
public:
    // The widest cell the entries need: box width + spacing + the widest name in the style's font,
    // measured on the graphics' device; 0 without entries. At least `minCellWidth`.
    float MeasureCellWidth(ORBAX_Platform::Graphics& graphics, const LegendUtils::LegendItems& entries,
                           float minCellWidth) const;
    // The width of a name in the style's font on the graphics' device, in millimetres.
    float MeasureName(ORBAX_Platform::Graphics& graphics, const std::wstring& name) const;

    // A grid no wider than `width` with its inner margins: as many columns as fit (at least one, at
    // most one per entry), as many rows as the entries then need. Empty without entries.
    LegendGrid FitToWidth(ORBAX_Platform::Graphics& graphics, const LegendUtils::LegendItems& entries, float width,
                          float minCellWidth) const;
    LegendGrid FitToWidth(std::size_t count, float width, float cellWidth) const;

    // Explicit cells for as many entries as have room wholly inside the region, column by column;
    // `placed` tells how many (0 when the region has no room for one cell), the caller carries the rest
    // on.
    LegendGrid FitToArea(ORBAX_Platform::Graphics& graphics, const LegendUtils::LegendItems& entries,
                         const QPainterPath& region, float minCellWidth, std::size_t& placed) const;
    LegendGrid FitToArea(std::size_t count, const QPainterPath& region, float cellWidth, std::size_t& placed) const;

    // "LegendBoxWidth" and "LegendBoxHeight" as text; a stored text that is not a number keeps the value.
    void Save(ORBAX_Utilities::SettingsWriter& writer) const;
    void Load(ORBAX_Utilities::SettingsReader& reader);

    // A name as it stands in a cell's text room `width` millimetres wide and the box high (at least a
    // line), fitted as every printed text is: at its size where it fits on one line or wrapped at its
    // spaces, else set smaller (down to the size that prints legibly, see `widgets/text/TextFit.h`),
    // on one line or wrapped. Where even that does not hold it, `fits` is false and it stands on one
    // line at the smallest size, shortened in its middle (keeping its start and end). `drawn` is
    // `DrawnNameFont(graphics)`.
    struct FittedName {
        QFont font;
        QString text;
        int flags = 0;
        bool fits = true;
    };
    FittedName FitName(ORBAX_Platform::Graphics& graphics, const QFont& drawn, const std::wstring& name,
                       double width) const;

    // The font names are written in, at its size in points.
    QFont NameFont() const;
    // The font as names are drawn on the graphics' device: laid out at the size the world transform
    // gives it there (a font scaled down to the page is hinted at a few pixels and comes out wider).
    QFont DrawnNameFont(const ORBAX_Platform::Graphics& graphics) const;

    float boxWidth = 8.0f;
    float boxHeight = 8.0f;
    FontDescription font{L"Arial", false, false, 10.0f};
    float spacing = 2.0f;
    float horizontalGap = 2.0f;
    float verticalGap = 2.0f;
    float horizontalMargin = 2.0f;
    float verticalMargin = 2.0f;
    // Names start at the left of their rectangle, centred in the box height.
    int textFlags = Qt::AlignLeft | Qt::AlignVCenter;
};

void swap(LegendStyle& a, LegendStyle& b);
