#pragma once
// The hatch list editor: adds, renames and deletes hatch lists and the rock types of a list, and
// gives each rock type its pattern kind and pattern. It works on a copy of the application's hatch
// lists; after OK the launcher puts `hatchLists` back into the configuration, Cancel drops it.
#include <string>
#include <vector>

#include <QDialog>

#include "config/HatchList.h"
#include "widgets/controls/NamedRecordCombo.h"

class CHatchListBox;
class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

class CHatchListEditor : public QDialog {
    Q_OBJECT
public:
    // Copies every hatch list of the table, in ascending id. The pattern tables are the
    // application's, read only, and must outlive the editor.
    CHatchListEditor(const HatchListTable& hatchListTable, const VectorTable& vectors, const BitmapTable& bitmaps,
                     const InbuiltTable& inbuilts, QWidget* parent = nullptr);

    // Runs the editor through the dialog service; QDialog::Accepted after OK.
    int DoModal();

    // The edited copy, handed back after OK.
    std::vector<HatchList> hatchLists;

private slots:
    void OnSelchangeHatchList();
    void OnSelchangeRockType();
    void OnSelchangeElement();
    void OnPatternKind(int buttonId);
    void OnAddHatchList();
    void OnDeleteHatchList();
    void OnRenameHatchList();
    void OnAddRockType();
    void OnDeleteRockType();
    void OnRenameRockType();
    void OnHelp();

private:
    void build();
    void OnInitDialog();
    // The selected list and entry; null when none.
    HatchList* SelectedList();
    HatchListEntry* SelectedEntry();
    // Refills the element combo with the names of the table of `kind`, item data = the pattern's id.
    void FillElementCombo(int kind);
    // The element step: the entry takes the chosen pattern (none without a choice) and is resolved.
    void StoreElement();
    // Gives the item its entry's text again at the same place, then its hatch and its colour: red
    // while the entry's pattern does not resolve.
    void RefreshItem(int index);
    void ShowEntryState(int index);
    void UpdateControls();

    const VectorTable* vectorTable;
    const BitmapTable* bitmapTable;
    const InbuiltTable* inbuiltTable;
    QComboBox* hatchListCombo; // 1274
    // The hatch lists by name in hatchListCombo.
    NamedRecordCombo m_lists;
    CHatchListBox* rockTypeList = nullptr;
    QButtonGroup* kindGroup = nullptr;   // 1281, 1282, 1283, 1285
    QComboBox* elementCombo = nullptr;   // 1284
    QPushButton* m_deleteList = nullptr; // 1264
    QPushButton* m_renameList = nullptr; // 1249
    QPushButton* m_addRock = nullptr;    // 1275
    QPushButton* m_deleteRock = nullptr; // 1276
    QPushButton* m_renameRock = nullptr; // 1277
};
