#pragma once
// Keeps a locked-down window (no quitting, full screen) on the screen: when
// the window manager minimises or hides it, it comes back, full screen, on
// the event loop's next turn. The window says whether it is locked down
// whenever its settings change; the keeper never asks it, so it is safe
// while the window is being destroyed.

#include <QObject>

class QWidget;

namespace garabix {

class WindowKeeper : public QObject {
public:
    explicit WindowKeeper(QWidget *window);
    void setLockedDown(bool on) { lockedDown = on; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void comeBack();

    QWidget *window;
    bool lockedDown = false;
};

} // namespace garabix
