#include "docview/view/geometry/DrawingResources.h"

#include <cmath>

#include "platform/qt/Graphics.h"

QPen MakeDrawingPen(std::uint32_t argb, double width)
{
    QPen pen(ORBAX_Platform::ColourFromArgb(argb));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (width > 0) {
        pen.setWidthF(width);
    } else {
        pen.setWidth(0);
        pen.setCosmetic(true);
    }
    return pen;
}

QPen DevicePen(QPen pen, const QTransform& worldToDevice)
{
    if (pen.isCosmetic() || pen.style() == Qt::NoPen)
        return pen;
    const double scale = std::sqrt(std::fabs(worldToDevice.determinant()));
    if (pen.widthF() * scale < 1.0) {
        pen.setWidth(0);
        pen.setCosmetic(true);
    }
    return pen;
}

std::shared_ptr<DrawingResources> DrawingResources::Create(const Fonts& fonts, bool boldTickFont,
                                                           std::uint32_t selectionColour)
{
    using ORBAX_Platform::CreateNamedFont;
    auto r = std::make_shared<DrawingResources>();
    r->hairlinePen = MakeDrawingPen(0xFF000000u, 0.1);
    r->greyPen = MakeDrawingPen(0xFF808080u, 0.1);
    r->selectionPen = MakeDrawingPen(selectionColour, SelectionPenWidth);
    r->unitOutlinePen = MakeDrawingPen(0xFF000000u, UnitOutlineWidth);
    r->blackBrush = QBrush(ORBAX_Platform::ColourFromArgb(0xFF000000u));
    r->selectionBrush = QBrush(ORBAX_Platform::ColourFromArgb(selectionColour));
    r->whiteBrush = QBrush(ORBAX_Platform::ColourFromArgb(0xFFFFFFFFu));
    r->tickFont = CreateNamedFont(fonts.tickFace, fonts.tickPoints);
    r->tickFontBold = CreateNamedFont(fonts.tickFace, fonts.tickPoints, QFont::StyleNormal, boldTickFont);
    r->generalFont = CreateNamedFont(fonts.generalFace, fonts.generalPoints);
    r->tickFontItalic = CreateNamedFont(fonts.tickFace, fonts.tickPoints, QFont::StyleItalic);
    return r;
}
