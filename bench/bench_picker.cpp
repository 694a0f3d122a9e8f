// Opening "Mis dibujos" over 500 saved drawings of 1301 x 749 (a canvas at
// 3840 x 2160): the time until the first page's pictures are all there,
// with the thumbnails already in the cache and with none, and how much the
// program's memory grows with the picker open.

#include "core/files/drawings.h"
#include "ui/picker/drawingchooser.h"
#include "ui/picker/drawingpicker.h"
#include "ui/picker/thumbnails.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

using namespace garabix;

namespace {

struct NoChooser : DrawingChooser {
    void drawingChosen(const QString &) override {}
    QString drawingOnShow() const override { return {}; }
    void copyDrawingToPictures(const QString &, QWidget *) override {}
    QString text(config::Text which) const override { return config::builtInText(which); }
};

// The drawings folder, made once: 500 drawings, each a little different.
const QString &drawingsFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        // The thumbnails go to a cache of the benchmark's own.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.path() + "/cache"));
        QDir().mkpath(dir.path() + "/misdibujos");
        QImage drawing(1301, 749, QImage::Format_RGB32);
        for (int n = 0; n < 500; ++n) {
            drawing.fill(Qt::white);
            QPainter(&drawing).fillRect(n % 1200, 100, 100, 500,
                                        QColor::fromHsv(n % 360, 200, 200));
            drawings::writeBmp(drawing,
                               QStringLiteral("%1/misdibujos/%2.bmp").arg(dir.path()).arg(n));
        }
        return true;
    }();
    static const QString folder = dir.path() + "/misdibujos";
    (void)made;
    return folder;
}

// Resident memory of this process in kB.
long residentKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

void firstPage(benchmark::State &st, bool warm) {
    const QString folder = drawingsFolder();
    NoChooser chooser;
    long grewKb = 0;
    for (auto _ : st) {
        if (!warm) {
            st.PauseTiming();
            QDir(thumbnails::cacheFolder()).removeRecursively();
            st.ResumeTiming();
        }
        const long before = residentKb();
        DrawingPicker picker(chooser);
        QEventLoop loop;
        QObject::connect(&picker, &DrawingPicker::pageShown, &loop, &QEventLoop::quit);
        picker.open(folder);
        picker.show();
        if (!picker.pageReady())
            loop.exec();
        grewKb = std::max(grewKb, residentKb() - before);
        benchmark::DoNotOptimize(picker.pageDrawings().size());
    }
    st.counters["memory_growth_MB"] = grewKb / 1024.0;
}

void BM_PickerFirstPageWarm500(benchmark::State &st) {
    {
        // The cache is filled by an opening before the timing.
        NoChooser chooser;
        DrawingPicker picker(chooser);
        QEventLoop loop;
        QObject::connect(&picker, &DrawingPicker::pageShown, &loop, &QEventLoop::quit);
        picker.open(drawingsFolder());
        if (!picker.pageReady())
            loop.exec();
    }
    firstPage(st, true);
}
BENCHMARK(BM_PickerFirstPageWarm500)->Unit(benchmark::kMillisecond);

void BM_PickerFirstPageCold500(benchmark::State &st) {
    firstPage(st, false);
}
BENCHMARK(BM_PickerFirstPageCold500)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
