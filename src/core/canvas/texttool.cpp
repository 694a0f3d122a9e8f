#include "core/canvas/texttool.h"

namespace garabix {

TextTool::TextTool() {
    // 18-point Arial, as the lists first show.
    chosen.setFamily(QStringLiteral("arial"));
    chosen.setPointSizeF(18);
}

bool TextTool::setSize(double points) {
    if (!(points > 7 && points < 73))
        return false;
    chosen.setPointSizeF(points);
    return true;
}

QFont TextTool::canvasFont(double scale) const {
    QFont font = chosen;
    font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

void TextTool::preview(CanvasSurface &canvas, QPointF at, ColourWord colour, double scale) const {
    canvas.repaint();
    canvas.printText(Layer::Preview, at, words.isEmpty() ? placeholderText : words,
                     canvasFont(scale), colour);
}

void TextTool::write(CanvasSurface &canvas, QPointF at, ColourWord colour, double scale) const {
    canvas.printText(Layer::Keep, at, words, canvasFont(scale), colour);
}

} // namespace garabix
