#pragma once
// Keeps a locked-down window (no quitting, full screen) on the screen: when
// the window manager minimises or hides it, it comes back, full screen, on
// the event loop's next turn. Whether the window is locked down is asked at
// each event, so that settings taken later count.

#include <QObject>
#include <functional>

class QWidget;

namespace garabix {

class WindowKeeper : public QObject {
public:
    WindowKeeper(QWidget *window, std::function<bool()> lockedDown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void comeBack();

    QWidget *window;
    std::function<bool()> lockedDown;
};

} // namespace garabix
