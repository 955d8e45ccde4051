#pragma once
// The field values of one element row, all in one heap block: each value is its packed length followed
// by its packed text (see CompactText.h). A row whose values are all empty holds no block at all.
// Reads give std::wstring; a value is changed with set(), never through a reference.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ORBAX_Logging {

class ValueList {
public:
    ValueList() noexcept = default;
    // `count` empty values.
    explicit ValueList(std::size_t count);
    explicit ValueList(const std::vector<std::wstring>& texts) { assign(texts); }
    ValueList(const ValueList& other);
    ValueList(ValueList&& other) noexcept;
    ~ValueList() { delete[] m_data; }

    ValueList& operator=(const ValueList& other);
    ValueList& operator=(ValueList&& other) noexcept;

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    // The value at i; throws std::out_of_range when i is not below size(). The result is const so
    // that `values[i] = text` does not compile (it would change a copy): use set().
    const std::wstring operator[](std::size_t i) const { return at(i); }
    std::wstring at(std::size_t i) const;
    // Whether the value at i is empty (false when i is not below size()).
    bool isEmpty(std::size_t i) const;

    // Throws std::out_of_range when i is not below size().
    void set(std::size_t i, const std::wstring& text);
    // New values are empty; values beyond `count` are dropped.
    void resize(std::size_t count);
    void push_back(const std::wstring& text);
    void assign(const std::vector<std::wstring>& texts);
    // The values of code page 1252 bytes, packed straight from them: a read holds no wide copy.
    void assignCp1252(const std::vector<std::string_view>& texts);
    void clear() noexcept;

    std::vector<std::wstring> toVector() const;
    // The characters of all the values together, in one pass over the block.
    std::size_t characterCount() const;

    friend bool operator==(const ValueList& a, const ValueList& b);
    friend bool operator!=(const ValueList& a, const ValueList& b) { return !(a == b); }

private:
    // The offset of the length byte(s) of value i in the block, which must exist.
    std::size_t offsetOf(std::size_t i) const;
    // Replaces bytes [from, to) of the block by `insert` bytes at `data` (the block made first when
    // there is none), then drops the block when every value is empty.
    void splice(std::size_t from, std::size_t to, const char* data, std::size_t insert);
    void materialise();
    // Replaces the values by `count` values, value i of packedSize(i) bytes written by pack(i, out).
    template <class Size, class Pack>
    void assignPacked(std::size_t count, Size packedSize, Pack pack);

    // Either null (every value empty) or m_bytes bytes.
    char* m_data = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_bytes = 0;
};

} // namespace ORBAX_Logging
