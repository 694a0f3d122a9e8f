#pragma once
// CanvasPrinter: the print button. The drawing goes whole onto one page; a
// parent is told when it does not go. A school may space prints out: a
// press sooner than the interval after the last print does nothing.

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

namespace garabix {

class Platform;

class CanvasPrinter : public QObject {
public:
    CanvasPrinter(QWidget *window, Platform &platform, const QStringList &texts);
    // `intervalSeconds` between prints; 0 lets every press print. The
    // picture is made only for a print that goes out: a refused press
    // leaves the canvas as it is.
    void print(const std::function<QImage()> &picture, int intervalSeconds);
    // The clock the interval is measured by, in milliseconds; a steady one
    // from the printer's making unless a test gives its own.
    void setClock(std::function<qint64()> milliseconds) { clock = std::move(milliseconds); }

private:
    QWidget *window;
    Platform &platform;
    const QStringList &texts;
    QElapsedTimer made;
    std::function<qint64()> clock;
    qint64 lastPrint = -1; // by the clock; -1: none yet
};

} // namespace garabix
