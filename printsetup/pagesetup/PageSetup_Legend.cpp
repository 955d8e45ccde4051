#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>

#include "printsetup/pagesetup/PageSetupPages.h"
#include "widgets/dialogs/DataExchange.h"

CPageSetup_Legend::CPageSetup_Legend(PageSetupSettings& settings, QWidget* parent)
    : PropertyPage(323, QStringLiteral("Legend"), parent), m_settings(settings)
{
    m_position = new QComboBox(this);
    m_position->setObjectName(QStringLiteral("id1323"));
    m_position->addItems({QStringLiteral("No legend"), QStringLiteral("Bottom of page"),
                          QStringLiteral("Right of page"), QStringLiteral("Beginning of document"),
                          QStringLiteral("End of document")});
    connect(m_position, &QComboBox::currentIndexChanged, this, &CPageSetup_Legend::EnableControls);

    auto* grid = new QGridLayout(this);
    int row = 0;
    AddLabelledRow(grid, row, QStringLiteral("&Position:"), m_position);
    m_legend = AddLegendRows(this, grid, row);
    connect(m_legend.font, &QPushButton::clicked, this, &CPageSetup_Legend::OnItemFont);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
}

bool CPageSetup_Legend::OnSetActive()
{
    PropertyPage::OnSetActive();
    const bool loaded = UpdateData(false);
    ShowFont();
    EnableControls();
    return loaded;
}

void CPageSetup_Legend::exchange(bool save)
{
    Ddx::ComboIndex(save, m_position, m_settings.legendPosition);
    m_legend.Exchange(save, m_settings.legendSort, m_settings.legendInclude, m_settings.legendStyle);
}

void CPageSetup_Legend::ShowFont() { m_legend.ShowFont(m_settings.legendStyle.font); }

void CPageSetup_Legend::EnableControls()
{
    const bool legend = m_position->currentIndex() > 0;
    m_legend.sort->setEnabled(legend);
    m_legend.include->setEnabled(legend);
}

void CPageSetup_Legend::OnItemFont() { m_legend.ChooseFont(m_settings.legendStyle.font, this); }
