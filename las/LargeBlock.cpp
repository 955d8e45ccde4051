#include "las/LargeBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace ORBAX_Geophysics {
namespace {

// Below this a block comes from the C library's heap.
constexpr std::size_t kMapBytes = std::size_t(1) << 20;
constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t page_size()
{
    static const std::size_t size = [] {
        long s = ::sysconf(_SC_PAGESIZE);
        return s > 0 ? static_cast<std::size_t>(s) : std::size_t(4096);
    }();
    return size;
}

std::size_t round_up(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// Anonymous memory that is committed page by page as it is written. A mapping of a huge page or
// more starts on a huge-page boundary, so that huge pages can back all of it.
void* map(std::size_t length)
{
    const int flags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE;
    if (length < kHugePage) {
        void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, flags, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        return p;
    }
    void* raw = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = round_up(base, kHugePage);
    if (aligned > base)
        ::munmap(raw, aligned - base);
    const std::uintptr_t end = base + length + kHugePage;
    if (end > aligned + length)
        ::munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
    return reinterpret_cast<void*>(aligned);
}

} // namespace

LargeBlock::LargeBlock(std::size_t bytes) { resize(bytes, 0); }

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_bytes(std::exchange(other.m_bytes, 0)),
      m_mapped(std::exchange(other.m_mapped, false))
{
}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept
{
    if (this != &other) {
        reset();
        m_data = std::exchange(other.m_data, nullptr);
        m_bytes = std::exchange(other.m_bytes, 0);
        m_mapped = std::exchange(other.m_mapped, false);
    }
    return *this;
}

LargeBlock::~LargeBlock() { reset(); }

void LargeBlock::reset()
{
    if (m_mapped)
        ::munmap(m_data, round_up(m_bytes, page_size()));
    else
        std::free(m_data);
    m_data = nullptr;
    m_bytes = 0;
    m_mapped = false;
}

void LargeBlock::resize(std::size_t bytes, std::size_t keep)
{
    if (bytes == 0) {
        reset();
        return;
    }
    if (m_mapped) {
        const std::size_t oldLength = round_up(m_bytes, page_size());
        const std::size_t newLength = round_up(bytes, page_size());
        if (newLength < oldLength) {
            ::munmap(static_cast<char*>(m_data) + newLength, oldLength - newLength);
        } else if (newLength > oldLength) {
            // The pages move to the new place as they are: nothing is copied. That needs one mapping
            // throughout; advice for part of the block splits it, and then the bytes are copied.
            void* moved = ::mremap(m_data, oldLength, newLength, MREMAP_MAYMOVE);
            if (moved == MAP_FAILED) {
                moved = map(newLength);
                std::memcpy(moved, m_data, keep);
                ::munmap(m_data, oldLength);
            }
            m_data = moved;
        }
        m_bytes = bytes;
        return;
    }
    if (bytes < kMapBytes) {
        void* p = std::realloc(m_data, bytes);
        if (!p)
            throw std::bad_alloc();
        m_data = p;
        m_bytes = bytes;
        return;
    }
    void* p = map(round_up(bytes, page_size()));
    if (keep)
        std::memcpy(p, m_data, keep);
    std::free(m_data);
    m_data = p;
    m_bytes = bytes;
    m_mapped = true;
}

void LargeBlock::prefer_huge_pages(std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    if (!m_mapped)
        return;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(m_data);
    if (bytes >= m_bytes) {
        ::madvise(m_data, round_up(m_bytes, page_size()), MADV_HUGEPAGE);
        return;
    }
    const std::uintptr_t begin = round_up(start, kHugePage);
    const std::uintptr_t end = (start + bytes) / kHugePage * kHugePage;
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)bytes;
#endif
}

void LargeBlock::commit(std::size_t from, std::size_t to)
{
#ifdef MADV_POPULATE_WRITE
    if (!m_mapped)
        return;
    to = std::min(to, m_bytes) / page_size() * page_size();
    from = from / page_size() * page_size();
    if (to > from)
        ::madvise(static_cast<char*>(m_data) + from, to - from, MADV_POPULATE_WRITE);
#else
    (void)from;
    (void)to;
#endif
}

} // namespace ORBAX_Geophysics
