#pragma once
// How a read splits its work: the size of the blocks a file is read in, how a block is read and how
// its lines are shared between threads. The defaults suit files of any size; the tests use tiny
// blocks, slices and parts to reach every boundary (a line or a number cut by a block's end) on small
// files.
#include <cstddef>

namespace ORBAX_Geophysics {

struct LasReadTuning {
    std::size_t blockBytes = std::size_t(4) << 20;     // a block of complete lines, about this long
    std::size_t minPartBytes = std::size_t(128) << 10; // a block is split into parts of at least this
    unsigned maxParts = 0;                             // 0: four for each core the process may use
    // A block of a regular file is read in this many slices at once; 0: from 1 MiB on, four for each
    // core, of at least 128 KiB.
    unsigned readSlices = 0;
    bool lineByLine = false; // read unwrapped data a line at a time, on one thread
};

} // namespace ORBAX_Geophysics
