#pragma once
// The threads that parse the data of large LAS files, shared by every read in the process. A read
// hands its parts to them and works on its own parts too, so several files read at once (the desktop
// program reads each on a worker thread of its own) share the cores instead of each starting a thread
// per core.
#include <cstddef>
#include <functional>

namespace ORBAX_Geophysics {

// How many parts are worth splitting one job into: the cores this process may run on.
unsigned parse_width();

// Runs task(0) .. task(count - 1), on the calling thread and on the shared threads, and returns when
// all have finished. An exception thrown by a task is passed on once every task has ended.
void run_parallel(std::size_t count, const std::function<void(std::size_t)>& task);

} // namespace ORBAX_Geophysics
