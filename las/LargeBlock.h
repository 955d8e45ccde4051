#pragma once
// A block of memory for sample arrays and read buffers that may run to hundreds of megabytes. Large
// blocks come straight from the system: their pages are committed only when first written (so a
// generous reservation costs nothing until used), they can grow without copying, and they can be
// backed by huge pages, which spares the tens of thousands of page faults that filling them with
// ordinary pages costs.
#include <cstddef>

namespace ORBAX_Geophysics {

class LargeBlock {
public:
    LargeBlock() = default;
    // At least `bytes` bytes, not initialised. Throws std::bad_alloc.
    explicit LargeBlock(std::size_t bytes);
    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;
    LargeBlock(LargeBlock&& other) noexcept;
    LargeBlock& operator=(LargeBlock&& other) noexcept;
    ~LargeBlock();

    void* data() const { return m_data; }
    std::size_t bytes() const { return m_bytes; }

    // Makes the block `bytes` long, keeping its first `keep` bytes (keep <= both sizes). Growing may
    // move the block; shrinking a large block gives its tail back to the system. Throws
    // std::bad_alloc, and then leaves the block as it was.
    void resize(std::size_t bytes, std::size_t keep);
    // Asks for huge pages for the first `bytes` bytes, before they are first written. Only a hint.
    // Advice for part of a large block splits its mapping, and growing it then copies the bytes;
    // advice for the whole block (bytes >= bytes()) stays with it as it grows.
    void prefer_huge_pages(std::size_t bytes);
    // Commits bytes [from, to) now, in one call instead of a page fault per page; for memory that is
    // about to be written. Only a hint.
    void commit(std::size_t from, std::size_t to);
    void reset();

private:
    void* m_data = nullptr;
    std::size_t m_bytes = 0;
    bool m_mapped = false;
};

} // namespace ORBAX_Geophysics
