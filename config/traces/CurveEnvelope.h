#pragma once
// The lowest and highest value of a curve over blocks of rows, at block sizes from 16 rows up by
// fours, with whether each block holds missing values (NaN). Any run of rows is then told in a few
// blocks, so that drawing a curve costs what the device shows, not the number of samples.
#include <cstddef>
#include <cstdint>
#include <vector>

class CurveEnvelope {
public:
    static constexpr std::size_t BaseBlock = 16; // a power of two, as the fan-out is
    static constexpr std::size_t Fanout = 4;

    // Sums up `count` values; the values stay the caller's and are not kept.
    void build(const double* values, std::size_t count);
    void clear() { m_levels.clear(); }

    // Walks rows [begin, end) of the values it was built over, in order, as blocks and single rows:
    // `block(first, last, low, high)` for rows first..last (inclusive), none of them missing;
    // `absent()` for a block of nothing but missing values; `row(r)` for a row of a block that holds
    // both. Rows outside the built count are walked one by one.
    template <class Block, class Absent, class Row>
    void walk(std::size_t begin, std::size_t end, Block&& block, Absent&& absent, Row&& row) const
    {
        std::size_t p = begin;
        while (p < end) {
            if ((p & (BaseBlock - 1)) != 0 || p + BaseBlock > end || m_levels.empty()) {
                row(p++);
                continue;
            }
            // The largest block that starts here and ends by the end; a block holding both kinds of
            // rows is looked into, down to its rows.
            std::size_t l = 0;
            while (l + 1 < m_levels.size() && (p & (m_levels[l + 1].size - 1)) == 0 && p + m_levels[l + 1].size <= end)
                ++l;
            for (;; --l) {
                const Level& level = m_levels[l];
                const std::size_t index = p >> level.shift;
                const std::uint8_t state = index < level.state.size() ? level.state[index] : std::uint8_t(SomeMissing);
                if (state == NoneMissing) {
                    block(p, p + level.size - 1, level.low[index], level.high[index]);
                    p += level.size;
                    break;
                }
                if (state == AllMissing) {
                    absent();
                    p += level.size;
                    break;
                }
                if (l == 0) {
                    for (std::size_t k = 0; k < BaseBlock; ++k)
                        row(p++);
                    break;
                }
            }
        }
    }

private:
    enum State : std::uint8_t { NoneMissing = 0, SomeMissing = 1, AllMissing = 2 };
    struct Level {
        std::size_t size = 0; // rows, a power of two
        unsigned shift = 0;   // its logarithm
        std::vector<double> low;
        std::vector<double> high;
        std::vector<std::uint8_t> state;
    };
    std::vector<Level> m_levels;
};
