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

DrawingSaver::DrawingSaver(QWidget *w, Drawing &d, drawings::DrawingFolder &f, Platform &p,
                           const QStringList &t)
    : QObject(w), window(w), document(d), folder(f), platform(p), texts(t) {
    connect(&watcher, &QFutureWatcherBase::finished, this, [this] { finished(); });
    slowTimer.setSingleShot(true);
    slowTimer.setInterval(folderSilentMs);
    connect(&slowTimer, &QTimer::timeout, this, [this] {
        qCWarning(logFiles) << "the drawings folder" << folder.files.path()
                            << "does not answer; the drawing is kept";
        platform.notify(window,
                        text(config::Text::FolderNotAnswering)
                            .arg(QDir::toNativeSeparators(folder.files.path())),
                        Platform::Notice::Problem);
    });
    sign = new QLabel(window);
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
    const bool modified = document.modified();
    const FileStamp lastSaved = document.savedStamp();
    const QImage picture = document.picture().copy();
    const uint64_t content = document.contentNumber();
    drawings::DrawingFolder copy = folder;
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
    sign->setText(text(config::Text::Saving));
    sign->adjustSize();
    sign->move(window->width() - sign->width() - 8, 8);
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
    folder.files = done.folder.files;
    folder.drawingCount = done.folder.drawingCount;
    // Only the picture saved counts as saved: strokes drawn meanwhile stay
    // to be saved.
    if (result.outcome == drawings::SaveResult::Saved) {
        document.markSaved(done.stamp, done.content);
        qCDebug(logFiles) << "saved" << result.path;
    }
    // A word on how it went: a save never looks the same as a failure.
    const QString note = noteFor(result);
    const bool ok = result.outcome == drawings::SaveResult::Saved ||
                    result.outcome == drawings::SaveResult::Unchanged;
    if (!ok)
        qCWarning(logFiles) << "drawing not saved into" << folder.files.path() << ":"
                            << (result.why.ok() ? note : result.why.reason());
    platform.notify(window, note, ok ? Platform::Notice::Done : Platform::Notice::Problem);
    std::vector<std::function<void()>> then;
    then.swap(afterSave);
    for (const auto &f : then)
        f();
}

QString DrawingSaver::noteFor(const drawings::SaveResult &result) const {
    using config::Text;
    switch (result.outcome) {
    case drawings::SaveResult::Saved:
        return text(Text::Saved).arg(QFileInfo(result.path).fileName());
    case drawings::SaveResult::Unchanged:
        return text(Text::AlreadySaved);
    case drawings::SaveResult::SavingOff:
        return text(Text::SavingOff);
    case drawings::SaveResult::LimitReached:
        return limitNote();
    case drawings::SaveResult::NoNumberLeft:
        return text(Text::NoNumberLeft).arg(drawings::highestNumber);
    case drawings::SaveResult::Failed:
        break;
    }
    // The note names the cause a parent can mend.
    const Text which = result.why.diskFull()       ? Text::SaveFailedFull
                       : result.why.noPermission() ? Text::SaveFailedDenied
                                                   : Text::SaveFailed;
    return text(which).arg(QDir::toNativeSeparators(folder.files.path()));
}

// The limit's note names the folder the drawings go to and the limit that
// holds, and asks for a grown-up where the child cannot delete. Only the
// program folder's own misdibujos with mdg.txt's limit and the bin gets the
// note that points at mdg.txt.
QString DrawingSaver::limitNote() const {
    using config::Text;
    if (binAllowed && programFoldersLimit)
        return text(Text::LimitReached).arg(folder.maxDrawings);
    return text(binAllowed ? Text::LimitReachedIn : Text::LimitReachedAskGrownUp)
        .arg(QDir::toNativeSeparators(folder.files.path()))
        .arg(folder.maxDrawings);
}

void DrawingSaver::saveForSessionEnd(std::function<void()> done) {
    // A save already waiting may hold an older picture: once it ends, the
    // canvas is looked at again.
    if (savingNow) {
        afterSave.push_back([this, done] { saveForSessionEnd(done); });
        return;
    }
    if (!document.modified()) {
        done();
        return;
    }
    qCInfo(logFiles) << "the session ends: saving the drawing";
    afterSave.push_back(std::move(done));
    save(true);
}

} // namespace garabix
