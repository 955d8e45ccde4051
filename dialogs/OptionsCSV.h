#pragma once
// The CSV options page (dialog 313): schema, quoting, quotes inside quotes with their escape
// character, heading rows, where an interbedded unit's own record stands and the rock type that marks
// it. Works on its own copy of the options; the caller takes the copy back after OK.
#include <string>

#include "core/options/FormatProfiles.h"
#include "dialogs/FormatOptionsPage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class SpinButton;

class COptionsCSV : public FormatOptionsPage {
    Q_OBJECT
public:
    // A page of the options sheet, with the always-ask box.
    COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options, bool alwaysAsk,
                QWidget* parent = nullptr);
    // Before the file is read.
    COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options,
                const std::wstring& fileName, PropertySheet* sheet, QWidget* parent = nullptr);
    // A file name given as a literal is a file name, never the always-ask flag.
    COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options, const wchar_t* fileName,
                PropertySheet* sheet, QWidget* parent = nullptr)
        : COptionsCSV(schemas, options, std::wstring(fileName), sheet, parent)
    {
    }
    // Before a borehole of `fieldCount` fields is written.
    COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options, unsigned fieldCount,
                PropertySheet* sheet, QWidget* parent = nullptr);

    CSVOptions options;
    bool alwaysAsk = false;

protected:
    void OnInitDialog() override;
    void exchange(bool save) override;
    void UpdateControls() override;

private:
    void build();
    // The fields of the file's first record, as text ("unknown" when the counter fails).
    std::wstring fileFieldText();

    std::wstring m_fileName;
    unsigned m_fieldCount = 0;
    bool m_fileCounted = false;
    std::wstring m_fileFields;

    QButtonGroup* m_quoting = nullptr;
    QButtonGroup* m_quoteQuote = nullptr;
    QLineEdit* m_escape = nullptr;
    QLineEdit* m_headingRows = nullptr;
    SpinButton* m_headingSpin = nullptr;
    QComboBox* m_location = nullptr;
    QLineEdit* m_rockType = nullptr;
    QWidget* m_rockTypeLabel = nullptr;
    QCheckBox* m_alwaysAsk = nullptr;
};
