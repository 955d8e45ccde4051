#pragma once
// "Field Details": the kind and description of one field of a schema.
#include <cstdint>
#include <string>

#include "core/model/FieldDefinition.h"
#include "widgets/dialogs/DdxDialog.h"

class QComboBox;
class QLineEdit;

class CFieldDefinition : public DdxDialog {
    Q_OBJECT
public:
    explicit CFieldDefinition(const ORBAX_Logging::FieldDefinition& field, QWidget* parent = nullptr);

    // The field after OK; the kind stays as it was while no kind is chosen, and every description
    // is accepted, the empty one included.
    std::int32_t kind;
    std::wstring description;

protected:
    void exchange(bool save) override;

private:
    QComboBox* m_kind;
    QLineEdit* m_description;
};
