// The switch's side of Access: the highlight that steps by itself, and the
// one key that chooses.

#include "ui/access/access.h"

#include "ui/widgets/widgetnames.h"

#include <QAbstractButton>
#include <QApplication>

namespace garabix {

namespace {

// The canvas is scanned as 4 x 3 cells, and a cell as 4 x 4 points.
constexpr int cellColumns = 4;
constexpr int cellRows = 3;
constexpr int pointsAcross = 4;

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
            if (!(area.strokeUnderWay && area.strokeUnderWay()))
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
    onCanvas = false;
    frameOn(window);
}

// The switch: into the area framed, or presses the control framed, or
// clicks the canvas's point.
void Access::choose() {
    scanTimer.start(); // a whole step on what comes next
    QWidget *window = scannedWindow();
    if (!window)
        return;
    bool noteGone = false;
    for (QWidget *note : window->findChildren<QWidget *>(QString::fromLatin1(widgetname::notice)))
        if (note->isVisible()) {
            note->hide();
            note->deleteLater();
            noteGone = true;
        }
    if (noteGone)
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
        const AccessTarget &target = targetIn(area);
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
        scanLevel =
            canvas && area.strokeUnderWay && area.strokeUnderWay() ? Level::Cells : Level::Areas;
        break;
    }
    }
    if (current)
        show(current);
}

} // namespace garabix
