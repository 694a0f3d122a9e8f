#include "core/canvas/drawing.h"

#include <algorithm>

namespace garabix {

Drawing::Drawing(QSize size) : surface(size) {
    seenRevision = surface.persistentRevision();
    current = ++lastNumber;
    savedContent = current; // a blank canvas has nothing to save
}

uint64_t Drawing::content() const {
    // Anything written for keeps since the last look makes a picture the
    // canvas has never held before.
    if (surface.persistentRevision() != seenRevision) {
        seenRevision = surface.persistentRevision();
        current = ++lastNumber;
    }
    return current;
}

void Drawing::reset(QSize size) {
    surface.resize(size);
    seenRevision = surface.persistentRevision();
    current = ++lastNumber;
    slotContent.fill(current); // an empty slot restores the blank canvas
    index = 0;
    depthBack = depthForward = 0;
    savedContent = current;
    shown.clear();
}

void Drawing::grow(QSize size) {
    size = size.expandedTo(surface.size());
    if (size == surface.size())
        return;
    // White around the same picture: what was saved or shown still is.
    const bool wasSaved = !modified();
    const QImage before = surface.copyPersistent();
    surface.resize(size);
    surface.setBackgroundPicture(before);
    snapshot();
    depthBack = 0;
    if (wasSaved)
        savedContent = content();
}

void Drawing::stepForward() {
    index = index + 1;
    if (index == UndoRing::slotCount)
        index = 0;
}

void Drawing::snapshot() {
    depthBack = std::min(depthBack + 1, UndoRing::slotCount - 1);
    depthForward = 0;
    stepForward();
    undoRing.store(index, surface);
    slotContent[static_cast<size_t>(index)] = content();
}

bool Drawing::undo() {
    // Undo stops at the oldest picture held: the empty canvas before the
    // first step, or once the ring is full, its oldest snapshot.
    if (depthBack <= 0)
        return false;
    --depthBack;
    ++depthForward;
    index = index == 0 ? UndoRing::slotCount - 1 : index - 1;
    restoreSlot();
    shown.clear();
    return true;
}

bool Drawing::redo() {
    // The slots ahead of the one on show still hold what undo stepped back
    // from: nothing has been stored since.
    if (depthForward <= 0)
        return false;
    --depthForward;
    ++depthBack;
    stepForward();
    restoreSlot();
    return true;
}

// The picture of the slot on show comes back, and with it its content number.
void Drawing::restoreSlot() {
    undoRing.restore(index, surface);
    seenRevision = surface.persistentRevision();
    current = slotContent[static_cast<size_t>(index)];
}

void Drawing::clear() {
    surface.setBackgroundPicture(QImage());
    snapshot();
    shown.clear();
}

void Drawing::paintScene(const QImage &scene) {
    if (!scene.isNull())
        surface.paintPictureStretched(Layer::Keep, scene, QRectF(QPointF(0, 0), QSizeF(size())));
    snapshot();
    shown.clear();
}

void Drawing::showSaved(const QImage &picture, const QString &path) {
    surface.setBackgroundPicture(picture);
    snapshot();
    shown = path;
    savedContent = content();
}

bool Drawing::modified() const {
    return content() != savedContent;
}

void Drawing::markSaved() {
    savedContent = content();
    shown.clear(); // the canvas now shows the new drawing
}

void Drawing::shownDrawingDeleted() {
    shown.clear();
    savedContent = noPicture;
}

} // namespace garabix
