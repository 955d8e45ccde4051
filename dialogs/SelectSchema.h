#pragma once
// Lists every schema of the configuration and returns the one the user picks (dialog 311).
#include <cstdint>
#include <string>

#include "core/model/SchemaList.h"
#include "widgets/dialogs/DdxDialog.h"

class QListWidget;

class CSelectSchema : public DdxDialog {
    Q_OBJECT
public:
    // Preselects the last schema whose name equals `name` ignoring case.
    CSelectSchema(const std::wstring& name, const ORBAX_Logging::SchemaDefinitionList* schemas,
                  QWidget* parent = nullptr);

    // The chosen schema's id; -1 when none.
    std::int32_t schemaId = -1;
    std::wstring name;

    QListWidget* list() const { return m_list; }

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    const ORBAX_Logging::SchemaDefinitionList* m_schemas;
    QListWidget* m_list;
};
