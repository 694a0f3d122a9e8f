// MainWindow's saved drawings: saving with a word on how it went, showing a saved
// drawing, and deleting the one on show.

#include "core/files/export.h"
#include "core/files/pictures.h"
#include "core/text/log.h"
#include "ui/common/platform.h"
#include "ui/common/widgetnames.h"
#include "ui/mainwindow/mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QtConcurrent/QtConcurrentRun>

namespace garabix {

// The note's wait: a file server that has not answered in this long has
// stopped, for now.
constexpr int folderSilentMs = 4000;

bool MainWindow::isSaving() const {
    return savingNow;
}

// Saving runs in the background: the picture is copied, the disk work done
// on another thread, and the drawing stays on the canvas, unsaved, until its
// file reads back. While the disk is silent a quiet sign says so, and after a
// few seconds a note; a second press meanwhile does nothing.
void MainWindow::saveDrawing() {
    if (isSaving())
        return;
    if (!saveWatcher) {
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
    }
    savingNow = true;
    const bool modified = document.modified();
    const FileStamp lastSaved = document.savedStamp();
    const QImage picture = document.picture().copy();
    const uint64_t content = document.contentNumber();
    drawings::DrawingFolder folder = drawingsFolder;
    saveWatcher->setFuture(QtConcurrent::run([=]() mutable {
        // Whether the last saved file is still there is a question for the
        // disk too.
        const bool needed = modified || (!lastSaved.path.isEmpty() && !lastSaved.intact());
        SaveDone done{drawings::saveDrawing(folder, picture, needed), {}, folder, content};
        if (done.result.outcome == drawings::SaveResult::Saved)
            done.stamp = FileStamp::of(done.result.path);
        done.folder = folder;
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
        note = text(Text::LimitReached).arg(drawingsFolder.maxDrawings);
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
    saveDrawing();
}

// Reads a saved drawing. One that cannot be read is logged and, with
// `tell`, named in a note; the answer is then null.
QImage MainWindow::readDrawing(const QString &path, bool tell) {
    const QImage picture = loadPicture(path);
    if (picture.isNull()) {
        qCWarning(logFiles) << "saved drawing could not be read:" << path;
        if (tell)
            platform.notify(this,
                            text(config::Text::DamagedDrawing).arg(QFileInfo(path).fileName()),
                            Platform::Notice::Problem);
    }
    return picture;
}

// Puts a saved drawing on the canvas the way a scene goes there: with an
// undo snapshot, so one undo brings back what the canvas held. A drawing
// that cannot be read leaves the canvas as it was. Answers whether it showed.
bool MainWindow::showDrawing(const QString &path, bool tell) {
    if (path.isEmpty())
        return false;
    const QImage picture = readDrawing(path, tell);
    if (picture.isNull())
        return false;
    document.showSaved(picture, path);
    return true;
}

// The picture buttons: each press shows the next (or previous) drawing that
// can be read, passing over files that are no drawing (a note, a damaged
// file); when none is shown the buttons stay on the drawing on show.
void MainWindow::stepToDrawing(bool forward) {
    const auto show = [this](const QString &path) { return showDrawing(path); };
    if (forward)
        drawings::stepNext(drawingsFolder, show);
    else
        drawings::stepPrevious(drawingsFolder, show);
}

void MainWindow::openMyDrawings() {
    playCue("sonido3.wav");
    if (showPicker)
        showPicker(drawingsFolder.files.path());
}

// Shown like the picture buttons show a drawing, and the buttons go on from
// it; a drawing that cannot be read is named in a note.
void MainWindow::drawingChosen(const QString &path) {
    if (showDrawing(path, true))
        drawingsFolder.browsePosition = QFileInfo(path).fileName();
    show();
    raise();
    activateWindow();
}

void MainWindow::deleteDrawing() {
    const QString shown = document.shownDrawing();
    const drawings::DeleteResult result = drawings::deleteShown(
        drawingsFolder, shown, [this](const QString &path) { return platform.moveToTrash(path); });
    switch (result.outcome) {
    case drawings::DeleteResult::Nothing:
        break;
    case drawings::DeleteResult::Deleted:
        document.shownDrawingDeleted();
        qCDebug(logFiles) << "moved to the trash:" << shown;
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
    exportPicture(document.picture());
}

void MainWindow::copyDrawingToPictures(const QString &path) {
    const QImage picture = readDrawing(path, true);
    if (!picture.isNull())
        exportPicture(picture);
}

// Writes the picture into the user's pictures folder and says where.
void MainWindow::exportPicture(const QImage &picture) {
    const QString folder = exporting::picturesFolder();
    const exporting::Exported out = exporting::exportPng(picture, folder);
    if (out.outcome.ok()) {
        qCDebug(logFiles) << "copied to" << out.path;
        platform.notify(
            this, text(config::Text::CopiedToPictures).arg(QDir::toNativeSeparators(out.path)),
            Platform::Notice::Done);
        return;
    }
    qCWarning(logFiles) << "could not copy the drawing to" << folder << ":" << out.outcome.reason();
    platform.notify(this, text(config::Text::CopyFailed).arg(QDir::toNativeSeparators(folder)),
                    Platform::Notice::Problem);
}

} // namespace garabix
