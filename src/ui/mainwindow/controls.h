#pragma once
// The main window's controls: made here, each named for the layout and the
// tests, with its picture and colour, and named for a screen reader from the
// language file. The window connects them to its handlers; the placement
// (placement.h) puts them where the layout says.

#include <QStringList>
#include <QVector>

class QLabel;
class QPushButton;
class QWidget;

namespace garabix {

class AnimationPlayer;
class CanvasSurface;
class CanvasWidget;
class PictureBox;
class TextPanel;
struct GridOverlay;

struct WindowControls {
    CanvasWidget *canvas = nullptr;
    QVector<QPushButton *> toolbar; // by buttonIndex(ToolbarButton)
    QVector<QPushButton *> pens;    // the pen sizes, 0 the thinnest
    PictureBox *palette = nullptr;  // the palette strip
    PictureBox *chart = nullptr;    // the colour chart
    PictureBox *stampBox = nullptr; // the stamp picture
    QLabel *colourWell = nullptr;   // the colour in use
    QPushButton *myDrawings = nullptr;
    QPushButton *magic = nullptr; // opens the magic gallery; shows the chosen effect
    QPushButton *pages = nullptr; // opens the colouring pages gallery
    AnimationPlayer *stampPlayer = nullptr;
    TextPanel *text = nullptr; // the text panel, its lists and style buttons
};

// Every control, a child of `window`, over `canvas` and its `grid`.
WindowControls createControls(QWidget *window, CanvasSurface &canvas, const GridOverlay &grid);

// The tips and the names a screen reader tells, from the language file's
// `texts` (config::allTextCount of them).
void nameControls(const WindowControls &controls, const QStringList &texts);

} // namespace garabix
