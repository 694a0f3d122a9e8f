#include "ui/widgets/windowkeeper.h"

#include "core/base/log.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace garabix {

WindowKeeper::WindowKeeper(QWidget *w) : QObject(w), window(w) {
    window->installEventFilter(this);
}

bool WindowKeeper::eventFilter(QObject *watched, QEvent *event) {
    if (watched != window || !lockedDown)
        return false;
    if (event->type() == QEvent::WindowStateChange &&
        (window->windowState() & Qt::WindowMinimized)) {
        qCInfo(logStartup) << "the locked-down window was minimised; it comes back";
        QTimer::singleShot(0, this, [this] { comeBack(); });
    } else if (event->type() == QEvent::Hide && event->spontaneous()) {
        qCInfo(logStartup) << "the locked-down window was hidden; it comes back";
        QTimer::singleShot(0, this, [this] { comeBack(); });
    }
    return false;
}

void WindowKeeper::comeBack() {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    window->showFullScreen();
    window->raise();
    window->activateWindow();
}

} // namespace garabix
