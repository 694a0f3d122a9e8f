#include "ui/document/printer.h"

#include "core/files/config.h"
#include "core/text/log.h"
#include "ui/common/platform.h"

#include <QPointer>
#include <QWidget>

namespace garabix {

CanvasPrinter::CanvasPrinter(QWidget *w, Platform &p, const QStringList &t)
    : QObject(w), window(w), platform(p), texts(t) {}

void CanvasPrinter::print(const QImage &picture, int intervalSeconds) {
    const qint64 interval = intervalSeconds * qint64(1000);
    if (interval > 0 && lastPrint.isValid() && lastPrint.elapsed() < interval) {
        qCInfo(logPrint) << "print refused: the last was" << lastPrint.elapsed() / 1000
                         << "s ago, the settings ask for" << intervalSeconds;
        return;
    }
    lastPrint.start();
    const QPointer<CanvasPrinter> alive(this);
    platform.printImage(picture, [this, alive](Platform::Printed how) {
        if (!alive || how == Platform::Printed::Done)
            return;
        const config::Text note = how == Platform::Printed::NoPrinter ? config::Text::NoPrinter
                                                                      : config::Text::PrintFailed;
        platform.notify(window, config::text(texts, note), Platform::Notice::Problem);
    });
}

} // namespace garabix
