#include "core/canvas/magictool.h"

#include "core/canvas/tools.h"

#include <algorithm>
#include <limits>

namespace garabix {

int magicRadius(const DrawingState &s) {
    if (s.magic == Magic::Kaleidoscope)
        return penWidth(s) / 2;
    return std::max(penWidth(s), s.sprayRadius / 2);
}

void MagicBrush::press(const DrawingState &s, CanvasSurface &c, Random &rng, double unit, double x,
                       double y) {
    stroke.reset();
    if (isWholePicture(s.magic)) {
        const Magic effect = s.magic;
        // On a colouring page only the child's colours move: the lines
        // stay where they are, and no copy of them is left where they went.
        const std::shared_ptr<const PageLines> lines = c.pageLines();
        c.changeInPlace([effect, &lines](QImage &picture) {
            if (lines)
                lines->eraseFrom(picture);
            applyToPicture(picture, effect);
            return picture.rect();
        });
        return;
    }
    const auto seed =
        static_cast<uint32_t>(rng.next() * double(std::numeric_limits<uint32_t>::max()));
    stroke.emplace(s.magic, magicRadius(s), currentColour(s), seed, unit);
    move(c, x, y);
}

void MagicBrush::move(CanvasSurface &c, double x, double y) {
    if (!stroke)
        return;
    c.changePartsInPlace([&](QImage &picture, std::vector<QRect> &parts) {
        stroke->paintTo(picture, QPointF(x, y));
        parts = stroke->changedParts();
    });
}

} // namespace garabix
