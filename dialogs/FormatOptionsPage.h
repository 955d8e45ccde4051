#pragma once
// What the three format option pages share: the mode they run in (a page of the options sheet, the
// only page before a file is read, or before a borehole is written), the sheet whose OK they enable in
// the last two, the configuration's schemas, and the schema list.
#include <cstdint>
#include <functional>
#include <string>

#include "core/model/SchemaList.h"
#include "widgets/dialogs/PropertySheet.h"

class QLabel;
class QListWidget;

class FormatOptionsPage : public PropertyPage {
    Q_OBJECT
public:
    enum Mode { SheetPage = 0, BeforeRead = 1, BeforeWrite = 2 };

    Mode mode() const { return m_mode; }
    QListWidget* schemaList() const { return m_schemaList; }
    QLabel* fieldCountText() const { return m_fieldCount; }

protected:
    FormatOptionsPage(int resource, const QString& title, Mode mode, const ORBAX_Logging::SchemaDefinitionList* schemas,
                      PropertySheet* sheet, QWidget* parent);

    // Refills the schema list, loads the controls and brings their states up to date.
    bool OnSetActive() override;
    // Brings the controls' states and texts up to date with the choices.
    virtual void UpdateControls() = 0;
    // Runs UpdateControls for a change the user made; a failure is shown, never thrown on.
    void OnChange();
    // Enables the OK button of the sheet the page runs in (modes 1 and 2).
    void EnableSheetOk(bool enable);
    // The field count of the selected schema as text, "unknown" without a selection.
    std::wstring SelectedSchemaFieldText() const;
    // The text under the schema list: before writing, the borehole's `fieldCount`; before reading, the
    // file's field count (asked of `fileFields` only then) beside the selected schema's. Outside the
    // sheet, OK is enabled only while a usable schema is selected.
    void UpdateFieldCounts(unsigned fieldCount, const std::function<std::wstring()>& fileFields);

    const ORBAX_Logging::SchemaDefinitionList* m_schemas;

private:
    Mode m_mode;
    PropertySheet* m_sheetGiven;
    QListWidget* m_schemaList;
    QLabel* m_fieldCount;
};
