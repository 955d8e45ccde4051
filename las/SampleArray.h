#pragma once
// The samples of one curve, one double per data row. The reader writes each sample once, straight
// into the array, so the array is never filled beforehand; an array of hundreds of thousands of
// rows lives in a LargeBlock (huge pages, committed as written).
#include <cstddef>
#include <vector>

#include "las/LargeBlock.h"

namespace ORBAX_Geophysics {

class SampleArray {
public:
    SampleArray() = default;
    SampleArray(const SampleArray& other);
    SampleArray(SampleArray&& other) noexcept;
    SampleArray& operator=(const SampleArray& other);
    SampleArray& operator=(SampleArray&& other) noexcept;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const double* data() const { return static_cast<const double*>(m_block.data()); }
    double* data() { return static_cast<double*>(m_block.data()); }
    const double* begin() const { return data(); }
    const double* end() const { return data() + m_size; }
    double operator[](std::size_t i) const { return data()[i]; }
    double& operator[](std::size_t i) { return data()[i]; }
    std::vector<double> to_vector() const { return std::vector<double>(begin(), end()); }

    // `count` samples, every one NaN.
    void assign_nan(std::size_t count);
    void clear();

    // For the reader, which writes every sample below the size it finally sets:
    // room for `capacity` samples, keeping the current ones; the new room is not initialised.
    void reserve(std::size_t capacity);
    std::size_t capacity() const { return m_block.bytes() / sizeof(double); }
    // Huge pages for the first `count` samples (a hint, given before they are written).
    void prefer_huge_pages(std::size_t count) { m_block.prefer_huge_pages(count * sizeof(double)); }
    // Commits the memory of samples [from, to), which are about to be written. Only a hint.
    void commit(std::size_t from, std::size_t to) { m_block.commit(from * sizeof(double), to * sizeof(double)); }
    // The first `count` samples (count <= capacity) have been written.
    void set_written(std::size_t count) { m_size = count; }
    // Gives the room beyond the size back.
    void release_spare();

private:
    LargeBlock m_block;
    std::size_t m_size = 0;
};

} // namespace ORBAX_Geophysics
