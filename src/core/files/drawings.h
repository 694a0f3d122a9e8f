#pragma once
// The child's drawings: numbered BMP files "0.bmp" to "10000.bmp" in the
// drawings folder, saved without a dialog, stepped through and deleted.

#include "core/base/outcome.h"
#include "core/files/folderlist.h"
#include "core/files/numbering.h"

#include <QImage>
#include <QString>
#include <functional>

namespace garabix::drawings {

constexpr int highestNumber = 10000;

// The drawings folder as the program keeps it.
struct DrawingFolder {
    FileList files;           // every file of the folder, whatever its name
    int16_t maxDrawings = 0;  // from mdg.txt
    int16_t drawingCount = 0; // files in files at the last count
    // Where previous/next stand: the name of the drawing they last showed
    // (empty before the first step). A name, not a place in the list, so
    // that drawings deleted by the program or behind its back never move it.
    QString browsePosition;
};

// The order previous/next step in: numbered drawings by their number (2.bmp
// before 10.bmp), then files with other names in text order, without regard
// to case.
bool drawingOrder(const QString &a, const QString &b);

// The folder the drawings go to: misdibujos beside the program, made there
// when missing, wherever the program folder can be written; otherwise (a
// system-wide install) the user's data folder for Garabix,
// ~/.local/share/garabix/misdibujos by default, made when missing.
QString drawingsFolder(const QString &appPath);

// The number of files in the list, as the 16-bit drawingCount holds it.
int16_t countDrawings(const FileList &files);

// Writes `image` as a standard uncompressed 24-bit BMP through a temporary
// file renamed into place, so a failed write never leaves a partial file.
bool writeBmp(const QImage &image, const QString &path);

struct SaveResult {
    enum Kind {
        Saved,        // written under `path`
        Unchanged,    // the canvas is what was last saved or shown
        SavingOff,    // mdg.txt allows no drawing at all (0, or missing)
        LimitReached, // the folder holds maxDrawings files already
        NoNumberLeft, // every name from 0.bmp to 10000.bmp is taken
        Failed,       // the folder cannot be written (missing, read-only, full)
    };
    Kind outcome;
    QString path;
    Outcome why; // for Failed: the system's reason
};

// Saves the canvas, when it is `modified` and the folder holds fewer than
// maxDrawings files (counted now), under the first free number. The
// picture is written to a hidden temporary file first and moved under a
// number claimed for it (numbering.h): several copies of the program saving
// into one folder at once, from one computer or many, each get a number of
// their own, and a save cut short leaves no partial drawing.
// With `pastLimit` (the session ends) a drawing the limit would refuse is
// saved all the same: the limit saves disk space, never at the cost of a
// child's drawing.
SaveResult saveDrawing(DrawingFolder &folder, const QImage &canvas, bool modified,
                       bool pastLimit = false);

// Shows a file previous/next step to; answers whether it could.
using ShowFile = std::function<bool(const QString &path)>;

// The file shown after stepping forward or back from browsePosition in
// drawingOrder, or empty when there is none that way (the position then
// stays). Files `show` refuses (a note, a damaged drawing) are passed over,
// up to 20 a step; without `show` every file is taken. A drawing deleted
// where the position stands leaves it between the one before and the one
// after.
QString stepNext(DrawingFolder &folder, const ShowFile &show = {});
QString stepPrevious(DrawingFolder &folder, const ShowFile &show = {});

struct DeleteResult {
    enum Kind { Nothing, Deleted, Failed };
    Kind outcome;
    Outcome why; // for Failed: the system's reason
};
// Moves `shownDrawing`, the saved drawing on the canvas (empty: none), away
// with `trash`. Deleted also when it had already gone behind the program's
// back. When `trash` fails the file stays where it is.
DeleteResult deleteShown(DrawingFolder &folder, const QString &shownDrawing,
                         const std::function<Outcome(const QString &)> &trash);

} // namespace garabix::drawings
