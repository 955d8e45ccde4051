#pragma once
// The Prolog 2.1/3.0 options page (dialog 315): the schema that maps the file's lines to unit fields.
#include <string>

#include "core/options/FormatProfiles.h"
#include "dialogs/FormatOptionsPage.h"

class QCheckBox;

class COptionsProlog : public FormatOptionsPage {
    Q_OBJECT
public:
    // A page of the options sheet, with the always-ask box.
    COptionsProlog(const PrologOptions& options, const ORBAX_Logging::SchemaDefinitionList* schemas, bool alwaysAsk,
                   QWidget* parent = nullptr);
    // Before the file is read.
    COptionsProlog(const PrologOptions& options, const ORBAX_Logging::SchemaDefinitionList* schemas,
                   const std::wstring& fileName, PropertySheet* sheet, QWidget* parent = nullptr);
    // A file name given as a literal is a file name, never the always-ask flag.
    COptionsProlog(const PrologOptions& options, const ORBAX_Logging::SchemaDefinitionList* schemas,
                   const wchar_t* fileName, PropertySheet* sheet, QWidget* parent = nullptr)
        : COptionsProlog(options, schemas, std::wstring(fileName), sheet, parent)
    {
    }
    // Before a borehole of `fieldCount` fields is written.
    COptionsProlog(const PrologOptions& options, const ORBAX_Logging::SchemaDefinitionList* schemas,
                   unsigned fieldCount, PropertySheet* sheet, QWidget* parent = nullptr);

    PrologOptions options;
    bool alwaysAsk = false;

protected:
    void OnInitDialog() override;
    void exchange(bool save) override;
    void UpdateControls() override;

private:
    void build();
    std::wstring fileFieldText();

    std::wstring m_fileName;
    unsigned m_fieldCount = 0;
    bool m_fileCounted = false;
    std::wstring m_fileFields;
    QCheckBox* m_alwaysAsk = nullptr;
};
