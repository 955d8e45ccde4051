#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "printsetup/legend/LegendChoices.h"
#include "printsetup/pagesetup/FloatOneDecimal.h"
#include "printsetup/pagesetup/PageSetupPages.h"
#include "widgets/dialogs/DataExchange.h"

namespace {

QComboBox* List(QWidget* parent, int id, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("id%1").arg(id));
    combo->addItems(items);
    return combo;
}

} // namespace

CPageSetup_Legend::CPageSetup_Legend(PageSetupSettings& settings, QWidget* parent)
    : PropertyPage(323, QStringLiteral("Legend"), parent), m_settings(settings)
{
    m_position = List(this, 1323,
                      {QStringLiteral("No legend"), QStringLiteral("Bottom of page"), QStringLiteral("Right of page"),
                       QStringLiteral("Beginning of document"), QStringLiteral("End of document")});
    m_sort = List(this, 1324, LegendSortOrderNames());
    m_include = List(this, 1325, LegendIncludeModeNames());
    m_boxWidth = new QLineEdit(this);
    m_boxWidth->setObjectName(QStringLiteral("id1009"));
    m_boxHeight = new QLineEdit(this);
    m_boxHeight->setObjectName(QStringLiteral("id1258"));
    m_font = new QPushButton(this);
    m_font->setObjectName(QStringLiteral("id1329"));
    connect(m_font, &QPushButton::clicked, this, &CPageSetup_Legend::OnItemFont);
    connect(m_position, &QComboBox::currentIndexChanged, this, &CPageSetup_Legend::EnableControls);

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
    addRow(QStringLiteral("&Position:"), m_position);
    addRow(QStringLiteral("&Sort order:"), m_sort);
    addRow(QStringLiteral("&Include:"), m_include);
    addRow(QStringLiteral("Box &width:"), m_boxWidth, QStringLiteral("mm"));
    addRow(QStringLiteral("Box &height:"), m_boxHeight, QStringLiteral("mm"));
    addRow(QStringLiteral("&Font:"), m_font);
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
    Ddx::ComboIndex(save, m_sort, m_settings.legendSort);
    Ddx::ComboIndex(save, m_include, m_settings.legendInclude);
    DDX_Float(save, m_boxHeight, m_settings.legendStyle.boxHeight);
    DDX_Float(save, m_boxWidth, m_settings.legendStyle.boxWidth);
}

void CPageSetup_Legend::ShowFont() { m_font->setText(QString::fromStdWString(m_settings.legendStyle.font.ToString())); }

void CPageSetup_Legend::EnableControls()
{
    const bool legend = m_position->currentIndex() > 0;
    m_sort->setEnabled(legend);
    m_include->setEnabled(legend);
}

void CPageSetup_Legend::OnItemFont()
{
    if (m_settings.legendStyle.font.Choose(this))
        ShowFont();
}
