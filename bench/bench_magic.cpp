// Magic on a 4K screen at the automatic scale: each canvas pixel a block of
// 2 x 2 screen pixels, 1.35 canvas pixels to a pixel of the design, so the
// canvas is 1920 x 1080 and the largest pen's brush 67 canvas pixels wide
// each way. Through the pointer's own path (the surface, its dirty tiles,
// the screen's update): one step of the pointer (a 20-pixel segment) for
// each painted effect, and one click of each whole-picture effect until the
// picture is done and in the undo ring.

#include "core/canvas/pointer.h"
#include "core/canvas/tools.h"
#include "ui/mainwindow/toolbar.h"
#include "ui/platform/screenscale.h"

#include <benchmark/benchmark.h>
#include <cmath>

using namespace garabix;

namespace {

struct Canvas4K {
    Canvas4K() {
        const QSize screen(3840, 2160);
        const double scale = childScale(screen);
        const int block = static_cast<int>(std::floor(scale + 1e-6));
        unit = scale / block;
        drawing.reset(screen / block);
        // Something under the effects, for blur, smudge and mosaic to work on.
        drawing.canvas().changeInPlace([](QImage &image) {
            for (int y = 0; y < image.height(); y += 7)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgb(x % 256, y % 256, 128));
            return image.rect();
        });
        drawing.snapshot();
        drawing.canvas().onUpdate = [this](const QRect &r) { shown |= r; };
        state.currentTool = Tool::Magic;
        state.lineWidth = canvasPixels(penSizes[9].width, unit);
        state.sprayRadius = static_cast<int16_t>(canvasPixels(penSizes[9].radius, unit));
        state.colorBlue = 200;
    }
    PointerContext ctx() { return {state, drawing, rng, text, unit, &brush}; }

    DrawingState state;
    Drawing drawing;
    Random rng;
    TextTool text;
    MagicBrush brush;
    double unit = 1;
    QRect shown;
};

void paintedStep(benchmark::State &st) {
    Canvas4K c;
    c.state.magic = Magic(st.range(0));
    pointerPress(c.ctx(), true, 100, 500);
    int i = 0;
    for (auto _ : st) {
        // Back and forth across the middle, 20 pixels a step.
        const int x = 100 + (i % 80) * 20;
        pointerMove(c.ctx(), true, x, 500 + (i / 80 % 2) * 40);
        ++i;
    }
    pointerRelease(c.ctx(), true, 100, 500);
    st.counters["radius"] = magicRadius(c.state);
    benchmark::DoNotOptimize(c.shown);
}

void wholePicture(benchmark::State &st) {
    Canvas4K c;
    c.state.magic = Magic(st.range(0));
    for (auto _ : st) {
        pointerPress(c.ctx(), true, 500, 500);
        pointerRelease(c.ctx(), true, 500, 500);
    }
    benchmark::DoNotOptimize(c.shown);
}

void paintedEffects(benchmark::internal::Benchmark *b) {
    for (int i = 0; i < magicCount; ++i)
        if (!isWholePicture(Magic(i)))
            b->Arg(i);
}
void wholeEffects(benchmark::internal::Benchmark *b) {
    for (int i = 0; i < magicCount; ++i)
        if (isWholePicture(Magic(i)))
            b->Arg(i);
}

} // namespace

BENCHMARK(paintedStep)
    ->Apply(paintedEffects)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(wholePicture)
    ->Apply(wholeEffects)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
