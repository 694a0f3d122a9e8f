#include "core/canvas/floodfill.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace garabix {

namespace {

// First index in [i, end] whose pixel is not `c` (or is `c`, with
// `wantEqual` false), or end + 1. Long runs are compared 16 pixels at a time.
template <bool wantEqual> inline int skipWhile(const QRgb *p, int i, int end, QRgb c) {
    // Most runs in a maze are a few pixels long: look at those one by one first.
    for (int k = 0; k < 4; ++k, ++i)
        if (i > end || (p[i] == c) != wantEqual)
            return i;
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi32(static_cast<int>(c));
    const int target = wantEqual ? 0xFFFF : 0;
    while (i + 15 <= end) {
        const auto *q = reinterpret_cast<const __m128i *>(p + i);
        const __m128i e0 = _mm_cmpeq_epi32(_mm_loadu_si128(q), v);
        const __m128i e1 = _mm_cmpeq_epi32(_mm_loadu_si128(q + 1), v);
        const __m128i e2 = _mm_cmpeq_epi32(_mm_loadu_si128(q + 2), v);
        const __m128i e3 = _mm_cmpeq_epi32(_mm_loadu_si128(q + 3), v);
        const __m128i all = wantEqual ? _mm_and_si128(_mm_and_si128(e0, e1), _mm_and_si128(e2, e3))
                                      : _mm_or_si128(_mm_or_si128(e0, e1), _mm_or_si128(e2, e3));
        if (_mm_movemask_epi8(all) != target)
            break;
        i += 16;
    }
#endif
    while (i <= end && (p[i] == c) == wantEqual)
        ++i;
    return i;
}

inline int skipEqual(const QRgb *p, int i, int end, QRgb c) {
    return skipWhile<true>(p, i, end, c);
}
inline int skipOther(const QRgb *p, int i, int end, QRgb c) {
    return skipWhile<false>(p, i, end, c);
}

struct Seed {
    int x, y;
    int parentY, parentL, parentR; // the span this seed was found from
};

} // namespace

QRect floodFill(QImage &image, int x, int y, QRgb seed, QRgb fill, QImage *mirror) {
    const int w = image.width();
    const int h = image.height();
    if (x < 0 || y < 0 || x >= w || y >= h || image.depth() != 32)
        return {};
    // Compare colours only; the alpha byte is always opaque in our images.
    const QRgb seedRgb = seed | 0xFF000000u;
    const QRgb fillRgb = fill | 0xFF000000u;
    if (seedRgb == fillRgb)
        return {};
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto row = [&](int yy) { return reinterpret_cast<QRgb *>(bits + yy * stride); };
    if (row(y)[x] != seedRgb)
        return {};
    const bool mirrored = mirror && mirror->size() == image.size() && mirror->depth() == 32;
    uchar *const mirrorBits = mirrored ? mirror->bits() : nullptr;
    const qsizetype mirrorStride = mirrored ? mirror->bytesPerLine() : 0;

    int minX = x, maxX = x, minY = y, maxY = y;
    std::vector<Seed> stack;
    stack.push_back({x, y, -1, 0, -1});

    // Pushes one seed for each run of seed-coloured pixels in [l, r] of row yy.
    auto scanRow = [&](int yy, int l, int r, const Seed &from) {
        const QRgb *p = row(yy);
        int i = skipOther(p, l, r, seedRgb);
        while (i <= r) {
            stack.push_back({i, yy, from.y, from.x, from.parentY});
            i = skipOther(p, skipEqual(p, i, r, seedRgb), r, seedRgb);
        }
    };

    while (!stack.empty()) {
        const Seed s = stack.back();
        stack.pop_back();
        QRgb *p = row(s.y);
        if (p[s.x] != seedRgb)
            continue;
        int l = s.x;
        while (l > 0 && p[l - 1] == seedRgb)
            --l;
        const int r = skipEqual(p, s.x, w - 1, seedRgb) - 1;
        std::fill(p + l, p + r + 1, fillRgb);
        if (mirrored) {
            QRgb *m = reinterpret_cast<QRgb *>(mirrorBits + s.y * mirrorStride);
            std::fill(m + l, m + r + 1, fillRgb);
        }
        minX = std::min(minX, l);
        maxX = std::max(maxX, r);
        minY = std::min(minY, s.y);
        maxY = std::max(maxY, s.y);
        // This span as a parent: x holds its left end, parentY its right end.
        const Seed span{l, s.y, r, 0, 0};
        for (const int ny : {s.y - 1, s.y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            if (ny != s.parentY) {
                scanRow(ny, l, r, span);
            } else {
                // The row this seed came from is filled over [parentL, parentR].
                if (l < s.parentL)
                    scanRow(ny, l, std::min(r, s.parentL - 1), span);
                if (r > s.parentR)
                    scanRow(ny, std::max(l, s.parentR + 1), r, span);
            }
        }
    }
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

} // namespace garabix
