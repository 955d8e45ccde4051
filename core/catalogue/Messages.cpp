#include "core/catalogue/Messages.h"

#include <climits>
#include <cstring>
#include <system_error>
#include <type_traits>

#include "platform/Text.h"

namespace ORBAX_Utilities {

int CatalogueTable::open(const StringTable* module, const std::locale& loc)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int number = 1;
    for (const auto& entry : m_entries) {
        if (entry.first != number)
            break;
        ++number;
    }
    m_entries.emplace(number, CatalogueEntry{module, loc});
    return number;
}

bool CatalogueTable::get(int catalogue, CatalogueEntry& entry) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_entries.find(catalogue);
    if (it == m_entries.end())
        return false;
    entry = it->second;
    return true;
}

void CatalogueTable::close(int catalogue)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.erase(catalogue);
}

std::size_t CatalogueTable::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries.size();
}

bool load_string_resource(int id, const StringTable* module, std::wstring& out)
{
    const wchar_t* text = nullptr;
    if (!module || !module->find(id, text))
        return false;
    out = text;
    return true;
}

bool load_system_message(int id, std::wstring& out)
{
    if (id <= 0)
        return false;
    std::string text = std::generic_category().message(id);
    if (text.empty())
        return false;
    std::wstring wide;
    wide.reserve(text.size());
    // The C library's texts are ASCII in the locales this program runs under.
    for (char c : text)
        wide += ORBAX_Platform::cp1252_to_unicode(static_cast<unsigned char>(c));
    for (std::size_t pos; (pos = wide.find(L"\r\n")) != std::wstring::npos;)
        wide.erase(pos, 2);
    out = wide;
    return true;
}

namespace {

const std::ctype<wchar_t>& global_ctype() { return std::use_facet<std::ctype<wchar_t>>(std::locale()); }

std::string narrow_all(const std::wstring& text) { return ORBAX_Platform::narrow_cp1252(text); }

} // namespace

template <class CharT>
typename win32_resource_messages<CharT>::catalog win32_resource_messages<CharT>::do_open(const std::string& name,
                                                                                         const std::locale& loc) const
{
    if (name == "system")
        return m_table->open(nullptr, loc);
    if (name.empty())
        return m_table->open(m_program, loc);
    // No other modules can be loaded into this program.
    return -1;
}

template <class CharT>
typename win32_resource_messages<CharT>::string_type
win32_resource_messages<CharT>::do_get(catalog cat, int, int id, const string_type& dfault) const
{
    CatalogueEntry entry;
    if (!m_table->get(cat, entry))
        return dfault;
    std::wstring text;
    bool found = entry.module ? load_string_resource(id, entry.module, text) : load_system_message(id, text);
    if (!found)
        return dfault;
    if constexpr (std::is_same_v<CharT, wchar_t>)
        return text;
    else
        return narrow_all(text);
}

template <class CharT>
void win32_resource_messages<CharT>::do_close(catalog cat) const
{
    m_table->close(cat);
}

template class win32_resource_messages<char>;
template class win32_resource_messages<wchar_t>;

void install_message_facets(const StringTable& program)
{
    std::locale base = ORBAX_Platform::with_cp1252(std::locale());
    std::locale withNarrow(base, new win32_resource_messages<char>(program));
    std::locale::global(std::locale(withNarrow, new win32_resource_messages<wchar_t>(program)));
}

namespace {

template <class CharT>
std::basic_string<CharT> lookup(const char* catalogueName, int id, const std::basic_string<CharT>& dfault,
                                bool testOpen)
{
    std::locale loc;
    const auto& facet = std::use_facet<std::messages<CharT>>(loc);
    auto cat = facet.open(catalogueName, loc);
    if (testOpen && cat < 0)
        return dfault;
    std::basic_string<CharT> text = facet.get(cat, 0, id, dfault);
    if (cat >= 0)
        facet.close(cat);
    return text;
}

} // namespace

std::string get_message(int id) { return lookup<char>("", id, "Message " + std::to_string(id) + " not found!", false); }

std::wstring get_message_wide(int id)
{
    return lookup<wchar_t>("", id, L"Message " + std::to_wstring(id) + L" not found!", false);
}

std::wstring SystemErrorText(int code)
{
    return lookup<wchar_t>("system", code, L"Message for error " + std::to_wstring(code) + L" not found", true);
}

std::wstring substitute_arguments(const std::wstring& text, const std::vector<std::wstring>& args)
{
    const auto& ct = global_ctype();
    const wchar_t percent = ct.widen('%');
    const wchar_t letterN = ct.widen('n');
    const wchar_t newline = ct.widen('\n');
    std::wstring out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        wchar_t c = text[i];
        if (c != percent) {
            out += c;
            continue;
        }
        if (i + 1 >= n)
            break; // a final percent sign is dropped
        wchar_t next = text[i + 1];
        if (ct.is(std::ctype_base::digit, next)) {
            // The whole run of digits is the argument number; a number too large for an int names
            // no argument.
            long long number = 0;
            std::size_t j = i + 1;
            for (; j < n && ct.is(std::ctype_base::digit, text[j]); ++j) {
                int digit = ct.narrow(text[j], '0') - '0';
                if (digit < 0 || digit > 9)
                    digit = 0;
                if (number <= INT_MAX)
                    number = number * 10 + digit;
            }
            if (number >= 1 && number <= static_cast<long long>(args.size()))
                out += args[static_cast<std::size_t>(number - 1)];
            i = j - 1;
        } else if (next == letterN) {
            out += newline;
            ++i;
        } else {
            out += next;
            ++i;
        }
    }
    return out;
}

std::wstring format_message(int id, const std::vector<std::wstring>& args)
{
    return substitute_arguments(get_message_wide(id), args);
}

std::wstring format_message1(int id, const std::wstring& a1) { return format_message(id, {a1}); }

std::wstring format_message2(int id, const std::wstring& a1, const std::wstring& a2)
{
    return format_message(id, {a1, a2});
}

} // namespace ORBAX_Utilities
