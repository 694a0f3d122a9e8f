// MainWindow's saved drawings: what the tool bar, the keys and the picker
// ask of the saver, the browser, the PNG copy and the printer.

#include "ui/document/browsing.h"
#include "ui/document/copying.h"
#include "ui/document/printer.h"
#include "ui/document/saving.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/widgets/uiutil.h"

namespace garabix {

void MainWindow::createDocumentKeepers() {
    const DocumentParts parts{this, document, drawingsFolder, platform, texts};
    saver = new DrawingSaver(parts);
    browser = new DrawingBrowser(parts);
    printer = new CanvasPrinter(this, platform, texts);
}

bool MainWindow::isSaving() const {
    return saver->isSaving();
}

bool MainWindow::isBrowsing() const {
    return browser->isBrowsing();
}

void MainWindow::saveForSessionEnd(std::function<void()> done) {
    saver->saveForSessionEnd(std::move(done));
}

void MainWindow::openMyDrawings() {
    playCue("sonido3.wav");
    if (showPicker)
        showPicker(drawingsFolder.files.path());
}

void MainWindow::drawingChosen(const QString &path) {
    bringToFront(this);
    browser->show(path);
}

void MainWindow::copyToPictures() {
    garabix::copyToPictures(document.picture(), this, platform, texts);
}

void MainWindow::copyDrawingToPictures(const QString &path, QWidget *noteOn) {
    browser->copyToPictures(path, noteOn);
}

} // namespace garabix
