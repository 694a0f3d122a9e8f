#pragma once
// Shared fixtures of every test, the core's included: temporary program
// folders, and reading pictures and memory.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

namespace garabix::test {

// A program folder in a temporary directory.
class ProgramFolder {
public:
    QString path() const { return dir.path(); }
    // Writes a file (folders are created), relative to the program folder.
    void write(const QString &relative, const QByteArray &bytes);
    void mkdir(const QString &relative);
    // The usual configuration: limit 500, spacing 20, 30 texts "t0".."t29".
    void writeDefaultConfiguration();
    // A small GIF of `frames` frames of the given colour, with a black
    // square, each frame shown for `centiseconds`.
    void writeStamp(const QString &relative, int size = 40, int frames = 3, int centiseconds = 2);

private:
    QTemporaryDir dir;
};

// A file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"), or 0.
long processMemoryKb(const char *field);

// Pixel colour as a colour word.
unsigned colourAt(const QImage &image, int x, int y);
int countColour(const QImage &image, unsigned colourWord, const QRect &area = QRect());

} // namespace garabix::test
