#include "widgets/controls/OwnerDrawDelegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "platform/qt/Graphics.h"
#include "widgets/controls/ItemRoles.h"

namespace {

// Wrapped text with tabs expanded and "&" shown as it is.
constexpr int wrappedFlags = Qt::TextWordWrap | Qt::TextExpandTabs;
constexpr int singleLineFlags = Qt::TextSingleLine | Qt::AlignVCenter;

} // namespace

OwnerDrawDelegate::OwnerDrawDelegate(Style style, QWidget* control, const HatchTables& tables, const int* swatchWidth)
    : QStyledItemDelegate(control), m_style(style), m_control(control), m_tables(tables), m_swatchWidth(swatchWidth)
{
}

int OwnerDrawDelegate::availableWidth() const
{
    int width = 0;
    if (auto* view = qobject_cast<QAbstractItemView*>(m_control)) {
        // A list not yet shown has not laid out its viewport.
        width = view->isVisible() ? view->viewport()->width() : view->contentsRect().width();
    } else if (auto* combo = qobject_cast<QComboBox*>(m_control)) {
        // The drop-down list is at least as wide as the combo box.
        width = std::max(combo->view() ? combo->view()->viewport()->width() : 0, combo->width());
    }
    return width > 0 ? width : 100;
}

QSize OwnerDrawDelegate::measure(const QString& text, const QFont& font, int width) const
{
    const QFontMetrics metrics(font);
    if (m_style == HatchCombo) {
        const QRect line = metrics.boundingRect(QRect(0, 0, 0, 0), singleLineFlags, text);
        const int height = std::max(line.height(), metrics.height()) * 2;
        return QSize(line.width() + 2 * marginX, height + 2 * marginY);
    }
    const QRect area(0, 0, std::max(1, width - 2 * marginX), 0);
    const QRect measured = metrics.boundingRect(area, wrappedFlags, text);
    // An empty text still takes one line.
    const int height = std::max(measured.height(), metrics.height());
    return QSize(measured.width() + 2 * marginX, height + 2 * marginY);
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return measure(index.data(Qt::DisplayRole).toString(), option.font, availableWidth());
}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, palette.color(QPalette::Highlight));
    else
        painter->fillRect(option.rect, palette.color(index.row() % 2 == 0 ? QPalette::Light : QPalette::Base));
    if (index.isValid() && index.row() >= 0)
        paintContent(painter, option.rect, index, option.font, palette, selected);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect;
        focus.backgroundColor = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = option.widget ? option.widget : m_control;
        widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

void OwnerDrawDelegate::paintContent(QPainter* painter, const QRect& rect, const QModelIndex& index, const QFont& font,
                                     const QPalette& palette, bool selected) const
{
    const QRect inner = rect.adjusted(marginX, marginY, -marginX, -marginY);
    const QString text = index.data(Qt::DisplayRole).toString();
    QColor textColour = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    // The combo's hatch items have no colour of their own.
    const QVariant own = index.data(ItemRole::OwnColour);
    if (m_style != HatchCombo && own.isValid())
        textColour = QColor::fromRgb(static_cast<QRgb>(own.toUInt() | 0xFF000000u)); // alpha dropped
    painter->save();
    painter->setFont(font);
    painter->setPen(textColour);
    painter->drawText(inner, m_style == HatchCombo ? singleLineFlags : wrappedFlags, text);
    painter->restore();

    if (m_style == ColourText || !m_swatchWidth || *m_swatchWidth < 0)
        return;
    const QString patternName = index.data(ItemRole::PatternName).toString();
    if (patternName.isEmpty())
        return;
    const int h = inner.height();
    const double inset = h * 0.125;
    const QRectF swatch(inner.x() + inner.width() - *m_swatchWidth - marginX, inner.y() + inset, *m_swatchWidth,
                        h - 2 * inset);
    DrawSwatch(painter, swatch, patternName.toStdWString(), index.data(ItemRole::PatternKind).toInt(), m_tables);
}

void OwnerDrawDelegate::DrawSwatch(QPainter* painter, const QRectF& swatch, const std::wstring& name, int kind,
                                   const HatchTables& tables)
{
    if (name.empty() || !tables.vectors || !tables.bitmaps || !tables.inbuilts || swatch.width() <= 0 ||
        swatch.height() <= 0)
        return;
    HatchListEntry entry(kind, name, std::wstring());
    if (!HatchListEntry::Resolve(*tables.bitmaps, entry, *tables.vectors, *tables.inbuilts, false))
        return;
    painter->save();
    try {
        // The swatch is given in the painter's coordinates; the hatch drawing works in millimetres of
        // the device, so the rectangle goes to device pixels and from there to millimetres.
        const QTransform base = painter->worldTransform();
        const QRectF device = base.mapRect(swatch);
        painter->setClipRect(swatch, painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        ORBAX_Platform::Graphics graphics(*painter);
        graphics.setSmoothing(true);
        bool invertible = false;
        const QTransform toWorld = graphics.worldToDevice().inverted(&invertible);
        if (invertible) {
            const QRectF world = toWorld.mapRect(device);
            HatchListEntry::Draw(*tables.bitmaps, *tables.inbuilts, entry, graphics, world, world, *tables.vectors,
                                 false);
        }
    } catch (...) {
        // A swatch that cannot be drawn is left out; painting must go on.
    }
    painter->restore();
    painter->save();
    QPen outline(QColor::fromRgba(0xFF000000u));
    outline.setWidth(0);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    painter->restore();
}
