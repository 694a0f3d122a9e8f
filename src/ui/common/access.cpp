#include "ui/common/access.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace garabix {

namespace {

// The canvas is scanned as 4 x 3 cells, and a cell as 4 x 4 points.
constexpr int cellColumns = 4;
constexpr int cellRows = 3;
constexpr int pointsAcross = 4;
constexpr int pointSide = 24; // the frame round a point being scanned

// A text box (the text tool's, an editable list's) keeps the keys it types.
bool typesText(const QWidget *w) {
    return qobject_cast<const QLineEdit *>(w) != nullptr;
}

QRect unite(const AccessArea &area) {
    QRect all;
    for (const AccessTarget &t : area.targets)
        all = all.united(t.onWindow());
    return all;
}

// The buttons of a window that lists no areas, in the focus chain's order.
QList<QAbstractButton *> focusableButtons(QWidget *window) {
    QList<QAbstractButton *> buttons;
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        auto *b = qobject_cast<QAbstractButton *>(w);
        if (b && b->window() == window && b->isVisible() && b->isEnabled() &&
            (b->focusPolicy() & Qt::TabFocus) && !buttons.contains(b))
            buttons.append(b);
    }
    return buttons;
}

} // namespace

QRect AccessTarget::onWindow() const {
    if (!widget)
        return {};
    const QRect r = rect.isEmpty() ? widget->rect() : rect;
    return QRect(widget->mapTo(widget->window(), r.topLeft()), r.size());
}

AccessFrame::AccessFrame(QWidget *window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void AccessFrame::frame(const QRect &onWindow) {
    setGeometry(onWindow.adjusted(-5, -5, 5, 5));
    raise();
    show();
    update();
}

void AccessFrame::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    p.setPen(QPen(QColor(255, 212, 0), 4));
    p.drawRect(QRectF(rect()).adjusted(4, 4, -4, -4));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(rect()).adjusted(6.5, 6.5, -6.5, -6.5));
}

Access::Access(Options options, QObject *parent) : QObject(parent), opts(options) {
    scanTimer.setInterval(std::clamp(opts.scanMilliseconds, 100, 60000));
    connect(&scanTimer, &QTimer::timeout, this, [this] { step(); });
    qApp->installEventFilter(this);
    if (opts.scanning)
        scanTimer.start();
}

Access::~Access() {
    delete shown;
}

std::vector<AccessArea> Access::areasOf(QWidget *window) const {
    std::vector<AccessArea> areas;
    auto *listed = dynamic_cast<AccessibleWindow *>(window);
    if (!listed)
        return areas;
    for (AccessArea &a : listed->accessAreas()) {
        const auto hidden = [](const AccessTarget &t) {
            return !t.widget || !t.widget->isVisible();
        };
        a.targets.erase(std::remove_if(a.targets.begin(), a.targets.end(), hidden),
                        a.targets.end());
        if (!a.targets.empty())
            areas.push_back(std::move(a));
    }
    return areas;
}

bool Access::eventFilter(QObject *watched, QEvent *event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || QApplication::activePopupWidget())
        return false;
    auto *k = static_cast<QKeyEvent *>(event);
    if (opts.scanning && k->keyCombination() == opts.switchKey) {
        if (press && !k->isAutoRepeat())
            choose();
        return true;
    }
    return press && key(w, k);
}

bool Access::key(QWidget *receiver, QKeyEvent *event) {
    QWidget *window = receiver->window();
    if (!dynamic_cast<AccessibleWindow *>(window))
        return false; // the window's own keys
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!tab && (typesText(receiver) || typesText(QApplication::focusWidget())))
        return false; // typing
    return listedKey(window, event);
}

bool Access::listedKey(QWidget *window, QKeyEvent *event) {
    const std::vector<AccessArea> areas = areasOf(window);
    if (areas.empty())
        return false;
    const int k = event->key();
    const bool backwards = k == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    const bool tab = k == Qt::Key_Tab || k == Qt::Key_Backtab;
    const int dx = int(k == Qt::Key_Right) - int(k == Qt::Key_Left);
    const int dy = int(k == Qt::Key_Down) - int(k == Qt::Key_Up);
    const bool arrow = dx != 0 || dy != 0;
    const bool pressKey = k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter;
    if (!tab && !arrow && !pressKey)
        return false;
    scanLevel = Level::Targets;
    if (current != window || areaIndex < 0 || areaIndex >= int(areas.size())) {
        // The first key shows where the frame is.
        current = window;
        areaIndex = tab && backwards ? int(areas.size()) - 1 : 0;
        targetIndex = 0;
        show(window);
        return true;
    }
    if (tab) {
        moveArea(window, areas, backwards ? -1 : 1);
        return true;
    }
    const AccessArea &area = areas[size_t(areaIndex)];
    if (area.keys && area.keys(event)) {
        show(window);
        return true;
    }
    if (arrow) {
        moveWithin(area, dx, dy);
    } else {
        const AccessTarget target =
            area.targets[size_t(std::min(targetIndex, int(area.targets.size()) - 1))];
        if (target.press)
            target.press();
    }
    if (current)
        show(current, arrow);
    return true;
}

void Access::moveArea(QWidget *window, const std::vector<AccessArea> &areas, int by) {
    const int n = int(areas.size());
    areaIndex = ((areaIndex + by) % n + n) % n;
    targetIndex = 0;
    show(window);
}

// To the nearest target whose centre lies that way, rather straight on than aside.
void Access::moveWithin(const AccessArea &area, int dx, int dy) {
    const int n = int(area.targets.size());
    targetIndex = std::clamp(targetIndex, 0, n - 1);
    const QPointF from = area.targets[size_t(targetIndex)].onWindow().center();
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < n; ++i) {
        const QPointF v = area.targets[size_t(i)].onWindow().center() - from;
        const double along = v.x() * dx + v.y() * dy;
        const double aside = std::abs(dx != 0 ? v.y() : v.x());
        if (along <= 0.5)
            continue;
        const double score = along + 2 * aside;
        if (score < best) {
            best = score;
            targetIndex = i;
        }
    }
}

QRect Access::cell(const AccessArea &canvas, int index) const {
    const QRect all = canvas.targets.front().widget->rect();
    const int c = index % cellColumns, r = index / cellColumns;
    const int x0 = all.width() * c / cellColumns, x1 = all.width() * (c + 1) / cellColumns;
    const int y0 = all.height() * r / cellRows, y1 = all.height() * (r + 1) / cellRows;
    return {x0, y0, x1 - x0, y1 - y0};
}

QPoint Access::point(const AccessArea &canvas) const {
    const QRect c = cell(canvas, cellIndex);
    const int i = pointIndex % pointsAcross, j = pointIndex / pointsAcross;
    return {c.left() + c.width() * (2 * i + 1) / (2 * pointsAcross),
            c.top() + c.height() * (2 * j + 1) / (2 * pointsAcross)};
}

void Access::show(QWidget *window, bool moved) {
    const std::vector<AccessArea> areas = areasOf(window);
    if (areas.empty()) {
        if (shown)
            shown->hide();
        return;
    }
    areaIndex = std::clamp(areaIndex, 0, int(areas.size()) - 1);
    const AccessArea &area = areas[size_t(areaIndex)];
    targetIndex = std::clamp(targetIndex, 0, int(area.targets.size()) - 1);
    const AccessTarget &target = area.targets[size_t(targetIndex)];
    QWidget *canvas = area.targets.front().widget;
    switch (scanLevel) {
    case Level::Areas:
        shownRect = unite(area);
        shownWidget = area.targets.front().widget;
        break;
    case Level::Targets:
        shownRect = target.onWindow();
        shownWidget = target.widget;
        if (!target.name.isEmpty() && target.widget->accessibleName() != target.name) {
            // A swatch of a picture is told by the picture's name.
            target.widget->setAccessibleName(target.name);
            QAccessibleEvent told(target.widget, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&told);
        }
        break;
    case Level::Cells: {
        const QRect c = cell(area, cellIndex);
        shownRect = QRect(canvas->mapTo(window, c.topLeft()), c.size());
        shownWidget = canvas;
        break;
    }
    case Level::Points: {
        const QPoint p = canvas->mapTo(window, point(area));
        shownRect = QRect(p.x() - pointSide / 2, p.y() - pointSide / 2, pointSide, pointSide);
        shownWidget = canvas;
        break;
    }
    }
    frameOn(window);
    // A control that takes the keyboard (a text box, the gallery's buttons)
    // has it while framed, and a text box keeps it until the frame moves
    // on: a press that gave it the keys (the text tool) leaves them there.
    if (!moved)
        return;
    if (scanLevel == Level::Targets && target.widget->isEnabled() &&
        (target.widget->focusPolicy() & Qt::TabFocus) && !target.widget->hasFocus())
        target.widget->setFocus(Qt::TabFocusReason);
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus->window() == window && typesText(focus) && focus != shownWidget)
        window->setFocus();
}

QWidget *Access::scannedWindow() const {
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return current ? current.data() : qobject_cast<QWidget *>(parent());
}

// The highlight's step, every scanMilliseconds.
void Access::step() {
    QWidget *window = scannedWindow();
    if (!window)
        return;
    if (window != current) {
        current = window;
        scanLevel = Level::Areas;
        areaIndex = -1;
    }
    const std::vector<AccessArea> areas = areasOf(window);
    if (areas.empty()) {
        stepFocus(window);
        return;
    }
    const int n = int(areas.size());
    const AccessArea &area = areas[size_t(std::clamp(areaIndex, 0, n - 1))];
    switch (scanLevel) {
    case Level::Areas:
        areaIndex = (areaIndex + 1) % n;
        break;
    case Level::Targets:
        // One round of the area's controls with no choice goes back to the areas.
        if (++targetIndex >= int(area.targets.size()))
            scanLevel = Level::Areas;
        break;
    case Level::Cells:
        if (++cellIndex >= cellColumns * cellRows) {
            cellIndex = 0;
            if (!(area.drawing && area.drawing()))
                scanLevel = Level::Areas;
        }
        break;
    case Level::Points:
        if (++pointIndex >= pointsAcross * pointsAcross)
            scanLevel = Level::Cells;
        break;
    }
    show(window);
}

void Access::stepFocus(QWidget *window) {
    const QList<QAbstractButton *> buttons = focusableButtons(window);
    if (buttons.isEmpty())
        return;
    const int at = int(buttons.indexOf(qobject_cast<QAbstractButton *>(window->focusWidget())));
    QAbstractButton *next = buttons[(at + 1) % buttons.size()];
    next->setFocus(Qt::TabFocusReason);
    shownRect = QRect(next->mapTo(window, QPoint()), next->size());
    shownWidget = next;
    frameOn(window);
}

// The frame is a child of the window it frames in.
void Access::frameOn(QWidget *window) {
    if (!shown || shown->parentWidget() != window) {
        delete shown;
        shown = new AccessFrame(window);
    }
    shown->frame(shownRect);
}

// The switch: into the area framed, or presses the control framed, or
// clicks the canvas's point.
void Access::choose() {
    scanTimer.start(); // a whole step on what comes next
    QWidget *window = scannedWindow();
    if (!window)
        return;
    if (window != current) {
        step();
        return;
    }
    const std::vector<AccessArea> areas = areasOf(window);
    if (areas.empty()) {
        if (auto *b = qobject_cast<QAbstractButton *>(window->focusWidget()))
            b->click();
        else if (focusableButtons(window).isEmpty() && window != parent())
            window->close(); // a window with nothing to press never traps the child
        return;
    }
    if (areaIndex < 0 || areaIndex >= int(areas.size()))
        return;
    const AccessArea &area = areas[size_t(areaIndex)];
    switch (scanLevel) {
    case Level::Areas:
        scanLevel = area.isCanvas() ? Level::Cells : Level::Targets;
        targetIndex = 0;
        cellIndex = 0;
        break;
    case Level::Targets: {
        const AccessTarget target =
            area.targets[size_t(std::clamp(targetIndex, 0, int(area.targets.size()) - 1))];
        scanLevel = Level::Areas;
        if (target.press)
            target.press();
        if (current)
            show(current, false);
        return;
    }
    case Level::Cells:
        scanLevel = Level::Points;
        pointIndex = 0;
        break;
    case Level::Points: {
        const bool canvas = area.isCanvas();
        if (canvas)
            area.clickAt(point(area));
        // A stroke the first point started waits for its second.
        scanLevel = canvas && area.drawing && area.drawing() ? Level::Cells : Level::Areas;
        break;
    }
    }
    if (current)
        show(current);
}

} // namespace garabix
