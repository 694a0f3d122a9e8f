#pragma once
// Writes animated GIF files with giflib, on a fixed 256-colour palette (a
// 6 x 6 x 6 colour cube and 40 greys), so the same frames always give the
// same bytes. Pure white and pure black are exact palette entries.

#include <QImage>
#include <QString>
#include <QVector>

namespace garabix::gif {

struct Options {
    int delayCentiseconds = 10;
    // -1: no loop extension (plays once); 0: loop for ever; n: n loops.
    int loopCount = -1;
};

// Returns false when the file cannot be written or there is no frame.
bool writeGif(const QString &path, const QVector<QImage> &frames, const Options &options = {});

} // namespace garabix::gif
