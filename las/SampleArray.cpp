#include "las/SampleArray.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace ORBAX_Geophysics {

SampleArray::SampleArray(const SampleArray& other)
{
    if (other.m_size) {
        LargeBlock block(other.m_size * sizeof(double));
        block.prefer_huge_pages(other.m_size * sizeof(double));
        block.commit(0, other.m_size * sizeof(double));
        std::memcpy(block.data(), other.data(), other.m_size * sizeof(double));
        m_block = std::move(block);
        m_size = other.m_size;
    }
}

SampleArray::SampleArray(SampleArray&& other) noexcept
    : m_block(std::move(other.m_block)), m_size(std::exchange(other.m_size, 0))
{
}

SampleArray& SampleArray::operator=(SampleArray&& other) noexcept
{
    if (this != &other) {
        m_block = std::move(other.m_block);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

SampleArray& SampleArray::operator=(const SampleArray& other)
{
    if (this != &other) {
        SampleArray copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void SampleArray::assign_nan(std::size_t count)
{
    clear();
    reserve(count);
    prefer_huge_pages(count);
    commit(0, count);
    std::fill_n(data(), count, std::numeric_limits<double>::quiet_NaN());
    m_size = count;
}

void SampleArray::clear()
{
    m_block.reset();
    m_size = 0;
}

void SampleArray::reserve(std::size_t capacity)
{
    if (capacity > this->capacity()) {
        if (capacity > std::numeric_limits<std::size_t>::max() / sizeof(double))
            throw std::bad_alloc();
        m_block.resize(capacity * sizeof(double), m_size * sizeof(double));
    }
}

void SampleArray::release_spare()
{
    if (capacity() > m_size)
        m_block.resize(m_size * sizeof(double), m_size * sizeof(double));
}

} // namespace ORBAX_Geophysics
