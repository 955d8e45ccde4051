#pragma once
// What the code below the application object needs of it: the configuration and its tables, the
// start-up settings that the options sheet changes, the current hatch list and correlation site, the
// recent-file list and the program's own files. The application implements it and hands itself to
// the document, the view and the dialogs right after making them; code that was handed none works
// with the defaults (no configuration, settings as on a first start).
#include <string>

#include <QString>

#include "config/Quor_Log_Config.h"
#include "core/options/FormatProfiles.h"

// The start-up settings: read from the profile at start-up, changed by the options sheet, and
// written back at the end while "SaveSettings" is on.
struct StartupSettings {
    bool m_saveSettings = false;
    bool m_developer = false;
    CSVOptions m_csvOptions;
    bool m_csvAlwaysAsk = false;
    PrologOptions m_prologOptions;
    bool m_prologAlwaysAsk = false;
    Prolog4Options m_prolog4Options;
    bool m_saveBackups = true;
    bool m_alwaysAskSchema = false;
    std::wstring m_defaultSchema;
    // The MIME type under which units travel through the clipboard.
    QString m_clipboardFormat;
};

class ApplicationServices {
public:
    virtual ~ApplicationServices() = default;

    // ---- The configuration
    // The tables: traces, patterns, hatch lists, correlation sites, schemas and the current ids.
    virtual ConfigurationTables& Tables() = 0;
    // The loader that fills and writes the tables.
    virtual QuorLogConfig& Configuration() = 0;
    // The machine-wide client mode: the configuration comes from the program folder only.
    virtual bool ClientMode() const = 0;
    // Writes the tables to the configuration file that the next start reads (QuorLogConfig::SavePath);
    // a failure is shown in the error list.
    virtual void SaveConfiguration() = 0;
    // Checks the bitmaps and hatch lists after an editor has changed them, shows the problems and,
    // while "SaveSettings" is on, saves the modified configuration.
    virtual void ValidateHatchLists() = 0;
    // Opens the configuration file in the desktop's editor for it (empty: the file the saves write).
    virtual void EditConfigurationFile(const std::wstring& target = std::wstring()) = 0;

    // ---- The current hatch list and correlation site
    // Null when there is none.
    virtual HatchList* GetHatchList() = 0;
    virtual CorrelationDefinition* GetCorrelationSite() = 0;
    // Makes the hatch list (or site) with this id the current one; 0 or an id the tables lack leaves
    // none current. The one way the current ids change after start-up.
    virtual void SetCurrentHatchList(int id) = 0;
    virtual void SetCurrentCorrelationSite(int id) = 0;

    // ---- Settings
    virtual StartupSettings& Startup() = 0;

    // ---- The recent-file list
    // Puts the file at the top, once; drops a file that is gone.
    virtual void AddToRecentFileList(const std::wstring& path) = 0;
    virtual void RemoveFromRecentFileList(const std::wstring& path) = 0;

    // ---- The program's files beside it
    virtual void OnReleaseNotes() = 0;
    virtual void OnGettingStartedGuide() = 0;
};
