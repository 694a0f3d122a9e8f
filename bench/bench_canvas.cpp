// Start-up spine figures: grid build, repaint after a preview, flood fill.

#include "core/canvas/canvassurface.h"
#include "core/canvas/floodfill.h"
#include "core/grid/grid.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <cstring>
#include <deque>

using namespace garabix;

namespace {

const QSize size4K(3840, 2160);
const QSize size800(800, 600);

void BM_GridBuild4K(benchmark::State &state) {
    for (auto _ : state) {
        GridOverlay g;
        buildGridLines(g, 10, 3840, 2160, 57600, 32400);
        buildGridDots(g, 10, 3840, 2160);
        benchmark::DoNotOptimize(g.gridDotCount);
    }
}
BENCHMARK(BM_GridBuild4K)->Unit(benchmark::kMillisecond);

// A 300 x 300 preview drawn on the transient layer, then erased by a repaint.
void repaintAfterPreview(benchmark::State &state, QSize size) {
    CanvasSurface c(size);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double x = 100 + (i++ % 50);
        c.box(Layer::Preview, QPointF(x, 100), QPointF(x + 300, 400), {0xFF}, std::nullopt);
        state.ResumeTiming();
        c.repaint();
    }
}
void BM_Repaint300_4K(benchmark::State &state) {
    repaintAfterPreview(state, size4K);
}
void BM_Repaint300_800x600(benchmark::State &state) {
    repaintAfterPreview(state, size800);
}
BENCHMARK(BM_Repaint300_4K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Repaint300_800x600)->Unit(benchmark::kMicrosecond);

// The baseline: a per-pixel breadth-first fill through QImage::pixel/setPixel.
void naiveFill(QImage &img, int x, int y, QRgb fill) {
    const QRgb seed = img.pixel(x, y);
    if (seed == fill)
        return;
    std::deque<QPoint> queue{{x, y}};
    img.setPixel(x, y, fill);
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        const QPoint next[4] = {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1),
                                p - QPoint(0, 1)};
        for (const QPoint &n : next)
            if (img.rect().contains(n) && img.pixel(n) == seed) {
                img.setPixel(n, fill);
                queue.push_back(n);
            }
    }
}

QImage zigzag() {
    // One-pixel corridors: black walls every other column, joined alternately
    // at the top and the bottom, so the fill snakes over the whole canvas.
    QImage img = blankImage(size4K, 0xFFFFFFFF);
    for (int x = 1; x < img.width(); x += 2) {
        const int gap = (x / 2) % 2 == 0 ? img.height() - 1 : 0;
        for (int y = 0; y < img.height(); ++y)
            if (y != gap)
                img.setPixel(x, y, 0xFF000000);
    }
    return img;
}

// Checks a benchmark fill's result against the naive fill once.
bool sameAsNaive(const QImage &start, int x, int y) {
    QImage fast = start.copy();
    QImage slow = start.copy();
    floodFill(fast, x, y, fast.pixel(x, y), 0xFFFF0000);
    naiveFill(slow, x, y, 0xFFFF0000);
    return fast == slow;
}

void BM_FloodFillUniform4K(benchmark::State &state) {
    CanvasSurface c(size4K);
    const ColourWord colours[2] = {0x0000FF, 0xFFFFFF};
    int i = 0;
    QImage start(size4K, QImage::Format_RGB32);
    start.fill(Qt::white);
    if (!sameAsNaive(start, 5, 5))
        state.SkipWithError("fill differs from the naive fill");
    for (auto _ : state) {
        c.floodFill(Layer::Keep, 10, 10, colours[(i + 1) % 2], colours[i % 2]);
        ++i;
    }
}
BENCHMARK(BM_FloodFillUniform4K)->Unit(benchmark::kMillisecond);

void BM_ImageFill4K(benchmark::State &state) {
    QImage img(size4K, QImage::Format_RGB32);
    int i = 0;
    for (auto _ : state)
        img.fill(i++ % 2 ? 0xFFFF0000 : 0xFFFFFFFF);
}
BENCHMARK(BM_ImageFill4K)->Unit(benchmark::kMillisecond);

void BM_FloodFillNaive4K(benchmark::State &state) {
    QImage img(size4K, QImage::Format_RGB32);
    img.fill(Qt::white);
    int i = 0;
    for (auto _ : state)
        naiveFill(img, 10, 10, i++ % 2 ? 0xFFFFFFFF : 0xFFFF0000);
}
BENCHMARK(BM_FloodFillNaive4K)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FloodFillZigzag4K(benchmark::State &state) {
    const QImage start = zigzag();
    if (!sameAsNaive(start, 0, 0))
        state.SkipWithError("fill differs from the naive fill");
    QImage img = blankImage(size4K, 0xFFFFFFFF);
    img.fill(0); // touched here, so the copy below does not fault page by page
    std::memcpy(img.bits(), start.constBits(), static_cast<size_t>(start.sizeInBytes()));
    int i = 0;
    for (auto _ : state) {
        const QRgb from = i % 2 ? 0xFFFF0000 : 0xFFFFFFFF;
        const QRgb to = i % 2 ? 0xFFFFFFFF : 0xFFFF0000;
        floodFill(img, 0, 0, from, to);
        ++i;
    }
}
BENCHMARK(BM_FloodFillZigzag4K)->Unit(benchmark::kMillisecond);

} // namespace
