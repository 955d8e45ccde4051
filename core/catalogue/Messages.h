#pragma once
// Every user-visible text is a numbered message. The messages facet below is installed once into the
// global locale; from then on every lookup, narrow or wide, goes through the global locale.
#include <locale>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/catalogue/StringTable.h"

namespace ORBAX_Utilities {

// One open catalogue: the string table read (null for the system's error texts) and the locale
// given at open.
struct CatalogueEntry {
    const StringTable* module = nullptr;
    std::locale loc;
};

// The catalogue table is shared by every copy of a locale that holds the facet; lookups come from the
// window thread and from the trace-loading worker, so it is guarded by a lock.
class CatalogueTable {
public:
    int open(const StringTable* module, const std::locale& loc);
    bool get(int catalogue, CatalogueEntry& entry) const;
    void close(int catalogue);
    std::size_t size() const;

private:
    mutable std::mutex m_mutex;
    std::map<int, CatalogueEntry> m_entries;
};

// A messages facet over the program's string table ("" names it) and the system's error texts
// ("system"). It replaces std::messages<CharT> in a locale: it has no locale id of its own.
template <class CharT>
class win32_resource_messages : public std::messages<CharT> {
public:
    using catalog = typename std::messages<CharT>::catalog;
    using string_type = typename std::messages<CharT>::string_type;

    explicit win32_resource_messages(const StringTable& program, std::size_t refs = 0)
        : std::messages<CharT>(refs), m_program(&program), m_table(std::make_unique<CatalogueTable>())
    {
    }
    ~win32_resource_messages() override = default;

    // The number of catalogues open at this moment (they are opened and closed around each lookup).
    std::size_t open_catalogues() const { return m_table->size(); }

protected:
    catalog do_open(const std::string& name, const std::locale& loc) const override;
    string_type do_get(catalog cat, int set, int id, const string_type& dfault) const override;
    void do_close(catalog cat) const override;

private:
    const StringTable* m_program;
    std::unique_ptr<CatalogueTable> m_table;
};

extern template class win32_resource_messages<char>;
extern template class win32_resource_messages<wchar_t>;

// The text of a string-table entry; false when its block of 16 is absent.
bool load_string_resource(int id, const StringTable* module, std::wstring& out);
// The system's text for an error number (errno); false when there is none. Carriage return + line
// feed pairs are removed.
bool load_system_message(int id, std::wstring& out);

// Makes the global locale a copy of the current one with the narrow and the wide messages facet over
// `program` and the code page 1252 character facet and conversion. Called once, first thing, by every
// program.
void install_message_facets(const StringTable& program);

// Lookups through the global locale.
std::string get_message(int id);
std::wstring get_message_wide(int id);
std::wstring SystemErrorText(int code);

// Message text with "%1", "%2"... replaced by the arguments and "%n" by a line break.
std::wstring format_message(int id, const std::vector<std::wstring>& args);
std::wstring format_message1(int id, const std::wstring& a1);
std::wstring format_message2(int id, const std::wstring& a1, const std::wstring& a2);
// The substitution itself, over any text.
std::wstring substitute_arguments(const std::wstring& text, const std::vector<std::wstring>& args);

} // namespace ORBAX_Utilities
