#pragma once
// The undo ring keeps 19 snapshots of the canvas's persistent image. A
// snapshot is a grid of 64 x 64 tiles shared between snapshots: taking one
// copies only the tiles written since the previous snapshot or restore, so 19
// snapshots of a 4K canvas cost little more than one canvas.

#include "core/canvas/canvassurface.h"
#include "core/canvas/drawingstate.h"

#include <array>
#include <memory>
#include <vector>

namespace garabix {

class UndoRing {
public:
    static constexpr int slotCount = 19;

    struct Tile {
        QRgb pixels[CanvasSurface::tileSize * CanvasSurface::tileSize];
    };
    using TilePtr = std::shared_ptr<const Tile>;
    struct Snapshot {
        QSize size;
        std::vector<TilePtr> tiles; // empty: nothing stored in the slot
    };

    // Stores the surface's persistent image in `slot`.
    void store(int slot, CanvasSurface &surface);
    // Puts the picture of `slot` back on the surface; an empty slot blanks it.
    void restore(int slot, CanvasSurface &surface);

    // Bytes held by distinct tiles across all entries.
    size_t bytesHeld() const;

private:
    TilePtr captureTile(const CanvasSurface &surface, int tx, int ty) const;
    void syncBase(CanvasSurface &surface);
    TilePtr blankTile(ColourWord colour);

    std::array<Snapshot, slotCount> entries;
    Snapshot base; // tiles equal to the surface's persistent image where it is clean
    TilePtr blank;
    ColourWord blankColour = white;
};

// The ring arithmetic: advance, wrap after 18, store.
void SaveUndoSnapshot(DrawingState &state, CanvasSurface &canvas, UndoRing &ring);
// Step back, wrap below 0, restore; nothing once the oldest picture held is
// on the canvas.
bool UndoLastStep(DrawingState &state, CanvasSurface &canvas, UndoRing &ring);

} // namespace garabix
