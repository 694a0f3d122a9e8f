#pragma once
// WelcomeWindow, the welcome window: the program's name in changing colours, a
// walking painter, the credits or the licence notice, and the enter button.

#include "core/canvas/random.h"

#include <QTimer>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace garabix {

class AnimationPlayer;
class Platform;

class WelcomeWindow : public QWidget {
    Q_OBJECT
public:
    WelcomeWindow(QString appPath, Platform &platform, QWidget *parent = nullptr);

    void load();
    void toggleLicence();
    void enter();
    void changeTitleColour();

    // Shows the main window; set by main().
    std::function<void()> showMainWindow;

    static const QString licenceCaption; // "Tipo de licencia Freeware"

    // The 16 colours the name takes, as QRgb.
    static QRgb labelColour(int k);

    // Whether the name is changing colour (titleColourTimer runs).
    bool isAnimating() const { return titleColourTimer.isActive(); }

protected:
    void showEvent(QShowEvent *event) override;
    // Return and Enter press the enter button, the window's default.
    void keyPressEvent(QKeyEvent *event) override;
    // Closed once the main window has loaded: the colour timer and the walker
    // stop with it.
    void closeEvent(QCloseEvent *event) override;

private:
    QString appPath;
    Platform &platform;
    bool loaded = false;

    // The controls, found by these names (findChild) from outside.
    QLabel *title = nullptr;                 // "Garabix", in changing colours
    QVector<QLabel *> credits;               // the credits
    QLabel *licence = nullptr;               // the licence notice
    QPushButton *licenceButton = nullptr;    // shows the licence or the credits
    QPushButton *enterButton = nullptr;      // enters the program
    AnimationPlayer *walkerPlayer = nullptr; // the walking painter
    QTimer titleColourTimer;                 // changes the name's colour
    Random rng;                              // picks the colours
};

} // namespace garabix
