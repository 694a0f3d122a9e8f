#pragma once
// The child's drawings: numbered BMP files "0.bmp" to "10000.bmp" in the
// drawings folder, saved without a dialog, stepped through and deleted.

#include "core/app/folderlist.h"
#include "core/canvas/drawingstate.h"

#include <QImage>
#include <QString>

namespace garabix::drawings {

constexpr int highestNumber = 10000;

// The number of files in the list, as the 16-bit drawingCount holds it.
int16_t countDrawings(const FileList &File1);

// Writes `image` as a standard uncompressed 24-bit BMP through a temporary
// file renamed into place, so a failed write never leaves a partial file.
bool writeBmp(const QImage &image, const QString &path);

// Saves the canvas when it was touched since the last save and the folder
// holds fewer than maxDrawings files: the first number whose exact name is
// free. Returns the path written, or empty when nothing was written. A failed
// write leaves drawingCount and drawingModified as they were; so does a
// folder with every number taken.
QString SaveDrawing(DrawingState &state, const QImage &canvas, FileList &File1);

// The file to show after stepping forward or back, or empty when the step
// finds nothing (browseIndex is then put back).
QString stepNext(DrawingState &state, FileList &File1);
QString stepPrevious(DrawingState &state, FileList &File1);

// Deletes the drawing at browseIndex (to the system's trash where there is
// one). Does nothing when no drawing was shown yet or the entry is empty.
bool deleteCurrent(DrawingState &state, FileList &File1);

} // namespace garabix::drawings
