// The view's layout in the client area and the pens, brushes and fonts it draws with.
#include <QFontMetricsF>
#include <QStyle>

#include "core/catalogue/Messages.h"
#include "docview/view/QuorView.h"
#include "platform/qt/Graphics.h"

void CQuorView::CreateDrawingResources()
{
    m_measuredTexts.clear();
    DrawingResources::Fonts fonts;
    fonts.tickFace = QString::fromStdWString(m_tickFontDescription.face);
    fonts.tickPoints = m_tickFontDescription.size;
    fonts.generalFace = QString::fromStdWString(m_generalFontDescription.face);
    fonts.generalPoints = m_generalFontDescription.size;
    m_screenResources = DrawingResources::Create(fonts, true, m_selectionColour);
    m_titleFont = ORBAX_Platform::CreateNamedFont(QString::fromStdWString(m_titleFontDescription.face),
                                                  m_titleFontDescription.size);
    m_lightGreyPen = MakeDrawingPen(0xFFA5A5A5u, 0.1);
    m_redPen = MakeDrawingPen(0x80FF0000u, 0.5);
    m_redBrush = QBrush(ORBAX_Platform::ColourFromArgb(0x80FF0000u));
    m_blackPen = MakeDrawingPen(0xFF000000u, 1.0);
    m_backgroundBrush = QBrush(ORBAX_Platform::ColourFromArgb(m_backgroundColour));
    m_blackHairlinePen = MakeDrawingPen(0xFF000000u, 0.1);
}

QSizeF CQuorView::MeasureText(const QString& text, const QFont& font) const
{
    // The same few texts are measured at every paint: kept until the layout is computed again.
    for (const MeasuredText& known : m_measuredTexts)
        if (known.text == text && known.font == font)
            return known.size;
    // GDI+ measures a line as the font's line spacing; every rectangle follows from it.
    const QFontMetricsF metrics(font, const_cast<CQuorView*>(this));
    const QSizeF size(metrics.horizontalAdvance(text) / m_pixelsPerMmX, metrics.lineSpacing() / m_pixelsPerMmY);
    if (m_measuredTexts.size() >= 32)
        m_measuredTexts.clear();
    m_measuredTexts.push_back({text, font, size});
    return size;
}

void CQuorView::ComputeLayout()
{
    m_measuredTexts.clear();
    m_pixelsPerMmX = logicalDpiX() / 25.4;
    m_pixelsPerMmY = logicalDpiY() / 25.4;
    const DrawingResources& resources = *m_screenResources;
    ViewGeometry::LayoutInput input;
    input.pixelsPerMmX = m_pixelsPerMmX;
    input.pixelsPerMmY = m_pixelsPerMmY;
    input.scrollBarPixels = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The client area is what the right-hand scroll bar leaves.
    input.clientPixels = QSizeF(std::max(0, width() - input.scrollBarPixels), height());
    const QString test = QStringLiteral("Our test text");
    input.lineHeight = MeasureText(test, resources.generalFont).height();
    input.tickLineHeight = MeasureText(test, resources.tickFont).height();
    input.depthTextWidth =
        MeasureText(QString::fromStdWString(ORBAX_Utilities::get_message_wide(151)), resources.generalFont).width();
    m_layout = ViewGeometry::ComputeLayout(input);
}
