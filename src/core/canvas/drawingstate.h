#pragma once
// The drawing state of the main window: plain fields read and written by the
// tool bar, the colour pickers and the canvas handlers. Variant numbers are
// held as double.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace garabix {

namespace tool {
constexpr uint8_t stamp = 2, pencil = 4, fill = 5, rectangle = 6, circle = 7, ellipse = 15,
                  polyline = 16, diagonalSpray = 17, discSpray = 18, text = 23;
}

struct DrawingState {
    uint8_t currentTool = tool::pencil;
    double colorRed = 0;
    double colorGreen = 0;
    int16_t colorBlue = 0;
    double lineWidth = 1;
    int16_t sprayRadius = 60;
    double startX = 0, startY = 0;
    double lastX = 0;
    int16_t lastY = 0;
    bool polyActive = false;
    double polyX = 0;
    int32_t polyY = 0;
    bool snapToGrid = false;
    int16_t gridSpacing = 0;
    bool stampPreview = true;
    double stampX = 0, stampY = 0;
    int16_t twipsPerPixel = 15;
    double undoIndex = 0;
    int undoDepth = 0; // how many undos lead back to a picture the ring holds
    bool drawingModified = false;
    QStringList texts = QStringList(QVector<QString>(30));

    // Saving and browsing drawings.
    int16_t maxDrawings = 0;
    int16_t drawingCount = 0;
    int browseIndex = -1;
    QString shownDrawing; // the saved drawing on the canvas, as it was loaded

    // Scenes.
    int sceneCount = 0;
    int16_t sceneIndex = 0;

    // Tool bar.
    uint8_t lastButton = 0;
};

} // namespace garabix
