#pragma once
// The text tool: the words a child typed, and the font, size and style they
// are written in. It shows them under the pointer as a preview (the
// placeholder while nothing is typed) and writes them onto the canvas at a
// click, as large as the text box shows them at the window's scale.

#include "core/canvas/canvassurface.h"
#include "core/canvas/colour.h"

#include <QFont>
#include <QString>

namespace garabix {

class TextTool {
public:
    TextTool();

    void setText(const QString &typed) { words = typed; }
    const QString &text() const { return words; }
    // What the preview shows while nothing is typed.
    void setPlaceholder(const QString &text) { placeholderText = text; }

    // The font as the text box shows it, in points.
    const QFont &font() const { return chosen; }
    void setFamily(const QString &family) { chosen.setFamily(family); }
    // Sizes from 8 to 72 points are taken; answers whether this one was.
    bool setSize(double points);
    void toggleBold() { chosen.setBold(!chosen.bold()); }
    void toggleItalic() { chosen.setItalic(!chosen.italic()); }

    // The font the canvas writes in: the text box's, times `scale`, the
    // canvas pixels to a pixel of the window.
    QFont canvasFont(double scale) const;
    // The words (or the placeholder) under the pointer, as a preview.
    void preview(CanvasSurface &canvas, QPointF at, ColourWord colour, double scale) const;
    // The words written onto the canvas for keeps.
    void write(CanvasSurface &canvas, QPointF at, ColourWord colour, double scale) const;

private:
    QString words;
    QString placeholderText;
    QFont chosen;
};

} // namespace garabix
