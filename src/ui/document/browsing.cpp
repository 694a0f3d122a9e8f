#include "ui/document/browsing.h"

#include "core/base/log.h"
#include "core/files/config.h"
#include "core/files/pictures.h"
#include "ui/document/copying.h"
#include "ui/platform/diskthreads.h"
#include "ui/platform/platform.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

namespace garabix {

namespace {

// Reads a saved drawing, on any thread. One that cannot be read is logged;
// the answer is then null.
QImage readDrawing(const QString &path) {
    const QImage picture = loadPicture(path);
    if (picture.isNull())
        qCWarning(logFiles) << "saved drawing could not be read:" << path;
    return picture;
}

} // namespace

DrawingBrowser::DrawingBrowser(const DocumentParts &p) : QObject(p.window), parts(p) {}

// `job` runs on a disk thread with a copy of the drawings folder; what it
// found comes back to `then`.
void DrawingBrowser::inBackground(std::function<Browsed(drawings::DrawingFolder)> job,
                                  std::function<void(const Browsed &)> then) {
    if (browsingNow)
        return;
    browsingNow = true;
    auto *watcher = new QFutureWatcher<Browsed>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, then] {
        browsingNow = false;
        const Browsed found = watcher->result();
        watcher->deleteLater();
        then(found);
    });
    watcher->setFuture(QtConcurrent::run(diskThreads(), job, parts.folder));
}

QWidget *DrawingBrowser::noteTarget(const QPointer<QWidget> &noteOn) const {
    return noteOn && noteOn->isVisible() ? noteOn.data() : parts.window;
}

void DrawingBrowser::read(const QString &path, std::function<void(const Browsed &)> then,
                          const QPointer<QWidget> &noteOn) {
    inBackground(
        [path](const drawings::DrawingFolder &) {
            return Browsed{path, readDrawing(path), {}};
        },
        [this, then, noteOn](const Browsed &found) {
            if (!found.picture.isNull()) {
                then(found);
                return;
            }
            parts.platform.notify(
                noteTarget(noteOn),
                parts.text(config::Text::DamagedDrawing).arg(QFileInfo(found.path).fileName()),
                Platform::Notice::Problem);
        });
}

// Puts a saved drawing on the canvas the way a scene goes there: with an
// undo snapshot, so one undo brings back what the canvas held.
void DrawingBrowser::showFound(const Browsed &found) {
    parts.document.showSaved(found.picture, found.path);
    parts.folder.browsePosition = QFileInfo(found.path).fileName();
}

void DrawingBrowser::step(bool forward) {
    inBackground(
        [forward](drawings::DrawingFolder copy) {
            Browsed found;
            const auto show = [&found](const QString &path) {
                found.picture = readDrawing(path);
                return !found.picture.isNull();
            };
            found.path =
                forward ? drawings::stepNext(copy, show) : drawings::stepPrevious(copy, show);
            found.folder = copy;
            return found;
        },
        [this](const Browsed &found) {
            parts.folder.files = found.folder.files;
            if (!found.path.isEmpty())
                showFound(found);
        });
}

void DrawingBrowser::show(const QString &path) {
    read(path, [this](const Browsed &found) { showFound(found); }, {});
}

void DrawingBrowser::copyToPictures(const QString &path, QWidget *noteOn) {
    const QPointer<QWidget> where(noteOn);
    read(
        path,
        [this, where](const Browsed &found) {
            garabix::copyToPictures(found.picture, noteTarget(where), parts.platform, parts.texts);
        },
        where);
}

void DrawingBrowser::deleteShown() {
    const QString shown = parts.document.shownDrawing();
    bool trashed = false; // not when the file was gone already
    const drawings::DeleteResult result =
        drawings::deleteShown(parts.folder, shown, [&](const QString &path) {
            const Outcome moved = parts.platform.moveToTrash(path);
            trashed = moved.ok();
            return moved;
        });
    switch (result.outcome) {
    case drawings::DeleteResult::Nothing:
        break;
    case drawings::DeleteResult::Deleted:
        parts.document.shownDrawingDeleted();
        qCDebug(logFiles) << "moved to the trash:" << shown;
        if (trashed)
            parts.platform.notify(
                parts.window,
                parts.text(config::Text::MovedToTrash).arg(QFileInfo(shown).fileName()),
                Platform::Notice::Done);
        break;
    case drawings::DeleteResult::Failed:
        qCWarning(logFiles) << "could not move" << shown << "to the trash:" << result.why.reason();
        parts.platform.notify(parts.window,
                              parts.text(result.why.noPermission()
                                             ? config::Text::DeleteFailedDenied
                                             : config::Text::DeleteFailed),
                              Platform::Notice::Problem);
        break;
    }
}

} // namespace garabix
