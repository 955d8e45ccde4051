#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "printsetup/pagesetup/FloatOneDecimal.h"
#include "printsetup/pagesetup/PageSetupPages.h"
#include "widgets/dialogs/DataExchange.h"

namespace {

QLineEdit* MarginEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    edit->setMaximumWidth(70);
    return edit;
}

// "label" above or beside "edit mm".
QWidget* Labelled(QWidget* parent, const QString& label, QLineEdit* edit)
{
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* text = new QLabel(label, box);
    text->setBuddy(edit);
    grid->addWidget(text, 0, 0, 1, 2);
    grid->addWidget(edit, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("mm"), box), 1, 1);
    return box;
}

} // namespace

CPageSetup_Margins::CPageSetup_Margins(PageSetupSettings& settings, QWidget* parent)
    : PropertyPage(200, QStringLiteral("Margins"), parent), m_settings(settings)
{
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("id1237"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFixedSize(110, 150);

    m_top = MarginEdit(this, 1238);
    m_bottom = MarginEdit(this, 1239);
    m_left = MarginEdit(this, 1235);
    m_right = MarginEdit(this, 1236);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Labelled(this, QStringLiteral("&Top:"), m_top), 0, 1, Qt::AlignHCenter | Qt::AlignBottom);
    grid->addWidget(Labelled(this, QStringLiteral("&Left:"), m_left), 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_picture, 1, 1);
    grid->addWidget(Labelled(this, QStringLiteral("&Right:"), m_right), 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Labelled(this, QStringLiteral("&Bottom:"), m_bottom), 2, 1, Qt::AlignHCenter | Qt::AlignTop);
    grid->setRowStretch(3, 1);
}

QPixmap CPageSetup_Margins::PageIcon(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(size.width() * 0.12, size.height() * 0.04, size.width() * 0.76, size.height() * 0.92);
    const double fold = sheet.width() * 0.18;
    // The sheet with a folded corner.
    QPolygonF outline;
    outline << sheet.topLeft() << QPointF(sheet.right() - fold, sheet.top())
            << QPointF(sheet.right(), sheet.top() + fold) << sheet.bottomRight() << sheet.bottomLeft();
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::white);
    painter.drawPolygon(outline);
    painter.setBrush(QColor(0xD0, 0xD0, 0xD0));
    painter.drawPolygon(QPolygonF() << QPointF(sheet.right() - fold, sheet.top())
                                    << QPointF(sheet.right() - fold, sheet.top() + fold)
                                    << QPointF(sheet.right(), sheet.top() + fold));
    // The printed area inside the margins, dashed, with a log column and lines of a title block.
    const QRectF printed =
        sheet.adjusted(sheet.width() * 0.14, sheet.height() * 0.1, -sheet.width() * 0.14, -sheet.height() * 0.1);
    painter.setPen(QPen(QColor(0x40, 0x60, 0xA0), 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(printed);
    painter.setPen(Qt::NoPen);
    const QColor strata[] = {QColor(0xE8, 0xC8, 0x70), QColor(0x90, 0x90, 0x90), QColor(0x30, 0x30, 0x30),
                             QColor(0xC8, 0xA0, 0x60)};
    const double columnWidth = printed.width() * 0.22;
    const double bodyHeight = printed.height() * 0.72;
    for (int i = 0; i < 4; ++i)
        painter.fillRect(QRectF(printed.left() + printed.width() * 0.1,
                                printed.top() + printed.height() * 0.06 + i * bodyHeight / 4, columnWidth,
                                bodyHeight / 4),
                         strata[i]);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.0));
    for (int i = 0; i < 3; ++i) {
        const double y = printed.top() + printed.height() * (0.86 + 0.04 * i);
        painter.drawLine(QPointF(printed.left() + printed.width() * 0.45, y), QPointF(printed.right() - 3, y));
    }
    return pixmap;
}

void CPageSetup_Margins::OnInitDialog() { m_picture->setPixmap(PageIcon(QSize(110, 150))); }

bool CPageSetup_Margins::OnSetActive()
{
    PropertyPage::OnSetActive();
    return UpdateData(false);
}

void CPageSetup_Margins::exchange(bool save)
{
    DDX_FloatOneDecimal(save, m_top, m_settings.topMargin);
    DDX_FloatOneDecimal(save, m_bottom, m_settings.bottomMargin);
    DDX_FloatOneDecimal(save, m_left, m_settings.leftMargin);
    DDX_FloatOneDecimal(save, m_right, m_settings.rightMargin);
}
