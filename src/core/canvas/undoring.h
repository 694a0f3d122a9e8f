#pragma once
// The undo ring keeps 19 snapshots of the canvas's persistent image. A
// snapshot is a grid of 64 x 64 tiles shared between snapshots: taking one
// looks only at the tiles written since the previous snapshot or restore.
// A tile of one colour is kept as that colour; other tiles keep their pixels
// in buffers reused from a pool. Tiles that only older snapshots hold are
// compressed on a thread of the ring's own, and come back on undo, so 19
// snapshots of a 4K canvas cost little more than one canvas whatever
// changed between them.

#include "core/canvas/canvassurface.h"

#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace garabix {

class UndoRing {
public:
    static constexpr int slotCount = 19;

    UndoRing();
    ~UndoRing();
    UndoRing(const UndoRing &) = delete;
    UndoRing &operator=(const UndoRing &) = delete;

    // Stores the surface's persistent image in `slot`.
    void store(int slot, CanvasSurface &surface);
    // Puts the picture of `slot` back on the surface; an empty slot blanks it.
    void restore(int slot, CanvasSurface &surface);

    // Bytes the slots hold: their tiles (each shared tile once) and their
    // tables of tiles.
    size_t bytesHeld();
    // Waits until every tile that only older snapshots hold is compressed.
    void waitForCompression();
    // For tests of the hand-over: `hook` runs on the compressor's thread
    // after each tile is compressed, before the result is handed over.
    void setAfterPackHook(std::function<void()> hook);

    struct Tile;
    using TilePtr = std::shared_ptr<const Tile>;

private:
    struct Snapshot {
        QSize size;
        std::vector<TilePtr> tiles; // empty: nothing stored in the slot
    };
    class Compressor;

    TilePtr capture(const CanvasSurface &surface, int tx, int ty, const TilePtr &previous);
    // The one tile of `colour` that every snapshot shares.
    TilePtr solidTile(QRgb colour);
    void syncBase(CanvasSurface &surface);
    void takeCompressed();

    std::array<Snapshot, slotCount> entries;
    Snapshot base; // tiles equal to the surface's persistent image where it is clean
    std::unordered_map<QRgb, std::weak_ptr<const Tile>> solids;
    std::unique_ptr<Compressor> compressor;
};

} // namespace garabix
