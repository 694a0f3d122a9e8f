#pragma once
// The drawing document: the canvas surface, the undo ring and where undo
// stands in it, whether the canvas differs from what was last saved or
// shown, and which saved drawing is on show. It is the one owner of all of
// these; the window asks it and keeps no copy.
//
// Whether the drawing is modified is not set by hand: the surface counts
// every change of its persistent image, and each picture the canvas has held
// gets a content number of its own. Undo and redo bring back the content
// number of the snapshot they restore, so a drawing undone back to what was
// saved is unmodified again, and one undone to anything else is modified.
//
// The file last saved or shown is remembered by what the disk says of it
// (its identity, size and modification time), so that a file removed or
// replaced behind the program's back is never taken for the canvas.

#include "core/canvas/canvassurface.h"
#include "core/canvas/undoring.h"
#include "core/files/filestamp.h"

#include <QString>
#include <array>
#include <cstdint>

namespace garabix {

class Drawing {
public:
    explicit Drawing(QSize size = QSize(1, 1));

    // The surface every tool draws on. Drawing on it for keeps changes the
    // drawing; nothing else needs to be told.
    CanvasSurface &canvas() { return surface; }
    const CanvasSurface &canvas() const { return surface; }
    QSize size() const { return surface.size(); }
    const QImage &picture() const { return surface.persistentLayer(); }

    // Starts afresh at `size`: a blank canvas with nothing to undo, nothing
    // to save and no saved drawing on show.
    void reset(QSize size);
    // Makes the canvas at least `size`, keeping the picture at its top-left;
    // undo starts again from it, since older pictures have the old size.
    void grow(QSize size);

    // One step of the drawing is finished: the picture goes into the undo
    // ring. A new step ends what redo could bring back.
    void snapshot();
    // Brings back the picture before the last step; nothing once the oldest
    // picture the ring holds is on the canvas. Answers whether it stepped.
    bool undo();
    // Brings back what the last undo took away, until the next step.
    bool redo();

    // Whole-canvas commands, each a step of its own: a blank canvas (nothing
    // happens when the canvas is blank already), a scene stretched over the
    // canvas.
    void clear();
    void paintScene(const QImage &scene);
    // A colouring page as a new drawing, a step of its own: a blank canvas
    // under the page's lines, which stay on top of whatever is painted until
    // the canvas shows another drawing or a new one. Undo within the page
    // keeps the lines; undo past its first step brings back the drawing
    // before it, without them.
    void openPage(std::shared_ptr<const PageLines> lines);
    bool pageOpen() const { return surface.pageLines() != nullptr; }
    // Puts a saved drawing on the canvas as a step (one undo brings back what
    // was there). It is the drawing on show, and unmodified, until the canvas
    // changes; `path` is where it was read from.
    void showSaved(const QImage &picture, const QString &path);

    // Whether the canvas differs from what was last saved or shown. It
    // does not look at the disk: needsSaving() does.
    bool modified() const;
    // Whether saving must write a new drawing: the canvas differs from what
    // was last saved or shown, or that file is no longer on disk as it was.
    bool needsSaving() const;
    // The canvas as it stands was written to the file at `path`.
    void markSaved(const QString &path);
    // For a save that runs while the child goes on drawing: the picture's
    // content number and the last saved file, taken when the save starts,
    // and then the picture of that number written to the file `stamp`
    // describes. The canvas is unmodified afterwards only if it still holds
    // that picture.
    uint64_t contentNumber() const { return content(); }
    const FileStamp &savedStamp() const { return savedFile; }
    void markSaved(const FileStamp &stamp, uint64_t content);
    // The saved drawing on the canvas, as previous/next put it there, while
    // that file is still as it was; empty after a save, a new drawing, a
    // scene, or an undo back past it (redo brings it back).
    QString shownDrawing() const;
    // The same without asking the disk whether the file is still as it was.
    const QString &shownPath() const { return shown.path; }
    // The drawing on show was deleted: the canvas keeps the picture, now
    // unsaved, so that saving brings it back.
    void shownDrawingDeleted();

    // Where undo stands: the slot on show (undoIndex), how many undos lead
    // back to a picture the ring holds, and how many redos forward.
    int undoIndex() const { return index; }
    int undoDepth() const { return depthBack; }
    int redoDepth() const { return depthForward; }

    UndoRing &ring() { return undoRing; }

private:
    // The content number of the picture on the canvas now.
    uint64_t content() const;
    void stepForward();
    void restoreSlot();

    CanvasSurface surface;
    UndoRing undoRing;
    int index = 0;        // undoIndex: the ring slot holding the picture on show
    int depthBack = 0;    // undos that lead to a picture the ring holds
    int depthForward = 0; // redos that lead to a picture undo took away
    // Content numbers, from 1: of each ring slot, of the picture on show, of
    // the picture last saved or shown (noPicture: nothing on disk matches).
    static constexpr uint64_t noPicture = 0;
    std::array<uint64_t, UndoRing::slotCount> slotContent{};
    // The saved drawing each slot's picture shows (no path: none).
    std::array<FileStamp, UndoRing::slotCount> slotShown{};
    // The colouring page each slot's picture is on (null: none).
    std::array<std::shared_ptr<const PageLines>, UndoRing::slotCount> slotPage{};
    // Worked out on demand, from the surface's count of changes.
    mutable uint64_t current = 0;
    mutable uint64_t lastNumber = 0;
    mutable uint64_t seenRevision = 0;
    uint64_t savedContent = noPicture;
    FileStamp savedFile; // where savedContent lies on disk (no path: nowhere)
    FileStamp shown;
};

} // namespace garabix
