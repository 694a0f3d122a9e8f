// Drawing figures: pencil, sprays, shape previews and the undo ring.

#include "core/canvas/canvassurface.h"
#include "core/canvas/drawing.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/tools.h"

#include <benchmark/benchmark.h>

using namespace garabix;

namespace {

const QSize size4K(3840, 2160);
const QSize size800(800, 600);

// A 20-pixel pencil segment at pen width 19, committed and shown.
void pencil(benchmark::State &st, QSize size) {
    CanvasSurface c(size);
    QRect shown;
    c.onUpdate = [&](const QRect &r) { shown |= r; };
    DrawingState s;
    s.lineWidth = 19;
    int i = 0;
    for (auto _ : st) {
        s.lastX = 100 + (i % 400);
        s.lastY = 100;
        pencilSegment(s, c, s.lastX + 20, 100);
        ++i;
    }
    benchmark::DoNotOptimize(shown);
}
void BM_PencilSegment4K(benchmark::State &st) {
    pencil(st, size4K);
}
void BM_PencilSegment800x600(benchmark::State &st) {
    pencil(st, size800);
}
BENCHMARK(BM_PencilSegment4K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PencilSegment800x600)->Unit(benchmark::kMicrosecond);

void BM_SprayDisc4K(benchmark::State &st) {
    CanvasSurface c(size4K);
    DrawingState s;
    s.sprayRadius = 100;
    Random rng;
    for (auto _ : st)
        discSprayBurst(s, c, rng, 1900, 1000);
}
BENCHMARK(BM_SprayDisc4K)->Unit(benchmark::kMicrosecond);

void BM_SprayDiagonal4K(benchmark::State &st) {
    CanvasSurface c(size4K);
    DrawingState s;
    s.sprayRadius = 100;
    Random rng;
    for (auto _ : st)
        diagonalSprayBurst(s, c, rng, 1900, 1000);
}
BENCHMARK(BM_SprayDiagonal4K)->Unit(benchmark::kMicrosecond);

// One step of a 400 x 300 box following the pointer: repaint, then the new box.
void rectPreview(benchmark::State &st, QSize size) {
    CanvasSurface c(size);
    DrawingState s;
    s.currentTool = Tool::Rectangle;
    s.startX = 100;
    s.startY = 100;
    int i = 0;
    for (auto _ : st) {
        shapePreview(s, c, 500 + (i % 2), 400);
        ++i;
    }
}
void BM_RectPreview4K(benchmark::State &st) {
    rectPreview(st, size4K);
}
void BM_RectPreview800x600(benchmark::State &st) {
    rectPreview(st, size800);
}
BENCHMARK(BM_RectPreview4K)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RectPreview800x600)->Unit(benchmark::kMicrosecond);

void BM_UndoSnapshot4K(benchmark::State &st) {
    Drawing d(size4K);
    CanvasSurface &c = d.canvas();
    DrawingState s;
    d.snapshot();
    s.lineWidth = 5;
    int i = 0;
    for (auto _ : st) {
        st.PauseTiming();
        s.lastX = 200 + (i * 37) % 3000;
        s.lastY = static_cast<int16_t>(200 + (i * 53) % 1700);
        pencilSegment(s, c, s.lastX + 20, s.lastY);
        ++i;
        st.ResumeTiming();
        d.snapshot();
    }
}
BENCHMARK(BM_UndoSnapshot4K)->Unit(benchmark::kMicrosecond);

void BM_FullImageCopy4K(benchmark::State &st) {
    QImage img(size4K, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (auto _ : st) {
        QImage copy = img.copy();
        benchmark::DoNotOptimize(copy.constBits());
    }
}
BENCHMARK(BM_FullImageCopy4K)->Unit(benchmark::kMicrosecond);

// Horizontal stripes 40 pixels thick, every 30 pixels, shifted by `k`.
void paintStripes(CanvasSurface &c, int k) {
    for (int y = 0; y < 2160; y += 30)
        c.line(Layer::Keep, QPointF(0, y + k * 15), QPointF(3839, y + k * 15),
               {k % 2 ? 0xFFu : 0xFF00u, 40});
}

// An undo between two very different pictures, so that it rewrites most tiles.
void BM_UndoRestore4K(benchmark::State &st) {
    Drawing d(size4K);
    CanvasSurface &c = d.canvas();
    DrawingState s;
    paintStripes(c, 0);
    d.snapshot();
    for (auto _ : st) {
        st.PauseTiming();
        paintStripes(c, 1);
        d.snapshot();
        st.ResumeTiming();
        d.undo();
        benchmark::DoNotOptimize(c.persistentLayer().constBits());
    }
}
BENCHMARK(BM_UndoRestore4K)->Unit(benchmark::kMillisecond)->Iterations(40);

// The six scenes of the program folder, and a canvas painted with one.
QVector<QImage> scenes() {
    QVector<QImage> out;
    for (int n = 1; n <= 6; ++n)
        out.append(QImage(QStringLiteral(GARABIX_PROGRAM_DIR "/escenarios/%1.gif").arg(n))
                       .convertToFormat(QImage::Format_RGB32));
    return out;
}
void paintScene(CanvasSurface &c, const QImage &scene) {
    c.paintPictureStretched(Layer::Keep, scene, QRectF(QPointF(0, 0), QSizeF(c.size())));
}
void fillAll(CanvasSurface &c, int i) {
    c.floodFill(Layer::Keep, 0, 0, fromRgb(c.persistentLayer().pixel(0, 0)),
                colourWord(i * 40 % 256, i * 90 % 256, i * 13 % 256));
}

// The snapshot after each change, made with the timer paused.
template <typename Change> void snapshotAfter(benchmark::State &st, Change &&change) {
    Drawing d(size4K);
    CanvasSurface &c = d.canvas();
    DrawingState s;
    int i = 0;
    for (auto _ : st) {
        st.PauseTiming();
        change(c, ++i);
        st.ResumeTiming();
        d.snapshot();
    }
}
// After a fill that changed the whole canvas.
void BM_UndoSnapshotFullChange4K(benchmark::State &st) {
    snapshotAfter(st, fillAll);
}
BENCHMARK(BM_UndoSnapshotFullChange4K)->Unit(benchmark::kMicrosecond);
// After a scene was painted over the whole canvas.
void BM_UndoSnapshotScene4K(benchmark::State &st) {
    const QVector<QImage> pictures = scenes();
    snapshotAfter(st,
                  [&](CanvasSurface &c, int i) { paintScene(c, pictures[i % pictures.size()]); });
}
BENCHMARK(BM_UndoSnapshotScene4K)->Unit(benchmark::kMicrosecond);

// An undo from one scene back to the one before, whose tiles the ring has
// compressed (the benchmark waits for the compressor before each undo).
void BM_UndoRestoreCompressed4K(benchmark::State &st) {
    const QVector<QImage> pictures = scenes();
    Drawing d(size4K);
    CanvasSurface &c = d.canvas();
    DrawingState s;
    int i = 0;
    paintScene(c, pictures[i++ % pictures.size()]);
    d.snapshot();
    for (auto _ : st) {
        st.PauseTiming();
        paintScene(c, pictures[i++ % pictures.size()]);
        d.snapshot();
        d.ring().waitForCompression();
        st.ResumeTiming();
        d.undo();
    }
}
BENCHMARK(BM_UndoRestoreCompressed4K)->Unit(benchmark::kMillisecond)->Iterations(30);

// What the ring holds after 19 whole-canvas changes, once the compressor
// has caught up (waitForCompression returns when its queue is empty).
template <typename Change> void undoMemory(benchmark::State &st, Change &&change) {
    size_t ringBytes = 0;
    size_t canvasBytes = 0;
    for (auto _ : st) {
        Drawing d(size4K);
        CanvasSurface &c = d.canvas();
        DrawingState s;
        for (int i = 0; i < 19; ++i) {
            change(c, i);
            d.snapshot();
        }
        d.ring().waitForCompression();
        ringBytes = d.ring().bytesHeld();
        canvasBytes = c.persistentLayer().sizeInBytes();
    }
    st.counters["ring_bytes"] = static_cast<double>(ringBytes);
    st.counters["canvas_bytes"] = static_cast<double>(canvasBytes);
    st.counters["ring_per_canvas"] = static_cast<double>(ringBytes) / canvasBytes;
}
void BM_UndoMemory19_4K(benchmark::State &st) {
    DrawingState pen;
    pen.lineWidth = 5;
    undoMemory(st, [&](CanvasSurface &c, int i) { // a 20-pixel stroke each
        pen.lastX = 200 + i * 150;
        pen.lastY = static_cast<int16_t>(300 + i * 80);
        pencilSegment(pen, c, pen.lastX + 20, pen.lastY + 5);
    });
}
void BM_UndoMemory19Fills_4K(benchmark::State &st) {
    undoMemory(st, fillAll);
}
void BM_UndoMemory19Scenes_4K(benchmark::State &st) {
    const QVector<QImage> pictures = scenes();
    undoMemory(st, [&](CanvasSurface &c, int i) { paintScene(c, pictures[i % pictures.size()]); });
}
BENCHMARK(BM_UndoMemory19_4K)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UndoMemory19Fills_4K)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UndoMemory19Scenes_4K)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
