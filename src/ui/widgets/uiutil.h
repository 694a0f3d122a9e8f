#pragma once
// Small helpers the windows share: colours kept in a widget's background,
// plain-text tooltips and the button pictures.

#include "core/base/log.h"
#include "core/canvas/colour.h"

#include <QIcon>
#include <QString>
#include <exception>

class QWidget;

namespace garabix {

// Runs one step of the main window's start-up, where a step that fails is
// skipped and the next one runs. A step fails by throwing StepFailed with
// what went wrong, or any standard exception; the failure is logged with
// `what` the step does.
struct StepFailed {
    const char *why;
};
template <typename Step> void runSkippingFailure(const char *what, Step &&step) {
    try {
        step();
    } catch (const StepFailed &failure) {
        qCWarning(logStartup, "%s failed: %s", what, failure.why);
    } catch (const std::exception &e) {
        qCWarning(logStartup, "%s failed: %s", what, e.what());
    }
}

// The room a window of its own has on the screen it is on (the primary one
// before it is shown): the screen's available area less the window
// manager's frame and title bar; `fallback` without a screen.
QSize windowRoom(const QWidget *window, QSize fallback);

// Fills a window or panel with a plain background colour.
void setBackground(QWidget *w, const QColor &colour);

// Gives a button or label a background colour (a colour word) and remembers
// it. A chosen button wears a thick dark frame around its picture. The look
// is the control's own: its tooltip keeps the desktop's.
void setButtonColour(QWidget *button, ColourWord colour, bool chosen = false);
// Shows a button as chosen or not, keeping its colour.
void markChosen(QWidget *button, bool chosen);
bool isMarkedChosen(const QWidget *button);
void setLabelColour(QWidget *label, ColourWord colour);
// The colour word stored by setButtonColour/setLabelColour, or -1.
long widgetColour(const QWidget *w);

// Shows a window over the others, with the keys.
void bringToFront(QWidget *window);

// Centres a window on the primary screen: each half-difference is an integer
// division of the rounded difference, truncated.
void centreOnScreen(QWidget *window);

// A tooltip that shows `text` as it stands, never as markup: on one line, or
// on two broken at the space nearest the middle when it is long.
QString plainToolTip(const QString &text);

// A note's text that wraps where a path may break: after each "/", and
// before each ".", "-" or "_" of a long folder name, so that a long path is
// never cut at the note's edge; the path's last part (the file's name)
// stays whole.
QString wrappableText(const QString &text);

QIcon toolIcon(int index);
QIcon penSizeIcon(int index);
// Any other picture of the program by name ("pagenext", "enter" ...).
QIcon namedIcon(const QString &name);

} // namespace garabix
