#pragma once
// Shared test fixtures: a recording platform and temporary program folders.

#include "ui/common/platform.h"
#include "ui/mainwindow/form1.h"

#include <QImage>
#include <QSizeF>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <functional>
#include <memory>

namespace garabix::test {

class RecordingPlatform : public Platform {
public:
    void playSound(const QString &path, bool wait) override {
        sounds.append(path.section(QLatin1Char('/'), -1));
        if (wait)
            waited.append(path.section(QLatin1Char('/'), -1));
    }
    void setClipboardImage(const QImage &image) override { clipboard.append(image); }
    void printImage(const QImage &image, QSizeF size) override {
        printed.append(image);
        printSizes.append(size);
    }
    void openFolder(const QString &path) override { folders.append(path); }
    bool askYesNo(QWidget *, const QString &question) override {
        questions.append(question);
        return answer;
    }
    void quit() override { ++quits; }
    // The trash is a folder of the fake's own: nothing reaches the real one.
    bool moveToTrash(const QString &path) override;
    void notify(QWidget *, const QString &text, Notice kind) override {
        notices.append(text);
        problems.append(kind == Notice::Problem);
    }

    QStringList sounds, waited, folders, questions, trashed, notices;
    QVector<bool> problems; // per notice: a problem rather than a sign of success
    bool trashWorks = true;
    QTemporaryDir trashFolder;
    QVector<QImage> clipboard, printed;
    QVector<QSizeF> printSizes;
    bool answer = false;
    int quits = 0;
};

// A program folder in a temporary directory.
class ProgramFolder {
public:
    QString path() const { return dir.path(); }
    // Writes a file (folders are created), relative to the program folder.
    void write(const QString &relative, const QByteArray &bytes);
    void mkdir(const QString &relative);
    // The usual configuration: limit 500, spacing 20, 30 texts "t0".."t29".
    void writeDefaultConfiguration();
    // A small GIF of `frames` frames of the given colour, with a black square.
    void writeStamp(const QString &relative, int size = 40, int frames = 3);

private:
    QTemporaryDir dir;
};

// A main window loaded for an 800 x 600 client area, over a program folder
// that `prepare` fills (the usual configuration when it is not given).
struct MainWindow {
    explicit MainWindow(const std::function<void(ProgramFolder &)> &prepare = {});
    const QImage &persistent() const { return form->drawing(); }
    const DrawingState &state() const { return form->drawingState(); }
    // A control of the window by its name ("Text1", "Command1_4" ...).
    template <typename T = QWidget> T *control(const QString &name) const {
        return form->findChild<T *>(name);
    }
    // Moves to a, presses, moves to b with the button held, releases.
    void drag(QPointF a, QPointF b, Qt::MouseButton button = Qt::LeftButton);
    // Presses and releases at p without a move in between.
    void click(QPointF p);

    ProgramFolder folder;
    RecordingPlatform platform;
    std::unique_ptr<Form1> form;
};

// A GIF of `frames` whose bytes end a little after its first frame, as a
// damaged download would.
bool writeGifCutAfterFirstFrame(const QString &path, const QVector<QImage> &frames);

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"), or 0.
long processMemoryKb(const char *field);

// Pixel colour as a colour word.
unsigned colourAt(const QImage &image, int x, int y);
int countColour(const QImage &image, unsigned colourWord, const QRect &area = QRect());

} // namespace garabix::test
