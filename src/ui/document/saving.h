#pragma once
// DrawingSaver: a save from the press to its note. The picture is copied,
// the disk work done on the disk threads, and the drawing stays on the
// canvas, unsaved, until its file reads back. While the disk is silent a
// quiet sign says so, and after a few seconds a note; a second press
// meanwhile does nothing. The session's end waits for a running save and
// then saves what the canvas holds by then.

#include "core/files/drawings.h"
#include "core/files/filestamp.h"
#include "ui/document/parts.h"

#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QLabel;
class QWidget;

namespace garabix {

class Platform;

class DrawingSaver : public QObject {
    Q_OBJECT
public:
    explicit DrawingSaver(const DocumentParts &parts);

    // The limit's note: whether the child has the bin, and whether the limit
    // is mdg.txt's over the program folder's own misdibujos.
    void setLimitWording(bool binAllowed, bool programFoldersLimit);

    // The tool bar's and Ctrl+S's save; at the session's end a drawing is
    // saved even past the folder's limit.
    void save(bool sessionEnds = false);
    // The end of the session: a drawing with changes is saved as a new
    // numbered drawing, without a question, and then `done` runs (at once
    // when there is nothing to save).
    void saveForSessionEnd(std::function<void()> done);
    // From the press until the note.
    bool isSaving() const { return savingNow; }

private:
    struct SaveDone {
        drawings::SaveResult result;
        FileStamp stamp;                // the file written, as the disk has it
        drawings::DrawingFolder folder; // as counted after the save
        uint64_t content = 0;           // the picture saved
    };
    void finished();
    QString noteFor(const drawings::SaveResult &result) const;
    QString limitNote() const;

    DocumentParts parts;
    bool binAllowed = true;
    bool programFoldersLimit = true;

    QFutureWatcher<SaveDone> watcher;
    bool savingNow = false;
    QTimer slowTimer;                             // the note when the folder does not answer
    QLabel *sign = nullptr;                       // "Guardando…" while a save waits
    std::vector<std::function<void()>> afterSave; // run once the save has ended
};

} // namespace garabix
