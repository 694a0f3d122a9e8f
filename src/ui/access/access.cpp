#include "ui/access/access.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace garabix {

namespace {

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

// The area and the target of the control that has the window's keyboard focus.
std::optional<std::pair<int, int>> focusedTarget(const std::vector<AccessArea> &areas,
                                                 QWidget *window) {
    for (size_t a = 0; a < areas.size(); ++a)
        for (size_t i = 0; i < areas[a].targets.size(); ++i)
            if (areas[a].targets[i].widget == window->focusWidget())
                return std::pair{int(a), int(i)};
    return std::nullopt;
}

} // namespace

QPoint arrowDirection(int key) {
    return {int(key == Qt::Key_Right) - int(key == Qt::Key_Left),
            int(key == Qt::Key_Down) - int(key == Qt::Key_Up)};
}

bool isPressKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

AccessTarget buttonTarget(QAbstractButton *button) {
    return {button, {}, [button] { button->click(); }, {}};
}

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

void AccessFrame::frame(const QRect &onWindow, QWidget *control) {
    QWidget *window = parentWidget();
    while (control && control->parentWidget() != window)
        control = control->parentWidget();
    const QObjectList &stack = window->children(); // the last is on top
    const qsizetype at = control ? stack.indexOf(control) : -1;
    QWidget *over = nullptr; // the first control that lies over `control`
    for (qsizetype i = at + 1; at >= 0 && i < stack.size() && !over; ++i)
        if (auto *w = qobject_cast<QWidget *>(stack[i]); w && w != this && !w->isWindow())
            over = w;
    setGeometry(control ? onWindow.adjusted(2, 2, -2, -2) : onWindow.adjusted(-5, -5, 5, 5));
    if (over)
        stackUnder(over);
    else
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

namespace {
QPointer<Access> applicationAccess;
QPointer<Access> newestAccess;
} // namespace

Access::Options Access::optionsOf(const Settings &settings) {
    Options options;
    options.scanning = settings.switchScanning;
    options.scanMilliseconds = settings.scanSeconds * 1000;
    options.switchKey = settings.switchKey;
    return options;
}

Access *Access::startForApplication(Options options) {
    delete applicationAccess;
    applicationAccess = new Access(options, qApp);
    return applicationAccess;
}

Access *Access::application() {
    return applicationAccess ? applicationAccess : newestAccess;
}

void Access::frameControl(QWidget *window, QWidget *control) {
    if (opts.scanning || !control)
        return;
    const std::vector<AccessArea> areas = areasOf(window);
    for (size_t a = 0; a < areas.size(); ++a)
        for (size_t t = 0; t < areas[a].targets.size(); ++t)
            if (areas[a].targets[t].widget == control) {
                current = window;
                areaIndex = int(a);
                targetIndex = int(t);
                scanLevel = Level::Targets;
                show(window);
                return;
            }
}

Access::Access(Options options, QObject *parent) : QObject(parent), opts(options) {
    newestAccess = this;
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
        const auto from =
            std::find_if(a.targets.begin(), a.targets.end(),
                         [&](const AccessTarget &t) { return a.startAt && t.widget == a.startAt; });
        a.start = from == a.targets.end() ? 0 : int(from - a.targets.begin());
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
    if (opts.scanning && k->keyCombination() == opts.switchKey &&
        !dynamic_cast<OwnSwitchWindow *>(w->window())) {
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
    const QPoint direction = arrowDirection(k);
    const bool arrow = !direction.isNull();
    if (!tab && !arrow && !isPressKey(k))
        return false;
    scanLevel = Level::Targets;
    if (current != window || areaIndex < 0 || areaIndex >= int(areas.size())) {
        current = window;
        // A window that has given a control the keys starts from it; on
        // another, the first key only shows where the frame is.
        const auto focused = focusedTarget(areas, window);
        areaIndex = focused ? focused->first : -1;
        targetIndex = focused ? focused->second : 0;
        if (!focused) {
            areaIndex = tab && backwards ? int(areas.size()) - 1 : 0;
            targetIndex = areas[size_t(areaIndex)].start;
            if (tab || !areas[size_t(areaIndex)].keys) {
                show(window);
                return true;
            }
        }
    }
    if (tab) {
        moveArea(window, areas, backwards ? -1 : 1);
        return true;
    }
    const AccessArea &area = areas[size_t(areaIndex)];
    if (area.keys && area.keys(event)) {
        // The area's own keys may have moved the keyboard's focus, or
        // turned the page: the frame follows.
        if (const auto focused = focusedTarget(areasOf(window), window);
            focused && focused->first == areaIndex)
            targetIndex = focused->second;
        show(window);
        return true;
    }
    if (arrow) {
        moveWithin(area, direction.x(), direction.y());
    } else {
        const AccessTarget &target = targetIn(area);
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
    targetIndex = areas[size_t(areaIndex)].start;
    show(window);
}

// To the nearest target whose centre lies that way, rather straight on than aside.
void Access::moveWithin(const AccessArea &area, int dx, int dy) {
    const int n = int(area.targets.size());
    const QPointF from = targetIn(area).onWindow().center();
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

void Access::show(QWidget *window, bool moved) {
    const std::vector<AccessArea> areas = areasOf(window);
    if (areas.empty()) {
        if (shown)
            shown->hide();
        return;
    }
    areaIndex = std::clamp(areaIndex, 0, int(areas.size()) - 1);
    const AccessArea &area = areas[size_t(areaIndex)];
    const AccessTarget &target = targetIn(area);
    QWidget *canvas = area.targets.front().widget;
    onCanvas = area.isCanvas();
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

// The target framed within `area`, kept within its targets.
const AccessTarget &Access::targetIn(const AccessArea &area) {
    targetIndex = std::clamp(targetIndex, 0, int(area.targets.size()) - 1);
    return area.targets[size_t(targetIndex)];
}

// The frame is a child of the window it frames in.
void Access::frameOn(QWidget *window) {
    if (!shown || shown->parentWidget() != window) {
        delete shown;
        shown = new AccessFrame(window);
    }
    shown->frame(shownRect, onCanvas ? shownWidget.data() : nullptr);
}

} // namespace garabix
