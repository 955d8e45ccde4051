#include "platform/Paths.h"

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace ORBAX_Platform {

std::string utf8_from_wide(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto c = static_cast<std::uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring wide_from_utf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        unsigned char b = *p;
        std::uint32_t c;
        int extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            out += L'\xFFFD';
            ++p;
            continue;
        }
        if (end - p < extra + 1) {
            out += L'\xFFFD';
            ++p;
            continue;
        }
        bool ok = true;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (p[i] & 0x3F);
        }
        static const std::uint32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (!ok || c < minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += L'\xFFFD';
            ++p;
            continue;
        }
        out += static_cast<wchar_t>(c);
        p += extra + 1;
    }
    return out;
}

std::filesystem::path path_from_wide(const std::wstring& name) { return std::filesystem::path(utf8_from_wide(name)); }

std::filesystem::path path_from_utf8(const std::string& name) { return std::filesystem::path(name); }

std::wstring wide_from_path(const std::filesystem::path& path) { return wide_from_utf8(path.native()); }

bool open_input(std::ifstream& stream, const std::filesystem::path& path)
{
    stream.open(path.native(), std::ios::in | std::ios::binary);
    return stream.is_open();
}

bool open_output(std::ofstream& stream, const std::filesystem::path& path)
{
    stream.open(path.native(), std::ios::out | std::ios::binary | std::ios::trunc);
    return stream.is_open();
}

bool read_file_bytes(const std::filesystem::path& path, std::string& bytes, std::string* error)
{
    bytes.clear();
    std::ifstream in;
    errno = 0;
    if (!open_input(in, path)) {
        if (error)
            *error = std::generic_category().message(errno ? errno : ENOENT);
        return false;
    }
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        if (error)
            *error = std::generic_category().message(errno ? errno : EIO);
        return false;
    }
    return true;
}

} // namespace ORBAX_Platform
