#include "core/model/ValueList.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/model/CompactText.h"

namespace ORBAX_Logging {
namespace {

constexpr std::size_t maxSize = std::numeric_limits<std::uint32_t>::max();

std::size_t varintSize(std::size_t n)
{
    std::size_t size = 1;
    while (n >= 0x80) {
        n >>= 7;
        ++size;
    }
    return size;
}

char* writeVarint(std::size_t n, char* out)
{
    while (n >= 0x80) {
        *out++ = static_cast<char>(0x80 | (n & 0x7F));
        n >>= 7;
    }
    *out++ = static_cast<char>(n);
    return out;
}

std::size_t readVarint(const char*& p)
{
    std::size_t n = 0;
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*p++);
        n |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return n;
        shift += 7;
    }
}

void checkSize(std::size_t size)
{
    if (size > maxSize)
        throw std::length_error("row values too long");
}

// One value as it stands in a block: its length and its packed text.
std::string entryOf(const std::wstring& text)
{
    const std::size_t packed = PackedText::packedSize(text.data(), text.size());
    std::string entry(varintSize(packed) + packed, '\0');
    char* p = writeVarint(packed, entry.data());
    PackedText::pack(text.data(), text.size(), p);
    return entry;
}

} // namespace

ValueList::ValueList(std::size_t count)
{
    checkSize(count);
    m_count = static_cast<std::uint32_t>(count);
}

ValueList::ValueList(const ValueList& other) : m_count(other.m_count), m_bytes(other.m_bytes)
{
    if (other.m_data) {
        m_data = new char[m_bytes];
        std::memcpy(m_data, other.m_data, m_bytes);
    }
}

ValueList::ValueList(ValueList&& other) noexcept : m_data(other.m_data), m_count(other.m_count), m_bytes(other.m_bytes)
{
    other.m_data = nullptr;
    other.m_count = 0;
    other.m_bytes = 0;
}

ValueList& ValueList::operator=(const ValueList& other)
{
    if (this != &other) {
        ValueList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ValueList& ValueList::operator=(ValueList&& other) noexcept
{
    if (this != &other) {
        delete[] m_data;
        m_data = other.m_data;
        m_count = other.m_count;
        m_bytes = other.m_bytes;
        other.m_data = nullptr;
        other.m_count = 0;
        other.m_bytes = 0;
    }
    return *this;
}

std::size_t ValueList::offsetOf(std::size_t i) const
{
    const char* p = m_data;
    for (std::size_t k = 0; k < i; ++k) {
        const std::size_t length = readVarint(p);
        p += length;
    }
    return static_cast<std::size_t>(p - m_data);
}

std::size_t ValueList::characterCount() const
{
    std::size_t characters = 0;
    const char* p = m_data;
    for (std::size_t k = 0; p && k < m_count; ++k) {
        const std::size_t length = readVarint(p);
        characters += PackedText::characterCount(p, length);
        p += length;
    }
    return characters;
}

std::wstring ValueList::at(std::size_t i) const
{
    if (i >= m_count)
        throw std::out_of_range("row value index");
    std::wstring out;
    if (!m_data)
        return out;
    const char* p = m_data + offsetOf(i);
    const std::size_t length = readVarint(p);
    PackedText::unpackAppend(p, length, out);
    return out;
}

bool ValueList::isEmpty(std::size_t i) const
{
    if (i >= m_count)
        return false;
    if (!m_data)
        return true;
    const char* p = m_data + offsetOf(i);
    return readVarint(p) == 0;
}

void ValueList::materialise()
{
    // Every value empty: one zero length byte each.
    if (!m_data && m_count) {
        m_data = new char[m_count]();
        m_bytes = m_count;
    }
}

void ValueList::splice(std::size_t from, std::size_t to, const char* data, std::size_t insert)
{
    const std::size_t newSize = m_bytes - (to - from) + insert;
    checkSize(newSize);
    char* block = nullptr;
    // The block is dropped when nothing but zero lengths (every value empty) would remain.
    if (newSize != m_count) {
        block = new char[newSize];
        std::memcpy(block, m_data, from);
        if (insert)
            std::memcpy(block + from, data, insert);
        std::memcpy(block + from + insert, m_data + to, m_bytes - to);
    }
    delete[] m_data;
    m_data = block;
    m_bytes = block ? static_cast<std::uint32_t>(newSize) : 0;
}

void ValueList::set(std::size_t i, const std::wstring& text)
{
    if (i >= m_count)
        throw std::out_of_range("row value index");
    if (!m_data && text.empty())
        return;
    const std::string entry = entryOf(text);
    materialise();
    const std::size_t from = offsetOf(i);
    const char* p = m_data + from;
    const std::size_t length = readVarint(p);
    const std::size_t to = static_cast<std::size_t>(p - m_data) + length;
    splice(from, to, entry.data(), entry.size());
}

void ValueList::resize(std::size_t count)
{
    checkSize(count);
    if (count == m_count)
        return;
    if (!m_data) {
        m_count = static_cast<std::uint32_t>(count);
        return;
    }
    if (count < m_count) {
        const std::size_t end = offsetOf(count);
        const std::size_t dropped = m_bytes - end;
        m_count = static_cast<std::uint32_t>(count);
        splice(end, end + dropped, nullptr, 0);
        return;
    }
    const std::string zeros(count - m_count, '\0');
    m_count = static_cast<std::uint32_t>(count);
    splice(m_bytes, m_bytes, zeros.data(), zeros.size());
}

void ValueList::push_back(const std::wstring& text)
{
    resize(static_cast<std::size_t>(m_count) + 1);
    set(static_cast<std::size_t>(m_count) - 1, text);
}

template <class Size, class Pack>
void ValueList::assignPacked(std::size_t count, Size packedSize, Pack pack)
{
    checkSize(count);
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t packed = packedSize(i);
        size += varintSize(packed) + packed;
    }
    checkSize(size);
    char* block = nullptr;
    if (size != count) {
        block = new char[size];
        char* p = block;
        for (std::size_t i = 0; i < count; ++i) {
            p = writeVarint(packedSize(i), p);
            p = pack(i, p);
        }
    }
    delete[] m_data;
    m_data = block;
    m_count = static_cast<std::uint32_t>(count);
    m_bytes = block ? static_cast<std::uint32_t>(size) : 0;
}

void ValueList::assign(const std::vector<std::wstring>& texts)
{
    assignPacked(
        texts.size(), [&](std::size_t i) { return PackedText::packedSize(texts[i].data(), texts[i].size()); },
        [&](std::size_t i, char* out) { return PackedText::pack(texts[i].data(), texts[i].size(), out); });
}

void ValueList::assignCp1252(const std::vector<std::string_view>& texts)
{
    assignPacked(
        texts.size(), [&](std::size_t i) { return PackedText::packedSize(texts[i]); },
        [&](std::size_t i, char* out) { return PackedText::pack(texts[i], out); });
}

void ValueList::clear() noexcept
{
    delete[] m_data;
    m_data = nullptr;
    m_count = 0;
    m_bytes = 0;
}

std::vector<std::wstring> ValueList::toVector() const
{
    std::vector<std::wstring> out(m_count);
    if (!m_data)
        return out;
    const char* p = m_data;
    for (std::size_t k = 0; k < m_count; ++k) {
        const std::size_t length = readVarint(p);
        PackedText::unpackAppend(p, length, out[k]);
        p += length;
    }
    return out;
}

bool operator==(const ValueList& a, const ValueList& b)
{
    // One form per content: packing is deterministic and a list of empty values has no block.
    if (a.m_count != b.m_count || a.m_bytes != b.m_bytes)
        return false;
    return a.m_bytes == 0 || std::memcmp(a.m_data, b.m_data, a.m_bytes) == 0;
}

} // namespace ORBAX_Logging
