// Colouring pages at 4K: a page drawn at the canvas's size, its lines found
// and put on a new drawing, on a 4K screen at the automatic scale (a
// 1920 x 1080 canvas) and on a 3840 x 2160 canvas; and a fill inside one of
// the page's shapes on the large canvas, through to the undo ring.

#include "core/canvas/drawing.h"
#include "core/canvas/pagelines.h"
#include "ui/document/colouringpages.h"

#include <benchmark/benchmark.h>

using namespace garabix;

namespace {

const QString castle = QStringLiteral(GARABIX_PROGRAM_DIR "/colorear/10-castillo.svg");

void BM_PageDrawn(benchmark::State &state) {
    const QSize canvas(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Drawing drawing(canvas);
    for (auto _ : state) {
        drawing.openPage(PageLines::fromArt(pages::pageArt(castle, canvas)));
        benchmark::DoNotOptimize(drawing.picture().constBits());
    }
    if (!drawing.pageOpen() || drawing.canvas().pageLines()->pixelCount() == 0)
        state.SkipWithError("the page has no lines");
}
BENCHMARK(BM_PageDrawn)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// The castle's wall, between its battlements and its gate: a white point
// just below the canvas's middle.
void BM_FillInsidePage(benchmark::State &state) {
    const QSize canvas(3840, 2160);
    Drawing drawing(canvas);
    drawing.openPage(PageLines::fromArt(pages::pageArt(castle, canvas)));
    const QPoint at(canvas.width() / 2, canvas.height() * 56 / 100);
    ColourWord colour = 0x0000FF;
    for (auto _ : state) {
        const long seed = drawing.canvas().readPixel(at.x(), at.y());
        drawing.canvas().floodFill(Layer::Keep, at.x(), at.y(), ColourWord(seed), colour);
        drawing.snapshot();
        colour = colour == 0x0000FF ? 0x00FF00 : 0x0000FF;
    }
    if (drawing.canvas().readPixel(at.x(), at.y()) == 0xFFFFFF)
        state.SkipWithError("the fill changed nothing");
}
BENCHMARK(BM_FillInsidePage)->Unit(benchmark::kMillisecond);

} // namespace
