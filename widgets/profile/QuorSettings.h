#pragma once
// One section of the user profile, through which the format option records and the page setup load
// and save themselves: the settings reader and writer the records ask for, over the profile.
#include <string>

#include "core/options/FormatProfiles.h"
#include "platform/settings/Settings.h"

class CQuorSettings : public ORBAX_Utilities::SettingsWriter, public ORBAX_Utilities::SettingsReader {
public:
    explicit CQuorSettings(const std::wstring& section);
    void WriteString(const std::wstring& key, const std::wstring& value) override;
    void WriteNarrowString(const std::wstring& key, const std::string& value) override;
    void WriteInt(const std::wstring& key, int value) override;
    std::wstring ReadString(const std::wstring& key, const std::wstring& defaultValue) override;
    std::string ReadNarrowString(const std::wstring& key, const std::string& defaultValue) override;
    int ReadInt(const std::wstring& key, int defaultValue) override;

private:
    ORBAX_Platform::Settings m_settings;
};
