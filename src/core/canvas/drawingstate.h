#pragma once
// The drawing state of the main window: what the tool bar, the colour
// pickers and the text panel set, and what the canvas handlers read on the
// next gesture. Each attribute lives here once and is handed to the canvas
// with each operation. Variant numbers are held as double. The picture, its
// undo and whether it is saved belong to the drawing document (drawing.h).

#include "core/canvas/magic.h"

#include <QFont>
#include <QString>
#include <cstdint>

namespace garabix {

enum class Tool {
    Stamp,
    Pencil,
    Fill,
    Rectangle,
    Circle,
    Ellipse,
    Polyline,
    DiagonalSpray,
    DiscSpray,
    Text,
    Magic, // the chosen magic effect
};

struct DrawingState {
    Tool currentTool = Tool::Pencil;
    // The current colour, composed at each use (currentColour()).
    double colorRed = 0;
    double colorGreen = 0;
    int16_t colorBlue = 0;
    double lineWidth = 1;
    int16_t sprayRadius = 60;
    Magic magic = Magic::Rainbow; // the magic tool's effect
    // A shape committed with no preview since the last fill comes out filled.
    bool fillShapes = false;

    // The gesture under way.
    double startX = 0, startY = 0;
    double lastX = 0;
    int16_t lastY = 0;
    bool polyActive = false;
    double polyX = 0;
    int32_t polyY = 0;
    bool snapToGrid = false;
    int16_t gridSpacing = 0;

    // Scenes.
    int sceneCount = 0;
    int16_t sceneIndex = 0;
};

} // namespace garabix
