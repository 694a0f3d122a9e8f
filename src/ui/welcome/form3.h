#pragma once
// Form3, the welcome window: the program's name in changing colours, a
// walking painter, the credits or the licence notice, and the enter button.

#include "core/canvas/random.h"

#include <QTimer>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace garabix {

class Brincaro;
class Platform;

class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3(QString appPath, Platform &platform, QWidget *parent = nullptr);

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

    // Shows the main window; set by main().
    std::function<void()> showMainWindow;

    static const QString licenceCaption; // "Tipo de licencia Freeware"

    // The 16 colours the name takes, as QRgb.
    static QRgb labelColour(int k);

    // Whether the name is changing colour (Timer1 runs).
    bool isAnimating() const { return Timer1.isActive(); }

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
    QLabel *Label1 = nullptr;        // "Garabix", in changing colours
    QVector<QLabel *> Label2;        // the credits
    QLabel *Label3 = nullptr;        // the licence notice
    QPushButton *Command1 = nullptr; // shows the licence or the credits
    QPushButton *Command2 = nullptr; // enters the program
    Brincaro *Brincaro1 = nullptr;   // the walking painter
    QTimer Timer1;                   // changes the name's colour
    Random rng;                      // picks the colours
};

} // namespace garabix
