#include "config/InbuiltPattern.h"

#include "config/ConfigText.h"

using ORBAX_Platform::Graphics;

namespace {

template <ORBAX_Platform::Argb Colour>
void DrawPlain(Graphics& graphics, const QRectF& rect, const QRectF&, bool)
{
    graphics.fillRect(rect, Colour);
}

} // namespace

InbuiltPattern::InbuiltPattern(const char* narrowName, InbuiltDrawFunction function)
    : name(ConfigText::Widen(narrowName ? narrowName : "")), draw(function)
{
}

InbuiltPattern::InbuiltPattern(const std::wstring& patternName, InbuiltDrawFunction function)
    : name(patternName), draw(function)
{
}

void InbuiltPattern::Draw(Graphics& graphics, const QRectF& rect, const QRectF& reference, bool flag) const
{
    if (draw)
        draw(graphics, rect, reference, flag);
}

InbuiltPatternList::InbuiltPatternList()
{
    Insert(InbuiltPattern("Black", &DrawPlain<0xFF000000u>));
    Insert(InbuiltPattern("Red", &DrawPlain<0xFFFF0000u>));
    Insert(InbuiltPattern("Blue", &DrawPlain<0xFF0000FFu>));
    Insert(InbuiltPattern("Green", &DrawPlain<0xFF00FF00u>));
    Insert(InbuiltPattern("White", &DrawPlain<0xFFFFFFFFu>));
    Insert(InbuiltPattern("NoRecord", &DrawNoRecordPattern));
}

void DrawNoRecordPattern(Graphics& graphics, const QRectF& rect, const QRectF&, bool)
{
    graphics.fillRect(rect, 0xFFFFFFFFu);
    QPen pen(ORBAX_Platform::ColourFromArgb(0xFFFF0000u));
    pen.setWidthF(0.25);
    pen.setCapStyle(Qt::FlatCap);
    graphics.drawLine(pen, rect.topLeft(), QPointF(rect.x() + rect.width(), rect.y() + rect.height()));
    graphics.drawLine(pen, QPointF(rect.x() + rect.width(), rect.y()), QPointF(rect.x(), rect.y() + rect.height()));
}
