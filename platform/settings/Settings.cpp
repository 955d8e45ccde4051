#include "platform/settings/Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <system_error>

#include <sys/stat.h>

#include <QByteArray>
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

// The profile of `scope`, or null when its file is there but is no regular file of sane size; that
// problem is kept for ProfileProblems. A file that is missing or cannot be read is QSettings' own
// case: it gives the defaults.
std::unique_ptr<QSettings> openProfile(QSettings::Scope scope)
{
    const std::filesystem::path file = profileFile(scope);
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 &&
        (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > Settings::MaxProfileBytes)) {
        const FileRead outcome = S_ISREG(info.st_mode) ? FileRead::TooLarge : FileRead::NotRegular;
        std::lock_guard<std::mutex> lock(g_folderLock);
        if (std::none_of(g_profileProblems.begin(), g_profileProblems.end(),
                         [&file](const Settings::ProfileProblem& problem) { return problem.file == file; }))
            g_profileProblems.push_back({file, outcome});
        return nullptr;
    }
    return std::make_unique<QSettings>(QString::fromStdString(file.native()), QSettings::IniFormat);
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
        return QString::fromStdString((folder.empty() ? defaultProfileFolder(scope) : folder).native());
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
