#pragma once
// The dense trace file of the view's speed measurements: LAS 2.0, depth from 0 m in steps of 1 mm and
// eleven readings shaped like logs (a slow swing, beds, noise), two decimals; about 105 bytes a row.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace DenseTraceFile {

inline bool write(const std::string& path, int rows)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    static const char* const names[] = {"GR", "SGR", "CGR", "DEN", "ILD", "NPHI", "PE", "DT", "SP", "RHOB", "CALX"};
    std::fprintf(out,
                 "~Version information\n VERS. 2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
                 " WRAP. NO : one line per depth step\n~Well information\n STRT.M 0.000 : start\n"
                 " STOP.M %.3f : stop\n STEP.M 0.001 : step\n NULL. -999.25 : null\n"
                 "~Curve information\n DEPT.M : depth\n",
                 (rows - 1) * 0.001);
    for (const char* name : names)
        std::fprintf(out, " %s.U : reading\n", name);
    std::fprintf(out, "~A\n");
    std::uint32_t random = 12345;
    std::string line;
    char number[32];
    for (int r = 0; r < rows; ++r) {
        const double depth = r * 0.001;
        line.clear();
        std::snprintf(number, sizeof number, "%.3f", depth);
        line += number;
        for (int c = 0; c < 11; ++c) {
            random = random * 1664525u + 1013904223u;
            const double noise = ((random >> 8) % 1000) / 1000.0 - 0.5;
            const double bed = std::fmod(std::floor(depth / (1.5 + 0.4 * c)) * 37.0, 11.0);
            const double value = 50 + 25 * std::sin(depth / (3 + c)) + 3 * bed + 8 * noise;
            std::snprintf(number, sizeof number, " %8.2f", value);
            line += number;
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), out);
    }
    return std::fclose(out) == 0;
}

} // namespace DenseTraceFile
