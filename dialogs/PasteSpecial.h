#pragma once
// Which fields of the copied unit to paste (dialog 130): one line per field of the target schema that
// a paste can carry (rock type, sample, seam, ply and the free fields).
#include <vector>

#include "core/model/FieldDefinition.h"
#include "widgets/dialogs/DdxDialog.h"

class QListWidget;

class CPasteSpecial : public DdxDialog {
    Q_OBJECT
public:
    explicit CPasteSpecial(const std::vector<ORBAX_Logging::FieldDefinition>* fields, QWidget* parent = nullptr);

    // One flag per field of the list, set for every field whose line is selected.
    std::vector<bool> GetSelectedFields() const;

    // The selected lines, one flag per line.
    std::vector<bool> selection;

    QListWidget* list() const { return m_list; }

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    const std::vector<ORBAX_Logging::FieldDefinition>* m_fields;
    std::vector<unsigned> m_lineField;
    QListWidget* m_list;
};

// Exchanges a list's multiple selection with one flag per line.
void DDX_ListSelection(bool save, QListWidget* list, std::vector<bool>& selected);
