#include "dialogs/OptionsProlog.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "core/prolog/Borehole_Prolog.h"
#include "dialogs/SchemaListExchange.h"
#include "widgets/dialogs/DataExchange.h"

COptionsProlog::COptionsProlog(const PrologOptions& options_, const ORBAX_Logging::SchemaDefinitionList* schemas,
                               bool alwaysAsk_, QWidget* parent)
    : FormatOptionsPage(315, QStringLiteral("Prolog options"), SheetPage, schemas, nullptr, parent), options(options_),
      alwaysAsk(alwaysAsk_)
{
    build();
}

COptionsProlog::COptionsProlog(const PrologOptions& options_, const ORBAX_Logging::SchemaDefinitionList* schemas,
                               const std::wstring& fileName, PropertySheet* sheet, QWidget* parent)
    : FormatOptionsPage(315, QStringLiteral("Prolog options"), BeforeRead, schemas, sheet, parent), options(options_),
      m_fileName(fileName)
{
    build();
}

COptionsProlog::COptionsProlog(const PrologOptions& options_, const ORBAX_Logging::SchemaDefinitionList* schemas,
                               unsigned fieldCount, PropertySheet* sheet, QWidget* parent)
    : FormatOptionsPage(315, QStringLiteral("Prolog options"), BeforeWrite, schemas, sheet, parent), options(options_),
      m_fieldCount(fieldCount)
{
    build();
}

void COptionsProlog::build()
{
    auto* schemaLabel = new QLabel(QStringLiteral("&Schema:"), this);
    schemaLabel->setBuddy(schemaList());
    m_alwaysAsk = new QCheckBox(QStringLiteral("&Always ask for import and export settings"), this);
    m_alwaysAsk->setObjectName(QStringLiteral("id1203"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schemaLabel);
    layout->addWidget(schemaList(), 1);
    layout->addWidget(fieldCountText());
    layout->addWidget(m_alwaysAsk);
}

void COptionsProlog::OnInitDialog()
{
    if (mode() == SheetPage) {
        fieldCountText()->hide();
    } else {
        m_alwaysAsk->setEnabled(false);
        m_alwaysAsk->hide();
        fieldCountText()->show();
    }
}

void COptionsProlog::exchange(bool save)
{
    DDX_SchemaList(save, schemaList(), options.schemaId);
    if (mode() == SheetPage)
        Ddx::Check(save, m_alwaysAsk, alwaysAsk);
}

std::wstring COptionsProlog::fileFieldText()
{
    if (!m_fileCounted) {
        m_fileCounted = true;
        try {
            // The number of entries the file's schema part declares; a file that cannot be read, or
            // that is no Prolog file, has an unknown number.
            ORBAX_Logging::LoadMessages messages;
            const int count = ORBAX_Logging::Borehole_Prolog::importSchema(m_fileName, messages);
            m_fileFields = count < 0 ? std::wstring(L"unknown") : std::to_wstring(count);
        } catch (const std::exception&) {
            m_fileFields = L"unknown";
        }
    }
    return m_fileFields;
}

void COptionsProlog::UpdateControls()
{
    UpdateFieldCounts(m_fieldCount, [this] { return fileFieldText(); });
}
