#pragma once
// The data section of a LAS file: reads the rows into the curves' sample arrays in one pass over the
// text, with the null rule, orders the rows by depth and builds the depth index.
#include <cstddef>
#include <string>
#include <vector>

#include "las/LasReadTuning.h"

namespace ORBAX_Geophysics {

class LasDataCommon;
class LasLineSource;

class LasDataSectionReader {
public:
    // The source stands just after the section's title line.
    LasDataSectionReader(LasDataCommon& las, LasLineSource& source, bool wrapped, const LasReadTuning& tuning = {});

    // Reads the section. Afterwards the source stands after its last row (the end of the file, or the
    // line after the short line that ended unwrapped data), with the line counter there.
    void read();

private:
    struct PartResult;

    void read_blocks();
    void read_lines();
    // Room in every curve for `rows` rows.
    void make_room(std::size_t rows);
    void add_rows(std::size_t rows);
    void parse_part(const char* begin, const char* end, const char* limit, std::size_t firstRow, PartResult& out) const;
    std::size_t parts_for(std::size_t bytes) const;

    LasDataCommon& m_las;
    LasLineSource& m_source;
    bool m_wrapped;
    LasReadTuning m_tuning;
    std::size_t m_curveCount = 0;
    std::vector<double*> m_columns;
    std::vector<double> m_minimum; // +inf until a value is stored
    std::vector<double> m_maximum; // -inf until a value is stored
    std::size_t m_rows = 0;
    std::string m_nullText;
    bool m_nullIsNumber = false;
    bool m_compareNullText = false;
    double m_nullValue = 0.0;
};

} // namespace ORBAX_Geophysics
