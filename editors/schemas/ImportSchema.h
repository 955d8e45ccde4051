#pragma once
// Asks for a new schema's name, the Prolog 4 file or template it is taken from and the data log whose
// fields it copies (dialog 212).
#include <string>

#include "widgets/dialogs/DdxDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CImportSchema : public DdxDialog {
    Q_OBJECT
public:
    explicit CImportSchema(QWidget* parent = nullptr);

    // 1 a Prolog 4 file (the first filter was chosen), 0 a template file.
    int fileType = 0;
    std::wstring fileName;
    std::wstring schemaName;
    int dataLogIndex = 0;

    QPushButton* okButton() const { return m_ok; }

public slots:
    // The file prompt; on OK the file is shown and its data logs listed.
    void OnBrowse();
    void OnDataLogChange();

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    void ListDataLogs();
    void UpdateOk();
    void showFileName();

    QLineEdit* m_name;
    QLabel* m_file;
    QComboBox* m_dataLogs;
    QPushButton* m_ok;
};
