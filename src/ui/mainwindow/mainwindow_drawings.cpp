// MainWindow's saved drawings: saving with a word on how it went, showing a saved
// drawing, and deleting the one on show.

#include "core/files/export.h"
#include "core/files/pictures.h"
#include "core/text/log.h"
#include "ui/common/diskthreads.h"
#include "ui/common/platform.h"
#include "ui/common/widgetnames.h"
#include "ui/mainwindow/mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace garabix {

// The note's wait: a file server that has not answered in this long has
// stopped, for now.
constexpr int folderSilentMs = 4000;

bool MainWindow::isSaving() const {
    return savingNow;
}

// The machinery of saving in the background, made with the controls.
void MainWindow::createSaving() {
    saveWatcher = new QFutureWatcher<SaveDone>(this);
    connect(saveWatcher, &QFutureWatcherBase::finished, this, [this] { saveFinished(); });
    saveSlowTimer.setSingleShot(true);
    saveSlowTimer.setInterval(folderSilentMs);
    connect(&saveSlowTimer, &QTimer::timeout, this, [this] {
        qCWarning(logFiles) << "the drawings folder" << drawingsFolder.files.path()
                            << "does not answer; the drawing is kept";
        platform.notify(this,
                        text(config::Text::FolderNotAnswering)
                            .arg(QDir::toNativeSeparators(drawingsFolder.files.path())),
                        Platform::Notice::Problem);
    });
    savingSign = new QLabel(this);
    savingSign->setObjectName(QString::fromLatin1(widgetname::savingSign));
    savingSign->setAttribute(Qt::WA_TransparentForMouseEvents);
    savingSign->setStyleSheet(
        QStringLiteral("background:#fffbe6;color:#5c3c00;border-radius:6px;padding:4px 10px;"));
    savingSign->hide();
}

// Saving runs in the background: the picture is copied, the disk work done
// on another thread, and the drawing stays on the canvas, unsaved, until its
// file reads back. While the disk is silent a quiet sign says so, and after a
// few seconds a note; a second press meanwhile does nothing.
void MainWindow::saveDrawing(bool sessionEnds) {
    if (isSaving())
        return;
    savingNow = true;
    const bool modified = document.modified();
    const FileStamp lastSaved = document.savedStamp();
    const QImage picture = document.picture().copy();
    const uint64_t content = document.contentNumber();
    drawings::DrawingFolder folder = drawingsFolder;
    saveWatcher->setFuture(QtConcurrent::run(diskThreads(), [=]() mutable {
        // Whether the last saved file is still there is a question for the
        // disk too.
        const bool needed = modified || (!lastSaved.path.isEmpty() && !lastSaved.intact());
        SaveDone done;
        done.result = drawings::saveDrawing(folder, picture, needed, sessionEnds);
        if (done.result.outcome == drawings::SaveResult::Saved)
            done.stamp = FileStamp::of(done.result.path);
        done.folder = folder;
        done.content = content;
        return done;
    }));
    savingSign->setText(text(config::Text::Saving));
    savingSign->adjustSize();
    savingSign->move(width() - savingSign->width() - 8, 8);
    savingSign->show();
    savingSign->raise();
    saveSlowTimer.start();
}

void MainWindow::saveFinished() {
    using config::Text;
    saveSlowTimer.stop();
    savingSign->hide();
    savingNow = false;
    const SaveDone done = saveWatcher->result();
    const drawings::SaveResult &result = done.result;
    // The folder as the save left it; where previous/next stand is the
    // window's own.
    drawingsFolder.files = done.folder.files;
    drawingsFolder.drawingCount = done.folder.drawingCount;
    // A word on how it went: a save never looks the same as a failure.
    QString note;
    switch (result.outcome) {
    case drawings::SaveResult::Saved:
        document.markSaved(done.stamp, done.content);
        note = text(Text::Saved).arg(QFileInfo(result.path).fileName());
        qCDebug(logFiles) << "saved" << result.path;
        break;
    case drawings::SaveResult::Unchanged:
        note = text(Text::AlreadySaved);
        break;
    case drawings::SaveResult::SavingOff:
        note = text(Text::SavingOff);
        break;
    case drawings::SaveResult::LimitReached:
        note = limitNote();
        break;
    case drawings::SaveResult::NoNumberLeft:
        note = text(Text::NoNumberLeft).arg(drawings::highestNumber);
        break;
    case drawings::SaveResult::Failed: {
        // The note names the cause a parent can mend.
        const Text which = result.why.diskFull()       ? Text::SaveFailedFull
                           : result.why.noPermission() ? Text::SaveFailedDenied
                                                       : Text::SaveFailed;
        note = text(which).arg(QDir::toNativeSeparators(drawingsFolder.files.path()));
        break;
    }
    }
    const bool ok = result.outcome == drawings::SaveResult::Saved ||
                    result.outcome == drawings::SaveResult::Unchanged;
    if (!ok)
        qCWarning(logFiles) << "drawing not saved into" << drawingsFolder.files.path() << ":"
                            << (result.why.ok() ? note : result.why.reason());
    platform.notify(this, note, ok ? Platform::Notice::Done : Platform::Notice::Problem);
    std::vector<std::function<void()>> then;
    then.swap(afterSave);
    for (const auto &f : then)
        f();
}

// The limit's note names the folder the drawings go to and the limit that
// holds, and asks for a grown-up where the child cannot delete. Only the
// program folder's own misdibujos with mdg.txt's limit and the bin gets the
// note that points at mdg.txt.
QString MainWindow::limitNote() const {
    using config::Text;
    const bool bin = buttonAllowed(ToolbarButton::DeleteDrawing);
    if (bin && !settings.drawingLimit && !settings.drawingsFolder)
        return text(Text::LimitReached).arg(drawingsFolder.maxDrawings);
    return text(bin ? Text::LimitReachedIn : Text::LimitReachedAskGrownUp)
        .arg(QDir::toNativeSeparators(drawingsFolder.files.path()))
        .arg(drawingsFolder.maxDrawings);
}

void MainWindow::saveForSessionEnd(std::function<void()> done) {
    // A save already waiting may hold an older picture: once it ends, the
    // canvas is looked at again.
    if (isSaving()) {
        afterSave.push_back([this, done] { saveForSessionEnd(done); });
        return;
    }
    if (!document.modified()) {
        done();
        return;
    }
    qCInfo(logFiles) << "the session ends: saving the drawing";
    afterSave.push_back(std::move(done));
    saveDrawing(true);
}

// Reads a saved drawing, on any thread. One that cannot be read is logged;
// the answer is then null.
static QImage readDrawing(const QString &path) {
    const QImage picture = loadPicture(path);
    if (picture.isNull())
        qCWarning(logFiles) << "saved drawing could not be read:" << path;
    return picture;
}

void MainWindow::tellDamaged(const QString &path, QWidget *noteOn) {
    platform.notify(noteOn, text(config::Text::DamagedDrawing).arg(QFileInfo(path).fileName()),
                    Platform::Notice::Problem);
}

bool MainWindow::isBrowsing() const {
    return browsingNow;
}

// The picture buttons and the picker's choice read drawings in the
// background: the folder may be a file server that stops answering. A press
// while one is reading does nothing. `job` runs on another thread with a
// copy of the drawings folder; what it found comes back to `then`.
void MainWindow::browseInBackground(std::function<Browsed(drawings::DrawingFolder)> job,
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
    watcher->setFuture(QtConcurrent::run(diskThreads(), job, drawingsFolder));
}

// Puts a saved drawing on the canvas the way a scene goes there: with an
// undo snapshot, so one undo brings back what the canvas held.
void MainWindow::showDrawing(const Browsed &found) {
    document.showSaved(found.picture, found.path);
    drawingsFolder.browsePosition = QFileInfo(found.path).fileName();
}

// The picture buttons: each press shows the next (or previous) drawing that
// can be read, passing over files that are no drawing (a note, a damaged
// file); when none is shown the buttons stay on the drawing on show.
void MainWindow::stepToDrawing(bool forward) {
    browseInBackground(
        [forward](drawings::DrawingFolder folder) {
            Browsed found;
            const auto show = [&found](const QString &path) {
                found.picture = readDrawing(path);
                return !found.picture.isNull();
            };
            found.path =
                forward ? drawings::stepNext(folder, show) : drawings::stepPrevious(folder, show);
            found.folder = folder;
            return found;
        },
        [this](const Browsed &found) {
            drawingsFolder.files = found.folder.files;
            if (!found.path.isEmpty())
                showDrawing(found);
        });
}

void MainWindow::openMyDrawings() {
    playCue("sonido3.wav");
    if (showPicker)
        showPicker(drawingsFolder.files.path());
}

// Shown like the picture buttons show a drawing, and the buttons go on from
// it; a drawing that cannot be read is named in a note and the canvas stays.
void MainWindow::drawingChosen(const QString &path) {
    show();
    raise();
    activateWindow();
    readInBackground(path, [this](const Browsed &found) { showDrawing(found); });
}

// Reads the drawing at `path` in the background; one that cannot be read is
// named in a note, one that can goes to `then`.
void MainWindow::readInBackground(const QString &path, std::function<void(const Browsed &)> then,
                                  const QPointer<QWidget> &noteOn) {
    browseInBackground(
        [path](const drawings::DrawingFolder &) {
            return Browsed{path, readDrawing(path), {}};
        },
        [this, then, noteOn](const Browsed &found) {
            if (found.picture.isNull())
                tellDamaged(found.path, noteOn && noteOn->isVisible() ? noteOn.data() : this);
            else
                then(found);
        });
}

void MainWindow::deleteDrawing() {
    const QString shown = document.shownDrawing();
    bool trashed = false; // not when the file was gone already
    const drawings::DeleteResult result =
        drawings::deleteShown(drawingsFolder, shown, [&](const QString &path) {
            const Outcome moved = platform.moveToTrash(path);
            trashed = moved.ok();
            return moved;
        });
    switch (result.outcome) {
    case drawings::DeleteResult::Nothing:
        break;
    case drawings::DeleteResult::Deleted:
        document.shownDrawingDeleted();
        qCDebug(logFiles) << "moved to the trash:" << shown;
        if (trashed)
            platform.notify(this, text(config::Text::MovedToTrash).arg(QFileInfo(shown).fileName()),
                            Platform::Notice::Done);
        break;
    case drawings::DeleteResult::Failed:
        qCWarning(logFiles) << "could not move" << shown << "to the trash:" << result.why.reason();
        platform.notify(this,
                        text(result.why.noPermission() ? config::Text::DeleteFailedDenied
                                                       : config::Text::DeleteFailed),
                        Platform::Notice::Problem);
        break;
    }
}

void MainWindow::copyToPictures() {
    exportPicture(document.picture(), this);
}

// The picker's copy reads the drawing in the background like a choice.
void MainWindow::copyDrawingToPictures(const QString &path, QWidget *noteOn) {
    const QPointer<QWidget> where(noteOn);
    readInBackground(
        path,
        [this, where](const Browsed &found) {
            exportPicture(found.picture, where && where->isVisible() ? where.data() : this);
        },
        where);
}

// Writes the picture into the user's pictures folder and says where.
void MainWindow::exportPicture(const QImage &picture, QWidget *noteOn) {
    const QString folder = exporting::picturesFolder();
    const exporting::Exported out = exporting::exportPng(picture, folder);
    if (out.outcome.ok()) {
        qCDebug(logFiles) << "copied to" << out.path;
        platform.notify(
            noteOn, text(config::Text::CopiedToPictures).arg(QDir::toNativeSeparators(out.path)),
            Platform::Notice::Done);
        return;
    }
    qCWarning(logFiles) << "could not copy the drawing to" << folder << ":" << out.outcome.reason();
    platform.notify(noteOn, text(config::Text::CopyFailed).arg(QDir::toNativeSeparators(folder)),
                    Platform::Notice::Problem);
}

} // namespace garabix
