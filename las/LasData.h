#pragma once
// A LAS file in memory over a curve type T: plain `Curve` in Curvex, a drawable curve in the desktop
// program. T derives from Curve and is constructed from its owner (LasDataCommon*).
#include <type_traits>
#include <vector>

#include "las/LasDataCommon.h"

namespace ORBAX_Geophysics {

template <class T>
class LasData : public LasDataCommon {
    static_assert(std::is_base_of_v<Curve, T>, "a LAS curve type derives from Curve");

public:
    LasData() { m_curves.reserve(16); }

    // In the order of the file's curve section; the first curve holds the depths.
    std::vector<T>& curves() { return m_curves; }
    const std::vector<T>& curves() const { return m_curves; }

    std::size_t curve_count() const override { return m_curves.size(); }
    Curve& curve_at(std::size_t index) override { return m_curves.at(index); }
    const Curve& curve_at(std::size_t index) const override { return m_curves.at(index); }

protected:
    void clear_curves() override { m_curves.clear(); }
    Curve& append_curve() override
    {
        m_curves.emplace_back(static_cast<LasDataCommon*>(this));
        return m_curves.back();
    }

private:
    std::vector<T> m_curves;
};

} // namespace ORBAX_Geophysics
