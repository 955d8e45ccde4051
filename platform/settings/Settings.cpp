#include "platform/settings/Settings.h"

#include <cstdlib>
#include <mutex>
#include <system_error>

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

QString toQString(const std::wstring& text) { return QString::fromStdWString(text); }

QString keyPath(const std::wstring& section, const std::wstring& key)
{
    if (section.empty())
        return toQString(key);
    return toQString(section) + QLatin1Char('/') + toQString(key);
}

std::unique_ptr<QSettings> openProfile(QSettings::Scope scope)
{
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, scope, QString::fromLatin1(Settings::Organisation),
                                    QString::fromLatin1(Settings::Application));
    settings->setFallbacksEnabled(false);
    return settings;
}

} // namespace

Settings::Settings(const std::wstring& section) : m_section(section), m_settings(openProfile(QSettings::UserScope)) {}

Settings::~Settings() = default;

bool Settings::contains(const std::wstring& key) const { return m_settings->contains(keyPath(m_section, key)); }

std::wstring Settings::readString(const std::wstring& key, const std::wstring& defaultValue) const
{
    const QVariant value = m_settings->value(keyPath(m_section, key));
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString().toStdWString();
}

int Settings::readInt(const std::wstring& key, int defaultValue) const
{
    const QVariant value = m_settings->value(keyPath(m_section, key));
    if (!value.isValid())
        return defaultValue;
    // The ini backend keeps every value as text: anything that is not a whole number is no value.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

std::vector<std::uint8_t> Settings::readBinary(const std::wstring& key) const
{
    const QVariant value = m_settings->value(keyPath(m_section, key));
    if (!value.isValid() || value.typeId() != QMetaType::QByteArray)
        return {};
    const QByteArray bytes = value.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void Settings::writeString(const std::wstring& key, const std::wstring& value)
{
    m_settings->setValue(keyPath(m_section, key), toQString(value));
}

void Settings::writeInt(const std::wstring& key, int value) { m_settings->setValue(keyPath(m_section, key), value); }

void Settings::writeBinary(const std::wstring& key, const std::vector<std::uint8_t>& value)
{
    m_settings->setValue(keyPath(m_section, key),
                         QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
}

void Settings::remove(const std::wstring& key) { m_settings->remove(keyPath(m_section, key)); }

bool Settings::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool Settings::ClientMode()
{
    const auto machine = openProfile(QSettings::SystemScope);
    const QVariant value = machine->value(QStringLiteral("ClientMode"));
    if (!value.isValid())
        return false;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok && number == 1;
}

void Settings::SetProfileFolders(const std::filesystem::path& userFolder, const std::filesystem::path& systemFolder)
{
    // QSettings falls back to its own defaults only at start; restoring them later means naming them.
    auto folderOrDefault = [](const std::filesystem::path& folder, bool user) {
        if (!folder.empty())
            return QString::fromStdString(folder.string());
        if (user) {
            const char* xdg = std::getenv("XDG_CONFIG_HOME");
            if (xdg && *xdg)
                return QString::fromLocal8Bit(xdg);
            const char* home = std::getenv("HOME");
            return QString::fromLocal8Bit(home ? home : "") + QStringLiteral("/.config");
        }
        const char* dirs = std::getenv("XDG_CONFIG_DIRS");
        if (dirs && *dirs)
            return QString::fromLocal8Bit(dirs).section(QLatin1Char(':'), 0, 0);
        return QStringLiteral("/etc/xdg");
    };
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folderOrDefault(userFolder, true));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, folderOrDefault(systemFolder, false));
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
