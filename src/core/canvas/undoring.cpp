#include "core/canvas/undoring.h"

#include "core/canvas/tilepools.h"

#include <lz4.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_set>
#include <utility>

namespace garabix {

namespace {

constexpr int ts = CanvasSurface::tileSize;
constexpr size_t tilePixels = static_cast<size_t>(ts) * ts;
constexpr int tileBytes = static_cast<int>(tilePixels * sizeof(QRgb));

// The part of tile (tx, ty) that lies on the image.
QRect tileRect(const QImage &img, int tx, int ty) {
    return QRect(tx * ts, ty * ts, ts, ts) & img.rect();
}

// A tile's worth of pixels to unpack into, on the interface thread.
QRgb *scratchTile() {
    thread_local std::vector<QRgb> scratch(tilePixels);
    return scratch.data();
}

const QRgb *row(const QImage &img, int y, int x) {
    return reinterpret_cast<const QRgb *>(img.constScanLine(y)) + x;
}

} // namespace

// A tile never changes once made: the compressor reads it on its own thread.
struct UndoRing::Tile {
    enum class Kind { Solid, Pixels, Packed };
    Kind kind = Kind::Solid;
    QRgb colour = 0;          // Solid
    QRgb *pixels = nullptr;   // Pixels: ts x ts, zero where the tile leaves the canvas
    std::vector<char> packed; // Packed: the pixels compressed

    ~Tile() {
        if (pixels)
            tilepools::givePixels(pixels);
    }
    size_t bytes() const {
        return sizeof(Tile) + (kind == Kind::Pixels ? tileBytes : packed.capacity());
    }
    // The tile's pixels, in `scratch` where they are not held as they are.
    const QRgb *unpack(QRgb *scratch) const {
        if (kind == Kind::Pixels)
            return pixels;
        if (kind == Kind::Solid)
            std::fill(scratch, scratch + tilePixels, colour);
        else if (LZ4_decompress_safe(packed.data(), reinterpret_cast<char *>(scratch),
                                     static_cast<int>(packed.size()), tileBytes) != tileBytes)
            std::fill(scratch, scratch + tilePixels, 0xFFFFFFFFu); // cannot happen: ours
        return scratch;
    }
};

namespace {
std::shared_ptr<UndoRing::Tile> newTile() {
    return std::allocate_shared<UndoRing::Tile>(tilepools::PooledAllocator<UndoRing::Tile>());
}
} // namespace

// Compresses tiles on a thread of its own. The finished tiles wait until the
// interface thread takes them and puts them in place of the originals.
class UndoRing::Compressor {
public:
    Compressor() : worker([this] { run(); }) {}
    ~Compressor() {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        worker.join();
    }
    // Tiles with their place in the grid, the only place a snapshot can hold them.
    struct Job {
        size_t index;
        TilePtr tile;
    };
    // A compressed tile, and the tile it stands for. The original is held
    // weakly: once nothing else holds it, it is gone and its result with it,
    // and no newer tile that happens to take its address is ever mistaken
    // for it.
    struct Done {
        size_t index;
        std::weak_ptr<const Tile> original;
        TilePtr packed;
    };
    void add(std::vector<Job> &&jobs) {
        if (jobs.empty())
            return;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            for (Job &j : jobs)
                queue.push_back(std::move(j));
        }
        wake.notify_one();
    }
    std::vector<Done> take() {
        const std::lock_guard<std::mutex> lock(mutex);
        return std::exchange(finished, {});
    }
    void waitIdle() {
        std::unique_lock<std::mutex> lock(mutex);
        idle.wait(lock, [this] { return queue.empty() && !busy; });
    }

private:
    void run() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stopping || !queue.empty(); });
            if (stopping)
                return;
            Job job = std::move(queue.front());
            queue.pop_front();
            busy = true;
            lock.unlock();
            TilePtr packed;
            // A tile nobody holds any more is simply let go.
            if (job.tile.use_count() > 1)
                packed = pack(*job.tile);
            std::weak_ptr<const Tile> original = job.tile;
            job.tile.reset();
            if (afterPack)
                afterPack();
            lock.lock();
            if (packed)
                finished.push_back({job.index, std::move(original), std::move(packed)});
            busy = false;
            if (queue.empty())
                idle.notify_all();
        }
    }
    static TilePtr pack(const Tile &tile) {
        std::vector<char> out(static_cast<size_t>(LZ4_compressBound(tileBytes)));
        const int size = LZ4_compress_default(reinterpret_cast<const char *>(tile.pixels),
                                              out.data(), tileBytes, static_cast<int>(out.size()));
        if (size <= 0)
            return {};
        out.resize(static_cast<size_t>(size));
        out.shrink_to_fit();
        auto packed = newTile();
        packed->kind = Tile::Kind::Packed;
        packed->packed = std::move(out);
        return packed;
    }

    std::mutex mutex;
    std::condition_variable wake, idle;
    std::deque<Job> queue;
    std::vector<Done> finished;
    bool stopping = false;
    bool busy = false;

public:
    // Runs on the worker between compressing a tile and handing it over.
    std::function<void()> afterPack;

private:
    std::thread worker;
};

UndoRing::UndoRing() : compressor(std::make_unique<Compressor>()) {}

UndoRing::~UndoRing() = default;

// The tile's picture as it stands on the surface: `previous` again when it
// has not changed, one colour when it is one colour, else a copy.
UndoRing::TilePtr UndoRing::capture(const CanvasSurface &surface, int tx, int ty,
                                    const TilePtr &previous) {
    const QImage &img = surface.persistentLayer();
    const QRect r = tileRect(img, tx, ty);
    const size_t rowBytes = static_cast<size_t>(r.width()) * sizeof(QRgb);
    // One colour: the first row all alike, and every row like the first.
    const QRgb *top = row(img, r.top(), r.left());
    const QRgb first = top[0];
    bool solid = std::all_of(top, top + r.width(), [first](QRgb c) { return c == first; });
    for (int y = r.top() + 1; y <= r.bottom() && solid; ++y)
        solid = std::memcmp(row(img, y, r.left()), top, rowBytes) == 0;
    if (solid) {
        if (previous && previous->kind == Tile::Kind::Solid && previous->colour == first)
            return previous;
        return solidTile(first);
    }
    if (previous && previous->kind != Tile::Kind::Solid) {
        const QRgb *old = previous->unpack(scratchTile());
        bool same = true;
        for (int y = r.top(); y <= r.bottom() && same; ++y)
            same = std::memcmp(old + static_cast<size_t>(y - r.top()) * ts, row(img, y, r.left()),
                               rowBytes) == 0;
        if (same)
            return previous;
    }
    auto tile = newTile();
    tile->kind = Tile::Kind::Pixels;
    tile->pixels = tilepools::takePixels();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb *dst = tile->pixels + static_cast<size_t>(y - r.top()) * ts;
        std::memcpy(dst, row(img, y, r.left()), rowBytes);
        std::fill(dst + r.width(), dst + ts, 0u);
    }
    std::fill(tile->pixels + static_cast<size_t>(r.height()) * ts, tile->pixels + tilePixels, 0u);
    return tile;
}

UndoRing::TilePtr UndoRing::solidTile(QRgb colour) {
    std::weak_ptr<const Tile> &known = solids[colour];
    if (TilePtr tile = known.lock())
        return tile;
    auto tile = newTile();
    tile->colour = colour;
    known = tile;
    if (solids.size() > 4096) { // forget the colours no snapshot holds any more
        for (auto it = solids.begin(); it != solids.end();)
            it = it->second.expired() ? solids.erase(it) : std::next(it);
    }
    return tile;
}

// Brings `base` up to date with the surface's dirty tiles; the tiles it lets
// go of, which only older snapshots may still hold, go to the compressor.
void UndoRing::syncBase(CanvasSurface &surface) {
    const size_t count = static_cast<size_t>(surface.tileColumns()) * surface.tileRows();
    const bool fresh = base.size != surface.size() || base.tiles.size() != count;
    if (fresh) {
        base.size = surface.size();
        base.tiles.assign(count, nullptr);
    }
    std::vector<Compressor::Job> leftBehind;
    const std::vector<uint8_t> &dirty = surface.dirtyTiles();
    for (size_t i = 0; i < count; ++i) {
        if (!fresh && !dirty[i])
            continue;
        TilePtr tile = capture(surface, static_cast<int>(i % surface.tileColumns()),
                               static_cast<int>(i / surface.tileColumns()), base.tiles[i]);
        if (tile != base.tiles[i]) {
            if (base.tiles[i] && base.tiles[i]->kind == Tile::Kind::Pixels)
                leftBehind.push_back({i, std::move(base.tiles[i])});
            base.tiles[i] = std::move(tile);
        }
    }
    surface.clearDirtyTiles();
    compressor->add(std::move(leftBehind));
}

// Puts the tiles the compressor finished in place of the originals.
void UndoRing::takeCompressed() {
    for (const Compressor::Done &done : compressor->take()) {
        const TilePtr original = done.original.lock();
        if (!original)
            continue; // every snapshot that held it is gone
        for (Snapshot *s = entries.data(); s != entries.data() + slotCount; ++s)
            if (done.index < s->tiles.size() && s->tiles[done.index] == original)
                s->tiles[done.index] = done.packed;
        if (done.index < base.tiles.size() && base.tiles[done.index] == original)
            base.tiles[done.index] = done.packed;
    }
}

void UndoRing::store(int slot, CanvasSurface &surface) {
    if (slot < 0 || slot >= slotCount)
        return;
    takeCompressed();
    syncBase(surface);
    entries[slot] = base;
}

void UndoRing::restore(int slot, CanvasSurface &surface) {
    if (slot < 0 || slot >= slotCount)
        return;
    takeCompressed();
    surface.repaint();
    const size_t count = static_cast<size_t>(surface.tileColumns()) * surface.tileRows();
    Snapshot target = entries[slot];
    if (target.tiles.size() != count || target.size != surface.size()) {
        // An empty slot, or one taken at another size: a blank canvas.
        target.size = surface.size();
        target.tiles.assign(count, solidTile(toRgb(surface.backgroundColour())));
    }
    const bool baseValid = base.size == surface.size() && base.tiles.size() == count;
    const std::vector<uint8_t> &dirty = surface.dirtyTiles();
    std::vector<Compressor::Job> leftBehind;
    for (size_t i = 0; i < count; ++i) {
        if (baseValid && !dirty[i] && base.tiles[i] == target.tiles[i])
            continue; // the surface already shows this tile
        const int tx = static_cast<int>(i % surface.tileColumns());
        const int ty = static_cast<int>(i / surface.tileColumns());
        const Tile &tile = *target.tiles[i];
        if (tile.kind == Tile::Kind::Solid)
            surface.fillTile(tx, ty, tile.colour);
        else
            surface.writeTile(tx, ty, tile.unpack(scratchTile()));
        if (baseValid && base.tiles[i] && base.tiles[i]->kind == Tile::Kind::Pixels)
            leftBehind.push_back({i, base.tiles[i]});
    }
    base = std::move(target);
    surface.clearDirtyTiles();
    surface.notifyAll();
    compressor->add(std::move(leftBehind));
}

size_t UndoRing::bytesHeld() {
    takeCompressed();
    std::unordered_set<const Tile *> seen;
    size_t bytes = 0;
    for (const Snapshot &s : entries) {
        bytes += s.tiles.capacity() * sizeof(TilePtr);
        for (const TilePtr &t : s.tiles)
            if (seen.insert(t.get()).second)
                bytes += t->bytes();
    }
    return bytes;
}

void UndoRing::setAfterPackHook(std::function<void()> hook) {
    compressor->waitIdle();
    compressor->afterPack = std::move(hook);
}

void UndoRing::waitForCompression() {
    compressor->waitIdle();
    takeCompressed();
}

} // namespace garabix
