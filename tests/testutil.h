#pragma once
// Shared fixtures of the window tests: a recording platform and a main
// window over a temporary program folder.

#include "coretestutil.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/platform/platform.h"
#include "ui/widgets/widgetnames.h"

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
    void printImage(const QImage &image, std::function<void(Printed)> done) override {
        printed.append(image);
        done(printing);
    }
    bool openFolder(const QString &path) override {
        folders.append(path);
        return folderBrowser;
    }
    bool askYesNo(QWidget *, const QString &question, const QString &yes,
                  const QString &no) override {
        questions.append(question);
        answers.append({yes, no});
        return answer;
    }
    void quit() override { ++quits; }
    // The trash is a folder of the fake's own: nothing reaches the real one.
    Outcome moveToTrash(const QString &path) override;
    void notify(QWidget *where, const QString &text, Notice kind) override {
        notices.append(text);
        problems.append(kind == Notice::Problem);
        noticeWindows.append(where);
    }

    QStringList sounds, waited, folders, questions, trashed, notices;
    QVector<QStringList> answers;     // per question: its two buttons' captions
    QVector<bool> problems;           // per notice: a problem rather than a sign of success
    QVector<QWidget *> noticeWindows; // per notice: the window it shows on
    int trashError = 0;               // the errno every move to the trash fails with; 0: it works
    QTemporaryDir trashFolder;
    QVector<QImage> clipboard, printed;
    Printed printing = Printed::Done; // how every print goes
    bool folderBrowser = true;        // whether a program opens folders
    bool answer = false;
    int quits = 0;
};

// A file of the shipped program folder's configuracion/ ("idiomas/english.txt").
QString shippedConfiguration(const QString &relative);
// Another copy of the program saves `count` drawings of 64 x 48 into
// `folder`, each marked with `mark` in its first pixel's red.
void otherCopySaves(const QString &folder, int count, int mark);

// The QT_QPA_PLATFORM value of an offscreen screen of `size` at the
// desktop's `scale`, its configuration written into `dir`.
QString offscreenScreen(const QString &dir, QSize size, double scale = 1);

// A key pressed and let go where a child's key goes: the control with the
// keyboard's focus, else the active window, else `fallback`.
void pressKey(QWidget *fallback, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A child at the keyboard: Tab until the frame is in the area that holds the
// control, then the arrows towards it, watching where the frame is.
struct KeyboardChild {
    QWidget *window;
    const Access &access;

    bool reach(QWidget *control, QRect inControl = {});
    // Reaches the control and presses Space.
    bool press(QWidget *control, QRect inControl = {});
    // Onto the canvas, then the pointer by the arrows to `to`.
    void pointTo(MainWindow &form, QPointF to);
};

// The name of a tool-bar button's control.
inline QString buttonName(ToolbarButton b) {
    return widgetname::toolbarButton(buttonIndex(b));
}

// A main window loaded for an 800 x 600 client area, over a program folder
// that `prepare` fills (the usual configuration when it is not given), on
// the recording platform unless another is given, with the settings given.
struct LoadedMainWindow {
    explicit LoadedMainWindow(const std::function<void(ProgramFolder &)> &prepare = {},
                              Platform *other = nullptr, const Settings &settings = {});
    const QImage &persistent() const { return form->picture(); }
    const DrawingState &state() const { return form->drawingState(); }
    // A control of the window by its name (widgetname::textEdit, buttonName(...) ...).
    template <typename T = QWidget> T *control(const QString &name) const {
        return form->findChild<T *>(name);
    }
    // Moves to a, presses, moves to b with the button held, releases.
    void drag(QPointF a, QPointF b, Qt::MouseButton button = Qt::LeftButton);
    // Presses and releases at p without a move in between.
    void click(QPointF p);
    // Presses Save and waits for the save to end; answers the last note.
    QString save();
    // Presses a tool-bar button and waits until no disk work it started is
    // left (saving, the picture buttons).
    void press(ToolbarButton button);
    // Waits until the window waits for no disk.
    bool settle();
    // The drawings folder, with a slash at its end.
    QString drawings() const { return folder.path() + "/misdibujos/"; }

    ProgramFolder folder;
    RecordingPlatform platform;
    std::unique_ptr<MainWindow> form;
};

} // namespace garabix::test
