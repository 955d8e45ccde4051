#pragma once
// The Project page of the options sheet: the current correlation site and hatch list, the project
// name, the default schema of new boreholes and whether to ask for it. In its single-choice modes the
// page offers only the site (mode 1) or only the hatch list (mode 2).
#include <string>

#include <QString>

#include "core/model/SchemaList.h"
#include "widgets/dialogs/PropertySheet.h"

struct ConfigurationTables;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

class COptionsProject : public PropertyPage {
    Q_OBJECT
public:
    enum Mode { Full = 0, SiteOnly = 1, HatchListOnly = 2 };

    // The full page.
    COptionsProject(int siteId, const QString& projectName, int hatchListId, const std::wstring& defaultSchema,
                    bool alwaysAsk, const ORBAX_Logging::SchemaDefinitionList* schemas, QWidget* parent = nullptr);
    // A single choice: mode 1 holds `id` as the site id, mode 2 as the hatch list id; any other mode
    // throws std::runtime_error "Invalid COptionsProject flag".
    COptionsProject(int mode, int id, QWidget* parent = nullptr);

    // The tables whose correlation sites and hatch lists the lists offer, read again whenever the page
    // shows (the configuration editors may have changed them); none leaves the lists empty.
    void SetConfigurationTables(const ConfigurationTables* tables) { m_tables = tables; }

    int m_siteId = 0;
    QString m_projectName;
    int m_hatchListId = 0;
    std::wstring m_defaultSchema;
    bool m_alwaysAsk = false;
    const ORBAX_Logging::SchemaDefinitionList* m_schemas = nullptr;
    int m_mode = Full;

protected:
    void OnInitDialog() override;
    // Fills the lists from the given tables as they are now, then loads the controls.
    bool OnSetActive() override;
    void exchange(bool save) override;

private:
    void build();

    QLabel* m_siteLabel;
    QComboBox* m_siteCombo;
    QLabel* m_hatchLabel;
    QComboBox* m_hatchCombo;
    QLabel* m_projectLabel;
    QLineEdit* m_projectEdit;
    QLabel* m_schemaLabel;
    QListWidget* m_schemaList;
    QCheckBox* m_alwaysAskCheck;
    const ConfigurationTables* m_tables = nullptr;
};
