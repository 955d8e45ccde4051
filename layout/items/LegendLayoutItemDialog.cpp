#include "layout/items/LegendLayoutItemDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "printsetup/legend/LegendChoices.h"
#include "printsetup/pagesetup/FloatOneDecimal.h"
#include "widgets/dialogs/DataExchange.h"

CLegendLayoutItemDialog::CLegendLayoutItemDialog(const LegendLayoutItem& item, QWidget* parent)
    : DdxDialog(218, parent), m_item(std::make_shared<LegendLayoutItem>())
{
    // The copy: the style its own, the entries shared with the legend.
    m_item->Assign(item);
    setWindowTitle(QStringLiteral("Legend Properties"));

    auto combo = [this](int id, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QStringLiteral("id%1").arg(id));
        c->addItems(items);
        return c;
    };
    m_sort = combo(1324, LegendSortOrderNames());
    m_include = combo(1325, LegendIncludeModeNames());
    m_boxHeight = new QLineEdit(this);
    m_boxHeight->setObjectName(QStringLiteral("id1258"));
    m_boxWidth = new QLineEdit(this);
    m_boxWidth->setObjectName(QStringLiteral("id1009"));
    m_font = new QPushButton(this);
    m_font->setObjectName(QStringLiteral("id1329"));
    m_font->setAutoDefault(false);
    connect(m_font, &QPushButton::clicked, this, &CLegendLayoutItemDialog::OnFont);

    auto* grid = new QGridLayout(this);
    int row = 0;
    auto addRow = [&](const QString& text, QWidget* control, const QString& unit = QString()) {
        auto* label = new QLabel(text, this);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), row, 2);
        ++row;
    };
    addRow(QStringLiteral("&Sort order:"), m_sort);
    addRow(QStringLiteral("&Include:"), m_include);
    addRow(QStringLiteral("Box &width:"), m_boxWidth, QStringLiteral("mm"));
    addRow(QStringLiteral("Box &height:"), m_boxHeight, QStringLiteral("mm"));
    addRow(QStringLiteral("&Font:"), m_font);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(box, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);
}

bool CLegendLayoutItemDialog::OnInitDialog()
{
    const bool loaded = DdxDialog::OnInitDialog();
    m_font->setText(QString::fromStdWString(m_item->style.font.ToString()));
    return loaded;
}

void CLegendLayoutItemDialog::exchange(bool save)
{
    Ddx::ComboIndex(save, m_sort, m_item->sortOrder);
    Ddx::ComboIndex(save, m_include, m_item->includeMode);
    DDX_Float(save, m_boxHeight, m_item->style.boxHeight);
    DDX_Float(save, m_boxWidth, m_item->style.boxWidth);
}

void CLegendLayoutItemDialog::OnFont()
{
    if (m_item->style.font.Choose(this))
        m_font->setText(QString::fromStdWString(m_item->style.font.ToString()));
}

bool LegendLayoutItem::EditProperties(CQuorDoc&, const QPointF&)
{
    CLegendLayoutItemDialog dialog(*this);
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    Assign(*dialog.Item());
    return true;
}
