#include "core/canvas/undoring.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace garabix {

namespace {
constexpr int ts = CanvasSurface::tileSize;
}

UndoRing::TilePtr UndoRing::captureTile(const CanvasSurface &surface, int tx, int ty) const {
    auto tile = std::make_shared<Tile>();
    std::memset(tile->pixels, 0, sizeof(tile->pixels));
    const QImage &img = surface.persistentLayer();
    const QRect r = QRect(tx * ts, ty * ts, ts, ts) & img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(tile->pixels + static_cast<size_t>(y - ty * ts) * ts,
                    reinterpret_cast<const QRgb *>(img.constScanLine(y)) + r.left(),
                    static_cast<size_t>(r.width()) * sizeof(QRgb));
    return tile;
}

UndoRing::TilePtr UndoRing::blankTile(ColourWord colour) {
    if (!blank || blankColour != colour) {
        auto tile = std::make_shared<Tile>();
        std::fill(std::begin(tile->pixels), std::end(tile->pixels), toRgb(colour));
        blank = tile;
        blankColour = colour;
    }
    return blank;
}

// Brings `base` up to date with the surface: dirty tiles are captured again,
// and a captured tile equal to the one it replaces is dropped in its favour.
void UndoRing::syncBase(CanvasSurface &surface) {
    const size_t count = static_cast<size_t>(surface.tileColumns()) * surface.tileRows();
    const bool fresh = base.size != surface.size() || base.tiles.size() != count;
    if (fresh) {
        base.size = surface.size();
        base.tiles.assign(count, nullptr);
    }
    const std::vector<uint8_t> &dirty = surface.dirtyTiles();
    for (size_t i = 0; i < count; ++i) {
        if (!fresh && !dirty[i])
            continue;
        const int tx = static_cast<int>(i % surface.tileColumns());
        const int ty = static_cast<int>(i / surface.tileColumns());
        TilePtr tile = captureTile(surface, tx, ty);
        if (base.tiles[i] &&
            std::memcmp(base.tiles[i]->pixels, tile->pixels, sizeof(tile->pixels)) == 0)
            continue;
        const TilePtr white = blankTile(surface.backgroundColour());
        if (std::memcmp(white->pixels, tile->pixels, sizeof(tile->pixels)) == 0 &&
            (tx + 1) * ts <= surface.size().width() && (ty + 1) * ts <= surface.size().height())
            tile = white;
        base.tiles[i] = std::move(tile);
    }
    surface.clearDirtyTiles();
}

void UndoRing::store(int slot, CanvasSurface &surface) {
    if (slot < 0 || slot >= slotCount)
        return;
    syncBase(surface);
    entries[slot] = base;
}

void UndoRing::restore(int slot, CanvasSurface &surface) {
    if (slot < 0 || slot >= slotCount)
        return;
    surface.repaint();
    const size_t count = static_cast<size_t>(surface.tileColumns()) * surface.tileRows();
    Snapshot target = entries[slot];
    if (target.tiles.size() != count || target.size != surface.size()) {
        // An empty slot, or one taken at another size: a blank canvas.
        target.size = surface.size();
        target.tiles.assign(count, blankTile(surface.backgroundColour()));
    }
    const bool baseValid = base.size == surface.size() && base.tiles.size() == count;
    const std::vector<uint8_t> &dirty = surface.dirtyTiles();
    for (size_t i = 0; i < count; ++i) {
        if (baseValid && !dirty[i] && base.tiles[i] == target.tiles[i])
            continue; // the surface already shows this tile
        surface.writeTile(static_cast<int>(i % surface.tileColumns()),
                          static_cast<int>(i / surface.tileColumns()), target.tiles[i]->pixels);
    }
    base = std::move(target);
    surface.clearDirtyTiles();
    surface.notifyAll();
}

size_t UndoRing::bytesHeld() const {
    std::unordered_set<const Tile *> seen;
    for (const Snapshot &s : entries)
        for (const TilePtr &t : s.tiles)
            seen.insert(t.get());
    return seen.size() * sizeof(Tile);
}

void SaveUndoSnapshot(DrawingState &state, CanvasSurface &canvas, UndoRing &ring) {
    state.undoDepth = std::min(state.undoDepth + 1, UndoRing::slotCount - 1);
    state.undoIndex = state.undoIndex + 1;
    if (state.undoIndex == 19)
        state.undoIndex = 0;
    ring.store(static_cast<int>(state.undoIndex), canvas);
}

bool UndoLastStep(DrawingState &state, CanvasSurface &canvas, UndoRing &ring) {
    // Undo stops at the oldest picture held: the empty canvas before the
    // first step, or once the ring is full, its oldest snapshot.
    if (state.undoDepth <= 0)
        return false;
    --state.undoDepth;
    state.undoIndex = state.undoIndex - 1;
    if (state.undoIndex == -1)
        state.undoIndex = 18;
    ring.restore(static_cast<int>(state.undoIndex), canvas);
    return true;
}

} // namespace garabix
