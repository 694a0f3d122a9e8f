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
    surface.setLines(nullptr);
    slotPage.fill(nullptr);
    surface.resize(size);
    seenRevision = surface.persistentRevision();
    current = ++lastNumber;
    slotContent.fill(current); // an empty slot restores the blank canvas
    index = 0;
    depthBack = depthForward = 0;
    savedContent = current;
    savedFile = {};
    shown = {};
    slotShown.fill({});
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
    slotShown[static_cast<size_t>(index)] = shown; // drawn over, it is still on show
    slotPage[static_cast<size_t>(index)] = surface.pageLines();
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
    surface.setLines(slotPage[static_cast<size_t>(index)]);
    undoRing.restore(index, surface);
    seenRevision = surface.persistentRevision();
    current = slotContent[static_cast<size_t>(index)];
    shown = slotShown[static_cast<size_t>(index)];
}

namespace {

bool blank(const QImage &image) {
    constexpr QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (std::any_of(row, row + image.width(), [](QRgb p) { return (p | 0xff000000) != white; }))
            return false;
    }
    return true;
}

} // namespace

void Drawing::clear() {
    // A new drawing on a blank canvas would only be a second blank drawing to save.
    if (blank(picture()))
        return;
    surface.setLines(nullptr);
    surface.setBackgroundPicture(QImage());
    shown = {};
    snapshot();
}

void Drawing::paintScene(const QImage &scene) {
    if (!scene.isNull())
        surface.paintPictureStretched(Layer::Keep, scene, QRectF(QPointF(0, 0), QSizeF(size())));
    shown = {};
    snapshot();
}

void Drawing::openPage(std::shared_ptr<const PageLines> lines) {
    surface.setLines(std::move(lines));
    surface.setBackgroundPicture(QImage());
    shown = {};
    snapshot();
}

void Drawing::showSaved(const QImage &picture, const QString &path) {
    surface.setLines(nullptr);
    surface.setBackgroundPicture(picture);
    shown = FileStamp::of(path);
    snapshot();
    savedContent = content();
    savedFile = shown;
}

bool Drawing::modified() const {
    return content() != savedContent;
}

bool Drawing::needsSaving() const {
    // A blank canvas never saved has no file to lose.
    return modified() || (!savedFile.path.isEmpty() && !savedFile.intact());
}

void Drawing::markSaved(const QString &path) {
    markSaved(FileStamp::of(path), content());
}

void Drawing::markSaved(const FileStamp &stamp, uint64_t savedPicture) {
    savedContent = savedPicture;
    savedFile = stamp;
    if (savedPicture != content())
        return;
    shown = {}; // the canvas now shows the new drawing
    slotShown[static_cast<size_t>(index)] = {};
}

QString Drawing::shownDrawing() const {
    return shown.intact() ? shown.path : QString();
}

void Drawing::shownDrawingDeleted() {
    for (FileStamp &s : slotShown)
        if (s.path == shown.path)
            s = {};
    shown = {};
    savedContent = noPicture;
    savedFile = {};
}

} // namespace garabix
