#pragma once
// The Settings page of the options sheet: whether settings are remembered and borehole backups made,
// and the buttons that open the configuration file and the configuration editors. An editor works on
// a copy of one of the application's tables; after its OK the copy replaces the table at once, the
// configuration is marked changed, checked and, while settings are remembered, written to the file
// the next start reads, so that cancelling the sheet afterwards loses no accepted edit. In client
// mode the editors are replaced by the administrator's notice.
#include <functional>

#include "widgets/dialogs/PropertySheet.h"

class ApplicationServices;
class QCheckBox;
class QLabel;
class QPushButton;

class COptionsSettings : public PropertyPage {
    Q_OBJECT
public:
    COptionsSettings(bool rememberSettings, bool createBackups, bool editingDisabled, QWidget* parent = nullptr);

    // The application whose tables the editors change and whose configuration file the page opens;
    // without one the buttons do nothing.
    void SetApplication(ApplicationServices* app) { m_app = app; }

    bool m_rememberSettings;
    bool m_createBackups;
    bool m_editingDisabled;

    // The editor buttons' ids, in the page's order: schemas, vectors, bitmaps, hatch lists, trace
    // defaults, seams and plies.
    static constexpr int EditorButtons[6] = {1249, 1250, 1251, 1252, 1253, 1254};

public slots:
    void OnEditConfigurationFile();
    void OnEditSchemas();
    void OnEditVectors();
    void OnEditBitmaps();
    void OnEditHatchLists();
    void OnEditTraceDefaults();
    void OnEditSeamsAndPlies();

protected:
    void OnInitDialog() override;
    bool OnSetActive() override;
    void exchange(bool save) override;

private:
    // Runs `edit` (which shows an editor and, after its OK, puts the copy into the tables, returning
    // true) guarded against failures; after a true result marks the configuration changed, checks it
    // and saves it.
    void Launch(const std::function<bool(ApplicationServices&)>& edit);

    QCheckBox* m_rememberCheck;
    QCheckBox* m_backupsCheck;
    QPushButton* m_editFile;
    QPushButton* m_editors[6];
    QLabel* m_restartNote;
    QLabel* m_disabledNote;
    ApplicationServices* m_app = nullptr;
};
