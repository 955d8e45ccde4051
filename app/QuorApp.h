#pragma once
// The desktop program's application object: made in main right after the QApplication, it owns the
// configuration, the start-up settings and the main window for the whole run. InitInstance runs the
// start-up, ExitInstance writes the settings back.
#include <locale>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "app/QuorLogCommandLine.h"
#include "config/Quor_Log_Config.h"
#include "dialogs/ApplicationServices.h"
#include "widgets/dialogs/ErrorList.h"

namespace ORBAX_Platform {
class ConsoleReports;
}

class CMainFrame;
class CQuorDoc;
class CQuorView;
class QPrinter;

// Installs the message facets and the code page 1252 text facets in the global locale for the
// application object's life, putting back the global locale it found when it goes. The application's
// first base, so that the facets are there before any base or member widens or narrows text (the
// inbuilt patterns' names among them).
struct QuorAppLocaleInstaller {
    QuorAppLocaleInstaller();
    ~QuorAppLocaleInstaller();
    std::locale previous;
};

class CQuorApp : private QuorAppLocaleInstaller, public ApplicationServices, public StartupSettings {
public:
    CQuorApp();
    virtual ~CQuorApp();
    CQuorApp(const CQuorApp&) = delete;
    CQuorApp& operator=(const CQuorApp&) = delete;

    // Start-up with the program's arguments (without the program name); false ends the program.
    virtual bool InitInstance(const std::vector<std::wstring>& arguments);
    // Shutdown; writes the settings only after a start-up that completed. Returns the exit code.
    virtual int ExitInstance();

    // Writes the profile values of the application (always "SaveSettings", the rest only while it is on).
    void SaveSettings();
    // Opens the configuration file in the desktop's editor for it; `target` names the file that failed
    // to load (empty: the file the saves write, which is the per-user file, copied there from the
    // program folder first when missing, unless the command line named another).
    void EditConfigurationFile(const std::wstring& target = std::wstring()) override;

    // Finds and reads the configuration into the tables: fills the problem list and the path of the
    // file read (empty when none was found).
    void LoadConfiguration(ErrorEntries& problems, std::wstring& configurationPath);
    // Writes the tables to the file the next start reads (QuorLogConfig::SavePath); a failure is
    // shown in the error list.
    void SaveConfiguration() override { m_config.SaveConfiguration(); }
    // Checks the bitmaps and hatch lists after an editor has changed them, shows the problems and,
    // while "SaveSettings" is on, saves the modified configuration.
    void ValidateHatchLists() override { m_config.ValidateHatchLists(m_saveSettings); }
    // The per-user folder of the configuration file.
    std::filesystem::path GetUserConfigurationFolder() const { return m_config.GetUserConfigurationFolder(); }

    // The current correlation site and hatch list; null when there is none.
    CorrelationDefinition* GetCorrelationSite() override;
    HatchList* GetHatchList() override;
    void SetCurrentHatchList(int id) override;
    void SetCurrentCorrelationSite(int id) override;

    // The configuration's tables and the loader that fills and writes them.
    ConfigurationTables& Tables() override { return m_tables; }
    QuorLogConfig& Configuration() override { return m_config; }
    // The machine-wide client mode: the configuration comes from the program folder only.
    bool ClientMode() const override { return m_config.clientMode; }
    StartupSettings& Startup() override { return *this; }

    // Commands of the application.
    void OnHelpTopics();
    void OnReleaseNotes() override;
    void OnGettingStartedGuide() override;
    void OnAppAbout();

    // The recent-file list (four files, most recent first), kept in the profile.
    const std::vector<std::wstring>& GetRecentFiles() const { return m_recentFiles; }
    // Puts the file (made absolute) at the top, once; the list keeps its four most recent files.
    void AddToRecentFileList(const std::wstring& path) override;
    // Drops the file from the list (a file that is gone).
    void RemoveFromRecentFileList(const std::wstring& path) override;

    CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
    CQuorDoc* GetDocument() const { return m_document.get(); }
    CQuorView* GetView() const { return m_view; }

    // The configuration: traces, patterns, hatch lists, correlation sites, schemas and the current
    // hatch list and site ids.
    ConfigurationTables m_tables;
    QuorLogConfig m_config{m_tables};

protected:
    // Shows the problems of the configuration load and offers to edit a broken file; false when
    // start-up must end.
    bool ReportConfigurationProblems(const ErrorEntries& problems, const std::wstring& configurationPath);
    // The command line's shell command (new borehole, open or print a file); false ends start-up.
    bool ProcessShellCommand(const CQuorLogCommandLine& commandLine);
    // "-p file" and "-pt file printer": opens the file into the left pane and prints it without a
    // dialog. True when every page went to the printer; otherwise the user has been told why.
    bool PrintShellFile(const CQuorLogCommandLine& commandLine);
    // The printer a shell print goes to: the default one, or the one named after the file. None
    // when there is no such printer (or no name after "-pt file"), with the reason for the message.
    virtual std::unique_ptr<QPrinter> ShellPrinter(const CQuorLogCommandLine& commandLine, std::wstring& reason);
    // Where a print from the command line writes its messages: the standard error.
    virtual std::ostream& ConsoleOutput();
    // A list of problems: the error list over the main window, or, in a print from the command line,
    // its caption and lines among the messages.
    void ShowProblemList(const ErrorEntries& problems, const std::wstring& caption = std::wstring());
    // The profile values of the application, the current site and hatch list and the format options.
    void ReadSettings();
    // The welcome dialog, while the profile asks for it.
    void ShowWelcome();

private:
    // Where the loader looks and how it reports: the profile's folders, client mode, the command
    // line's file, and the error list and message box as its windows.
    void SetUpConfiguration(const CQuorLogCommandLine& commandLine);
    void CreateMainWindow();
    void OpenProgramFile(const wchar_t* name);

    std::unique_ptr<CQuorDoc> m_document;
    std::unique_ptr<CMainFrame> m_mainFrame;
    CQuorView* m_view = nullptr; // owned by the frame
    QByteArray m_windowPlacement;
    std::vector<std::wstring> m_recentFiles;
    bool m_started = false;
    // What the program returns: 1 when a print asked for on the command line did not print.
    int m_exitCode = 0;
    // A print from the command line ("-p", "-pt"): no window, messages to the standard error.
    bool m_printing = false;
    std::unique_ptr<ORBAX_Platform::ConsoleReports> m_console;
};
