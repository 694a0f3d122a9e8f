#include "core/canvas/stamptool.h"

#include "core/text/numeric.h"

namespace garabix {

QPoint StampTool::topLeft(double x, double y) const {
    // The pointer's pixel less half the stamp, each rounded half to even.
    return {static_cast<int>(roundHalfEven(x) - roundHalfEven(stampSize.width() / 2)),
            static_cast<int>(roundHalfEven(y) - roundHalfEven(stampSize.height() / 2))};
}

void StampTool::start(double x, double y) {
    pressedAt = QPointF(x, y);
    isPlaying = true;
}

QPoint StampTool::land() {
    isPlaying = false;
    return topLeft(pressedAt.x(), pressedAt.y());
}

} // namespace garabix
