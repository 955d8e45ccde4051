// The shared parse threads: every task runs once, a task's exception reaches the caller after the
// others have ended, and several callers at once all finish.
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "las/ParseThreads.h"

using ORBAX_Geophysics::run_parallel;

TEST(ParseThreads, EveryTaskRunsOnceAndErrorsReachTheCaller)
{
    std::vector<std::atomic<int>> runs(100);
    run_parallel(runs.size(), [&](std::size_t i) { ++runs[i]; });
    for (const auto& r : runs)
        EXPECT_EQ(r.load(), 1);

    std::atomic<int> ended{0};
    EXPECT_THROW(run_parallel(16,
                              [&](std::size_t i) {
                                  if (i == 3)
                                      throw std::runtime_error("part 3");
                                  ++ended;
                              }),
                 std::runtime_error);
    // Every other task had run by the time the exception arrived.
    EXPECT_EQ(ended.load(), 15);
    run_parallel(0, [](std::size_t) { FAIL() << "no task to run"; });
}

TEST(ParseThreads, SeveralCallersAtOnce)
{
    std::vector<long long> sums(8, 0);
    std::vector<std::thread> callers;
    for (std::size_t c = 0; c < sums.size(); ++c) {
        callers.emplace_back([&, c] {
            for (int round = 0; round < 50; ++round) {
                std::vector<long long> parts(12, 0);
                run_parallel(parts.size(), [&](std::size_t i) { parts[i] = static_cast<long long>(i + c); });
                for (long long p : parts)
                    sums[c] += p;
            }
        });
    }
    for (std::thread& t : callers)
        t.join();
    for (std::size_t c = 0; c < sums.size(); ++c)
        EXPECT_EQ(sums[c], 50 * (66 + 12 * static_cast<long long>(c)));
}
