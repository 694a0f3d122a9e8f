// MainWindow's tool bar: the click protocol, the tool buttons, the pen sizes, the
// buttons that show what is chosen, and the small commands of the tool bar
// itself.

#include "core/base/log.h"
#include "core/canvas/tools.h"
#include "ui/document/browsing.h"
#include "ui/document/printer.h"
#include "ui/document/saving.h"
#include "ui/gallery/magicpictures.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/platform/platform.h"
#include "ui/widgets/uiutil.h"

#include <QDir>
#include <QPushButton>

namespace garabix {

namespace {

using B = ToolbarButton;

} // namespace

void MainWindow::runToolbarButton(ToolbarButton pressed) {
    if (buttonIndex(pressed) < 0 || buttonIndex(pressed) >= toolbarButtonCount ||
        !buttonAllowed(pressed))
        return;
    playCue("sonido3.wav");
    // A stroke a click started ends where the pointer last was.
    input->endHeld();
    const Tool before = input->state().currentTool;
    // Each command says what went wrong itself, in a note or the log.
    if (runCommand(pressed)) {
        platform.quit();
        return;
    }
    if (before != input->state().currentTool)
        document.canvas().repaint(); // the stamp's outline or the text's preview goes with its tool
    if (pressed == B::DiagonalSpray || pressed == B::DiscSpray)
        document.snapshot();
    showChoices();
}

// Does what a tool-bar button says; answers whether the program is to end.
bool MainWindow::runCommand(ToolbarButton button) {
    switch (button) {
    case B::PreviousScene:
    case B::NextScene:
        stepScene(button == B::NextScene);
        break;
    case B::Gallery:
        openGallery();
        break;
    case B::MirrorStamp:
        stampPress->mirror();
        break;
    case B::Pencil:
    case B::Fill:
    case B::Rectangle:
        input->state().currentTool = toolOf(button);
        controls.stampBox->hide();
        break;
    case B::Circle:
    case B::Ellipse:
        input->state().currentTool = toolOf(button);
        break;
    case B::Undo:
        document.undo();
        break;
    case B::NewDrawing:
        newDrawing();
        break;
    case B::Copy:
        platform.setClipboardImage(document.canvas().copyPersistent());
        break;
    case B::Save:
        saver->save();
        break;
    case B::PreviousDrawing:
    case B::NextDrawing:
        browser->step(button == B::NextDrawing);
        break;
    case B::DeleteDrawing:
        browser->deleteShown();
        break;
    case B::Polyline:
        input->state().polyActive = false;
        input->state().currentTool = toolOf(button);
        break;
    case B::DiagonalSpray:
    case B::DiscSpray:
        input->state().lineWidth = penWidth(input->state());
        input->state().currentTool = toolOf(button);
        break;
    case B::GridLines:
        toggleGridLines();
        break;
    case B::GridDots:
        toggleGridDots();
        break;
    case B::FreeLines:
    case B::GridSnapLines:
        input->state().snapToGrid = button == B::GridSnapLines;
        break;
    case B::Text:
        input->state().currentTool = toolOf(button);
        openTextPanel();
        break;
    case B::MoreColours:
        controls.chart->setVisible(controls.chart->isHidden());
        break;
    case B::OpenFolder:
        openFolder();
        break;
    case B::Print:
        // The picture printed is the persistent image, which the canvas shows again.
        printer->print(
            [this] {
                document.canvas().repaint();
                return document.canvas().copyPersistent();
            },
            settings.printInterval);
        break;
    case B::Quit:
        return askToQuit();
    }
    return false;
}

void MainWindow::choosePen(int pen) {
    if (pen < 0 || pen > 9)
        return;
    input->state().lineWidth = scale.pixels(penSizes[pen].width);
    input->state().sprayRadius = static_cast<int16_t>(scale.pixels(penSizes[pen].radius));
    playCue("sonido4.wav");
    showChoices();
}

// The chosen tool, pen size and line mode, and bold and italic when they are
// on, each wear a frame; everything else shows plain.
void MainWindow::showChoices() {
    auto button = [this](ToolbarButton b) { return controls.toolbar[buttonIndex(b)]; };
    for (const ToolButton &t : toolButtons)
        markChosen(button(t.button), input->state().currentTool == t.tool);
    markChosen(button(B::FreeLines), !input->state().snapToGrid);
    markChosen(button(B::GridSnapLines), input->state().snapToGrid);
    markChosen(controls.magic, input->state().currentTool == Tool::Magic);
    for (int i = 0; i < 10; ++i)
        markChosen(controls.pens[i], scale.pixels(penSizes[i].width) == penWidth(input->state()));
    controls.text->showStyle();
}

void MainWindow::toggleGridLines() {
    grid.linesVisible = !grid.linesVisible;
    controls.canvas->update();
}

void MainWindow::toggleGridDots() {
    grid.dotsVisible = !grid.dotsVisible;
    controls.canvas->update();
}

// Without a file browser, the note says where the drawings are.
void MainWindow::openFolder() {
    const QString folder = drawingsFolder.files.path();
    if (!platform.openFolder(folder))
        platform.notify(this,
                        text(config::Text::NoFolderBrowser).arg(QDir::toNativeSeparators(folder)),
                        Platform::Notice::Problem);
}

void MainWindow::openGallery() {
    // Erases what the preview shows, as a copy of the persistent image into
    // the background picture would.
    document.canvas().repaint();
    input->state().currentTool = toolOf(B::Gallery);
    if (showGallery)
        showGallery();
}

// The magic and colouring pages buttons open their galleries: the button's
// cue, a stroke a click started ended. The tool changes only when something
// is chosen there.
void MainWindow::openGalleryWindow(const std::function<void()> &show) {
    playCue("sonido3.wav");
    input->endHeld();
    if (show)
        show();
}

void MainWindow::magicGalleryClosed() {
    bringToFront(this);
}

void MainWindow::pageGalleryClosed() {
    bringToFront(this);
}

void MainWindow::magicChosen(Magic effect) {
    const Tool before = input->state().currentTool;
    input->state().currentTool = Tool::Magic;
    input->state().magic = effect;
    if (before != Tool::Magic)
        document.canvas().repaint(); // the stamp's outline or the text's preview goes
    controls.stampBox->hide();
    if (controls.text->isOpen())
        controls.text->hide();
    controls.magic->setIcon(magicButtonIcon(effect, controls.magic->iconSize().width()));
    showChoices();
}

// The text tool opens its panel, placed for the window's size; Cerrar ends
// the tool: the panel and the preview go, the pencil is back.
void MainWindow::openTextPanel() {
    placement->placeTextPanel();
    controls.text->open();
}

void MainWindow::closeTextPanel() {
    controls.text->hide();
    input->state().currentTool = Tool::Pencil;
    document.canvas().repaint();
    showChoices();
}

} // namespace garabix
