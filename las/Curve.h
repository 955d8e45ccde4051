#pragma once
// One curve of a LAS file: its definition line and one sample per data row.
#include <string>

#include "las/SampleArray.h"

namespace ORBAX_Geophysics {

class LasDataCommon;

class Curve {
public:
    // A curve of `owner` (not owned): empty strings, no samples, minimum and maximum NaN.
    explicit Curve(LasDataCommon* owner);
    Curve(const Curve&) = default;
    Curve(Curve&&) = default;
    Curve& operator=(const Curve&) = default;
    Curve& operator=(Curve&&) = default;
    virtual ~Curve() = default;

    // Stores a sample. NaN is stored without touching the range; any other value widens it. Rows
    // outside the sample array are ignored.
    void set_sample(double value, int row);

    // The mean of the samples of the rows whose depth d satisfies top <= d < bottom; NaN when no row
    // qualifies or a qualifying sample is NaN.
    double average_between(double top, double bottom) const;

    LasDataCommon* owner() const { return m_owner; }
    bool has_samples() const { return m_hasSamples; }
    const SampleArray& samples() const { return m_samples; }
    // The sample of a row; NaN outside the array.
    double sample(int row) const;
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }

    // The curve's definition line: MNEM.UNIT VALUE : DESCRIPTION
    std::string mnemonic;
    std::string value;
    std::string unit;
    std::string description;

private:
    friend class LasDataSectionReader;

    LasDataCommon* m_owner;
    SampleArray m_samples;
    bool m_hasSamples = false;
    double m_minimum;
    double m_maximum;
};

} // namespace ORBAX_Geophysics
