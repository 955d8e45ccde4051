#include "dialogs/OptionsProlog4.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "dialogs/SchemaListExchange.h"
#include "widgets/dialogs/DataExchange.h"

COptionsProlog4::COptionsProlog4(const Prolog4Options& options_, const ORBAX_Logging::SchemaDefinitionList* schemas,
                                 QWidget* parent)
    : FormatOptionsPage(322, QStringLiteral("Prolog 4 options"), SheetPage, schemas, nullptr, parent), options(options_)
{
    build();
}

COptionsProlog4::COptionsProlog4(const Prolog4Options& options_, const ORBAX_Logging::SchemaDefinitionList* schemas,
                                 const std::wstring& fileName, PropertySheet* sheet, QWidget* parent)
    : FormatOptionsPage(322, QStringLiteral("Prolog 4 options"), BeforeRead, schemas, sheet, parent), options(options_)
{
    try {
        ORBAX_Logging::Borehole_Prolog4::listTemplates(fileName, m_dataLogNames, m_dataLogFieldCounts);
    } catch (const std::exception&) {
        // A file that cannot be listed offers no data log; the user may still deduce the schema.
        m_dataLogNames.clear();
        m_dataLogFieldCounts.clear();
    }
    build();
}

void COptionsProlog4::build()
{
    m_deduce = new QButtonGroup(this);
    auto* deduce = new QRadioButton(QStringLiteral("&Deduce schema from Prolog file"), this);
    deduce->setObjectName(QStringLiteral("id1314"));
    auto* useSchema = new QRadioButton(QStringLiteral("&Use a QUOR_Log schema:"), this);
    useSchema->setObjectName(QStringLiteral("id1315"));
    m_deduce->addButton(deduce, 0);
    m_deduce->addButton(useSchema, 1);
    m_dataLogs = new QComboBox(this);
    m_dataLogs->setObjectName(QStringLiteral("id1316"));
    m_dataLogLabel = new QLabel(QStringLiteral("Data log:"), this);
    m_dataLogLabel->setObjectName(QStringLiteral("id1322"));
    m_dataLogLabel->setBuddy(m_dataLogs);

    auto* dataLog = new QHBoxLayout;
    dataLog->addWidget(m_dataLogLabel);
    dataLog->addWidget(m_dataLogs, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dataLog);
    layout->addWidget(deduce);
    layout->addWidget(useSchema);
    layout->addWidget(schemaList(), 1);
    layout->addWidget(fieldCountText());

    connect(m_deduce, &QButtonGroup::idClicked, this, &COptionsProlog4::OnChange);
    connect(m_dataLogs, &QComboBox::activated, this, &COptionsProlog4::OnChange);
}

void COptionsProlog4::OnInitDialog()
{
    QSignalBlocker block(m_dataLogs);
    m_dataLogs->clear();
    for (std::size_t i = 0; i < m_dataLogNames.size(); ++i)
        m_dataLogs->addItem(QString::fromStdWString(m_dataLogNames[i]), static_cast<int>(i));
    m_dataLogs->setCurrentIndex(-1);
    if (mode() != BeforeRead) {
        fieldCountText()->hide();
        m_dataLogs->hide();
        m_dataLogLabel->hide();
        m_dataLogs->setEnabled(false);
    }
}

void COptionsProlog4::exchange(bool save)
{
    if (mode() == BeforeRead) {
        if (save) {
            if (m_dataLogs->currentIndex() >= 0)
                options.dataLogIndex = static_cast<std::uint32_t>(m_dataLogs->currentData().toInt());
        } else {
            QSignalBlocker block(m_dataLogs);
            m_dataLogs->setCurrentIndex(m_dataLogs->findData(static_cast<int>(options.dataLogIndex)));
        }
    }
    DDX_SchemaList(save, schemaList(), options.schemaId);
    int choice = options.deduce ? 0 : 1;
    Ddx::Radio(save, m_deduce, choice);
    if (save && choice >= 0)
        options.deduce = choice == 0;
}

void COptionsProlog4::UpdateControls()
{
    const bool deduce = m_deduce->checkedId() == 0;
    schemaList()->setEnabled(!deduce);
    if (mode() != BeforeRead)
        return;

    bool valid = true;
    unsigned index = 0;
    if (!m_dataLogNames.empty()) {
        m_dataLogs->setEnabled(true);
        if (m_dataLogs->currentIndex() < 0)
            valid = false;
        else
            index = static_cast<unsigned>(m_dataLogs->currentData().toInt());
    } else {
        m_dataLogs->setEnabled(false);
    }

    if (!deduce) {
        const bool known = index < m_dataLogFieldCounts.size();
        const unsigned logFields = known ? m_dataLogFieldCounts[index] : 0;
        const std::wstring logText = known ? std::to_wstring(logFields) : std::wstring(L"unknown");
        const int schemaFields = SelectedSchemaFieldCount(schemaList(), m_schemas);
        if (schemaFields < 0) {
            fieldCountText()->setText(QString::fromStdWString(ORBAX_Utilities::format_message(244, {logText})));
            valid = false;
        } else {
            fieldCountText()->setText(QString::fromStdWString(
                ORBAX_Utilities::format_message(245, {logText, std::to_wstring(schemaFields)})));
            if (static_cast<unsigned>(schemaFields) != logFields)
                valid = false;
        }
    } else {
        fieldCountText()->clear();
    }
    EnableSheetOk(valid);
}
