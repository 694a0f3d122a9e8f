#pragma once
// CanvasPrinter: the print button. The drawing goes whole onto one page; a
// parent is told when it does not go. A school may space prints out: a
// press sooner than the interval after the last print does nothing.

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QStringList>

class QWidget;

namespace garabix {

class Platform;

class CanvasPrinter : public QObject {
public:
    CanvasPrinter(QWidget *window, Platform &platform, const QStringList &texts);
    // `intervalSeconds` between prints; 0 lets every press print.
    void print(const QImage &picture, int intervalSeconds);

private:
    QWidget *window;
    Platform &platform;
    const QStringList &texts;
    QElapsedTimer lastPrint;
};

} // namespace garabix
