// Drawing files, stamps and the gallery: save, show next, masked blit,
// stamp preview and opening the gallery.

#include "core/canvas/canvassurface.h"
#include "core/canvas/maskedblit.h"
#include "core/files/drawings.h"
#include "core/files/export.h"
#include "core/files/pictures.h"
#include "gifwriter.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/platform/platform.h"
#include "ui/platform/screenscale.h"
#include "ui/widgets/animationplayer.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMovie>
#include <QPainter>
#include <QTemporaryDir>

using namespace garabix;

namespace {

const QSize size4K(3840, 2160);

class SilentPlatform : public Platform {
public:
    void playSound(const QString &, bool) override {}
    void setClipboardImage(const QImage &) override {}
    void printImage(const QImage &, std::function<void(Printed)> done) override {
        done(Printed::Done);
    }
    bool openFolder(const QString &) override { return true; }
    bool askYesNo(QWidget *, const QString &, const QString &, const QString &) override {
        return false;
    }
    void quit() override {}
    Outcome moveToTrash(const QString &) override { return Outcome::failed(ENOENT); }
    void notify(QWidget *, const QString &, Notice) override {}
};

QImage picture4K() {
    QImage img(size4K, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    for (int i = 0; i < 40; ++i)
        p.fillRect(i * 90, i * 50, 400, 300, QColor::fromHsv(i * 9, 200, 230));
    return img;
}

// A drawings folder holding 500 numbered drawings (small files: only their
// names matter to the search for a free number).
void fillFolder(const QString &folder, int count) {
    QDir().mkpath(folder);
    for (int n = 0; n < count; ++n) {
        QFile f(QStringLiteral("%1/%2.bmp").arg(folder).arg(n));
        f.open(QIODevice::WriteOnly);
        f.write("BM");
    }
}

void BM_SaveDrawing4K(benchmark::State &st) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/misdibujos";
    fillFolder(folder, 500);
    drawings::DrawingFolder drawingsFolder;
    drawingsFolder.files.forcePath(folder);
    drawingsFolder.maxDrawings = 32767;
    const QImage image = picture4K();
    for (auto _ : st) {
        const QString written = drawings::saveDrawing(drawingsFolder, image, true).path;
        st.PauseTiming();
        QFile::remove(written);
        drawingsFolder.files.refresh();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_SaveDrawing4K)->Unit(benchmark::kMillisecond);

// Claiming a number and saving a small drawing into a folder of 1,000
// drawings on a Samba share mounted through FUSE (GARABIX_BENCH_SHARE, a
// folder on the mount; bench.sh starts a server when run as root).
void BM_ClaimNumberOnShare1000(benchmark::State &st) {
    const QString share = qEnvironmentVariable("GARABIX_BENCH_SHARE");
    if (share.isEmpty()) {
        st.SkipWithError("no share (GARABIX_BENCH_SHARE)");
        return;
    }
    const QString folder = share + "/bench-claim";
    if (!QFileInfo::exists(folder + "/999.bmp"))
        fillFolder(folder, 1000);
    drawings::DrawingFolder drawingsFolder;
    drawingsFolder.files.forcePath(folder);
    drawingsFolder.maxDrawings = 32767;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (auto _ : st) {
        const QString written = drawings::saveDrawing(drawingsFolder, image, true).path;
        st.PauseTiming();
        if (!written.endsWith("/1000.bmp"))
            st.SkipWithError(qPrintable("saved as " + written));
        QFile::remove(written);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ClaimNumberOnShare1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The drawing out as a PNG into the pictures folder (Ctrl+E).
void BM_ExportPng4K(benchmark::State &st) {
    QTemporaryDir dir;
    const QImage image = picture4K();
    for (auto _ : st) {
        const exporting::Exported out = exporting::exportPng(image, dir.path());
        st.PauseTiming();
        QFile::remove(out.path);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ExportPng4K)->Unit(benchmark::kMillisecond);

void BM_ShowNextDrawing4K(benchmark::State &st) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/misdibujos";
    fillFolder(folder, 500);
    // Two real 4K drawings to step between.
    drawings::writeBmp(picture4K(), folder + "/0.bmp");
    drawings::writeBmp(picture4K().mirrored(true, false), folder + "/1.bmp");
    drawings::DrawingFolder drawingsFolder;
    drawingsFolder.files.forcePath(folder);
    CanvasSurface canvas(size4K);
    for (auto _ : st) {
        QString &at = drawingsFolder.browsePosition;
        at = at.isEmpty() ? QStringLiteral("0.bmp") : QString(); // alternate 1.bmp and 0.bmp
        const QImage picture = loadPicture(drawings::stepNext(drawingsFolder));
        canvas.setBackgroundPicture(picture);
    }
}
BENCHMARK(BM_ShowNextDrawing4K)->Unit(benchmark::kMillisecond);

void BM_MaskedBlit200_4K(benchmark::State &st) {
    QImage canvas = picture4K();
    QImage stamp(200, 200, QImage::Format_RGB32);
    stamp.fill(Qt::white);
    QPainter(&stamp).fillRect(40, 40, 120, 120, Qt::red);
    for (auto _ : st) {
        MaskedBlit(canvas, stamp, 0, 0, 200, 200, 1800, 900, white);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_MaskedBlit200_4K)->Unit(benchmark::kMicrosecond);

// One preview step: repaint the old silhouette away, paint the new one.
void stampPreview(benchmark::State &st, QSize size) {
    CanvasSurface canvas(size);
    QImage stamp(120, 120, QImage::Format_RGB32);
    stamp.fill(Qt::white);
    QPainter(&stamp).fillRect(20, 20, 80, 80, Qt::black);
    int i = 0;
    for (auto _ : st) {
        canvas.repaint();
        canvas.paintPictureAnd(Layer::Preview, stamp, 200 + (i++ % 40), 200);
    }
}
void BM_StampPreview4K(benchmark::State &st) {
    stampPreview(st, size4K);
}
void BM_StampPreview800x600(benchmark::State &st) {
    stampPreview(st, QSize(800, 600));
}
BENCHMARK(BM_StampPreview4K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StampPreview800x600)->Unit(benchmark::kMicrosecond);

// An 8-frame 120 x 120 stamp of the given hue, as the gallery shows them.
void writeStamp(const QString &path, int hue) {
    QDir().mkpath(QFileInfo(path).path());
    QVector<QImage> frames;
    for (int k = 0; k < 8; ++k) {
        QImage img(120, 120, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter(&img).fillRect(20 + k, 20, 70, 70, QColor::fromHsv(hue % 360, 220, 220));
        frames.append(img);
    }
    gif::writeGif(path, frames);
}

// One frame of a stamp's animation at its biggest, twice as drawn, on a 4K
// screen at the automatic scale: the next frame decoded and the player
// painted at the screen's pixels. Smooth is well inside a frame's delay.
void BM_StampFrameBiggest4K(benchmark::State &st) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/stamp.gif";
    writeStamp(file, 30);
    const double scale = childScale(size4K);
    AnimationPlayer player;
    player.setScaledContents(true);
    player.resize(2 * 120, 2 * 120);
    player.setFile(file);
    QImage screen(player.size() * scale, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(scale);
    QMovie *movie = player.movie();
    if (!movie) {
        st.SkipWithError("no animation");
        return;
    }
    for (auto _ : st) {
        if (!movie->jumpToNextFrame())
            movie->jumpToFrame(0);
        player.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_StampFrameBiggest4K)->Unit(benchmark::kMicrosecond);

// Opening the gallery over the program folder `dir`, from a loaded main window.
void galleryOpen(benchmark::State &st, const QTemporaryDir &dir) {
    QDir().mkpath(dir.path() + "/configuracion");
    SilentPlatform platform;
    MainWindow form1(dir.path(), platform);
    form1.resize(1280, 800);
    form1.load();
    for (auto _ : st) {
        StampGallery gallery(dir.path(), form1);
        gallery.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(gallery.categoryCount());
    }
}

void BM_GalleryOpen20(benchmark::State &st) {
    QTemporaryDir dir;
    for (int i = 0; i < 20; ++i)
        writeStamp(QStringLiteral("%1/dibujos/animales/%2.gif")
                       .arg(dir.path())
                       .arg(i, 2, 10, QLatin1Char('0')),
                   i * 17);
    galleryOpen(st, dir);
}
BENCHMARK(BM_GalleryOpen20)->Unit(benchmark::kMillisecond);

// The most categories a program folder may hold, each shown with its first stamp.
void BM_GalleryOpen255Categories(benchmark::State &st) {
    QTemporaryDir dir;
    for (int c = 0; c < 255; ++c)
        writeStamp(
            QStringLiteral("%1/dibujos/c%2/a.gif").arg(dir.path()).arg(c, 3, 10, QLatin1Char('0')),
            c);
    galleryOpen(st, dir);
}
BENCHMARK(BM_GalleryOpen255Categories)->Unit(benchmark::kMillisecond);

} // namespace
