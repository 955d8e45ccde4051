#pragma once
// The Prolog 4 options page (dialog 322): whether the schema is deduced from the file's template or a
// schema of the configuration is used, and, before a file is read, which of its data logs to read.
#include <string>
#include <vector>

#include "core/options/FormatProfiles.h"
#include "dialogs/FormatOptionsPage.h"

class QButtonGroup;
class QComboBox;
class QLabel;

class COptionsProlog4 : public FormatOptionsPage {
    Q_OBJECT
public:
    // A page of the options sheet.
    COptionsProlog4(const Prolog4Options& options, const ORBAX_Logging::SchemaDefinitionList* schemas,
                    QWidget* parent = nullptr);
    // Before the file is read: its data logs are listed at once (none when the file cannot be read).
    COptionsProlog4(const Prolog4Options& options, const ORBAX_Logging::SchemaDefinitionList* schemas,
                    const std::wstring& fileName, PropertySheet* sheet, QWidget* parent = nullptr);

    Prolog4Options options;

    const std::vector<std::wstring>& dataLogNames() const { return m_dataLogNames; }
    // Whether the choices allow OK before a read.

protected:
    void OnInitDialog() override;
    void exchange(bool save) override;
    void UpdateControls() override;

private:
    void build();

    std::vector<unsigned> m_dataLogFieldCounts;
    std::vector<std::wstring> m_dataLogNames;
    QButtonGroup* m_deduce = nullptr;
    QComboBox* m_dataLogs = nullptr;
    QLabel* m_dataLogLabel = nullptr;
};
