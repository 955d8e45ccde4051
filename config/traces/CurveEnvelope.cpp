#include "config/traces/CurveEnvelope.h"

#include <algorithm>
#include <cmath>

static_assert(CurveEnvelope::BaseBlock == 16 && CurveEnvelope::Fanout == 4, "the levels' shifts are 4 + 2 l");

void CurveEnvelope::build(const double* values, std::size_t count)
{
    m_levels.clear();
    std::size_t blocks = count / BaseBlock;
    if (blocks == 0)
        return;
    Level base;
    base.size = BaseBlock;
    base.shift = 4;
    base.low.resize(blocks);
    base.high.resize(blocks);
    base.state.resize(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const double* v = values + b * BaseBlock;
        double low = NAN;
        double high = NAN;
        std::size_t missing = 0;
        for (std::size_t i = 0; i < BaseBlock; ++i) {
            if (std::isnan(v[i])) {
                ++missing;
            } else {
                low = std::isnan(low) ? v[i] : std::min(low, v[i]);
                high = std::isnan(high) ? v[i] : std::max(high, v[i]);
            }
        }
        base.low[b] = low;
        base.high[b] = high;
        base.state[b] = missing == 0 ? NoneMissing : missing == BaseBlock ? AllMissing : SomeMissing;
    }
    m_levels.push_back(std::move(base));
    while ((blocks /= Fanout) > 0) {
        const Level& below = m_levels.back();
        Level level;
        level.size = below.size * Fanout;
        level.shift = below.shift + 2;
        level.low.resize(blocks);
        level.high.resize(blocks);
        level.state.resize(blocks);
        for (std::size_t b = 0; b < blocks; ++b) {
            double low = NAN;
            double high = NAN;
            int none = 0;
            int all = 0;
            for (std::size_t k = b * Fanout; k < (b + 1) * Fanout; ++k) {
                none += below.state[k] == NoneMissing;
                all += below.state[k] == AllMissing;
                if (below.state[k] != AllMissing) {
                    low = std::isnan(low) ? below.low[k] : std::min(low, below.low[k]);
                    high = std::isnan(high) ? below.high[k] : std::max(high, below.high[k]);
                }
            }
            level.low[b] = low;
            level.high[b] = high;
            level.state[b] = none == int(Fanout) ? NoneMissing : all == int(Fanout) ? AllMissing : SomeMissing;
        }
        m_levels.push_back(std::move(level));
    }
}
