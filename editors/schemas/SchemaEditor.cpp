#include "editors/schemas/SchemaEditor.h"

#include <utility>

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QVBoxLayout>

#include "core/model/NoCaseCompare.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "editors/hatchlists/NewRecordDialog.h"
#include "editors/schemas/FieldDefinitionDialog.h"
#include "editors/schemas/ImportSchema.h"
#include "platform/services/Services.h"
#include "widgets/controls/ColourListBox.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/controls/PositionedItems.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DialogUnits.h"
#include "widgets/dialogs/ErrorList.h"
#include "widgets/dialogs/HelpPages.h"

using ORBAX_Logging::FieldDefinition;
using ORBAX_Logging::SchemaDefinition;

namespace {

constexpr unsigned kHelpContext = 0x20000 + 203;
constexpr int kCancelledByUser = 23;

// The field lines: the kind's keyword, a tab, the description, with the tab stop 60 dialog units in.
class FieldLineDelegate : public QStyledItemDelegate {
public:
    FieldLineDelegate(QObject* parent, qreal tabStop) : QStyledItemDelegate(parent), m_tabStop(tabStop) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setTabStopDistance(m_tabStop);
        layout.setWrapMode(QTextOption::NoWrap);
        painter->save();
        painter->setPen(
            item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(area, text, layout);
        painter->restore();
    }

private:
    qreal m_tabStop;
};

ConfigMessageList validationMessages(SchemaDefinition& schema)
{
    ORBAX_Logging::LoadMessages library;
    schema.validate(library);
    ConfigMessageList messages;
    appendLibraryErrors(library, messages);
    return messages;
}

} // namespace

CSchemaEditor::CSchemaEditor(const ORBAX_Logging::SchemaDefinitionList& schemas, QWidget* parent) : QDialog(parent)
{
    for (const ORBAX_Logging::SchemaPtr& schema : schemas)
        m_schemas.push_back(*schema);
    m_builtInFirst = !m_schemas.empty();

    setObjectName(QStringLiteral("dlg203"));
    setWindowTitle(QStringLiteral("Schema Editor"));

    m_schemaList = new CColourListBox(this);
    m_schemaList->setObjectName(QStringLiteral("id1241"));
    auto* addNew = EditorButton(QStringLiteral("Add &new..."), 1242, this);
    auto* import = EditorButton(QStringLiteral("&Import..."), 1252, this);
    m_delete = EditorButton(QStringLiteral("&Delete"), 1243, this);
    m_rename = EditorButton(QStringLiteral("&Rename"), 1249, this);
    m_messages = EditorButton(QStringLiteral("Messa&ges..."), 1251, this);
    m_fieldList = new QListWidget(this);
    m_fieldList->setObjectName(QStringLiteral("id1245"));
    m_fieldList->setItemDelegate(new FieldLineDelegate(m_fieldList, DialogUnits(this).x(60)));
    m_addField = EditorButton(QStringLiteral("&Add..."), 1244, this);
    m_up = EditorButton(QStringLiteral("Move &up"), 1246, this);
    m_down = EditorButton(QStringLiteral("Move do&wn"), 1247, this);
    m_deleteField = EditorButton(QStringLiteral("De&lete"), 1248, this);
    m_editField = EditorButton(QStringLiteral("&Edit"), 1250, this);
    QHBoxLayout* okCancelHelp = OkCancelHelpRow(this, [this] { HelpPages::ShowContext(this, kHelpContext); });

    auto* schemaLabel = new QLabel(QStringLiteral("&Schemas:"), this);
    schemaLabel->setBuddy(m_schemaList);
    auto* schemaButtons = new QVBoxLayout;
    for (QPushButton* b : {addNew, import, m_delete, m_rename, m_messages})
        schemaButtons->addWidget(b);
    schemaButtons->addStretch(1);
    auto* schemaRow = new QHBoxLayout;
    schemaRow->addWidget(m_schemaList, 1);
    schemaRow->addLayout(schemaButtons);

    auto* fields = new QGroupBox(QStringLiteral("&Fields"), this);
    auto* fieldButtons = new QVBoxLayout;
    for (QPushButton* b : {m_addField, m_up, m_down, m_deleteField, m_editField})
        fieldButtons->addWidget(b);
    fieldButtons->addStretch(1);
    auto* fieldRow = new QHBoxLayout(fields);
    fieldRow->addWidget(m_fieldList, 1);
    fieldRow->addLayout(fieldButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schemaLabel);
    layout->addLayout(schemaRow, 2);
    layout->addWidget(fields, 3);
    layout->addLayout(okCancelHelp);
    // Wider than its minimum, so that the field descriptions show beside their kinds.
    resize(DialogUnits(this).size(280, 260));

    connect(addNew, &QPushButton::clicked, this, &CSchemaEditor::OnAddSchema);
    connect(import, &QPushButton::clicked, this, &CSchemaEditor::OnImport);
    connect(m_delete, &QPushButton::clicked, this, &CSchemaEditor::OnDeleteSchema);
    connect(m_rename, &QPushButton::clicked, this, &CSchemaEditor::OnRename);
    connect(m_messages, &QPushButton::clicked, this, &CSchemaEditor::OnMessages);
    connect(m_addField, &QPushButton::clicked, this, &CSchemaEditor::OnAddField);
    connect(m_editField, &QPushButton::clicked, this, &CSchemaEditor::OnEditField);
    connect(m_deleteField, &QPushButton::clicked, this, &CSchemaEditor::OnDeleteField);
    connect(m_up, &QPushButton::clicked, this, &CSchemaEditor::OnMoveUp);
    connect(m_down, &QPushButton::clicked, this, &CSchemaEditor::OnMoveDown);
    // A click makes the line current before it selects it: the handler runs once the selection is made.
    connect(m_schemaList, &QListWidget::itemSelectionChanged, this, &CSchemaEditor::OnSelchangeSchema);
    connect(m_fieldList, &QListWidget::itemSelectionChanged, this, &CSchemaEditor::OnSelchangeField);
    connect(m_fieldList, &QListWidget::itemDoubleClicked, this, &CSchemaEditor::OnEditField);

    {
        QSignalBlocker block(m_schemaList);
        m_schemaList->ResetContent();
        for (std::size_t i = 0; i < m_schemas.size(); ++i)
            if (!m_schemas[i].name.empty())
                colourLine(addSchemaLine(static_cast<int>(i)));
        m_schemaList->SetCurSel(-1);
    }
    UpdateButtons();
}

int CSchemaEditor::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

int CSchemaEditor::addSchemaLine(int position)
{
    const QString text = QString::fromStdWString(m_schemas[static_cast<std::size_t>(position)].name);
    if (isBuiltIn(position))
        return m_schemaList->InsertString(0, text, position);
    // The others in case-insensitive order below the built-in schema.
    const NoCaseCompare compare;
    int line = 0;
    for (; line < m_schemaList->count(); ++line) {
        if (isBuiltIn(m_schemaList->ItemData(line)))
            continue;
        if (compare.Compare(m_schemaList->item(line)->text().toStdWString(), text.toStdWString()) > 0)
            break;
    }
    return m_schemaList->InsertString(line, text, position);
}

void CSchemaEditor::colourLine(int line)
{
    const int position = m_schemaList->ItemData(line);
    if (position < 0)
        return;
    if (m_schemas[static_cast<std::size_t>(position)].has(SchemaDefinition::Valid))
        m_schemaList->ClearItemColour(line);
    else
        m_schemaList->SetItemColour(line, InvalidColour);
}

int CSchemaEditor::selectedSchema() const { return m_schemaList->ItemData(m_schemaList->GetCurSel()); }

int CSchemaEditor::selectedField() const
{
    if (selectedSchema() < 0)
        return -1;
    // The selected line, not the current one: the list makes its first line current without selecting
    // it when it takes the focus.
    const int line = SortedItems::selectedRow(m_fieldList);
    return line < 0 ? -1 : m_fieldList->item(line)->data(Qt::UserRole).toInt();
}

bool CSchemaEditor::NameExists(std::wstring& name)
{
    const std::vector<std::wstring> names = EditorNames::NamesOf(m_schemas);
    return !EditorNames::AcceptName(this, name, names, EditorNames::DuplicateSchema);
}

void CSchemaEditor::UpdateButtons()
{
    const int schema = selectedSchema();
    const bool selected = schema >= 0;
    const bool editable = selected && !isBuiltIn(schema);
    const int line = SortedItems::selectedRow(m_fieldList);
    const bool field = editable && line >= 0;
    m_delete->setEnabled(editable);
    m_rename->setEnabled(editable);
    m_fieldList->setEnabled(selected);
    m_addField->setEnabled(editable);
    m_messages->setEnabled(selected && !m_schemas[static_cast<std::size_t>(schema)].has(SchemaDefinition::Valid));
    m_editField->setEnabled(field);
    m_deleteField->setEnabled(field);
    m_up->setEnabled(field && line > 0);
    m_down->setEnabled(field && line < m_fieldList->count() - 1);
}

QString CSchemaEditor::fieldLine(const FieldDefinition& field) const
{
    return QString::fromStdWString(ORBAX_Logging::fieldKindKeyword(field.kind) + L"\t" + field.name);
}

void CSchemaEditor::FillFields()
{
    QSignalBlocker block(m_fieldList);
    m_fieldList->clear();
    const int schema = selectedSchema();
    if (schema >= 0) {
        const auto& fields = m_schemas[static_cast<std::size_t>(schema)].fields;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            auto* item = new QListWidgetItem(fieldLine(fields[i]), m_fieldList);
            item->setData(Qt::UserRole, static_cast<int>(i));
        }
    }
    m_fieldList->setCurrentRow(-1);
}

void CSchemaEditor::OnSelchangeSchema()
{
    UpdateButtons();
    FillFields();
    UpdateButtons();
}

void CSchemaEditor::OnSelchangeField() { UpdateButtons(); }

void CSchemaEditor::revalidate(int position)
{
    ORBAX_Logging::LoadMessages dropped;
    EDITOR_GUARDED(m_schemas[static_cast<std::size_t>(position)].validate(dropped));
    for (int line = 0; line < m_schemaList->count(); ++line)
        if (m_schemaList->ItemData(line) == position)
            colourLine(line);
}

void CSchemaEditor::appendSchema(SchemaDefinition schema)
{
    m_schemas.push_back(std::move(schema));
    const int line = addSchemaLine(static_cast<int>(m_schemas.size() - 1));
    colourLine(line);
    m_schemaList->SetCurSel(line);
    FillFields();
    UpdateButtons();
}

void CSchemaEditor::OnAddSchema()
{
    const std::vector<std::wstring> names = EditorNames::NamesOf(m_schemas);
    CNewSchema prompt(names, this);
    if (prompt.DoModal() != QDialog::Accepted)
        return;
    std::wstring name = prompt.newName;
    if (NameExists(name))
        return;
    SchemaDefinition schema(name, {});
    if (prompt.copy) {
        // The source is matched exactly: a name that differs in case copies nothing.
        for (const SchemaDefinition& source : m_schemas)
            if (source.name == prompt.copyFrom) {
                schema.fields = source.fields;
                schema.flags = source.flags;
                break;
            }
    }
    appendSchema(std::move(schema));
}

void CSchemaEditor::OnImport() { EDITOR_GUARDED(importSchema()); }

void CSchemaEditor::importSchema()
{
    CImportSchema prompt(this);
    if (prompt.DoModal() != QDialog::Accepted)
        return;
    std::wstring name = prompt.schemaName;
    if (NameExists(name))
        return;
    if (prompt.fileType != 0 && prompt.fileType != 1) {
        QuorGuard::ReportInternalError(this, __FILE__, __LINE__, QuorGuard::SourceName::Stem);
        return;
    }
    SchemaDefinition schema(name, {});
    ORBAX_Logging::LoadMessages library;
    ORBAX_Logging::Borehole_Prolog4::importTemplate(prompt.fileName, schema, static_cast<unsigned>(prompt.dataLogIndex),
                                                    library);
    ConfigMessageList messages;
    appendLibraryErrors(library, messages);
    // A failed import adds nothing; warnings are shown, and the schema is added all the same.
    bool failed = false;
    for (const ConfigMessage& message : messages)
        failed = failed || (message.severity >= 3 && message.code != kCancelledByUser);
    if (hasReportableErrors(messages)) {
        CErrorList list(messages, this);
        list.DoModal();
    }
    if (failed)
        return;
    schema.name = name;
    schema.id = 0;
    appendSchema(std::move(schema));
}

void CSchemaEditor::OnDeleteSchema()
{
    const int position = selectedSchema();
    if (position < 0 || isBuiltIn(position))
        return;
    PositionedItems::Erase(m_schemas, m_schemaList, m_schemaList->GetCurSel());
    FillFields();
    UpdateButtons();
}

void CSchemaEditor::OnRename()
{
    const int position = selectedSchema();
    if (position < 0 || isBuiltIn(position))
        return;
    SchemaDefinition& schema = m_schemas[static_cast<std::size_t>(position)];
    std::wstring name = schema.name;
    if (!EditorNames::AskName(this, name, 216, 217, L"hidd_schemaeditor.htm") || NameExists(name))
        return;
    schema.name = name;
    const int line = m_schemaList->GetCurSel();
    PositionedItems::Rename(m_schemaList, line, QString::fromStdWString(name));
    colourLine(line);
}

void CSchemaEditor::OnMessages()
{
    const int position = selectedSchema();
    if (position < 0)
        return;
    EDITOR_GUARDED({
        ConfigMessageList messages = validationMessages(m_schemas[static_cast<std::size_t>(position)]);
        CErrorList list(messages, this);
        list.DoModal();
    });
}

void CSchemaEditor::OnAddField()
{
    const int position = selectedSchema();
    if (position < 0 || isBuiltIn(position))
        return;
    CFieldDefinition prompt(FieldDefinition(ORBAX_Logging::STRING, L"new_field"), this);
    if (prompt.DoModal() != QDialog::Accepted)
        return;
    auto& fields = m_schemas[static_cast<std::size_t>(position)].fields;
    fields.emplace_back(prompt.kind, prompt.description);
    auto* item = new QListWidgetItem(fieldLine(fields.back()), m_fieldList);
    item->setData(Qt::UserRole, static_cast<int>(fields.size() - 1));
    revalidate(position);
    SortedItems::selectQuietly(m_fieldList, m_fieldList->count() - 1);
    UpdateButtons();
}

void CSchemaEditor::OnEditField()
{
    const int position = selectedSchema();
    const int index = selectedField();
    if (position < 0 || index < 0 || isBuiltIn(position))
        return;
    FieldDefinition& field = m_schemas[static_cast<std::size_t>(position)].fields[static_cast<std::size_t>(index)];
    CFieldDefinition prompt(field, this);
    if (prompt.DoModal() != QDialog::Accepted)
        return;
    field.kind = prompt.kind;
    field.name = prompt.description;
    m_fieldList->item(SortedItems::selectedRow(m_fieldList))->setText(fieldLine(field));
    revalidate(position);
    UpdateButtons();
}

void CSchemaEditor::OnDeleteField()
{
    const int position = selectedSchema();
    const int index = selectedField();
    if (position < 0 || index < 0 || isBuiltIn(position))
        return;
    PositionedItems::Erase(m_schemas[static_cast<std::size_t>(position)].fields, m_fieldList,
                           SortedItems::selectedRow(m_fieldList));
    revalidate(position);
    UpdateButtons();
}

void CSchemaEditor::moveField(int step)
{
    const int position = selectedSchema();
    if (selectedField() < 0 || isBuiltIn(position))
        return;
    if (PositionedItems::MoveSelected(m_fieldList, m_schemas[static_cast<std::size_t>(position)].fields, step))
        UpdateButtons();
}

void CSchemaEditor::OnMoveUp() { moveField(-1); }

void CSchemaEditor::OnMoveDown() { moveField(+1); }

void applySchemaList(ORBAX_Logging::SchemaDefinitionList& schemas, const std::vector<SchemaDefinition>& edited)
{
    schemas.clear();
    for (const SchemaDefinition& schema : edited)
        ORBAX_Logging::InsertSchemaDefinition(schemas, schema, schemas.end());
}
