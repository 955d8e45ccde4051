#pragma once
// The data section of a LAS file: counts the rows, gives every curve its sample array, stores the
// values with the null rule, orders the rows by depth and builds the depth index.
#include <cstddef>
#include <string>
#include <vector>

namespace ORBAX_Geophysics {

class LasDataCommon;
class LasLineSource;

// How the unwrapped data is split between threads. The defaults suit large files; the tests use tiny
// blocks and parts to exercise every boundary on small ones.
struct DataSectionTuning {
    std::size_t minPartBytes = std::size_t(1) << 18; // a block is split into parts of at least this
    unsigned maxThreads = 0;                         // 0: as many as the machine has, at most 8
    bool lineByLine = false;                         // read unwrapped data line by line, on one thread
};

class LasDataSectionReader {
public:
    // The source stands just after the section's title line. `nullText` is the well section's NULL
    // value ("" when there was none).
    LasDataSectionReader(LasDataCommon& las, LasLineSource& source, bool wrapped, const DataSectionTuning& tuning = {});

    // Reads the section. Afterwards the source stands after its last row (the end of the file, or the
    // line after the short line that ended unwrapped data), with the line counter there.
    void read();

private:
    struct PartScan;

    long long count_blocks();
    void fill_blocks(long long rows);
    long long count_lines();
    void fill_lines(long long rows);
    void finish_ranges();
    unsigned threads_for(std::size_t bytes) const;

    LasDataCommon& m_las;
    LasLineSource& m_source;
    bool m_wrapped;
    DataSectionTuning m_tuning;
    std::size_t m_curveCount;
    std::vector<double*> m_columns;
    std::vector<double> m_minimum;
    std::vector<double> m_maximum;
    bool m_downwards = false;
    long long m_rows = 0;
    std::string m_nullText;
    bool m_nullIsNumber = false;
    double m_nullValue = 0.0;
};

} // namespace ORBAX_Geophysics
