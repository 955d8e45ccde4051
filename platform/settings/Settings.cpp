#include "platform/settings/Settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace ORBAX_Platform {

const char* const Settings::Organisation = "ORBAX";
const char* const Settings::Application = "QUOR_Log 3.0";

namespace {

std::mutex g_folderLock;
std::filesystem::path g_userDataFolder;
std::filesystem::path g_programFolder;
// The profile folders SetProfileFolders named; empty for the system's defaults.
std::filesystem::path g_userProfileFolder;
std::filesystem::path g_systemProfileFolder;
std::vector<Settings::ProfileProblem> g_profileProblems;
// The folders held open for profiles whose names are not UTF-8 (see qtFileName), by their names. Kept
// for the whole run: QSettings keeps the data of a file by its name, so a number given once must go on
// naming that folder.
std::map<std::string, int> g_heldFolders;

QString toQString(const std::wstring& text) { return QString::fromStdWString(text); }

QString keyPath(const std::wstring& section, const std::wstring& key)
{
    if (section.empty())
        return toQString(key);
    return toQString(section) + QLatin1Char('/') + toQString(key);
}

std::filesystem::path defaultProfileFolder(QSettings::Scope scope)
{
    if (scope == QSettings::UserScope) {
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        if (xdg && *xdg)
            return xdg;
        const char* home = std::getenv("HOME");
        return std::filesystem::path(home ? home : "") / ".config";
    }
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    if (dirs && *dirs) {
        const std::string first = std::string(dirs).substr(0, std::string(dirs).find(':'));
        if (!first.empty())
            return first;
    }
    return "/etc/xdg";
}

std::filesystem::path profileFile(QSettings::Scope scope)
{
    std::filesystem::path folder;
    {
        std::lock_guard<std::mutex> lock(g_folderLock);
        folder = scope == QSettings::UserScope ? g_userProfileFolder : g_systemProfileFolder;
    }
    if (folder.empty())
        folder = defaultProfileFolder(scope);
    return folder / Settings::Organisation / (std::string(Settings::Application) + ".conf");
}

bool reachesItself(const std::string& bytes)
{
    const QByteArray name(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

// A descriptor of `folder` held for the rest of the run, or -1 with the system's error in `code`. One
// that no longer leads to the folder of that name (removed and made again) is replaced, the old one
// left open so that its number names nothing else.
int heldFolder(const std::filesystem::path& folder, int& code)
{
    std::lock_guard<std::mutex> lock(g_folderLock);
    struct stat named {};
    struct stat held {};
    const auto found = g_heldFolders.find(folder.native());
    if (found != g_heldFolders.end() && ::stat(folder.c_str(), &named) == 0 && ::fstat(found->second, &held) == 0 &&
        named.st_dev == held.st_dev && named.st_ino == held.st_ino)
        return found->second;
    const int fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        code = errno;
        return -1;
    }
    g_heldFolders[folder.native()] = fd;
    return fd;
}

// The name under which Qt reaches `file` itself. Qt gives a file name to the system as the UTF-8 of
// its QString, and a name whose bytes are not UTF-8 (a home folder "pro\351") decodes with U+FFFD in
// their place: QSettings would read and write, and make folders for, a file of another name. Such a
// file is reached through a descriptor of its deepest folder there is, as /proc/self/fd/N/<the rest>;
// folders missing on the way whose names are not UTF-8 either are made first, as QSettings would make
// them at its first write. Empty, with the system's error in `code`, where that folder cannot be held.
QString qtFileName(const std::filesystem::path& file, int& code)
{
    if (reachesItself(file.native()))
        return QFile::decodeName(QByteArray::fromStdString(file.native()));
    std::error_code error;
    std::filesystem::path there = file.parent_path();
    while (!there.empty() && there != there.root_path() && !std::filesystem::is_directory(there, error))
        there = there.parent_path();
    std::filesystem::path rest = file.lexically_relative(there.empty() ? std::filesystem::path(".") : there);
    if (!reachesItself(rest.native())) {
        // The folders are made as QSettings makes them (mode 0777 less the umask).
        there = file.parent_path();
        rest = file.filename();
        std::filesystem::create_directories(there, error);
    }
    const int fd = heldFolder(there.empty() ? std::filesystem::path(".") : there, code);
    if (fd < 0)
        return QString();
    return QStringLiteral("/proc/self/fd/%1/").arg(fd) + QFile::decodeName(QByteArray::fromStdString(rest.native()));
}

void keepProblem(const std::filesystem::path& file, FileRead outcome, int code)
{
    std::lock_guard<std::mutex> lock(g_folderLock);
    if (std::none_of(g_profileProblems.begin(), g_profileProblems.end(),
                     [&file](const Settings::ProfileProblem& problem) { return problem.file == file; }))
        g_profileProblems.push_back({file, outcome, code});
}

// The profile of `scope`, or null when its file is there but is no regular file of sane size, or its
// folder cannot be reached by its own name; that problem is kept for ProfileProblems. A file that is
// missing or cannot be read is QSettings' own case: it gives the defaults.
std::unique_ptr<QSettings> openProfile(QSettings::Scope scope)
{
    const std::filesystem::path file = profileFile(scope);
    struct stat info {};
    const bool there = ::stat(file.c_str(), &info) == 0;
    // The machine's profile is only read: where it is missing there is nothing to reach.
    if (!there && scope == QSettings::SystemScope)
        return nullptr;
    if (there && (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > Settings::MaxProfileBytes)) {
        keepProblem(file, S_ISREG(info.st_mode) ? FileRead::TooLarge : FileRead::NotRegular, 0);
        return nullptr;
    }
    int code = 0;
    const QString name = qtFileName(file, code);
    if (name.isEmpty()) {
        keepProblem(file, FileRead::Failed, code);
        return nullptr;
    }
    return std::make_unique<QSettings>(name, QSettings::IniFormat);
}

} // namespace

Settings::Settings(const std::wstring& section) : m_section(section), m_settings(openProfile(QSettings::UserScope)) {}

Settings::~Settings() = default;

bool Settings::contains(const std::wstring& key) const
{
    return m_settings && m_settings->contains(keyPath(m_section, key));
}

std::wstring Settings::readString(const std::wstring& key, const std::wstring& defaultValue) const
{
    const QVariant value = m_settings ? m_settings->value(keyPath(m_section, key)) : QVariant();
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return wide_from_name(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    return value.toString().toStdWString();
}

int Settings::readInt(const std::wstring& key, int defaultValue) const
{
    const QVariant value = m_settings ? m_settings->value(keyPath(m_section, key)) : QVariant();
    if (!value.isValid())
        return defaultValue;
    // The ini backend keeps every value as text: anything that is not a whole number is no value.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

std::vector<std::uint8_t> Settings::readBinary(const std::wstring& key) const
{
    const QVariant value = m_settings ? m_settings->value(keyPath(m_section, key)) : QVariant();
    if (!value.isValid() || value.typeId() != QMetaType::QByteArray)
        return {};
    const QByteArray bytes = value.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void Settings::writeString(const std::wstring& key, const std::wstring& value)
{
    if (!m_settings)
        return;
    // A file name that is not UTF-8 is kept as its bytes, which QSettings writes as they are, so that
    // it reads back as the same name; anything else stays text, as every profile has it.
    std::string bytes;
    if (holds_carried_bytes(value) && name_from_wide(value, bytes))
        m_settings->setValue(keyPath(m_section, key), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    else
        m_settings->setValue(keyPath(m_section, key), toQString(value));
}

void Settings::writeInt(const std::wstring& key, int value)
{
    if (m_settings)
        m_settings->setValue(keyPath(m_section, key), value);
}

void Settings::writeBinary(const std::wstring& key, const std::vector<std::uint8_t>& value)
{
    if (m_settings)
        m_settings->setValue(keyPath(m_section, key), QByteArray(reinterpret_cast<const char*>(value.data()),
                                                                 static_cast<qsizetype>(value.size())));
}

void Settings::remove(const std::wstring& key)
{
    if (m_settings)
        m_settings->remove(keyPath(m_section, key));
}

bool Settings::sync()
{
    if (!m_settings)
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool Settings::ClientMode()
{
    const auto machine = openProfile(QSettings::SystemScope);
    const QVariant value = machine ? machine->value(QStringLiteral("ClientMode")) : QVariant();
    if (!value.isValid())
        return false;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok && number == 1;
}

void Settings::SetProfileFolders(const std::filesystem::path& userFolder, const std::filesystem::path& systemFolder)
{
    std::lock_guard<std::mutex> lock(g_folderLock);
    g_userProfileFolder = userFolder;
    g_systemProfileFolder = systemFolder;
    g_profileProblems.clear();
    // QSettings objects made elsewhere by scope (a test's own) see the same files.
    auto folderOf = [](const std::filesystem::path& folder, QSettings::Scope scope) {
        return QFile::decodeName(
            QByteArray::fromStdString((folder.empty() ? defaultProfileFolder(scope) : folder).native()));
    };
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folderOf(userFolder, QSettings::UserScope));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, folderOf(systemFolder, QSettings::SystemScope));
}

std::vector<Settings::ProfileProblem> Settings::ProfileProblems()
{
    std::lock_guard<std::mutex> lock(g_folderLock);
    return g_profileProblems;
}

std::filesystem::path Settings::UserDataFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_folderLock);
        if (!g_userDataFolder.empty())
            return g_userDataFolder;
    }
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "") / ".config";
    }
    return base / Organisation / Application;
}

void Settings::SetUserDataFolder(const std::filesystem::path& folder)
{
    std::lock_guard<std::mutex> lock(g_folderLock);
    g_userDataFolder = folder;
}

std::filesystem::path Settings::ProgramFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_folderLock);
        if (!g_programFolder.empty())
            return g_programFolder;
    }
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path(error);
    return program.parent_path();
}

void Settings::SetProgramFolder(const std::filesystem::path& folder)
{
    std::lock_guard<std::mutex> lock(g_folderLock);
    g_programFolder = folder;
}

} // namespace ORBAX_Platform
