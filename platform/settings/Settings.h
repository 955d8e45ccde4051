#pragma once
// The user's profile and the machine-wide values of the program, kept by QSettings under the
// organisation "ORBAX" and the application "QUOR_Log 3.0" in the INI format (the native one here).
// A Settings object works on one section (group) of the user profile; an empty section is the top.
//
// Each profile is one file, "ORBAX/QUOR_Log 3.0.conf" in the profile folder, and nothing else is read:
// no organisation-wide file, no other folder. A profile file that is there but is no regular file of
// sane size (a pipe or device put there, or a link to one) is neither read nor written: reading it
// could stop or swamp the program, which instead runs on the defaults and says so (ProfileProblems).
//
// Tests (and anyone else who must not touch the real profile) move the profile folders with
// SetProfileFolders and the application-data and program folders with SetUserDataFolder and
// SetProgramFolder before making any Settings object.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Paths.h"

class QSettings;

namespace ORBAX_Platform {

class Settings {
public:
    static const char* const Organisation; // "ORBAX"
    static const char* const Application;  // "QUOR_Log 3.0"

    explicit Settings(const std::wstring& section = std::wstring());
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    const std::wstring& section() const { return m_section; }
    bool contains(const std::wstring& key) const;

    // Each read answers the default when the profile holds no value under the key, or one that does
    // not parse as the kind asked for.
    std::wstring readString(const std::wstring& key, const std::wstring& defaultValue) const;
    int readInt(const std::wstring& key, int defaultValue) const;
    // Binary values (window placement, custom colours); empty when absent.
    std::vector<std::uint8_t> readBinary(const std::wstring& key) const;

    // A string holding a file name that is not UTF-8 (see wide_from_name) is kept as its bytes and
    // reads back as the same string.
    void writeString(const std::wstring& key, const std::wstring& value);
    void writeInt(const std::wstring& key, int value);
    void writeBinary(const std::wstring& key, const std::vector<std::uint8_t>& value);
    void remove(const std::wstring& key);

    // Writes pending changes to disk; false when the profile could not be written.
    bool sync();

    // The machine-wide "ClientMode" value (system scope, same organisation and application): on
    // only when it holds the number 1.
    static bool ClientMode();

    // Where the user and system profiles are kept; empty paths restore the system's defaults
    // ($XDG_CONFIG_HOME or ~/.config, and the first of $XDG_CONFIG_DIRS or /etc/xdg). Forgets the
    // problems met so far.
    static void SetProfileFolders(const std::filesystem::path& userFolder, const std::filesystem::path& systemFolder);

    // The most of a profile file that is read: far above any real one, which holds a few kilobytes.
    static constexpr std::size_t MaxProfileBytes = std::size_t(1) << 20;
    // A profile file left alone, and why: NotRegular, TooLarge, or Failed where its folder could not be
    // reached by its own name, `code` holding the system's error.
    struct ProfileProblem {
        std::filesystem::path file;
        FileRead outcome;
        int code = 0;
    };
    // Each profile file left alone so far, once.
    static std::vector<ProfileProblem> ProfileProblems();

    // The per-user application-data folder: $XDG_CONFIG_HOME (default ~/.config) + "ORBAX/QUOR_Log 3.0",
    // unless SetUserDataFolder has named another.
    static std::filesystem::path UserDataFolder();
    static void SetUserDataFolder(const std::filesystem::path& folder);

    // The folder of the running program file, unless SetProgramFolder has named another.
    static std::filesystem::path ProgramFolder();
    static void SetProgramFolder(const std::filesystem::path& folder);

private:
    std::wstring m_section;
    std::unique_ptr<QSettings> m_settings; // null for a profile left alone
};

} // namespace ORBAX_Platform
