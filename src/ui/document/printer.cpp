#include "ui/document/printer.h"

#include "core/base/log.h"
#include "core/files/config.h"
#include "ui/platform/platform.h"

#include <QPointer>
#include <QWidget>

namespace garabix {

CanvasPrinter::CanvasPrinter(QWidget *w, Platform &p, const QStringList &t)
    : QObject(w), window(w), platform(p), texts(t) {
    made.start();
    clock = [this] { return made.elapsed(); };
}

void CanvasPrinter::print(const std::function<QImage()> &picture, int intervalSeconds) {
    const qint64 interval = intervalSeconds * qint64(1000);
    const qint64 now = clock();
    if (interval > 0 && lastPrint >= 0 && now - lastPrint < interval) {
        qCInfo(logPrint) << "print refused: the last was" << (now - lastPrint) / 1000
                         << "s ago, the settings ask for" << intervalSeconds;
        return;
    }
    lastPrint = now;
    const QPointer<CanvasPrinter> alive(this);
    platform.printImage(picture(), [this, alive](Platform::Printed how) {
        if (!alive || how == Platform::Printed::Done)
            return;
        const config::Text note = how == Platform::Printed::NoPrinter ? config::Text::NoPrinter
                                                                      : config::Text::PrintFailed;
        platform.notify(window, config::text(texts, note), Platform::Notice::Problem);
    });
}

} // namespace garabix
