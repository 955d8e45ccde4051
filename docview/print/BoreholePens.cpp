#include "docview/print/BoreholePens.h"

#include "docview/view/QuorView.h"
#include "docview/view/geometry/FittedText.h"
#include "platform/qt/Graphics.h"

void CreateBoreholePens(const CQuorView& view, std::shared_ptr<DrawingResources>& resources, double factor)
{
    using ORBAX_Platform::CreateNamedFont;
    auto r = std::make_shared<DrawingResources>();
    r->hairlinePen = MakeDrawingPen(0xFF000000u, 0.1 * factor);
    r->greyPen = MakeDrawingPen(0xFF808080u, 0.1 * factor);
    r->selectionPen = MakeDrawingPen(view.m_selectionColour, DrawingResources::SelectionPenWidth * factor);
    r->unitOutlinePen = MakeDrawingPen(0xFF000000u, DrawingResources::UnitOutlineWidth * factor);
    r->blackBrush = QBrush(ORBAX_Platform::ColourFromArgb(0xFF000000u));
    r->selectionBrush = QBrush(ORBAX_Platform::ColourFromArgb(view.m_selectionColour));
    r->whiteBrush = QBrush(ORBAX_Platform::ColourFromArgb(0xFFFFFFFFu));
    // Face and size only: printed depths and names are never bold or italic unless the slot says so.
    const QString tickFace = QString::fromStdWString(view.m_tickFontDescription.face);
    const double tickPoints = view.m_tickFontDescription.size * factor;
    r->tickFont = CreateNamedFont(tickFace, tickPoints);
    r->tickFontBold = CreateNamedFont(tickFace, tickPoints);
    r->generalFont = CreateNamedFont(QString::fromStdWString(view.m_generalFontDescription.face),
                                     view.m_generalFontDescription.size * factor);
    r->tickFontItalic = CreateNamedFont(tickFace, tickPoints, QFont::StyleItalic);
    // Paper holds smaller texts legibly than the screen does.
    r->smallestTextPoints = LegiblePrintPoints * factor;
    resources = std::move(r);
}
