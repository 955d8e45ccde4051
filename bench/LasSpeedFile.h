#pragma once
// The LAS file the speed measurements read: LAS 2.0, 12 curves (depth and 11 readings), depth steps of
// 0.125 m, values with 4 decimals in fixed-width columns, about 1 % of the readings the NULL value
// -999.25, one line per depth step. Its size is chosen in megabytes (10^6 bytes).
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

namespace LasSpeedFile {

constexpr int kCurves = 12;

struct Shape {
    std::uint64_t rows = 0;
    int curves = kCurves;
    std::uint64_t bytes = 0;
};

inline void append_fixed(std::string& line, double value, int width)
{
    char number[64];
    auto r = std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 4);
    const int length = static_cast<int>(r.ptr - number);
    line.append(width > length ? static_cast<std::size_t>(width - length) : 1, ' ');
    line.append(number, r.ptr);
}

// Calls `sink(text)` with the file's text, piece by piece.
template <class Sink>
Shape generate(double megabytes, Sink&& sink)
{
    Shape shape;
    const std::uint64_t target = static_cast<std::uint64_t>(megabytes * 1e6);
    shape.rows = target / 132 + 1; // each data line is 10 + 11 * 11 + 1 bytes
    const double start = 1000.0;

    std::string text = "~Version information\n"
                       " VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
                       " WRAP.   NO  : one line per depth step\n"
                       "~Well information\n STRT.M";
    append_fixed(text, start, 12);
    text += " : start depth\n STOP.M";
    append_fixed(text, start + static_cast<double>(shape.rows - 1) * 0.125, 12);
    text += " : stop depth\n STEP.M      0.1250 : step\n NULL.   -999.2500 : null value\n"
            "~Curve information\n DEPT.M : depth\n";
    for (int c = 1; c < kCurves; ++c)
        text += " C" + std::to_string(c) + ".UNIT : curve " + std::to_string(c) + "\n";
    text += "~A  DEPT";
    for (int c = 1; c < kCurves; ++c)
        text += "  C" + std::to_string(c);
    text += "\n";

    std::uint32_t random = 12345;
    for (std::uint64_t row = 0; row < shape.rows; ++row) {
        append_fixed(text, start + static_cast<double>(row) * 0.125, 10);
        for (int c = 1; c < kCurves; ++c) {
            random = random * 1664525u + 1013904223u;
            const bool null = (random >> 8) % 100 == 0;
            append_fixed(text, null ? -999.25 : static_cast<double>((random >> 4) % 10000000) / 10000.0 - 500.0, 11);
        }
        text += '\n';
        if (text.size() > (std::size_t(1) << 20)) {
            shape.bytes += text.size();
            sink(text);
            text.clear();
        }
    }
    shape.bytes += text.size();
    sink(text);
    return shape;
}

inline bool write(const std::string& path, double megabytes, Shape& shape)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool ok = true;
    shape = generate(megabytes, [&](const std::string& piece) {
        ok = ok && std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
    });
    return std::fclose(out) == 0 && ok;
}

} // namespace LasSpeedFile
