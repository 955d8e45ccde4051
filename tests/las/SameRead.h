#pragma once
// Compares everything a read left in two LAS objects: result, message, well values, curves with their
// samples and ranges, and the depth index. The reader must give the same whatever way it read the
// text (from a file, a pipe or memory; in blocks of any size; on any number of threads).
#include <cmath>
#include <cstddef>
#include <string>

#include "las/Curve.h"
#include "las/LasData.h"

namespace LasTest {

inline bool same_value(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

// "" when both reads gave the same; otherwise what differs first.
inline std::string read_difference(int codeA, const std::wstring& errorA,
                                   const ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve>& a, int codeB,
                                   const std::wstring& errorB,
                                   const ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve>& b)
{
    if (codeA != codeB)
        return "result " + std::to_string(codeA) + " against " + std::to_string(codeB);
    if (codeA != 0 && errorA != errorB)
        return "the message";
    if (a.row_count() != b.row_count())
        return "rows " + std::to_string(a.row_count()) + " against " + std::to_string(b.row_count());
    if (!same_value(a.start_depth(), b.start_depth()) || !same_value(a.stop_depth(), b.stop_depth()) ||
        !same_value(a.step(), b.step()) || a.null_text() != b.null_text())
        return "the well values";
    if (a.curves().size() != b.curves().size())
        return "the number of curves";
    for (std::size_t c = 0; c < a.curves().size(); ++c) {
        const auto& x = a.curves()[c];
        const auto& y = b.curves()[c];
        const std::string curve = "curve " + std::to_string(c) + ": ";
        if (x.mnemonic != y.mnemonic || x.unit != y.unit || x.value != y.value || x.description != y.description)
            return curve + "its definition";
        if (x.has_samples() != y.has_samples() || x.samples().size() != y.samples().size())
            return curve + "the size of its samples";
        for (std::size_t r = 0; r < x.samples().size(); ++r) {
            if (!same_value(x.samples()[r], y.samples()[r]))
                return curve + "row " + std::to_string(r) + ": " + std::to_string(x.samples()[r]) + " against " +
                       std::to_string(y.samples()[r]);
        }
        if (!same_value(x.minimum(), y.minimum()) || !same_value(x.maximum(), y.maximum()))
            return curve + "its range";
    }
    if (a.depth_index().size() != b.depth_index().size())
        return "the size of the depth index";
    for (auto i = a.depth_index().begin(), j = b.depth_index().begin(); i != a.depth_index().end(); ++i, ++j) {
        if (*i != *j)
            return "the depth index";
    }
    return {};
}

} // namespace LasTest
