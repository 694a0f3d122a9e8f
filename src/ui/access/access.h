#pragma once
// Every control without the mouse. A window that wants it lists its controls
// in areas (the tool bar, the pen sizes, the palette ...); then:
//
// - the keyboard: Tab and Shift+Tab move a thick frame from area to area, the
//   arrows move it within one (to the nearest control that way), and Space or
//   Return presses the control it frames;
// - one switch: with scanning on, the frame steps by itself, first from area
//   to area, then, once the switch has chosen an area, through its controls;
//   the switch presses the control framed. An area that is a canvas is
//   scanned as a coarse grid of cells, then as finer points within the cell
//   chosen; the switch clicks the point.
//
// Windows that do not list areas (the welcome window, the questions) keep
// Qt's own keys; scanning steps their buttons' keyboard focus, and the switch
// presses the button with the focus. A note on show takes the switch's next
// press: it goes away, and the press does nothing else.
//
// The program makes one for the whole application before its first window
// (startForApplication), so the switch works from the welcome window on.

#include "core/files/settings.h"

#include <QKeyCombination>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class QAbstractButton;
class QKeyEvent;

namespace garabix {

struct AccessTarget {
    QPointer<QWidget> widget;
    QRect rect; // within the widget; empty for the whole widget
    std::function<void()> press;
    QString name; // told to screen readers when framed; empty: the widget's own
    // Where the target is, in its window's coordinates.
    QRect onWindow() const;
};

// A button as a target: framed whole, pressed by clicking it.
AccessTarget buttonTarget(QAbstractButton *button);

struct AccessArea {
    std::vector<AccessTarget> targets;
    // A canvas: the keys go to `keys` first (the arrows move its pointer);
    // scanning clicks points of it with `clickAt`, in the widget's
    // coordinates, and stays on it while `strokeUnderWay` answers true (a
    // click started a stroke or shape that the next click ends).
    std::function<bool(QKeyEvent *)> keys;
    std::function<void(QPointF)> clickAt;
    std::function<bool()> strokeUnderWay;
    // The control Tab frames when it enters the area (the chosen tool), and
    // its place among the targets shown.
    QWidget *startAt = nullptr;
    int start = 0;
    bool isCanvas() const { return bool(clickAt); }
};

// The direction an arrow key points (none for any other key), and whether a
// key presses (Space, Return, Enter).
QPoint arrowDirection(int key);
bool isPressKey(int key);

// What a window answers to list its areas, in the order Tab visits them.
class AccessibleWindow {
public:
    virtual ~AccessibleWindow() = default;
    virtual std::vector<AccessArea> accessAreas() = 0;
};

// A window with no controls to scan that takes the switch's key itself (the
// slideshow steps on with it).
class OwnSwitchWindow {
public:
    virtual ~OwnSwitchWindow() = default;
};

// The frame that shows the keyboard's or the switch's place: yellow inside
// black, so it shows on every colour; it lets the mouse through.
class AccessFrame : public QWidget {
    Q_OBJECT
public:
    explicit AccessFrame(QWidget *window);
    // Round `onWindow`, over everything; with `inside`, within it and just
    // over `control`, under what lies over it (the canvas's frame stays off
    // the tool column and under the text panel).
    void frame(const QRect &onWindow, QWidget *control = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

class Access : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool scanning = false;
        int scanMilliseconds = 2000;
        QKeyCombination switchKey{Qt::Key_Space};
    };
    // The options the settings ask for.
    static Options optionsOf(const Settings &settings);
    // Watches the keys of every window of the program.
    explicit Access(Options options, QObject *parent = nullptr);
    ~Access() override;
    // The application's own, made where the program starts; without it (a
    // window made on its own), the newest.
    static Access *startForApplication(Options options);
    static Access *application();
    // Puts the keyboard's frame on `control` of `window` (the gallery's
    // stamp when it opens); the switch's scanning goes its own way.
    void frameControl(QWidget *window, QWidget *control);

    // Where the frame is: its window, area and target (-1 before the first key).
    QWidget *window() const { return current; }
    int area() const { return areaIndex; }
    int target() const { return targetIndex; }
    // The target framed, in its window's coordinates; for a canvas being
    // scanned, the cell or the point framed.
    QRect framed() const { return shownRect; }
    // The control framed (the canvas, while a canvas is scanned; an area's
    // first control, while the areas are).
    QWidget *framedWidget() const { return shownWidget; }
    enum class Level { Areas, Targets, Cells, Points };
    Level level() const { return scanLevel; }
    const Options &options() const { return opts; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool key(QWidget *receiver, QKeyEvent *event);
    bool listedKey(QWidget *window, QKeyEvent *event);
    void choose();
    void step();
    void stepFocus(QWidget *window);
    void moveWithin(const AccessArea &area, int dx, int dy);
    void moveArea(QWidget *window, const std::vector<AccessArea> &areas, int by);
    void show(QWidget *window, bool moved = true);
    void frameOn(QWidget *window);
    const AccessTarget &targetIn(const AccessArea &area);
    QWidget *scannedWindow() const;
    std::vector<AccessArea> areasOf(QWidget *window) const;
    // The canvas's cells and points, in the canvas widget's coordinates.
    QRect cell(const AccessArea &canvas, int index) const;
    QPoint point(const AccessArea &canvas) const;

    Options opts;
    QTimer scanTimer;
    QPointer<QWidget> current;
    QPointer<AccessFrame> shown;
    QRect shownRect;
    QPointer<QWidget> shownWidget;
    int areaIndex = -1;
    int targetIndex = -1;
    Level scanLevel = Level::Areas;
    int cellIndex = 0;
    int pointIndex = 0;
    int idleRounds = 0;    // whole rounds of an area's targets with no choice
    bool onCanvas = false; // the frame is on a canvas: drawn within it
};

} // namespace garabix
