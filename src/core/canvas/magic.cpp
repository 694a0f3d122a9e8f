#include "core/canvas/magic.h"

#include <QColor>
#include <algorithm>
#include <cmath>

namespace garabix {

namespace {

QRgb rgb(int r, int g, int b) {
    return qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

// Each channel moved `num`/`den` of the way towards `to`.
QRgb towards(QRgb c, int to, int num, int den) {
    const auto move = [&](int v) { return v + (to - v) * num / den; };
    return rgb(move(qRed(c)), move(qGreen(c)), move(qBlue(c)));
}

QRgb negative(QRgb c) {
    return (c & 0xFF000000u) | (~c & 0x00FFFFFFu);
}

// The chosen colour's hue and saturation at the pixel's own lightness.
QRgb tint(QRgb under, QRgb chosen) {
    const QColor c = QColor::fromRgb(chosen).toHsl();
    const QColor u = QColor::fromRgb(under).toHsl();
    return QColor::fromHslF(std::max(0.0f, c.hslHueF()), c.hslSaturationF(), u.lightnessF()).rgb();
}

// A fixed shade for each brick, so that a wall is not one flat colour.
QRgb brickShade(QRgb colour, int column, int row) {
    const uint32_t h =
        static_cast<uint32_t>(column) * 73856093u ^ static_cast<uint32_t>(row) * 19349663u;
    const int shade = static_cast<int>(h % 5) * 8 - 16;
    return rgb(qRed(colour) + shade, qGreen(colour) + shade, qBlue(colour) + shade);
}

constexpr QRgb mortar = 0xFFD8D8D8;
constexpr int brickWidth = 24, brickHeight = 12, mortarWidth = 2;

constexpr QRgb sparkleColours[] = {0xFFFFD700, 0xFFFF4FA3, 0xFF4FC3FF, 0xFFFFFFFF, 0xFF9CFF4F};

} // namespace

bool isWholePicture(Magic effect) {
    return effect == Magic::Mirror || effect == Magic::Flip || effect == Magic::NegativeAll ||
           effect == Magic::Fade;
}

void applyToPicture(QImage &image, Magic effect) {
    switch (effect) {
    case Magic::Mirror:
        image = image.mirrored(true, false);
        break;
    case Magic::Flip:
        image = image.mirrored(false, true);
        break;
    case Magic::NegativeAll:
        image.invertPixels(QImage::InvertRgb);
        break;
    case Magic::Fade:
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = towards(line[x], 255, 1, 2);
        }
        break;
    default:
        break;
    }
}

MagicStroke::MagicStroke(Magic e, int r, ColourWord c, uint32_t seed, double u)
    : effect(e), radius(std::max(e == Magic::Kaleidoscope ? 0 : 1, r)), colour(toRgb(c)),
      unit(std::max(1.0, u)) {
    rng.seed(seed);
}

int MagicStroke::designPixels(int pixels) const {
    return std::max(1, static_cast<int>(std::lround(pixels * unit)));
}

QRect MagicStroke::disc(QImage &image, QPoint c, QRgb paint) const {
    const QRect box = discOn(image, c);
    const long long r2 = static_cast<long long>(radius) * radius;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const long long dy = y - c.y();
        for (int x = box.left(); x <= box.right(); ++x) {
            const long long dx = x - c.x();
            if (dx * dx + dy * dy <= r2)
                line[x] = paint;
        }
    }
    return box;
}

QRect MagicStroke::discOn(const QImage &image, QPoint centre) const {
    return QRect(centre.x() - radius, centre.y() - radius, 2 * radius + 1, 2 * radius + 1) &
           image.rect();
}

bool MagicStroke::firstTouch(const QImage &image, int x, int y) {
    // A canvas that grew during the stroke starts the count again.
    if (touched.size() != static_cast<size_t>(image.width()) * image.height())
        touched.assign(static_cast<size_t>(image.width()) * image.height(), 0);
    uint8_t &t = touched[static_cast<size_t>(y) * image.width() + x];
    const bool first = t == 0;
    t = 1;
    return first;
}

QRgb MagicStroke::rainbowColour() const {
    const int hue = static_cast<int>(std::fmod(travelled * 2, 360.0));
    return QColor::fromHsv(hue, 255, 255).rgb();
}

QRect MagicStroke::paintTo(QImage &image, QPointF at) {
    parts.assign(effect == Magic::Kaleidoscope ? 4 : 1, QRect());
    if (image.isNull() || image.depth() != 32)
        return {};
    if (!started) {
        started = true;
        last = at;
        dab(image, at.toPoint());
    } else {
        const QPointF step = at - last;
        const double length = std::hypot(step.x(), step.y());
        const double spacing = std::max(1.0, radius / 4.0);
        const int dabs = std::max(1, static_cast<int>(std::ceil(length / spacing)));
        for (int i = 1; i <= dabs; ++i) {
            travelled += length / dabs;
            dab(image, (last + step * (double(i) / dabs)).toPoint());
        }
        last = at;
    }
    QRect changed;
    for (const QRect &part : parts)
        changed |= part;
    parts.erase(std::remove_if(parts.begin(), parts.end(), [](QRect r) { return r.isEmpty(); }),
                parts.end());
    return changed;
}

void MagicStroke::dab(QImage &image, QPoint c) {
    if (effect != Magic::Kaleidoscope) {
        parts[0] |= dabOne(image, c);
        return;
    }
    // The copies' centres are mirrored as whole pixels, so that they are
    // exact mirror images of each other.
    const auto mirrored = kaleidoscopePoints(QPointF(c), image.size());
    for (size_t k = 0; k < mirrored.size(); ++k)
        parts[k] |= disc(image, mirrored[k].toPoint(), colour);
}

QRect MagicStroke::dabOne(QImage &image, QPoint c) {
    const QRect box = discOn(image, c);
    if (box.isEmpty())
        return {};
    const long long r2 = static_cast<long long>(radius) * radius;
    const auto inDisc = [&](int x, int y) {
        const long long dx = x - c.x(), dy = y - c.y();
        return dx * dx + dy * dy <= r2;
    };
    const auto pixel = [&image](int x, int y) -> QRgb & {
        return reinterpret_cast<QRgb *>(image.scanLine(y))[x];
    };
    // The effects that change each pixel once a stroke, whatever the dabs.
    const auto once = [&](auto change) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (inDisc(x, y) && firstTouch(image, x, y))
                    pixel(x, y) = change(pixel(x, y), x, y);
        return box;
    };
    switch (effect) {
    case Magic::Rainbow:
        return disc(image, c, rainbowColour());
    case Magic::Lighten:
        return once([](QRgb p, int, int) { return towards(p, 255, 1, 4); });
    case Magic::Darken:
        return once([](QRgb p, int, int) { return towards(p, 0, 1, 4); });
    case Magic::Negative:
        return once([](QRgb p, int, int) { return negative(p); });
    case Magic::Tint:
        return once([this](QRgb p, int, int) { return tint(p, colour); });
    case Magic::Bricks:
        return once([this, w = designPixels(brickWidth), h = designPixels(brickHeight),
                     m = designPixels(mortarWidth)](QRgb, int x, int y) {
            const int row = y / h;
            const int shifted = x + (row % 2) * w / 2;
            if (y % h < m || shifted % w < m)
                return mortar;
            return brickShade(colour, shifted / w, row);
        });
    case Magic::Chalk:
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (inDisc(x, y) && rng.next() < 0.3f)
                    pixel(x, y) = colour;
        return box;
    case Magic::Blur: {
        // Each pixel of the disc becomes the mean of the 3 x 3 square around
        // it, as the picture was before this dab.
        const QRect around = box.adjusted(-1, -1, 1, 1) & image.rect();
        const QImage before = image.copy(around);
        const auto row = [&](int y) {
            return reinterpret_cast<const QRgb *>(before.constScanLine(y - around.top()));
        };
        for (int y = box.top(); y <= box.bottom(); ++y) {
            const int top = std::max(y - 1, around.top()),
                      bottom = std::min(y + 1, around.bottom());
            for (int x = box.left(); x <= box.right(); ++x) {
                if (!inDisc(x, y))
                    continue;
                const int left = std::max(x - 1, around.left()) - around.left();
                const int right = std::min(x + 1, around.right()) - around.left();
                int r = 0, g = 0, b = 0;
                for (int yy = top; yy <= bottom; ++yy) {
                    const QRgb *line = row(yy);
                    for (int xx = left; xx <= right; ++xx)
                        r += qRed(line[xx]), g += qGreen(line[xx]), b += qBlue(line[xx]);
                }
                const int n = (bottom - top + 1) * (right - left + 1);
                pixel(x, y) = rgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
            }
        }
        return box;
    }
    case Magic::Smudge: {
        const int side = 2 * radius + 1;
        const bool first = carried.empty();
        if (first)
            carried.assign(static_cast<size_t>(side) * side, 0);
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                if (!inDisc(x, y))
                    continue;
                QRgb &carry = carried[static_cast<size_t>(y - c.y() + radius) * side +
                                      static_cast<size_t>(x - c.x() + radius)];
                QRgb &under = pixel(x, y);
                if (!first && carry != 0) {
                    under = rgb((qRed(under) + qRed(carry) + 1) / 2,
                                (qGreen(under) + qGreen(carry) + 1) / 2,
                                (qBlue(under) + qBlue(carry) + 1) / 2);
                }
                carry = under;
            }
        return box;
    }
    case Magic::Mosaic: {
        const int tile = std::max(designPixels(4), radius / 3);
        QRect changed;
        const int left = box.left() / tile * tile, top = box.top() / tile * tile;
        for (int ty = top; ty <= box.bottom(); ty += tile)
            for (int tx = left; tx <= box.right(); tx += tile) {
                const QRect square = QRect(tx, ty, tile, tile) & image.rect();
                long long sum[3] = {0, 0, 0};
                for (int y = square.top(); y <= square.bottom(); ++y)
                    for (int x = square.left(); x <= square.right(); ++x) {
                        const QRgb v = pixel(x, y);
                        sum[0] += qRed(v), sum[1] += qGreen(v), sum[2] += qBlue(v);
                    }
                const long long n = static_cast<long long>(square.width()) * square.height();
                const QRgb mean = rgb(static_cast<int>((sum[0] + n / 2) / n),
                                      static_cast<int>((sum[1] + n / 2) / n),
                                      static_cast<int>((sum[2] + n / 2) / n));
                for (int y = square.top(); y <= square.bottom(); ++y)
                    for (int x = square.left(); x <= square.right(); ++x)
                        pixel(x, y) = mean;
                changed |= square;
            }
        return changed;
    }
    case Magic::Grass: {
        QRect changed;
        const int blades = std::max(1, radius / 3);
        const int thick = designPixels(1);
        for (int i = 0; i < blades; ++i) {
            const int rootX = c.x() + static_cast<int>((rng.next() * 2 - 1) * radius);
            const int rootY = c.y() + static_cast<int>(rng.next() * radius / 2);
            const int height = std::max(2, static_cast<int>(radius * (0.6 + rng.next())));
            const int lean = static_cast<int>((rng.next() * 2 - 1) * radius / 3);
            for (int t = 0; t < height; ++t) {
                // Dark green at the root, lighter towards the tip.
                const QRgb green =
                    rgb(30 + 60 * t / height, 100 + 110 * t / height, 20 + 30 * t / height);
                const QRect blade =
                    QRect(rootX + lean * t / height, rootY - t, thick, 1) & image.rect();
                for (int x = blade.left(); x <= blade.right(); ++x)
                    pixel(x, blade.top()) = green;
                changed |= blade;
            }
        }
        return changed;
    }
    case Magic::Sparkles: {
        QRect changed;
        const int stars = std::max(1, radius / 6);
        for (int i = 0; i < stars; ++i) {
            const QPoint at(c.x() + static_cast<int>((rng.next() * 2 - 1) * radius),
                            c.y() + static_cast<int>((rng.next() * 2 - 1) * radius));
            const QRgb star = sparkleColours[static_cast<int>(rng.next() * 5) % 5];
            const int thick = designPixels(1);
            const int arm = (1 + static_cast<int>(rng.next() * 3)) * thick;
            for (const QRect bar : {QRect(at.x() - arm, at.y(), 2 * arm + thick, thick),
                                    QRect(at.x(), at.y() - arm, thick, 2 * arm + thick)}) {
                const QRect inside = bar & image.rect();
                for (int y = inside.top(); y <= inside.bottom(); ++y)
                    for (int x = inside.left(); x <= inside.right(); ++x)
                        pixel(x, y) = star;
                changed |= inside;
            }
        }
        return changed;
    }
    default:
        return {};
    }
}

std::array<QPointF, 4> kaleidoscopePoints(QPointF p, QSize size) {
    const double right = size.width() - 1, bottom = size.height() - 1;
    return {p, QPointF(right - p.x(), p.y()), QPointF(p.x(), bottom - p.y()),
            QPointF(right - p.x(), bottom - p.y())};
}

} // namespace garabix
