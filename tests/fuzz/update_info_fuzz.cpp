// Arbitrary bytes as the update information served over the network: the reader either throws its
// runtime error or gives entries, and the answer built from them never carries markup of its own
// nor a link that is not a web link.
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/UpdateInfo.h"
#include "tests/fuzz/FuzzSupport.h"

using FuzzSupport::check;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::install_facets_once();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<UpdateInfoEntry> entries;
    try {
        ReadUpdateInfo(in, entries);
    } catch (const std::runtime_error&) {
        return 0;
    }
    int newest = FindNewestUpdate(entries);
    check(newest >= -1 && newest < static_cast<int>(entries.size()));
    std::wstring html = UpdateAnswerText(entries);
    // The one element the answer may hold is its own link, opened only for http and https.
    std::size_t links = 0;
    for (std::size_t at = html.find(L'<'); at != std::wstring::npos; at = html.find(L'<', at + 1)) {
        std::wstring rest = html.substr(at);
        if (rest.rfind(L"<a href=\"", 0) == 0) {
            ++links;
            check(IsOpenableUpdateLink(rest.substr(9)));
        } else {
            check(rest.rfind(L"</a>", 0) == 0 || rest.rfind(L"<br>", 0) == 0);
        }
    }
    check(links <= 1 && (links == 0 || newest >= 0));
    return 0;
}
