#pragma once
// The memory the undo ring's tiles live in, kept for reuse: most snapshots
// free and make tiles by the hundred, so freed blocks are handed out again,
// last freed first, before the heap is asked for more.

#include <QRgb>
#include <cstddef>
#include <mutex>
#include <vector>

namespace garabix::tilepools {

// Blocks of the size asked for first, at most `keep` of them waiting; a
// block of any other size comes from and goes back to the heap.
class BlockPool {
public:
    explicit BlockPool(size_t keep) : keep(keep) {}
    ~BlockPool();
    BlockPool(const BlockPool &) = delete;
    BlockPool &operator=(const BlockPool &) = delete;

    void *take(size_t bytes);
    void give(void *block, size_t bytes);

private:
    const size_t keep;
    std::mutex mutex;
    size_t blockBytes = 0;
    std::vector<void *> spare;
};

// A tile's pixels, 64 x 64, not cleared: a capture writes all of them.
QRgb *takePixels();
void givePixels(QRgb *pixels);

// The blocks tiles are made in, with their share counts (allocate_shared).
BlockPool &tileBlocks();

template <typename T> struct PooledAllocator {
    using value_type = T;
    PooledAllocator() = default;
    template <typename U> PooledAllocator(const PooledAllocator<U> &) {}
    T *allocate(size_t n) { return static_cast<T *>(tileBlocks().take(n * sizeof(T))); }
    void deallocate(T *p, size_t n) { tileBlocks().give(p, n * sizeof(T)); }
    template <typename U> bool operator==(const PooledAllocator<U> &) const { return true; }
    template <typename U> bool operator!=(const PooledAllocator<U> &) const { return false; }
};

} // namespace garabix::tilepools
