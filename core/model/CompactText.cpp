#include "core/model/CompactText.h"

#include <limits>
#include <ostream>
#include <stdexcept>

#include "platform/Text.h"

namespace ORBAX_Logging {

namespace PackedText {
namespace {

static_assert(sizeof(wchar_t) == 4, "wide characters are 32-bit code values");

constexpr unsigned char rawEscape = 0xF8;

std::uint32_t codeOf(wchar_t c) { return static_cast<std::uint32_t>(c); }

std::size_t sizeOf(std::uint32_t u)
{
    if (u < 0x80)
        return 1;
    if (u < 0x800)
        return 2;
    if (u < 0x10000)
        return 3;
    if (u < 0x200000)
        return 4;
    return 5;
}

// The length of the sequence a lead byte starts.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    if (lead < 0xF8)
        return 4;
    return 5;
}

// Decodes the character at p (a sequence of `length` bytes written by pack).
wchar_t decodeAt(const unsigned char* p, std::size_t length)
{
    std::uint32_t u;
    switch (length) {
    case 1: u = p[0]; break;
    case 2: u = (std::uint32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F); break;
    case 3: u = (std::uint32_t(p[0] & 0x0F) << 12) | (std::uint32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F); break;
    case 4:
        u = (std::uint32_t(p[0] & 0x07) << 18) | (std::uint32_t(p[1] & 0x3F) << 12) |
            (std::uint32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        break;
    default:
        u = std::uint32_t(p[1]) | (std::uint32_t(p[2]) << 8) | (std::uint32_t(p[3]) << 16) |
            (std::uint32_t(p[4]) << 24);
        break;
    }
    return static_cast<wchar_t>(u);
}

} // namespace

std::size_t packedSize(const wchar_t* text, std::size_t count)
{
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i)
        size += sizeOf(codeOf(text[i]));
    return size;
}

char* pack(const wchar_t* text, std::size_t count, char* out)
{
    auto* p = reinterpret_cast<unsigned char*>(out);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t u = codeOf(text[i]);
        if (u < 0x80) {
            *p++ = static_cast<unsigned char>(u);
        } else if (u < 0x800) {
            *p++ = static_cast<unsigned char>(0xC0 | (u >> 6));
            *p++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
        } else if (u < 0x10000) {
            *p++ = static_cast<unsigned char>(0xE0 | (u >> 12));
            *p++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
        } else if (u < 0x200000) {
            *p++ = static_cast<unsigned char>(0xF0 | (u >> 18));
            *p++ = static_cast<unsigned char>(0x80 | ((u >> 12) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
        } else {
            // Not a Unicode character at all: kept verbatim so that it still comes back unchanged.
            *p++ = rawEscape;
            *p++ = static_cast<unsigned char>(u);
            *p++ = static_cast<unsigned char>(u >> 8);
            *p++ = static_cast<unsigned char>(u >> 16);
            *p++ = static_cast<unsigned char>(u >> 24);
        }
    }
    return reinterpret_cast<char*>(p);
}

std::size_t packedSize(std::string_view cp1252)
{
    std::size_t size = 0;
    for (const char c : cp1252)
        size += sizeOf(codeOf(ORBAX_Platform::cp1252_to_unicode(static_cast<unsigned char>(c))));
    return size;
}

char* pack(std::string_view cp1252, char* out)
{
    for (const char c : cp1252) {
        const wchar_t wide = ORBAX_Platform::cp1252_to_unicode(static_cast<unsigned char>(c));
        out = pack(&wide, 1, out);
    }
    return out;
}

void unpackAppend(const char* bytes, std::size_t size, std::wstring& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + size;
    // Most text is ASCII: one character per byte.
    out.reserve(out.size() + size);
    while (p < end) {
        if (*p < 0x80) {
            out.push_back(static_cast<wchar_t>(*p++));
            continue;
        }
        const std::size_t length = sequenceLength(*p);
        out.push_back(decodeAt(p, length));
        p += length;
    }
}

std::size_t characterCount(const char* bytes, std::size_t size)
{
    // Walked sequence by sequence: the raw bytes of an escaped value may look like anything.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + size;
    std::size_t count = 0;
    for (; p < end; ++count)
        p += sequenceLength(*p);
    return count;
}

bool equals(const char* bytes, std::size_t size, const wchar_t* text, std::size_t count)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + size;
    std::size_t i = 0;
    while (p < end) {
        if (i == count)
            return false;
        const std::size_t length = sequenceLength(*p);
        if (decodeAt(p, length) != text[i])
            return false;
        p += length;
        ++i;
    }
    return i == count;
}

} // namespace PackedText

CompactText::CompactText(const CompactText& other)
{
    m_raw[tagByte] = 0;
    assignBytes(other.data(), other.byteSize());
}

CompactText::CompactText(CompactText&& other) noexcept
{
    std::memcpy(m_raw, other.m_raw, sizeof m_raw);
    other.m_raw[tagByte] = 0;
}

CompactText& CompactText::operator=(const CompactText& other)
{
    if (this != &other) {
        CompactText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept
{
    if (this != &other) {
        release();
        std::memcpy(m_raw, other.m_raw, sizeof m_raw);
        other.m_raw[tagByte] = 0;
    }
    return *this;
}

CompactText& CompactText::operator=(const std::wstring& text)
{
    CompactText packed(text);
    return *this = std::move(packed);
}

CompactText& CompactText::operator=(const wchar_t* text)
{
    CompactText packed(text);
    return *this = std::move(packed);
}

std::wstring CompactText::str() const
{
    std::wstring out;
    PackedText::unpackAppend(data(), byteSize(), out);
    return out;
}

void CompactText::clear() noexcept
{
    release();
    m_raw[tagByte] = 0;
}

std::size_t CompactText::length() const { return PackedText::characterCount(data(), byteSize()); }

void CompactText::assignWide(const wchar_t* text, std::size_t count)
{
    // Only called on an empty object (a constructor).
    m_raw[tagByte] = 0;
    const std::size_t size = PackedText::packedSize(text, count);
    if (size <= inlineCapacity) {
        PackedText::pack(text, count, reinterpret_cast<char*>(m_raw));
        m_raw[tagByte] = static_cast<unsigned char>(size);
        return;
    }
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("text too long");
    char* block = new char[size];
    PackedText::pack(text, count, block);
    const auto n = static_cast<std::uint32_t>(size);
    std::memcpy(m_raw, &block, sizeof block);
    std::memcpy(m_raw + sizeof block, &n, sizeof n);
    m_raw[tagByte] = onHeap;
}

void CompactText::assignBytes(const char* bytes, std::size_t size)
{
    // Only called on an empty object (a constructor).
    if (size <= inlineCapacity) {
        if (size)
            std::memcpy(m_raw, bytes, size);
        m_raw[tagByte] = static_cast<unsigned char>(size);
        return;
    }
    char* block = new char[size];
    std::memcpy(block, bytes, size);
    const auto n = static_cast<std::uint32_t>(size);
    std::memcpy(m_raw, &block, sizeof block);
    std::memcpy(m_raw + sizeof block, &n, sizeof n);
    m_raw[tagByte] = onHeap;
}

void CompactText::release() noexcept
{
    if (isHeap())
        delete[] heapPointer();
}

std::ostream& operator<<(std::ostream& out, const CompactText& text)
{
    const std::string_view bytes = text.bytes();
    return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace ORBAX_Logging
