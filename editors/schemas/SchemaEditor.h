#pragma once
// The schema editor: the configuration's schemas, each a named list of typed fields, on a copy of
// their own. Schemas are added empty, as copies or imported from a Prolog 4 file; their fields are
// added, edited, moved and deleted, and every change of a field checks the schema again, a schema
// that cannot be used being listed in red. The built-in schema "Basic" is listed first and cannot be
// changed: every start makes it anew, and the file never holds it.
#include <vector>

#include <QDialog>

#include "core/model/SchemaList.h"

class CColourListBox;
class QListWidget;
class QPushButton;

class CSchemaEditor : public QDialog {
    Q_OBJECT
public:
    // Copies every schema of the list, in order.
    explicit CSchemaEditor(const ORBAX_Logging::SchemaDefinitionList& schemas, QWidget* parent = nullptr);

    int DoModal();

    // The edited schemas, in the order the caller puts them back.
    const std::vector<ORBAX_Logging::SchemaDefinition>& Schemas() const { return m_schemas; }

    // Shows message 249 and answers true when `name` is refused: it equals the name of a schema of
    // the copy ignoring case (the one being renamed included), is empty, or cannot be written.
    bool NameExists(std::wstring& name);

    // The text colour of a schema that fails validation.
    static constexpr unsigned InvalidColour = 0xFFFF0000u;

public slots:
    void OnAddSchema();
    void OnImport();
    void OnDeleteSchema();
    void OnRename();
    void OnMessages();
    void OnSelchangeSchema();
    void OnAddField();
    void OnEditField();
    void OnDeleteField();
    void OnMoveUp();
    void OnMoveDown();
    void OnSelchangeField();

private:
    void importSchema();
    // The position in the copy of the selected schema; -1 for none.
    int selectedSchema() const;
    int selectedField() const;
    // Whether the schema at `position` is the built-in one, which cannot be changed.
    bool isBuiltIn(int position) const { return position == 0 && m_builtInFirst; }

    // Adds the line of the schema at `position` at its sorted place; returns the line.
    int addSchemaLine(int position);
    void colourLine(int line);
    void appendSchema(ORBAX_Logging::SchemaDefinition schema);
    void FillFields();
    void UpdateButtons();
    void revalidate(int position);
    QString fieldLine(const ORBAX_Logging::FieldDefinition& field) const;
    // Moves the selected field one place up (-1) or down (+1).
    void moveField(int step);

    std::vector<ORBAX_Logging::SchemaDefinition> m_schemas;
    bool m_builtInFirst = false;

    CColourListBox* m_schemaList;
    QListWidget* m_fieldList;
    QPushButton* m_delete;
    QPushButton* m_rename;
    QPushButton* m_messages;
    QPushButton* m_addField;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_deleteField;
    QPushButton* m_editField;
};

// Replaces the configuration's schemas by the edited ones, in their order: schemas that came from the
// list keep their ids, added ones (id 0) get new ids never given before.
void applySchemaList(ORBAX_Logging::SchemaDefinitionList& schemas,
                     const std::vector<ORBAX_Logging::SchemaDefinition>& edited);
