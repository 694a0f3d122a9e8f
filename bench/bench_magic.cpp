// Magic at 4K: one step of the pointer (a 20-pixel segment) for each painted
// effect with the widest brush, and each whole-picture effect on its own.

#include "core/canvas/canvassurface.h"
#include "core/canvas/magic.h"

#include <benchmark/benchmark.h>

using namespace garabix;

namespace {

const QSize size4K(3840, 2160);
constexpr int widestRadius = 48; // the largest pen's brush

// A picture with something in it, so that blur, smudge and mosaic have work.
QImage busy4K() {
    QImage image = blankImage(size4K, qRgb(255, 255, 255));
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 128));
    return image;
}

void paintedStep(benchmark::State &st) {
    const Magic effect = Magic(st.range(0));
    QImage image = busy4K();
    MagicStroke stroke(effect, widestRadius, 0x2050D0, 1);
    stroke.paintTo(image, QPointF(200, 1000));
    int i = 0;
    QRect changed;
    for (auto _ : st) {
        // Back and forth across the middle, 20 pixels a step.
        const int x = 200 + (i % 160) * 20;
        changed |= stroke.paintTo(image, QPointF(x, 1000 + (i / 160 % 2) * 40));
        ++i;
    }
    benchmark::DoNotOptimize(changed);
}

void wholePicture(benchmark::State &st) {
    const Magic effect = Magic(st.range(0));
    QImage image = busy4K();
    for (auto _ : st)
        applyToPicture(image, effect);
    benchmark::DoNotOptimize(image.constBits());
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

BENCHMARK(paintedStep)->Apply(paintedEffects)->Unit(benchmark::kMicrosecond);
BENCHMARK(wholePicture)->Apply(wholeEffects)->Unit(benchmark::kMillisecond);
