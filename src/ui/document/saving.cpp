#include "ui/document/saving.h"

#include "core/base/log.h"
#include "ui/platform/diskthreads.h"
#include "ui/platform/platform.h"
#include "ui/widgets/widgetnames.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QtConcurrent/QtConcurrentRun>

namespace garabix {

// The note's wait: a file server that has not answered in this long has
// stopped, for now.
constexpr int folderSilentMs = 4000;

DrawingSaver::DrawingSaver(const DocumentParts &p) : QObject(p.window), parts(p) {
    connect(&watcher, &QFutureWatcherBase::finished, this, [this] { finished(); });
    slowTimer.setSingleShot(true);
    slowTimer.setInterval(folderSilentMs);
    connect(&slowTimer, &QTimer::timeout, this, [this] {
        qCWarning(logFiles) << "the drawings folder" << parts.folder.files.path()
                            << "does not answer; the drawing is kept";
        parts.platform.notify(parts.window,
                              parts.text(config::Text::FolderNotAnswering)
                                  .arg(QDir::toNativeSeparators(parts.folder.files.path())),
                              Platform::Notice::Problem);
    });
    sign = new QLabel(parts.window);
    sign->setObjectName(QString::fromLatin1(widgetname::savingSign));
    sign->setAttribute(Qt::WA_TransparentForMouseEvents);
    sign->setStyleSheet(
        QStringLiteral("background:#fffbe6;color:#5c3c00;border-radius:6px;padding:4px 10px;"));
    sign->hide();
}

void DrawingSaver::setLimitWording(bool bin, bool programFolders) {
    binAllowed = bin;
    programFoldersLimit = programFolders;
}

void DrawingSaver::save(bool sessionEnds) {
    if (savingNow)
        return;
    savingNow = true;
    const bool modified = parts.document.modified();
    const FileStamp lastSaved = parts.document.savedStamp();
    const QImage picture = parts.document.picture().copy();
    const uint64_t content = parts.document.contentNumber();
    drawings::DrawingFolder copy = parts.folder;
    watcher.setFuture(QtConcurrent::run(diskThreads(), [=]() mutable {
        // Whether the last saved file is still there is a question for the
        // disk too.
        const bool needed = modified || (!lastSaved.path.isEmpty() && !lastSaved.intact());
        SaveDone done;
        done.result = drawings::saveDrawing(copy, picture, needed, sessionEnds);
        if (done.result.outcome == drawings::SaveResult::Saved)
            done.stamp = FileStamp::of(done.result.path);
        done.folder = copy;
        done.content = content;
        return done;
    }));
    sign->setText(parts.text(config::Text::Saving));
    sign->adjustSize();
    sign->move(parts.window->width() - sign->width() - 8, 8);
    sign->show();
    sign->raise();
    slowTimer.start();
}

void DrawingSaver::finished() {
    slowTimer.stop();
    sign->hide();
    savingNow = false;
    const SaveDone done = watcher.result();
    const drawings::SaveResult &result = done.result;
    // The folder as the save left it; where previous/next stand is the
    // browser's own.
    parts.folder.files = done.folder.files;
    parts.folder.drawingCount = done.folder.drawingCount;
    // Only the picture saved counts as saved: strokes drawn meanwhile stay
    // to be saved.
    if (result.outcome == drawings::SaveResult::Saved) {
        parts.document.markSaved(done.stamp, done.content);
        qCDebug(logFiles) << "saved" << result.path;
    }
    // A word on how it went: a save never looks the same as a failure.
    const QString note = noteFor(result);
    const bool ok = result.outcome == drawings::SaveResult::Saved ||
                    result.outcome == drawings::SaveResult::Unchanged;
    if (!ok)
        qCWarning(logFiles) << "drawing not saved into" << parts.folder.files.path() << ":"
                            << (result.why.ok() ? note : result.why.reason());
    parts.platform.notify(parts.window, note,
                          ok ? Platform::Notice::Done : Platform::Notice::Problem);
    std::vector<std::function<void()>> then;
    then.swap(afterSave);
    for (const auto &f : then)
        f();
}

QString DrawingSaver::noteFor(const drawings::SaveResult &result) const {
    using config::Text;
    switch (result.outcome) {
    case drawings::SaveResult::Saved:
        return parts.text(Text::Saved).arg(QFileInfo(result.path).fileName());
    case drawings::SaveResult::Unchanged:
        return parts.text(Text::AlreadySaved);
    case drawings::SaveResult::SavingOff:
        return parts.text(Text::SavingOff);
    case drawings::SaveResult::LimitReached:
        return limitNote();
    case drawings::SaveResult::NoNumberLeft:
        return parts.text(Text::NoNumberLeft).arg(drawings::highestNumber);
    case drawings::SaveResult::Failed:
        break;
    }
    // The note names the cause a parent can mend.
    const Text which = result.why.diskFull()       ? Text::SaveFailedFull
                       : result.why.noPermission() ? Text::SaveFailedDenied
                                                   : Text::SaveFailed;
    return parts.text(which).arg(QDir::toNativeSeparators(parts.folder.files.path()));
}

// The limit's note names the folder the drawings go to and the limit that
// holds, and asks for a grown-up where the child cannot delete. Only the
// program folder's own misdibujos with mdg.txt's limit and the bin gets the
// note that points at mdg.txt.
QString DrawingSaver::limitNote() const {
    using config::Text;
    if (binAllowed && programFoldersLimit)
        return parts.text(Text::LimitReached).arg(parts.folder.maxDrawings);
    return parts.text(binAllowed ? Text::LimitReachedIn : Text::LimitReachedAskGrownUp)
        .arg(QDir::toNativeSeparators(parts.folder.files.path()))
        .arg(parts.folder.maxDrawings);
}

void DrawingSaver::saveForSessionEnd(std::function<void()> done) {
    // A save already waiting may hold an older picture: once it ends, the
    // canvas is looked at again.
    if (savingNow) {
        afterSave.push_back([this, done] { saveForSessionEnd(done); });
        return;
    }
    if (!parts.document.modified()) {
        done();
        return;
    }
    qCInfo(logFiles) << "the session ends: saving the drawing";
    afterSave.push_back(std::move(done));
    save(true);
}

} // namespace garabix
