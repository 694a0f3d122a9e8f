#include "core/canvas/tilepools.h"

#include "core/canvas/canvassurface.h"

#include <new>

namespace garabix::tilepools {

namespace {
constexpr size_t pixelBytes =
    sizeof(QRgb) * CanvasSurface::tileSize * static_cast<size_t>(CanvasSurface::tileSize);
} // namespace

BlockPool::~BlockPool() {
    for (void *block : spare)
        ::operator delete(block);
}

void *BlockPool::take(size_t bytes) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (blockBytes == 0)
            blockBytes = bytes;
        if (bytes == blockBytes && !spare.empty()) {
            void *block = spare.back();
            spare.pop_back();
            return block;
        }
    }
    return ::operator new(bytes);
}

void BlockPool::give(void *block, size_t bytes) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (bytes == blockBytes && spare.size() < keep) {
            spare.push_back(block);
            return;
        }
    }
    ::operator delete(block);
}

namespace {
BlockPool &pixelBlocks() {
    static BlockPool pool(2048); // one 4K canvas of tiles, 32 MB, at the most
    return pool;
}
} // namespace

QRgb *takePixels() {
    return static_cast<QRgb *>(pixelBlocks().take(pixelBytes));
}

void givePixels(QRgb *pixels) {
    pixelBlocks().give(pixels, pixelBytes);
}

BlockPool &tileBlocks() {
    static BlockPool pool(65536);
    return pool;
}

} // namespace garabix::tilepools
