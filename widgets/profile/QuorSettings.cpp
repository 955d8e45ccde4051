#include "widgets/profile/QuorSettings.h"

#include "platform/Text.h"

CQuorSettings::CQuorSettings(const std::wstring& section) : m_settings(section) {}

void CQuorSettings::WriteString(const std::wstring& key, const std::wstring& value)
{
    m_settings.writeString(key, value);
}

void CQuorSettings::WriteNarrowString(const std::wstring& key, const std::string& value)
{
    WriteString(key, ORBAX_Platform::widen_cp1252(value));
}

void CQuorSettings::WriteInt(const std::wstring& key, int value) { m_settings.writeInt(key, value); }

std::wstring CQuorSettings::ReadString(const std::wstring& key, const std::wstring& defaultValue)
{
    return m_settings.readString(key, defaultValue);
}

std::string CQuorSettings::ReadNarrowString(const std::wstring& key, const std::string& defaultValue)
{
    // Through the code page 1252 facet, character by character: a character it lacks becomes "?".
    return ORBAX_Platform::narrow_cp1252(ReadString(key, ORBAX_Platform::widen_cp1252(defaultValue)));
}

int CQuorSettings::ReadInt(const std::wstring& key, int defaultValue) { return m_settings.readInt(key, defaultValue); }
