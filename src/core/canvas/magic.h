#pragma once
// Magic: effects a child paints with, and whole pictures changed with one
// click. Every effect works on a 32-bit image in place, writes nothing
// outside it, and answers the rectangle it changed. Effects with a random
// look draw from the stroke's own generator, seeded when the stroke starts,
// so the same seed gives the same pixels.

#include "core/canvas/colour.h"
#include "core/canvas/random.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

namespace garabix {

enum class Magic {
    // Painted along the pointer's path.
    Rainbow,      // the colour walks through the hues along the stroke
    Blur,         // softens what is under it
    Smudge,       // drags the colours under it along the stroke
    Lighten,      // a quarter of the way to white, once a stroke
    Darken,       // a quarter of the way to black, once a stroke
    Tint,         // the chosen colour's hue, keeping each pixel's light and shade
    Negative,     // each colour turned into its opposite, once a stroke
    Grass,        // blades growing upward from the stroke, darker at the root
    Bricks,       // a wall in the chosen colour, its bricks on a fixed grid
    Chalk,        // grains of the chosen colour
    Sparkles,     // small stars in several colours
    Mosaic,       // squares of the average colour, on a fixed grid
    Kaleidoscope, // the chosen colour and pen, in four copies mirrored across the middle lines
    // Whole picture with one click.
    Mirror,      // left to right
    Flip,        // upside down
    NegativeAll, // the whole picture's opposite colours
    Fade,        // halfway to white
};
constexpr int magicCount = 17;

bool isWholePicture(Magic effect);

// The whole-picture effects. Mirror, flip and negative twice give the picture back.
void applyToPicture(QImage &image, Magic effect);

// A painted stroke: the effect, a disc of `radius` canvas pixels, the chosen
// colour, and what the stroke carries from one step to the next. `unit` is
// canvas pixels to a pixel of the design: bricks, mosaic squares, blades and
// stars keep their look on a canvas of any size.
class MagicStroke {
public:
    MagicStroke(Magic effect, int radius, ColourWord colour, uint32_t seed, double unit = 1);

    // Paints from the last point (or `at` itself, the first time) to `at`,
    // a dab every quarter radius; answers the rectangle changed.
    QRect paintTo(QImage &image, QPointF at);
    // The parts the last paintTo changed, one for each copy of the
    // kaleidoscope and one for every other effect: together no larger than
    // what changed, so that the screen repaints only those.
    const std::vector<QRect> &changedParts() const { return parts; }

private:
    void dab(QImage &image, QPoint centre);
    QRect dabOne(QImage &image, QPoint centre);
    QRect discOn(const QImage &image, QPoint centre) const;
    bool firstTouch(const QImage &image, int x, int y);
    QRgb rainbowColour() const;
    int designPixels(int pixels) const;
    QRect disc(QImage &image, QPoint centre, QRgb colour) const;

    Magic effect;
    int radius;
    QRgb colour;
    Random rng;
    bool started = false;
    QPointF last;
    double travelled = 0;         // canvas pixels along the stroke, for the rainbow
    std::vector<uint8_t> touched; // pixels an effect that works once already changed
    std::vector<QRgb> carried;    // what the smudge drags, a (2r + 1)² square
    double unit;
    std::vector<QRect> parts;
};

// The kaleidoscope: a point and its mirror images across the canvas's
// middle lines, in a canvas of `size`.
std::array<QPointF, 4> kaleidoscopePoints(QPointF p, QSize size);

} // namespace garabix
