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

    QLabel *Label1 = nullptr;
    QVector<QLabel *> Label2;
    QLabel *Label3 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    Brincaro *Brincaro1 = nullptr;
    QTimer Timer1;
    Random rng;

    // The 16 colours the name takes, as QRgb.
    static QRgb labelColour(int k);

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
};

} // namespace garabix
