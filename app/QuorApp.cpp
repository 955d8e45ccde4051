#include "QuorApp.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QMainWindow>

#include "FirstTimeSplash.h"
#include "MainFrame.h"
#include "Messages.h"
#include "Paths.h"
#include "QuorDoc.h"
#include "QuorView.h"
#include "Services.h"
#include "Settings.h"
#include "StringTable.h"
#include "TextConversion.h"

using ORBAX_Platform::Settings;
using ORBAX_Utilities::format_message;
using ORBAX_Utilities::get_message_wide;

const char* const QuorBoreDataFormat = "application/x-quorlog-bore-data";

namespace {

CQuorApp* g_instance = nullptr;

constexpr const wchar_t* kConfigurationFile = L"QuorLogConfig.txt";
constexpr const wchar_t* kOptions = L"Options";
constexpr const wchar_t* kRecentSection = L"Recent File List";
constexpr std::size_t kRecentFileCount = 4;

constexpr std::uint32_t status(int level, int code) { return (static_cast<std::uint32_t>(level) << 16) | static_cast<std::uint32_t>(code); }

bool hasLevelAtLeast(const ErrorEntries& entries, int level)
{
    return std::any_of(entries.begin(), entries.end(), [level](const ErrorEntry& e) { return e.level >= level; });
}

bool hasCode(const ErrorEntries& entries, int code)
{
    return std::any_of(entries.begin(), entries.end(), [code](const ErrorEntry& e) { return e.code == code; });
}

std::wstring programFile(const wchar_t* name)
{
    return ORBAX_Platform::wide_from_path(Settings::ProgramFolder() / ORBAX_Platform::path_from_wide(name));
}

std::wstring userConfigurationFile()
{
    return ORBAX_Platform::wide_from_path(Settings::UserDataFolder() / ORBAX_Platform::path_from_wide(kConfigurationFile));
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

CQuorApp::CQuorApp()
{
    g_instance = this;
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
}

CQuorApp::~CQuorApp()
{
    m_mainFrame.reset();
    m_document.reset();
    if (g_instance == this)
        g_instance = nullptr;
}

CQuorApp* CQuorApp::instance() { return g_instance; }

// ---------------------------------------------------------------------------------------------------
// Start-up

bool CQuorApp::InitInstance(const std::vector<std::wstring>& arguments)
{
    m_clipboardFormat = QString::fromLatin1(QuorBoreDataFormat);

    CQuorLogCommandLine commandLine;
    commandLine.Parse(arguments);
    m_developer = commandLine.developer;
    m_configurationPath = commandLine.configurationPath;

    Settings recent(kRecentSection);
    m_recentFiles.clear();
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        std::wstring file = recent.readString(L"File" + std::to_wstring(i + 1), std::wstring());
        if (!file.empty())
            m_recentFiles.push_back(file);
    }

    m_clientMode = Settings::ClientMode();

    ErrorEntries problems;
    std::wstring loadedPath;
    LoadConfiguration(problems, loadedPath);
    if (!ReportConfigurationProblems(problems, loadedPath))
        return false;

    ReadSettings();

    CreateMainWindow();
    if (!ProcessShellCommand(commandLine))
        return false;

    if (m_windowPlacement.isEmpty() || !m_mainFrame->restoreGeometry(m_windowPlacement))
        m_mainFrame->showMaximized();
    else
        m_mainFrame->show();
    m_mainFrame->update();

    ShowWelcome();
    m_started = true;
    return true;
}

bool CQuorApp::ReportConfigurationProblems(const ErrorEntries& problems, const std::wstring& configurationPath)
{
    if (hasReportableErrors(problems)) {
        CErrorList list(problems, get_message_wide(219));
        list.DoModal();
    }
    if (!hasLevelAtLeast(problems, 3))
        return true;
    // No file found, or one that cannot be opened: there is nothing to edit.
    if (hasCode(problems, 30) || hasCode(problems, 1))
        return false;
    // In client mode only the program folder's file is read, which the user is not meant to edit.
    if (m_clientMode)
        return false;
    std::wstring question = format_message(240, {configurationPath});
    if (ORBAX_Platform::showMessage(nullptr, question, ORBAX_Platform::MessageButtons::YesNo,
                                    ORBAX_Platform::MessageIcon::Error) == ORBAX_Platform::MessageResult::Yes) {
        // Edit the file the next start reads: the command line's file when one was named, else the
        // user's own copy (made from the program folder's file when missing).
        bool explicitFile = !m_configurationPath.empty() && !samePath(configurationPath, userConfigurationFile());
        EditConfigurationFile(explicitFile ? configurationPath : std::wstring());
    }
    return false;
}

void CQuorApp::LoadConfiguration(ErrorEntries& problems, std::wstring& configurationPath)
{
    // The search order of the configuration file: the command line's file (not in client mode), the
    // per-user file (not in client mode), the program folder's file.
    configurationPath.clear();
    std::wstring checked;
    std::vector<std::wstring> candidates;
    if (!m_clientMode) {
        if (!m_configurationPath.empty()) {
            candidates.push_back(m_configurationPath);
        } else {
            candidates.push_back(userConfigurationFile());
        }
    }
    candidates.push_back(programFile(kConfigurationFile));
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::wstring& candidate = candidates[i];
        std::error_code error;
        bool explicitPath = !m_clientMode && !m_configurationPath.empty() && i == 0;
        if (!explicitPath && !std::filesystem::exists(ORBAX_Platform::path_from_wide(candidate), error)) {
            checked += candidate + L"\n";
            continue;
        }
        configurationPath = candidate;
        std::string bytes;
        std::string reason;
        if (!ORBAX_Platform::read_file_bytes(ORBAX_Platform::path_from_wide(candidate), bytes, &reason)) {
            addErrorEntry(format_message(1001, {candidate, ORBAX_Platform::wide_from_utf8(reason)}), problems, status(3, 1));
            return;
        }
        const std::string header = "QUORLOG CONFIGURATION V";
        std::string first = bytes.substr(0, bytes.find('\n'));
        std::string upper = first;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (upper.compare(0, header.size(), header) != 0) {
            addErrorEntry(format_message(1003, {candidate, L"Quorlog Configuration v3"}), problems, status(3, 3));
        } else if (upper.size() <= header.size() || upper[header.size()] != '3') {
            if (!first.empty() && first.back() == '\r')
                first.pop_back();
            addErrorEntry(format_message(1004, {ORBAX_Utilities::NarrowToWide(first, std::locale())}), problems, status(3, 4));
        }
        return;
    }
    addErrorEntry(format_message(1030, {kConfigurationFile, checked}), problems, status(4, 30));
}

void CQuorApp::ReadSettings()
{
    Settings options(kOptions);
    m_saveSettings = options.readInt(L"SaveSettings", 1) != 0;
    m_saveBackups = options.readInt(L"SaveBackups", 1) != 0;
    // The current correlation site and hatch list are named exactly as in the configuration; a name
    // it lacks leaves none current.
    m_currentCorrelationSiteId = 0;
    std::wstring site = options.readString(L"CorrelationSite", std::wstring());
    if (!site.empty())
        for (const auto& [id, definition] : m_correlationDefinitions)
            if (definition.GetName() == site) {
                m_currentCorrelationSiteId = id;
                break;
            }
    m_currentHatchListId = 0;
    std::wstring hatchList = options.readString(L"HatchList", std::wstring());
    if (!hatchList.empty())
        for (const auto& [id, list] : m_hatchLists)
            if (list.GetName() == hatchList) {
                m_currentHatchListId = id;
                break;
            }

    CQuorSettings csv(L"CSVOptions", this);
    m_csvAlwaysAsk = csv.ReadInt(L"AlwaysAsk", 1) != 0;
    m_csvOptions.load(csv, m_schemaDefinitions);
    CQuorSettings prolog(L"PrologOptions", this);
    m_prologAlwaysAsk = prolog.ReadInt(L"AlwaysAsk", 1) != 0;
    m_prologOptions.load(prolog, m_schemaDefinitions);
    CQuorSettings prolog4(L"Prolog4Options", this);
    m_prolog4Options.load(prolog4, m_schemaDefinitions);

    m_alwaysAskSchema = options.readInt(L"AlwaysAsk", 1) != 0;
    m_defaultSchema = options.readString(L"DefaultSchema", std::wstring());
    std::vector<std::uint8_t> placement = options.readBinary(L"WindowPlacement");
    m_windowPlacement = QByteArray(reinterpret_cast<const char*>(placement.data()), static_cast<int>(placement.size()));
}

void CQuorApp::CreateMainWindow()
{
    m_document = std::make_unique<CQuorDoc>();
    m_mainFrame = std::make_unique<CMainFrame>(m_developer);
    m_view = new CQuorView(m_document.get(), m_mainFrame.get());
    m_mainFrame->setCentralWidget(m_view);
    m_mainFrame->SetRecentFiles(m_recentFiles);

    CMainFrame* frame = m_mainFrame.get();
    frame->SetCommandHandler(32893, [this] { OnHelpTopics(); });
    frame->SetCommandHandler(32810, [this] { OnReleaseNotes(); });
    frame->SetCommandHandler(32958, [this] { OnGettingStartedGuide(); });
}

bool CQuorApp::ProcessShellCommand(const CQuorLogCommandLine& commandLine)
{
    if (commandLine.shellCommand == CQuorLogCommandLine::FileNew)
        return m_document->OnNewDocument();
    // Borehole files are read by the document's open command; until it can read them a file named on
    // the command line cannot be opened, and the program says so rather than start without it.
    std::wstring reason;
    std::error_code error;
    if (!std::filesystem::exists(ORBAX_Platform::path_from_wide(commandLine.fileName), error))
        reason = ORBAX_Utilities::SystemErrorText(ENOENT);
    else
        reason = L"Reading borehole files is not available in this version";
    ORBAX_Platform::showMessage(m_mainFrame.get(), format_message(1001, {commandLine.fileName, reason}),
                                ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
    return false;
}

void CQuorApp::ShowWelcome()
{
    Settings options(kOptions);
    if (options.readInt(L"ShowSplash", 1) == 0)
        return;
    CFirstTimeSplash splash(m_mainFrame.get());
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
    m_hatchLists.Clear();
    m_correlationDefinitions.Clear();
    m_schemaDefinitions.clear();
    return 0;
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

        CQuorSettings csv(L"CSVOptions", this);
        csv.WriteInt(L"AlwaysAsk", m_csvAlwaysAsk ? 1 : 0);
        m_csvOptions.save(csv, m_schemaDefinitions);
        CQuorSettings prolog4(L"Prolog4Options", this);
        m_prolog4Options.save(prolog4, m_schemaDefinitions);
        CQuorSettings prolog(L"PrologOptions", this);
        prolog.WriteInt(L"AlwaysAsk", m_prologAlwaysAsk ? 1 : 0);
        m_prologOptions.save(prolog, m_schemaDefinitions);

        Settings recent(kRecentSection);
        for (std::size_t i = 0; i < kRecentFileCount; ++i) {
            std::wstring key = L"File" + std::to_wstring(i + 1);
            if (i < m_recentFiles.size())
                recent.writeString(key, m_recentFiles[i]);
            else
                recent.remove(key);
        }
    }
    options.sync();
}

CorrelationDefinition* CQuorApp::GetCorrelationSite()
{
    if (m_currentCorrelationSiteId == 0)
        return nullptr;
    auto found = m_correlationDefinitions.find(m_currentCorrelationSiteId);
    return found == m_correlationDefinitions.end() ? nullptr : &found->second;
}

HatchList* CQuorApp::GetHatchList()
{
    if (m_currentHatchListId == 0)
        return nullptr;
    auto found = m_hatchLists.find(m_currentHatchListId);
    return found == m_hatchLists.end() ? nullptr : &found->second;
}

// ---------------------------------------------------------------------------------------------------
// The profile adaptor

CQuorApp::CQuorSettings::CQuorSettings(const std::wstring& section, CQuorApp* app) : m_settings(section), m_app(app) {}

void CQuorApp::CQuorSettings::WriteString(const std::wstring& key, const std::wstring& value)
{
    m_settings.writeString(key, value);
}

void CQuorApp::CQuorSettings::WriteNarrowString(const std::wstring& key, const std::string& value)
{
    WriteString(key, ORBAX_Utilities::NarrowToWide(value, std::locale()));
}

void CQuorApp::CQuorSettings::WriteInt(const std::wstring& key, int value) { m_settings.writeInt(key, value); }

std::wstring CQuorApp::CQuorSettings::ReadString(const std::wstring& key, const std::wstring& defaultValue)
{
    return m_settings.readString(key, defaultValue);
}

std::string CQuorApp::CQuorSettings::ReadNarrowString(const std::wstring& key, const std::string& defaultValue)
{
    std::wstring wide = ReadString(key, ORBAX_Utilities::NarrowToWide(defaultValue, std::locale()));
    // Through the code page 1252 facet, character by character: a character it lacks becomes "?".
    const auto& ctype = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::string narrow(wide.size(), '\0');
    ctype.narrow(wide.data(), wide.data() + wide.size(), '?', narrow.data());
    return narrow;
}

int CQuorApp::CQuorSettings::ReadInt(const std::wstring& key, int defaultValue) { return m_settings.readInt(key, defaultValue); }

void CQuorApp::AddToRecentFileList(const std::wstring& path)
{
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                                       [&path](const std::wstring& f) { return samePath(f, path); }),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > kRecentFileCount)
        m_recentFiles.resize(kRecentFileCount);
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
        if (file.empty()) {
            std::filesystem::path folder = Settings::UserDataFolder();
            std::error_code error;
            std::filesystem::create_directories(folder, error);
            if (error)
                addErrorEntry(format_message(1042, {ORBAX_Platform::wide_from_path(folder),
                                                    ORBAX_Platform::wide_from_utf8(error.message())}),
                              problems, status(3, 42));
            file = userConfigurationFile();
            std::filesystem::path user = ORBAX_Platform::path_from_wide(file);
            if (!std::filesystem::exists(user, error)) {
                std::wstring source = programFile(kConfigurationFile);
                std::filesystem::copy_file(ORBAX_Platform::path_from_wide(source), user,
                                           std::filesystem::copy_options::skip_existing, error);
                if (error)
                    addErrorEntry(format_message(1044, {source, file, ORBAX_Platform::wide_from_utf8(error.message())}),
                                  problems, status(3, 44));
            }
        }
        std::wstring reason;
        if (!ORBAX_Platform::shell().openFile(file, reason))
            addErrorEntry(format_message(1001, {file, reason}), problems, status(3, 1));
    } catch (const std::exception& e) {
        addErrorEntry(format_message(1043, {std::wstring(), ORBAX_Utilities::NarrowToWide(e.what(), std::locale())}), problems,
                      status(3, 43));
    }
    if (hasLevelAtLeast(problems, 3)) {
        CErrorList list(problems, m_mainFrame.get());
        list.DoModal();
    }
}

void CQuorApp::OpenProgramFile(const wchar_t* name)
{
    std::wstring path = programFile(name);
    std::wstring reason;
    if (!ORBAX_Platform::shell().openFile(path, reason))
        ORBAX_Platform::showMessage(m_mainFrame.get(), format_message(1001, {path, reason}),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
}

void CQuorApp::OnReleaseNotes() { OpenProgramFile(L"ReleaseNotes.txt"); }
void CQuorApp::OnGettingStartedGuide() { OpenProgramFile(L"Guide.pdf"); }
void CQuorApp::OnHelpTopics() { ORBAX_Platform::help().showContents(); }

// ---------------------------------------------------------------------------------------------------

void CQuorApp::RunGuarded(QWidget* parent, const char* file, int line, const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
        ReportInternalError(parent, file, line);
    }
}

void CQuorApp::ReportInternalError(QWidget* parent, const char* file, int line)
{
    try {
        std::wstring name = ORBAX_Platform::wide_from_path(std::filesystem::path(file).filename());
        ORBAX_Platform::showMessage(parent, format_message(1022, {name, std::to_wstring(line)}),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
    } catch (...) {
        // Nothing more can be done: the report itself failed.
    }
}
