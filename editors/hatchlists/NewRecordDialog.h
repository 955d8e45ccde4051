#pragma once
// The small dialog that asks for the name of a new hatch list or schema and, optionally, for the
// existing record whose content the new one starts with. It only collects the answer: the calling
// editor refuses duplicate names and does the copying.
#include <string>
#include <vector>

#include "widgets/dialogs/DdxDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class NewRecordDialog : public DdxDialog {
    Q_OBJECT
public:
    // The answer, read by the caller after OK.
    bool copy = false;     // "Copy settings from:" checked
    std::wstring copyFrom; // the source combo's text
    std::wstring newName;  // the name typed
    std::vector<std::wstring> existingNames;

protected:
    struct Layout {
        int dialogId;
        const char* caption;
        const char* nameLabel;
        int nameEditId;
        int sourceComboId;
        bool sourceEditable; // a combo with an edit field (the schema dialog's)
    };
    NewRecordDialog(const Layout& layout, const std::vector<std::wstring>& names, QWidget* parent);

    // Lists the existing names (sorted), loads the controls and enables them.
    bool OnInitDialog() override;
    void exchange(bool save) override;

private slots:
    void UpdateControls();

private:
    QLineEdit* m_nameEdit = nullptr;
    QCheckBox* m_copyCheck = nullptr;
    QComboBox* m_sourceCombo = nullptr;
    QPushButton* m_ok = nullptr;
};

// "New Hatch List": the source is chosen from a drop-down list of the existing hatch lists.
class CNewHatchList : public NewRecordDialog {
    Q_OBJECT
public:
    explicit CNewHatchList(const std::vector<std::wstring>& names, QWidget* parent = nullptr);
};

// "New Schema": the source combo also has an edit field; only a chosen entry enables OK.
class CNewSchema : public NewRecordDialog {
    Q_OBJECT
public:
    explicit CNewSchema(const std::vector<std::wstring>& names, QWidget* parent = nullptr);
};
