#include "app/QuorApp.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <system_error>

#include <QApplication>
#include <QMainWindow>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStackedWidget>

#include "app/MainFrame.h"
#include "core/catalogue/Messages.h"
#include "core/catalogue/StringTable.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "core/model/FileLimits.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/DesktopFormats.h"
#include "dialogs/FirstTimeSplash.h"
#include "docview/clipboard/ClipboardTransfer.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "platform/Paths.h"
#include "platform/services/ConsoleServices.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "resources/CommandIds.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/dialogs/HelpPages.h"

using ORBAX_Platform::Settings;
using ORBAX_Utilities::format_message;
using ORBAX_Utilities::get_message_wide;

namespace {

constexpr const wchar_t* kOptions = L"Options";
constexpr const wchar_t* kRecentSection = L"Recent File List";
constexpr std::size_t kRecentFileCount = 4;

constexpr std::uint32_t status(int level, int code)
{
    return (static_cast<std::uint32_t>(level) << 16) | static_cast<std::uint32_t>(code);
}

bool hasCode(const ErrorEntries& entries, int code)
{
    return std::any_of(entries.begin(), entries.end(), [code](const ErrorEntry& e) { return e.code == code; });
}

std::wstring programFile(const wchar_t* name)
{
    return ORBAX_Platform::wide_from_path(Settings::ProgramFolder() / ORBAX_Platform::path_from_wide(name));
}

bool samePath(const std::wstring& a, const std::wstring& b)
{
    std::error_code error;
    auto pa = ORBAX_Platform::path_from_wide(a);
    auto pb = ORBAX_Platform::path_from_wide(b);
    if (std::filesystem::exists(pa, error) && std::filesystem::exists(pb, error))
        return std::filesystem::equivalent(pa, pb, error);
    return pa.lexically_normal() == pb.lexically_normal();
}

} // namespace

QuorAppLocaleInstaller::QuorAppLocaleInstaller() { ORBAX_Utilities::install_message_facets(ProgramStringTable()); }

// Back to the locale from before rather than the classic one: whatever made the application object
// (a test among others) keeps the facets it had installed itself.
QuorAppLocaleInstaller::~QuorAppLocaleInstaller() { std::locale::global(previous); }

CQuorApp::CQuorApp()
{
    ORBAX_Platform::setMessageTitle(ORBAX_Utilities::get_message_wide(57344));
    // The configuration reports through the program's windows; a test replaces the services
    // behind them.
    m_config.showErrors = [this](const ConfigMessageList& problems) {
        CErrorList list(problems, m_mainFrame.get());
        list.DoModal();
    };
    m_config.showInternalError = [this](const std::wstring& text) {
        QuorGuard::ShowInternalError(m_mainFrame.get(), text);
    };
}

CQuorApp::~CQuorApp()
{
    m_mainFrame.reset();
    m_document.reset();
}

// ---------------------------------------------------------------------------------------------------
// Start-up

bool CQuorApp::InitInstance(const std::vector<std::wstring>& arguments)
{
    m_clipboardFormat = QString::fromLatin1(QuorBoreDataFormat);

    CQuorLogCommandLine commandLine;
    commandLine.Parse(arguments);
    m_developer = commandLine.developer;
    // A print from the command line shows no window and waits for no one: every message it has goes to
    // the standard error, and whatever ends it early ends it with a failure.
    m_printing = commandLine.PrintsOnly();
    if (m_printing) {
        m_console = std::make_unique<ORBAX_Platform::ConsoleReports>(ConsoleOutput(), get_message_wide(29602),
                                                                     get_message_wide(29603), get_message_wide(29604));
        m_exitCode = 1;
    }

    Settings recent(kRecentSection);
    m_recentFiles.clear();
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        std::wstring file = recent.readString(L"File" + std::to_wstring(i + 1), std::wstring());
        if (!file.empty())
            m_recentFiles.push_back(file);
    }

    SetUpConfiguration(commandLine);
    // A profile file left alone (a pipe or device in its place) is named; the program goes on with the
    // defaults and does not write that profile.
    for (const Settings::ProfileProblem& problem : Settings::ProfileProblems())
        ORBAX_Platform::showMessage(
            nullptr,
            format_message(
                1001, {ORBAX_Platform::wide_from_path(problem.file),
                       ORBAX_Logging::FileReadFailureText(problem.outcome, problem.code, Settings::MaxProfileBytes)}),
            ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Warning);

    ErrorEntries problems;
    std::wstring loadedPath;
    LoadConfiguration(problems, loadedPath);
    if (!ReportConfigurationProblems(problems, loadedPath))
        return false;

    ReadSettings();
    // No one can answer a format's options page: the file is read with the options it remembers, the
    // ones the page would start from.
    if (m_printing)
        m_csvAlwaysAsk = m_prologAlwaysAsk = false;

    CreateMainWindow();
    if (!ProcessShellCommand(commandLine))
        return false;

    if (m_windowPlacement.isEmpty() || !m_mainFrame->restoreGeometry(m_windowPlacement)) {
        // Where no window manager maximises it, the window still fills the screen.
        if (QScreen* screen = m_mainFrame->screen())
            m_mainFrame->setGeometry(screen->availableGeometry());
        m_mainFrame->showMaximized();
    } else
        m_mainFrame->show();
    m_mainFrame->update();

    ShowWelcome();
    m_started = true;
    return true;
}

bool CQuorApp::ReportConfigurationProblems(const ErrorEntries& problems, const std::wstring& configurationPath)
{
    if (hasReportableErrors(problems))
        ShowProblemList(problems, get_message_wide(219));
    if (!HasConfigFailure(problems))
        return true;
    // No file found, or one that cannot be opened: there is nothing to edit.
    if (hasCode(problems, 30) || hasCode(problems, 1))
        return false;
    // In client mode only the program folder's file is read, which the user is not meant to edit; a
    // print from the command line opens no editor.
    if (ClientMode() || m_printing)
        return false;
    std::wstring question = format_message(240, {configurationPath});
    if (ORBAX_Platform::showMessage(nullptr, question, ORBAX_Platform::MessageButtons::YesNo,
                                    ORBAX_Platform::MessageIcon::Error) == ORBAX_Platform::MessageResult::Yes) {
        // Edit the file the next start reads: the command line's file when one was named, else the
        // user's own copy (made from the program folder's file when missing).
        EditConfigurationFile(m_config.explicitPath.empty() ? std::wstring() : configurationPath);
    }
    return false;
}

void CQuorApp::SetUpConfiguration(const CQuorLogCommandLine& commandLine)
{
    m_config.userFolder = Settings::UserDataFolder();
    m_config.programFolder = Settings::ProgramFolder();
    m_config.clientMode = Settings::ClientMode();
    // A relative file is the program folder's, as the loader reads it; named in full, it is the
    // file that messages show and that the editor opens.
    m_config.explicitPath.clear();
    if (!commandLine.configurationPath.empty())
        m_config.explicitPath =
            ORBAX_Platform::wide_from_path(m_config.ConfigurationFilePath(commandLine.configurationPath));
}

void CQuorApp::LoadConfiguration(ErrorEntries& problems, std::wstring& configurationPath)
{
    // Client mode skips the command line's file and the per-user file: the loader knows.
    m_config.LoadConfiguration(problems, configurationPath);
}

void CQuorApp::ReadSettings()
{
    Settings options(kOptions);
    m_saveSettings = options.readInt(L"SaveSettings", 1) != 0;
    m_saveBackups = options.readInt(L"SaveBackups", 1) != 0;
    // The current correlation site and hatch list are named exactly as in the configuration; a name
    // it lacks leaves none current.
    m_tables.currentCorrelationSiteId = 0;
    std::wstring site = options.readString(L"CorrelationSite", std::wstring());
    if (!site.empty())
        for (const auto& [id, definition] : m_tables.correlations)
            if (definition.GetName() == site) {
                m_tables.currentCorrelationSiteId = id;
                break;
            }
    m_tables.currentHatchListId = 0;
    std::wstring hatchList = options.readString(L"HatchList", std::wstring());
    if (!hatchList.empty())
        for (const auto& [id, list] : m_tables.hatchLists)
            if (list.GetName() == hatchList) {
                m_tables.currentHatchListId = id;
                break;
            }

    for (const DesktopFormat& format : AllDesktopFormats())
        format.loadProfile(*this, m_tables.schemas);

    m_alwaysAskSchema = options.readInt(L"AlwaysAsk", 1) != 0;
    m_defaultSchema = options.readString(L"DefaultSchema", std::wstring());
    std::vector<std::uint8_t> placement = options.readBinary(L"WindowPlacement");
    m_windowPlacement = QByteArray(reinterpret_cast<const char*>(placement.data()), static_cast<int>(placement.size()));
}

void CQuorApp::CreateMainWindow()
{
    // Everything below the application reaches it through the interface handed in here.
    m_document = std::make_unique<CQuorDoc>(this);
    m_mainFrame = std::make_unique<CMainFrame>(m_developer);
    m_mainFrame->SetApplication(this);
    m_view = new CQuorView(m_document.get(), m_mainFrame->ViewStack());
    m_view->SetApplication(this);
    m_view->SetMainFrame(m_mainFrame.get());
    m_mainFrame->ShowView(m_view);
    m_view->OnInitialUpdate();
    m_document->RegisterLayoutCommands(*m_mainFrame, *m_view);
    m_mainFrame->SetRecentFiles(m_recentFiles);
    QObject::connect(m_mainFrame.get(), &CMainFrame::recentFileChosen, m_view,
                     [view = m_view](const std::wstring& path) { view->OnOpenRecentFile(path); });
    QObject::connect(m_document.get(), &CQuorDoc::titleChanged, m_mainFrame.get(),
                     [frame = m_mainFrame.get()](const QString& title) {
                         frame->setWindowTitle(CQuorDoc::WindowTitle(title.toStdWString()));
                     });

    CMainFrame* frame = m_mainFrame.get();
    m_document->SetPromptParent(frame);
    m_view->RegisterDocumentCommands(*frame);
    m_view->RegisterViewCommands(*frame);
    m_view->RegisterUnitCommands(*frame);
    frame->SetCloseQuery([document = m_document.get()] { return document->SaveModified(); });
    frame->SetCommandHandler(QuorCommand::ID_HELP_TOPICS, [this] { OnHelpTopics(); });
    frame->SetCommandHandler(QuorCommand::ID_RELEASE_NOTES, [this] { OnReleaseNotes(); });
    frame->SetCommandHandler(QuorCommand::ID_GETTING_STARTED_GUIDE, [this] { OnGettingStartedGuide(); });
    frame->SetCommandHandler(QuorCommand::ID_APP_ABOUT, [this] { OnAppAbout(); });
    frame->SetCommandHandler(QuorCommand::ID_PAGE_SETUP, [this] { m_view->OnPageSetup(); });
    m_view->RegisterPrintCommands(*frame);
}

bool CQuorApp::ProcessShellCommand(const CQuorLogCommandLine& commandLine)
{
    if (commandLine.shellCommand == CQuorLogCommandLine::FileNew)
        return m_document->OnNewDocument();
    if (commandLine.shellCommand == CQuorLogCommandLine::FileOpen) {
        // A file named on the command line (or opened from the desktop) goes into the left pane, its
        // reader chosen by its extension. One that cannot be read shows its problems; the program
        // starts all the same.
        m_document->OnNewDocument();
        ErrorEntries problems;
        QuorGuard::RunGuarded(m_mainFrame.get(), __FILE__, __LINE__,
                              [&] { m_document->openBoreholeByName(CQuorDoc::Left, commandLine.fileName, problems); });
        if (hasReportableErrors(problems))
            ShowProblemList(problems);
        return true;
    }
    // A print asked for by the shell ends the program whatever its outcome; a failure ends it with
    // a failure code.
    m_exitCode = PrintShellFile(commandLine) ? 0 : 1;
    return false;
}

void CQuorApp::ShowProblemList(const ErrorEntries& problems, const std::wstring& caption)
{
    if (!m_printing) {
        std::unique_ptr<CErrorList> list = caption.empty()
                                               ? std::make_unique<CErrorList>(problems, m_mainFrame.get())
                                               : std::make_unique<CErrorList>(problems, caption, m_mainFrame.get());
        list->DoModal();
        return;
    }
    // The list's lines, under its caption.
    std::wstring text = caption;
    for (const ErrorEntry& problem : problems)
        text += (text.empty() ? L"" : L"\n") + errorLine(problem);
    ORBAX_Platform::showMessage(nullptr, text, ORBAX_Platform::MessageButtons::Ok,
                                ORBAX_Platform::MessageIcon::Warning);
}

std::ostream& CQuorApp::ConsoleOutput() { return std::cerr; }

std::unique_ptr<QPrinter> CQuorApp::ShellPrinter(const CQuorLogCommandLine& commandLine, std::wstring& reason)
{
    QPrinterInfo info;
    if (commandLine.shellCommand == CQuorLogCommandLine::FilePrintTo) {
        if (commandLine.printerName.empty()) {
            reason = get_message_wide(29601);
            return nullptr;
        }
        info = QPrinterInfo::printerInfo(QString::fromStdWString(commandLine.printerName));
        if (info.isNull()) {
            reason = format_message(27168, {commandLine.printerName});
            return nullptr;
        }
    } else {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            reason = get_message_wide(27169);
            return nullptr;
        }
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool CQuorApp::PrintShellFile(const CQuorLogCommandLine& commandLine)
{
    const std::wstring& file = commandLine.fileName;
    // A printer problem says the file was not printed, a file problem that it could not be opened.
    auto refuseWith = [&](int message, const std::wstring& reason) {
        ORBAX_Platform::showMessage(m_mainFrame.get(), format_message(message, {file, reason}),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
        return false;
    };
    auto refuse = [&](const std::wstring& reason) { return refuseWith(1001, reason); };
    // The printer first: without one there is no point in reading (or asking about) the file.
    std::wstring reason;
    std::unique_ptr<QPrinter> printer = ShellPrinter(commandLine, reason);
    if (!printer)
        return refuseWith(390, reason);

    std::error_code error;
    if (!std::filesystem::exists(ORBAX_Platform::path_from_wide(file), error))
        return refuse(ORBAX_Utilities::SystemErrorText(ENOENT));
    m_document->OnNewDocument();
    ErrorEntries problems;
    bool opened = false;
    QuorGuard::RunGuarded(m_mainFrame.get(), __FILE__, __LINE__,
                          [&] { opened = m_document->openBoreholeByName(CQuorDoc::Left, file, problems); });
    // The reader's warnings come first, whether the file opened or not; its errors are the reason below.
    ErrorEntries warnings;
    std::copy_if(problems.begin(), problems.end(), std::back_inserter(warnings), [](const ErrorEntry& problem) {
        return problem.severity > 0 && problem.severity < 3 && problem.code != 23;
    });
    if (!warnings.empty())
        ShowProblemList(warnings);
    if (!opened) {
        // The reader's own words say what is wrong with the file.
        for (const ConfigMessage& problem : problems) {
            if (problem.severity < 3 && problem.code != 23)
                continue;
            if (!reason.empty())
                reason += L"\n";
            reason += problem.text;
        }
        return refuse(reason.empty() ? get_message_wide(27177) : reason);
    }
    printer->setDocName(QString::fromStdWString(m_document->GetTitle()));
    // The log's own refusals (no room for the log, nothing to print, a printer that will not start)
    // are told by the print routine.
    bool printed = false;
    QuorGuard::RunGuarded(m_mainFrame.get(), __FILE__, __LINE__, [&] { printed = m_view->PrintLog(*printer); });
    return printed;
}

void CQuorApp::ShowWelcome()
{
    Settings options(kOptions);
    if (options.readInt(L"ShowSplash", 1) == 0)
        return;
    CFirstTimeSplash splash(m_mainFrame.get());
    splash.SetApplication(this);
    splash.DoModal();
    if (!splash.ShowAtStartup())
        options.writeInt(L"ShowSplash", 0);
}

// ---------------------------------------------------------------------------------------------------
// Shutdown

int CQuorApp::ExitInstance()
{
    // A start-up that ended early never read the settings: writing them would turn "SaveSettings" off
    // for good.
    if (m_started)
        SaveSettings();
    m_mainFrame.reset();
    m_view = nullptr;
    m_document.reset();
    m_started = false;
    m_tables.Clear();
    m_console.reset();
    return m_exitCode;
}

void CQuorApp::SaveSettings()
{
    Settings options(kOptions);
    options.writeInt(L"SaveSettings", m_saveSettings ? 1 : 0);
    if (m_saveSettings) {
        options.writeInt(L"SaveBackups", m_saveBackups ? 1 : 0);
        CorrelationDefinition* site = GetCorrelationSite();
        options.writeString(L"CorrelationSite", site ? site->GetName() : std::wstring());
        // With no current hatch list the stored name stays as it was.
        if (HatchList* list = GetHatchList())
            options.writeString(L"HatchList", list->GetName());
        options.writeInt(L"AlwaysAsk", m_alwaysAskSchema ? 1 : 0);
        options.writeString(L"DefaultSchema", m_defaultSchema);

        for (const DesktopFormat& format : AllDesktopFormats())
            format.saveProfile(*this, m_tables.schemas);
    }
    // The recent-file list is the window's own record, kept whatever "SaveSettings" says.
    Settings recent(kRecentSection);
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        std::wstring key = L"File" + std::to_wstring(i + 1);
        if (i < m_recentFiles.size())
            recent.writeString(key, m_recentFiles[i]);
        else
            recent.remove(key);
    }
    recent.sync();
    options.sync();
}

CorrelationDefinition* CQuorApp::GetCorrelationSite()
{
    if (m_tables.currentCorrelationSiteId == 0)
        return nullptr;
    auto found = m_tables.correlations.find(m_tables.currentCorrelationSiteId);
    return found == m_tables.correlations.end() ? nullptr : &found->second;
}

HatchList* CQuorApp::GetHatchList() { return ::GetHatchList(m_tables.hatchLists, m_tables.currentHatchListId); }

void CQuorApp::SetCurrentHatchList(int id) { m_tables.currentHatchListId = id; }

void CQuorApp::SetCurrentCorrelationSite(int id) { m_tables.currentCorrelationSiteId = id; }

void CQuorApp::AddToRecentFileList(const std::wstring& name)
{
    // Kept in full, so that the entry opens the same file whatever the working folder of a later run.
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(ORBAX_Platform::path_from_wide(name), error);
    const std::wstring path = error ? name : ORBAX_Platform::wide_from_path(absolute.lexically_normal());
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                                       [&path](const std::wstring& f) { return samePath(f, path); }),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > kRecentFileCount)
        m_recentFiles.resize(kRecentFileCount);
    if (m_mainFrame)
        m_mainFrame->SetRecentFiles(m_recentFiles);
}

void CQuorApp::RemoveFromRecentFileList(const std::wstring& path)
{
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                                       [&path](const std::wstring& f) { return samePath(f, path); }),
                        m_recentFiles.end());
    if (m_mainFrame)
        m_mainFrame->SetRecentFiles(m_recentFiles);
}

// ---------------------------------------------------------------------------------------------------
// Opening files with the desktop

void CQuorApp::EditConfigurationFile(const std::wstring& target)
{
    ErrorEntries problems;
    try {
        std::wstring file = target;
        // Started with a file of the user's own on the command line, that file is the one to edit:
        // the per-user copy is not read by such a start.
        const std::filesystem::path saved = m_config.SavePath();
        if (file.empty() && !saved.empty() && saved != m_config.UserConfigurationPath())
            file = ORBAX_Platform::wide_from_path(saved);
        if (file.empty()) {
            m_config.MakeUserFolder(problems);
            std::filesystem::path user = m_config.UserConfigurationPath();
            file = ORBAX_Platform::wide_from_path(user);
            std::error_code error;
            if (!std::filesystem::exists(user, error)) {
                std::filesystem::path source = m_config.programFolder / QuorLogConfig::FileName;
                std::filesystem::copy_file(source, user, std::filesystem::copy_options::skip_existing, error);
                if (error)
                    addErrorEntry(format_message(1044, {ORBAX_Platform::wide_from_path(source), file,
                                                        ORBAX_Platform::wide_from_utf8(error.message())}),
                                  problems, status(3, 44));
            }
        }
        std::wstring reason;
        if (!ORBAX_Platform::shell().openFile(file, reason))
            addErrorEntry(format_message(1001, {file, reason}), problems, status(3, 1));
    } catch (const std::exception& e) {
        addErrorEntry(format_message(1043, {std::wstring(), ORBAX_Platform::widen_cp1252(e.what())}), problems,
                      status(3, 43));
    }
    if (HasConfigFailure(problems)) {
        CErrorList list(problems, m_mainFrame.get());
        list.DoModal();
    }
}

void CQuorApp::OpenProgramFile(const wchar_t* name)
{
    std::wstring path = programFile(name);
    std::wstring reason;
    // Only a regular file goes to the desktop's viewer: a pipe or device put in its place would make
    // the viewer wait or read without end.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(ORBAX_Platform::path_from_wide(path), error);
    if (!error && !std::filesystem::is_regular_file(status))
        ORBAX_Platform::showMessage(m_mainFrame.get(), format_message(1001, {path, get_message_wide(1091)}),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
    else if (!ORBAX_Platform::shell().openFile(path, reason))
        ORBAX_Platform::showMessage(m_mainFrame.get(), format_message(1001, {path, reason}),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
}

void CQuorApp::OnReleaseNotes() { OpenProgramFile(L"ReleaseNotes.txt"); }
void CQuorApp::OnGettingStartedGuide() { OpenProgramFile(L"Guide.pdf"); }

void CQuorApp::OnAppAbout()
{
    CAboutDlg about(m_mainFrame.get());
    about.DoModal();
}
void CQuorApp::OnHelpTopics() { HelpPages::ShowContents(m_mainFrame.get()); }
