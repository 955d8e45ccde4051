#pragma once
// One line of a legend as the grid draws it: a name beside a swatch.
#include <string>

#include <QRectF>

#include "platform/qt/Graphics.h"

namespace LegendSupport {

class LegendItem {
public:
    virtual ~LegendItem() = default;
    virtual std::wstring GetName() const = 0;
    // Fills the swatch rectangle (millimetres) with what the entry stands for.
    virtual void DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const = 0;
};

} // namespace LegendSupport
