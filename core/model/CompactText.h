#pragma once
// Compact storage for the many short texts of a loaded borehole (rock types, seams, plies, sample
// numbers and field values). A borehole of a hundred thousand units holds millions of them, so each is
// kept as packed bytes instead of a wide string: UTF-8 for every value up to U+1FFFFF, which covers all
// of Unicode and every character code page 1252 widens to, and an escape for any other 32-bit wide
// character value, so that whatever a caller stores comes back exactly.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace ORBAX_Logging {

namespace PackedText {

// The number of packed bytes of `count` wide characters.
std::size_t packedSize(const wchar_t* text, std::size_t count);
// Packs the characters into `out`, which holds packedSize(text, count) bytes; returns the end.
char* pack(const wchar_t* text, std::size_t count, char* out);
// The same for code page 1252 bytes, each packed as the character it widens to, without a wide copy.
std::size_t packedSize(std::string_view cp1252);
char* pack(std::string_view cp1252, char* out);
// Appends the characters of `size` packed bytes to `out`.
void unpackAppend(const char* bytes, std::size_t size, std::wstring& out);
// The number of characters in `size` packed bytes.
std::size_t characterCount(const char* bytes, std::size_t size);
// Whether `size` packed bytes hold exactly the `count` characters of `text`.
bool equals(const char* bytes, std::size_t size, const wchar_t* text, std::size_t count);

} // namespace PackedText

// A wide text kept as packed bytes in 16 bytes: up to 15 bytes in place, longer texts in one heap
// block. Reads give a std::wstring; writes take one.
class CompactText {
public:
    CompactText() noexcept { m_raw[tagByte] = 0; }
    CompactText(const std::wstring& text) { assignWide(text.data(), text.size()); }
    CompactText(const wchar_t* text) { assignWide(text, text ? std::char_traits<wchar_t>::length(text) : 0); }
    CompactText(const CompactText& other);
    CompactText(CompactText&& other) noexcept;
    ~CompactText() { release(); }

    CompactText& operator=(const CompactText& other);
    CompactText& operator=(CompactText&& other) noexcept;
    CompactText& operator=(const std::wstring& text);
    CompactText& operator=(const wchar_t* text);

    std::wstring str() const;
    operator std::wstring() const { return str(); }

    bool empty() const { return byteSize() == 0; }
    void clear() noexcept;
    // The number of characters.
    std::size_t length() const;
    // The packed bytes.
    std::string_view bytes() const { return std::string_view(data(), byteSize()); }

    friend bool operator==(const CompactText& a, const CompactText& b) { return a.bytes() == b.bytes(); }
    friend bool operator==(const CompactText& a, const std::wstring& b) { return a.equals(b.data(), b.size()); }
    friend bool operator==(const std::wstring& a, const CompactText& b) { return b.equals(a.data(), a.size()); }
    friend bool operator==(const CompactText& a, const wchar_t* b)
    {
        return a.equals(b, b ? std::char_traits<wchar_t>::length(b) : 0);
    }
    friend bool operator==(const wchar_t* a, const CompactText& b) { return b == a; }
    friend bool operator!=(const CompactText& a, const CompactText& b) { return !(a == b); }
    friend bool operator!=(const CompactText& a, const std::wstring& b) { return !(a == b); }
    friend bool operator!=(const std::wstring& a, const CompactText& b) { return !(a == b); }
    friend bool operator!=(const CompactText& a, const wchar_t* b) { return !(a == b); }
    friend bool operator!=(const wchar_t* a, const CompactText& b) { return !(b == a); }

private:
    static constexpr std::size_t inlineCapacity = 15;
    static constexpr std::size_t tagByte = 15;
    // Tag value of a text kept on the heap; any other tag is the length of a text kept in place.
    static constexpr unsigned char onHeap = 0xFF;

    bool isHeap() const { return m_raw[tagByte] == onHeap; }
    char* heapPointer() const
    {
        char* p;
        std::memcpy(&p, m_raw, sizeof p);
        return p;
    }
    std::uint32_t heapSize() const
    {
        std::uint32_t n;
        std::memcpy(&n, m_raw + sizeof(char*), sizeof n);
        return n;
    }
    const char* data() const { return isHeap() ? heapPointer() : reinterpret_cast<const char*>(m_raw); }
    std::size_t byteSize() const { return isHeap() ? heapSize() : m_raw[tagByte]; }
    bool equals(const wchar_t* text, std::size_t count) const
    {
        return PackedText::equals(data(), byteSize(), text, count);
    }
    void assignWide(const wchar_t* text, std::size_t count);
    void assignBytes(const char* bytes, std::size_t size);
    void release() noexcept;

    alignas(8) unsigned char m_raw[16];
};

// The packed bytes as they are (UTF-8 for ordinary text); lets test frameworks print a value.
std::ostream& operator<<(std::ostream& out, const CompactText& text);

} // namespace ORBAX_Logging
