#include "dialogs/OptionsSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/ApplicationServices.h"
#include "editors/hatchlists/HatchListEditor.h"
#include "editors/patterns/BitmapEditor.h"
#include "editors/patterns/VectorEditor.h"
#include "editors/schemas/SchemaEditor.h"
#include "editors/sites/SeamsPliesEditor.h"
#include "editors/traces/TraceDefaultsEditor.h"
#include "widgets/controls/EditedTables.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/dialogs/DataExchange.h"

COptionsSettings::COptionsSettings(bool rememberSettings, bool createBackups, bool editingDisabled, QWidget* parent)
    : PropertyPage(187, QStringLiteral("Settings"), parent), m_rememberSettings(rememberSettings),
      m_createBackups(createBackups), m_editingDisabled(editingDisabled)
{
    m_rememberCheck = new QCheckBox(QStringLiteral("&Remember QUOR_Log settings between sessions"), this);
    m_rememberCheck->setObjectName(QStringLiteral("id1177"));
    m_backupsCheck = new QCheckBox(QStringLiteral("&Create backups of borehole files"), this);
    m_backupsCheck->setObjectName(QStringLiteral("id1227"));
    m_editFile = new QPushButton(QStringLiteral("&Edit configuration file"), this);
    m_editFile->setObjectName(QStringLiteral("id1178"));
    const char* const captions[6] = {"Edit &schemas",     "Edit &vectors",        "Edit &bitmaps",
                                     "Edit &hatch lists", "Edit &trace defaults", "Edit seams and &plies"};
    for (int i = 0; i < 6; ++i) {
        m_editors[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        m_editors[i]->setObjectName(QStringLiteral("id%1").arg(EditorButtons[i]));
        m_editors[i]->setAutoDefault(false);
    }
    m_editFile->setAutoDefault(false);
    m_restartNote = new QLabel(QStringLiteral("(Restart of QUOR_Log required for changes to take effect)"), this);
    m_restartNote->setObjectName(QStringLiteral("id1307"));
    m_disabledNote = new QLabel(QStringLiteral("Your administrator has disabled editing of the configuration file.  "
                                               "See help for more information."),
                                this);
    m_disabledNote->setObjectName(QStringLiteral("id1306"));
    m_disabledNote->setWordWrap(true);

    auto* configuration = new QGroupBox(QStringLiteral("Configuration"), this);
    auto* grid = new QGridLayout(configuration);
    grid->addWidget(m_editFile, 0, 0, 1, 2);
    for (int i = 0; i < 6; ++i)
        grid->addWidget(m_editors[i], 1 + i / 2, i % 2);
    grid->addWidget(m_restartNote, 4, 0, 1, 2);
    grid->addWidget(m_disabledNote, 5, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rememberCheck);
    layout->addWidget(m_backupsCheck);
    layout->addWidget(configuration);
    layout->addStretch(1);

    connect(m_editFile, &QPushButton::clicked, this, &COptionsSettings::OnEditConfigurationFile);
    connect(m_editors[0], &QPushButton::clicked, this, &COptionsSettings::OnEditSchemas);
    connect(m_editors[1], &QPushButton::clicked, this, &COptionsSettings::OnEditVectors);
    connect(m_editors[2], &QPushButton::clicked, this, &COptionsSettings::OnEditBitmaps);
    connect(m_editors[3], &QPushButton::clicked, this, &COptionsSettings::OnEditHatchLists);
    connect(m_editors[4], &QPushButton::clicked, this, &COptionsSettings::OnEditTraceDefaults);
    connect(m_editors[5], &QPushButton::clicked, this, &COptionsSettings::OnEditSeamsAndPlies);
}

void COptionsSettings::OnInitDialog()
{
    m_disabledNote->setVisible(m_editingDisabled);
    m_restartNote->setVisible(!m_editingDisabled);
    if (!m_editingDisabled)
        return;
    m_editFile->hide();
    m_editFile->setEnabled(false);
    for (QPushButton* button : m_editors) {
        button->hide();
        button->setEnabled(false);
    }
}

bool COptionsSettings::OnSetActive() { return PropertyPage::OnSetActive() && UpdateData(false); }

void COptionsSettings::exchange(bool save)
{
    Ddx::Check(save, m_rememberCheck, m_rememberSettings);
    Ddx::Check(save, m_backupsCheck, m_createBackups);
}

void COptionsSettings::Launch(const std::function<bool(ApplicationServices&)>& edit)
{
    ApplicationServices* app = m_app;
    if (!app || m_editingDisabled)
        return;
    QuorGuard::RunGuarded(this, __FILE__, __LINE__, [&] {
        if (!edit(*app))
            return;
        app->Configuration().configurationModified = true;
        app->ValidateHatchLists();
    });
}

void COptionsSettings::OnEditConfigurationFile()
{
    if (ApplicationServices* app = m_app; app && !m_editingDisabled)
        QuorGuard::RunGuarded(this, __FILE__, __LINE__, [app] { app->EditConfigurationFile(); });
}

void COptionsSettings::OnEditSchemas()
{
    Launch([this](ApplicationServices& app) {
        CSchemaEditor editor(app.Tables().schemas, this);
        if (editor.DoModal() != QDialog::Accepted)
            return false;
        applySchemaList(app.Tables().schemas, editor.Schemas());
        return true;
    });
}

void COptionsSettings::OnEditVectors()
{
    Launch([this](ApplicationServices& app) {
        CVectorEditor editor(app.Tables().vectors, this);
        if (editor.DoModal() != QDialog::Accepted)
            return false;
        EditedTables::ApplyVectors(app.Tables(), editor.patterns);
        return true;
    });
}

void COptionsSettings::OnEditBitmaps()
{
    Launch([this](ApplicationServices& app) {
        CBitmapEditor editor(app.Tables().bitmaps, this);
        if (editor.DoModal() != QDialog::Accepted)
            return false;
        EditedTables::ApplyBitmaps(app.Tables(), editor.patterns);
        return true;
    });
}

void COptionsSettings::OnEditHatchLists()
{
    Launch([this](ApplicationServices& app) {
        ConfigurationTables& tables = app.Tables();
        CHatchListEditor editor(tables.hatchLists, tables.vectors, tables.bitmaps, tables.inbuilts, this);
        if (editor.DoModal() != QDialog::Accepted)
            return false;
        EditedTables::ApplyHatchLists(tables, editor.hatchLists);
        return true;
    });
}

void COptionsSettings::OnEditTraceDefaults()
{
    Launch([this](ApplicationServices& app) {
        CTraceDefaultsEditor editor(app.Tables().traceDefinitions, this);
        if (editor.DoModal() != QDialog::Accepted)
            return false;
        app.Tables().traceDefinitions = editor.Definitions();
        return true;
    });
}

void COptionsSettings::OnEditSeamsAndPlies()
{
    Launch([this](ApplicationServices& app) {
        CSeamsPliesEditor editor(app.Tables().correlations, this);
        if (editor.DoModal() != QDialog::Accepted)
            return false;
        EditedTables::Replace(app.Tables().correlations, editor.Sites());
        return true;
    });
}
