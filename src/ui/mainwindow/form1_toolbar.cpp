// Form1's tool bar: the click protocol, the tool buttons, the pen sizes and
// the commands that belong to the tool bar itself; the canvas handlers and undo.

#include "core/canvas/tools.h"
#include "core/files/pictures.h"
#include "core/files/scenes.h"
#include "ui/common/platform.h"
#include "ui/common/uiutil.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/picturebox.h"

#include <QPushButton>

namespace garabix {

namespace {

// The tool-bar buttons that choose a tool.
struct ToolButton {
    int button;
    Tool tool;
};
constexpr ToolButton toolButtons[] = {
    {2, Tool::Stamp},      {4, Tool::Pencil},   {5, Tool::Fill},      {6, Tool::Rectangle},
    {7, Tool::Circle},     {15, Tool::Ellipse}, {16, Tool::Polyline}, {17, Tool::DiagonalSpray},
    {18, Tool::DiscSpray}, {23, Tool::Text},
};

struct PenSize {
    int width;
    int16_t radius;
};
constexpr PenSize penSizes[10] = {{1, 5},  {2, 10}, {3, 20},  {4, 30},  {5, 40},
                                  {6, 50}, {7, 60}, {10, 70}, {14, 80}, {19, 100}};

// Bold and italic, when on: light blue behind a black letter.
constexpr ColourWord toggleOnColour = 0xFFC890;

Tool toolOf(int button) {
    for (const ToolButton &t : toolButtons)
        if (t.button == button)
            return t.tool;
    return Tool::Pencil;
}

} // namespace

void Form1::Command1_Click(int Index) {
    if (Index < 0 || Index > 27)
        return;
    runStep([&] { playCue("sonido3.wav"); });
    const Tool before = state.currentTool;
    bool quitting = false;
    runStep([&] {
        switch (Index) {
        case 0:
            previousScene();
            break;
        case 1:
            nextScene();
            break;
        case 2:
            openGallery();
            break;
        case 3:
            mirrorStamp();
            break;
        case 4:
        case 5:
        case 6:
            state.currentTool = toolOf(Index);
            Picture2->hide();
            break;
        case 7:
        case 15:
            state.currentTool = toolOf(Index);
            break;
        case 8:
            UndoLastStep();
            break;
        case 9:
            newDrawing();
            break;
        case 10:
            platform.setClipboardImage(canvas.copyPersistent());
            break;
        case 11:
            SaveDrawing();
            break;
        case 12:
            showDrawing(drawings::stepPrevious(drawingsFolder));
            break;
        case 13:
            showDrawing(drawings::stepNext(drawingsFolder));
            break;
        case 14:
            deleteDrawing();
            break;
        case 16:
            state.polyActive = false;
            state.currentTool = toolOf(Index);
            break;
        case 17:
        case 18:
            state.lineWidth = penWidth(state);
            state.currentTool = toolOf(Index);
            break;
        case 19:
            toggleGridLines();
            break;
        case 20:
            toggleGridDots();
            break;
        case 21:
        case 22:
            state.snapToGrid = Index == 22;
            break;
        case 23:
            state.currentTool = toolOf(Index);
            openTextPanel();
            break;
        case 24:
            Picture5->setVisible(Picture5->isHidden());
            break;
        case 25:
            platform.openFolder(drawingsFolder.File1.path());
            break;
        case 26:
            printCanvas();
            break;
        case 27:
            quitting = platform.askYesNo(this, state.texts.value(28));
            break;
        }
    });
    if (quitting) {
        platform.quit();
        return;
    }
    if (before != state.currentTool)
        canvas.repaint(); // the stamp's outline or the text's preview goes with its tool
    if (Index == 17 || Index == 18)
        SaveUndoSnapshot();
    showChoices();
}

void Form1::Command5_Click(int Index) {
    if (Index < 0 || Index > 9)
        return;
    state.lineWidth = penSizes[Index].width;
    state.sprayRadius = penSizes[Index].radius;
    playCue("sonido4.wav");
    showChoices();
}

// The chosen tool, pen size and line mode, and bold and italic when they are
// on, each wear a frame; everything else shows plain.
void Form1::showChoices() {
    for (const ToolButton &t : toolButtons)
        markChosen(Command1[t.button], state.currentTool == t.tool);
    markChosen(Command1[21], !state.snapToGrid);
    markChosen(Command1[22], state.snapToGrid);
    for (int i = 0; i < 10; ++i)
        markChosen(Command5[i], penSizes[i].width == penWidth(state));
    const bool on[2] = {state.font.bold(), state.font.italic()};
    for (int i = 0; i < 2; ++i)
        if (isMarkedChosen(Command3[i]) != on[i])
            setButtonColour(Command3[i], on[i] ? toggleOnColour : white, on[i]);
}

// Scenes.

void Form1::showScene() {
    const QImage scene = loadPicture(scenePath(appPath, state.sceneIndex));
    if (!scene.isNull())
        Picture6 = scene;
    if (!Picture6.isNull())
        canvas.paintPictureStretched(Layer::Keep, Picture6,
                                     QRectF(QPointF(0, 0), QSizeF(canvas.size())));
    SaveUndoSnapshot();
    drawingsFolder.shownDrawing.clear();
    Picture2->hide();
}

void Form1::previousScene() {
    state.sceneIndex = static_cast<int16_t>(state.sceneIndex - 1);
    if (state.sceneIndex == 0 || state.sceneIndex == -1)
        state.sceneIndex = static_cast<int16_t>(state.sceneCount);
    showScene();
}

void Form1::nextScene() {
    state.sceneIndex = static_cast<int16_t>(state.sceneIndex + 1);
    if (state.sceneIndex == state.sceneCount + 1)
        state.sceneIndex = 1;
    showScene();
}

void Form1::newDrawing() {
    canvas.setBackgroundPicture(QImage());
    RestoreCanvasFrame();
    SaveUndoSnapshot();
    drawingsFolder.shownDrawing.clear();
}

void Form1::toggleGridLines() {
    grid.linesVisible = !grid.linesVisible;
    Picture1->update();
}

void Form1::toggleGridDots() {
    grid.dotsVisible = !grid.dotsVisible;
    Picture1->update();
}

void Form1::printCanvas() {
    // The picture printed is the persistent image, which the canvas shows again.
    canvas.repaint();
    const QSizeF inches = QSizeF(canvas.size()) * state.twipsPerPixel / 1440.0;
    platform.printImage(canvas.copyPersistent(), inches);
}

void Form1::openGallery() {
    // Erases what the preview shows, as a copy of the persistent image into
    // the background picture would.
    canvas.repaint();
    state.currentTool = toolOf(2);
    if (showGallery)
        showGallery();
}

// The canvas and undo.

bool Form1::canvasEnabled() const {
    return Picture1->isEnabled();
}

PointerContext Form1::pointerContext() {
    return {state, canvas, rng, *this};
}

void Form1::Picture1_MouseDown(Qt::MouseButton button, double x, double y) {
    if (canvasEnabled())
        pointerPress(pointerContext(), button == Qt::LeftButton, x, y);
}

void Form1::Picture1_MouseMove(Qt::MouseButtons buttons, double x, double y) {
    if (canvasEnabled())
        pointerMove(pointerContext(), buttons != Qt::NoButton, x, y);
}

void Form1::Picture1_MouseUp(Qt::MouseButton button, double x, double y) {
    if (canvasEnabled())
        pointerRelease(pointerContext(), button == Qt::LeftButton, x, y);
}

void Form1::Picture1_DblClick() {
    if (canvasEnabled())
        pointerDoubleClick(pointerContext());
}

// The text's preview and the stamp's outline show where they would land, so
// they go when the pointer leaves the canvas.
void Form1::Picture1_MouseLeave() {
    const bool outline = state.currentTool == Tool::Stamp && state.stampPreview;
    if (canvasEnabled() && (outline || state.currentTool == Tool::Text))
        canvas.repaint();
}

void Form1::SaveUndoSnapshot() {
    garabix::SaveUndoSnapshot(state, canvas, undo);
}

void Form1::UndoLastStep() {
    if (garabix::UndoLastStep(state, canvas, undo))
        drawingsFolder.shownDrawing.clear();
}

void Form1::Redo() {
    playCue("sonido3.wav");
    garabix::RedoLastStep(state, canvas, undo);
}

} // namespace garabix
