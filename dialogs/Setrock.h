#pragma once
// "Set Rock Type": the rock types and percentages of a unit. One rock type stands alone; two are the
// first percentage and its remainder; three are two typed percentages and their remainder. Rows are
// added in order and removed from the last. Each rock type is chosen from the current hatch list,
// shown with its pattern. The dialog edits the caller's two sequences in place; the caller applies
// them to the unit only after OK. Elements beyond the third keep their rock types and percentages, and
// the third row's remainder leaves room for them.
#include <string>
#include <vector>

#include "config/HatchList.h"
#include "widgets/dialogs/DdxDialog.h"

class CHatchComboBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Setrock : public DdxDialog {
    Q_OBJECT
public:
    // An empty rock-type sequence gets one empty name, an empty percentage sequence one 100. The
    // hatch list may be null (nothing to choose from); the tables draw the swatches.
    Setrock(std::vector<std::wstring>& rockTypes, std::vector<int>& percentages, const HatchList* hatchList,
            const VectorTable& vectors, const BitmapTable& bitmaps, const InbuiltTable& inbuilts,
            QWidget* parent = nullptr);

    CHatchComboBox* rockTypeList(int row) const { return m_lists[row]; }

private slots:
    void OnSecondRockType();
    void OnThirdRockType();
    void OnChangePercentage();
    void OnKillFocusPercentage();
    void OnSelchangeRockType();

protected:
    // Fills the lists, loads the controls and validates.
    bool OnInitDialog() override;
    // Loads the controls from the sequences, or saves them into the sequences; a percentage edit
    // that does not hold a whole number is refused before anything is stored.
    void exchange(bool save) override;

private:
    void build(const VectorTable& vectors, const BitmapTable& bitmaps, const InbuiltTable& inbuilts);
    void FillList(CHatchComboBox* list);
    void RewriteRemainders();
    // Shows, hides and enables the rows and enables OK exactly when the choices are valid.
    void Validate();

    CHatchComboBox* m_lists[3] = {nullptr, nullptr, nullptr};
    bool m_useSecond = false;
    bool m_useThird = false;
    QCheckBox* m_second = nullptr;      // 1006
    QCheckBox* m_third = nullptr;       // 1007
    QLabel* m_remainder1 = nullptr;     // 1143
    QLabel* m_remainder2 = nullptr;     // 1139
    QLabel* m_remainder3 = nullptr;     // 1142
    QLineEdit* m_percentage1 = nullptr; // 1089
    QLineEdit* m_percentage2 = nullptr; // 1090
    QPushButton* m_ok = nullptr;
    const HatchList* m_hatchList;
    std::vector<std::wstring>* m_rockTypes;
    std::vector<int>* m_percentages;
    bool m_rewriting = false;
    // The percentages of the elements beyond the third, which have no row. Wide: a file may give
    // any whole numbers as percentages.
    long long m_beyondThird = 0;
    bool m_hasBeyondThird = false;
};
