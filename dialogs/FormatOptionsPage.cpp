#include "dialogs/FormatOptionsPage.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "core/catalogue/Messages.h"
#include "dialogs/SchemaListExchange.h"
#include "platform/Paths.h"
#include "widgets/dialogs/ErrorList.h"

FormatOptionsPage::FormatOptionsPage(int resource, const QString& title, Mode mode,
                                     const ORBAX_Logging::SchemaDefinitionList* schemas, PropertySheet* sheet,
                                     QWidget* parent)
    : PropertyPage(resource, title, parent), m_schemas(schemas), m_mode(mode), m_sheetGiven(sheet)
{
    m_schemaList = new QListWidget(this);
    m_schemaList->setObjectName(QStringLiteral("id1182"));
    m_schemaList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_fieldCount = new QLabel(this);
    m_fieldCount->setObjectName(QStringLiteral("id1201"));
    m_fieldCount->setWordWrap(true);
    connect(m_schemaList, &QListWidget::itemSelectionChanged, this, &FormatOptionsPage::OnChange);
}

bool FormatOptionsPage::OnSetActive()
{
    if (!PropertyPage::OnSetActive())
        return false;
    FillValidSchemas(m_schemaList, m_schemas);
    if (!UpdateData(false))
        return false;
    OnChange();
    return true;
}

void FormatOptionsPage::OnChange()
{
    try {
        UpdateControls();
    } catch (const std::exception& e) {
        // A schema the configuration no longer has: shown in the error list, the page stays usable.
        ErrorEntries entries;
        addErrorEntry(ORBAX_Platform::wide_from_utf8(e.what()), entries, 0x30016);
        CErrorList list(entries, this);
        list.DoModal();
    }
}

void FormatOptionsPage::EnableSheetOk(bool enable)
{
    PropertySheet* owner = sheet() ? sheet() : m_sheetGiven;
    if (owner && owner->okButton())
        owner->okButton()->setEnabled(enable);
}

std::wstring FormatOptionsPage::SelectedSchemaFieldText() const
{
    int count = SelectedSchemaFieldCount(m_schemaList, m_schemas);
    return count < 0 ? std::wstring(L"unknown") : std::to_wstring(count);
}

void FormatOptionsPage::UpdateFieldCounts(unsigned fieldCount, const std::function<std::wstring()>& fileFields)
{
    switch (m_mode) {
    case BeforeWrite:
        m_fieldCount->setText(
            QString::fromStdWString(ORBAX_Utilities::format_message(181, {std::to_wstring(fieldCount)})));
        break;
    case BeforeRead:
        m_fieldCount->setText(
            QString::fromStdWString(ORBAX_Utilities::format_message(198, {fileFields(), SelectedSchemaFieldText()})));
        break;
    case SheetPage: m_fieldCount->clear(); break;
    }
    if (m_mode != SheetPage)
        EnableSheetOk(SelectedSchemaFieldCount(m_schemaList, m_schemas) >= 0);
}
