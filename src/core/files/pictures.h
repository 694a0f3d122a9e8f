#pragma once
// Loading pictures from outside files. Every picture the program reads goes
// through here: a file that is missing, is not a picture, or claims more
// pixels than the program will decode gives a null image, never a crash.

#include <QImage>
#include <QString>

namespace garabix {

constexpr int maxPictureSide = 16384;
constexpr qint64 maxPicturePixels = 64LL * 1024 * 1024; // 256 MB at 32 bits

// The first frame of a BMP, GIF or JPEG file (the format is taken from the
// contents, not the name), as Format_RGB32; null on any failure, a BMP cut
// short included.
QImage loadPicture(const QString &path);

// Whether a BMP file holds less pixel data than its header promises (a
// drawing cut short by a full disk or a broken copy). Files of other kinds
// are never damaged BMPs.
bool truncatedBmp(const QString &path);

// Sets Qt's image allocation limit so that no picture over 256 MB is decoded.
void limitPictureMemory();

} // namespace garabix
