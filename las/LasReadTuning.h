#pragma once
// How a read splits its work: the size of the blocks a file is read in and how a block's lines are
// shared between threads. The defaults suit files of any size; the tests use tiny blocks and parts to
// reach every boundary (a line or a number cut by a block's end) on small files.
#include <cstddef>

namespace ORBAX_Geophysics {

struct LasReadTuning {
    std::size_t blockBytes = std::size_t(4) << 20;     // a block of complete lines, about this long
    std::size_t minPartBytes = std::size_t(128) << 10; // a block is split into parts of at least this
    unsigned maxParts = 0;                             // 0: four for each core the process may use
    bool lineByLine = false;                           // read unwrapped data a line at a time, on one thread
};

} // namespace ORBAX_Geophysics
