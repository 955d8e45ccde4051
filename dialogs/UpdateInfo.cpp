#include "dialogs/UpdateInfo.h"

#include <locale>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "core/catalogue/Messages.h"
#include "dialogs/LinkMarkup.h"

void ReadVersionNumber(std::istream& in, UpdateInfoEntry& version)
{
    char dot = 0;
    in >> version.major;
    if (!in.get(dot) || dot != '.')
        throw std::runtime_error("missing first dot");
    in >> version.minor;
    if (!in.get(dot) || dot != '.')
        throw std::runtime_error("missing second dot");
    in >> version.build;
}

void write_version(std::wostream& out, const UpdateInfoEntry& version)
{
    out << version.major << L"." << version.minor << L"." << version.build;
}

std::wstring VersionText(const UpdateInfoEntry& version)
{
    std::wostringstream out;
    out.imbue(std::locale::classic());
    write_version(out, version);
    return out.str();
}

void ReadUpdateInfo(std::istream& reply, std::vector<UpdateInfoEntry>& entries)
{
    entries.clear();
    std::string line;
    while (std::getline(reply, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // A trailing empty line is common in a served text file and is not a release.
        if (line.find_first_not_of(" \t\f\v") == std::string::npos)
            continue;
        std::istringstream in(line);
        in.imbue(std::locale::classic());
        UpdateInfoEntry entry;
        ReadVersionNumber(in, entry);
        long long date = 0;
        // Only a number of at most eight digits is a date; another one leaves the entry without.
        if (in >> date && date >= 0 && date <= 99999999) {
            entry.date.year = static_cast<int>(date / 10000) - 1900;
            entry.date.month = static_cast<int>(date / 100 % 100) - 1;
            entry.date.day = static_cast<int>(date % 100);
        }
        in >> entry.link;
        entries.push_back(entry);
    }
}

bool IsNewerVersion(const UpdateInfoEntry& a, const UpdateInfoEntry& b)
{
    return std::tie(a.major, a.minor, a.build) > std::tie(b.major, b.minor, b.build);
}

int FindNewestUpdate(const std::vector<UpdateInfoEntry>& entries)
{
    UpdateInfoEntry program;
    program.major = QuorLogVersionMajor;
    program.minor = QuorLogVersionMinor;
    program.build = QuorLogVersionBuild;
    int newest = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!IsNewerVersion(entries[i], program))
            continue;
        if (newest < 0 || IsNewerVersion(entries[i], entries[static_cast<std::size_t>(newest)]))
            newest = static_cast<int>(i);
    }
    return newest;
}

bool IsOpenableUpdateLink(const std::wstring& link) { return IsWebLink(link); }

std::wstring UpdateAnswerText(const std::vector<UpdateInfoEntry>& entries)
{
    int newest = FindNewestUpdate(entries);
    if (newest < 0)
        return LinkMarkupToHtml(ORBAX_Utilities::get_message_wide(262), {});
    const UpdateInfoEntry& entry = entries[static_cast<std::size_t>(newest)];
    const auto& ctype = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::wstring link(entry.link.size(), L'\0');
    ctype.widen(entry.link.data(), entry.link.data() + entry.link.size(), &link[0]);
    return LinkMarkupToHtml(ORBAX_Utilities::get_message_wide(265), {VersionText(entry), link});
}
