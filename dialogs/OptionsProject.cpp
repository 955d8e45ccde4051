#include "dialogs/OptionsProject.h"

#include <stdexcept>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "config/Quor_Log_Config.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DataExchange.h"

namespace {

// A combo of records by their ids: loading selects the first entry that carries the id (none when
// none does); saving takes the selected entry's id and leaves the id alone without a selection.
void ComboByData(bool save, QComboBox* combo, int& id)
{
    if (!save) {
        combo->setCurrentIndex(combo->findData(id));
        return;
    }
    if (combo->currentIndex() >= 0)
        id = combo->currentData().toInt();
}

template <class Table>
void FillById(QComboBox* combo, const Table& table)
{
    combo->clear();
    for (const auto& entry : table) // the tables keep their records in ascending id
        combo->addItem(QString::fromStdWString(entry.second.name), entry.first);
    combo->setCurrentIndex(-1);
}

} // namespace

COptionsProject::COptionsProject(int siteId, const QString& projectName, int hatchListId,
                                 const std::wstring& defaultSchema, bool alwaysAsk,
                                 const ORBAX_Logging::SchemaDefinitionList* schemas, QWidget* parent)
    : PropertyPage(310, QStringLiteral("Project"), parent), m_siteId(siteId), m_projectName(projectName),
      m_hatchListId(hatchListId), m_defaultSchema(defaultSchema), m_alwaysAsk(alwaysAsk), m_schemas(schemas),
      m_mode(Full)
{
    build();
}

COptionsProject::COptionsProject(int mode, int id, QWidget* parent)
    : PropertyPage(310, QStringLiteral("Project"), parent), m_mode(mode)
{
    if (mode == SiteOnly)
        m_siteId = id;
    else if (mode == HatchListOnly)
        m_hatchListId = id;
    else
        throw std::runtime_error("Invalid COptionsProject flag");
    build();
}

void COptionsProject::build()
{
    m_siteCombo = new QComboBox(this);
    m_siteCombo->setObjectName(QStringLiteral("id1048"));
    m_siteLabel = new QLabel(QStringLiteral("&Site:"), this);
    m_siteLabel->setBuddy(m_siteCombo);
    m_hatchCombo = new QComboBox(this);
    m_hatchCombo->setObjectName(QStringLiteral("id1223"));
    m_hatchLabel = new QLabel(QStringLiteral("&Hatch list:"), this);
    m_hatchLabel->setObjectName(QStringLiteral("id1225"));
    m_hatchLabel->setBuddy(m_hatchCombo);
    m_projectEdit = new QLineEdit(this);
    m_projectEdit->setObjectName(QStringLiteral("id1174"));
    m_projectLabel = new QLabel(QStringLiteral("&Project name:"), this);
    m_projectLabel->setObjectName(QStringLiteral("id1224"));
    m_projectLabel->setBuddy(m_projectEdit);
    m_schemaList = new QListWidget(this);
    m_schemaList->setObjectName(QStringLiteral("id1182"));
    m_schemaLabel = new QLabel(QStringLiteral("&Default schema to use for new boreholes:"), this);
    m_schemaLabel->setObjectName(QStringLiteral("id1238"));
    m_schemaLabel->setBuddy(m_schemaList);
    m_alwaysAskCheck = new QCheckBox(QStringLiteral("&Always ask for new borehole schema"), this);
    m_alwaysAskCheck->setObjectName(QStringLiteral("id1203"));

    auto* grid = new QGridLayout;
    grid->addWidget(m_projectLabel, 0, 0);
    grid->addWidget(m_projectEdit, 0, 1);
    grid->addWidget(m_siteLabel, 1, 0);
    grid->addWidget(m_siteCombo, 1, 1);
    grid->addWidget(m_hatchLabel, 2, 0);
    grid->addWidget(m_hatchCombo, 2, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_schemaLabel);
    layout->addWidget(m_schemaList, 1);
    layout->addWidget(m_alwaysAskCheck);
}

void COptionsProject::OnInitDialog()
{
    if (m_mode == HatchListOnly) {
        m_siteCombo->hide();
        m_siteLabel->hide();
    }
    if (m_mode == SiteOnly) {
        m_hatchCombo->hide();
        m_hatchLabel->hide();
    }
    if (m_mode != Full) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_projectEdit, m_projectLabel, m_schemaList, m_schemaLabel,
                                                          m_alwaysAskCheck})
            w->hide();
    }
}

bool COptionsProject::OnSetActive()
{
    if (!PropertyPage::OnSetActive())
        return false;
    // The configuration editors may have changed the tables since the page was last shown.
    if (m_tables) {
        if (m_mode != HatchListOnly)
            FillById(m_siteCombo, m_tables->correlations);
        if (m_mode != SiteOnly)
            FillById(m_hatchCombo, m_tables->hatchLists);
    }
    if (m_mode == Full) {
        m_schemaList->clear();
        if (m_schemas)
            for (const ORBAX_Logging::SchemaPtr& schema : *m_schemas)
                m_schemaList->addItem(QString::fromStdWString(schema->name));
    }
    return UpdateData(false);
}

void COptionsProject::exchange(bool save)
{
    if (m_mode != HatchListOnly)
        ComboByData(save, m_siteCombo, m_siteId);
    if (m_mode != SiteOnly)
        ComboByData(save, m_hatchCombo, m_hatchListId);
    if (m_mode != Full)
        return;
    std::wstring project = m_projectName.toStdWString();
    Ddx::Text(save, m_projectEdit, project);
    m_projectName = QString::fromStdWString(project);
    if (!save) {
        // The line that equals the name, ignoring case, before one that merely begins with it, so
        // that "A" stays the default when "AB" is listed first. No default chosen yet selects
        // nothing, so that OK does not choose one unasked.
        m_schemaList->setCurrentRow(SortedItems::findExactOrPrefix(m_schemaList, m_defaultSchema));
    } else {
        // The selected line only: the list makes its first line current, unselected, when it takes
        // the focus, and that is no choice of the user's.
        const int line = SortedItems::selectedRow(m_schemaList);
        QListWidgetItem* selected = line >= 0 ? m_schemaList->item(line) : nullptr;
        m_defaultSchema = selected ? selected->text().toStdWString() : std::wstring();
    }
    Ddx::Check(save, m_alwaysAskCheck, m_alwaysAsk);
}
