#include "layout/items/LegendLayoutItemDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>

CLegendLayoutItemDialog::CLegendLayoutItemDialog(const LegendLayoutItem& item, QWidget* parent)
    : DdxDialog(218, parent), m_item(std::make_shared<LegendLayoutItem>())
{
    // The copy: the style its own, the entries shared with the legend.
    m_item->Assign(item);
    setWindowTitle(QStringLiteral("Legend Properties"));

    auto* grid = new QGridLayout(this);
    int row = 0;
    m_legend = AddLegendRows(this, grid, row);
    m_legend.font->setAutoDefault(false);
    connect(m_legend.font, &QPushButton::clicked, this, &CLegendLayoutItemDialog::OnFont);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(box, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);
}

bool CLegendLayoutItemDialog::OnInitDialog()
{
    const bool loaded = DdxDialog::OnInitDialog();
    m_legend.ShowFont(m_item->style.font);
    return loaded;
}

void CLegendLayoutItemDialog::exchange(bool save)
{
    m_legend.Exchange(save, m_item->sortOrder, m_item->includeMode, m_item->style);
}

void CLegendLayoutItemDialog::OnFont() { m_legend.ChooseFont(m_item->style.font, this); }

bool LegendLayoutItem::EditProperties(CQuorDoc&, const QPointF&)
{
    CLegendLayoutItemDialog dialog(*this);
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    Assign(*dialog.Item());
    return true;
}
