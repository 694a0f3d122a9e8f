#pragma once
// What the program asks of the outside world. The Qt implementation is the
// default; tests hand the windows a recording fake, so no test plays a sound,
// opens a dialog, prints or touches the clipboard.

#include "core/base/outcome.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QLocale;
class QMessageBox;
class QWidget;

namespace garabix {

class Platform {
public:
    virtual ~Platform() = default;
    // Plays a WAV cue at once, over any cue still sounding. A missing or
    // unplayable file is silent. With `wait` the call returns once the sound
    // has ended (bounded by its length).
    virtual void playSound(const QString &path, bool wait) = 0;
    // Readies a cue so that its first play starts at once.
    virtual void preloadSound(const QString &path) { Q_UNUSED(path); }
    virtual void setClipboardImage(const QImage &image) = 0;
    // Prints `image` whole on one page of the default printer, without a
    // dialog, and calls `done` on the interface thread with how it went,
    // once the print queue has taken the page or refused it (a few seconds
    // at most; the window keeps answering meanwhile).
    enum class Printed { Done, NoPrinter, Refused };
    virtual void printImage(const QImage &image, std::function<void(Printed)> done) = 0;
    // Shows a folder in the desktop's file browser; answers whether a
    // program took it.
    virtual bool openFolder(const QString &path) = 0;
    // Asks a Yes/No question with buttons captioned `yes` and `no` ("&" marks
    // a button's key); No is the default answer.
    virtual bool askYesNo(QWidget *parent, const QString &question, const QString &yes,
                          const QString &no) = 0;
    virtual void quit() = 0;
    // Moves a file to the desktop's trash; answers whether it is there now,
    // and if not, why.
    virtual Outcome moveToTrash(const QString &path) = 0;
    // A short note over the window that goes away by itself, without
    // blocking: a sign that something worked, or a problem a parent can mend.
    enum class Notice { Done, Problem };
    virtual void notify(QWidget *parent, const QString &text, Notice kind) = 0;
    // Qt's own texts (menus, standard buttons) from now on in the language
    // of `code` ("es", "en"...), whatever the desktop's language.
    virtual void useLanguage(const QString &code) { Q_UNUSED(code); }
};

// The default implementation, built on Qt.
Platform &qtPlatform();

// `inner` with every sound left out: for a classroom whose settings say
// sound=false.
std::unique_ptr<Platform> withoutSound(Platform &inner);

// Loads Qt's own translations for `locale` in place of any loaded before;
// English needs none. Answers whether Qt speaks that language now.
bool installQtTranslations(const QLocale &locale);

// The quit question's box, its buttons captioned `yes` and `no` whatever the
// desktop's language, with No as the default button.
QMessageBox *questionBox(QWidget *parent, const QString &question, const QString &yes,
                         const QString &no);

} // namespace garabix
