// MainWindow's scenes, painted under the drawing from the scenes folder, the
// new drawing and the colouring page.

#include "core/base/log.h"
#include "core/canvas/pagelines.h"
#include "core/files/pictures.h"
#include "core/files/scenes.h"
#include "ui/document/colouringpages.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"

namespace garabix {

// A scene that cannot be read leaves the last one loaded to be painted again.
void MainWindow::showScene() {
    const QString path = scenePath(appPath, input->state().sceneIndex);
    const QImage loaded = loadPicture(path);
    if (!loaded.isNull())
        scene = loaded;
    else
        qCWarning(logFiles) << "scene could not be read:" << path;
    document.paintScene(scene);
    controls.stampBox->hide();
}

void MainWindow::stepScene(bool forward) {
    DrawingState &s = input->state();
    s.sceneIndex = static_cast<int16_t>(garabix::stepScene(s.sceneIndex, s.sceneCount, forward));
    showScene();
}

void MainWindow::newDrawing() {
    restoreCanvasFrame();
    document.clear();
}

// The page's lines are drawn at the canvas's own size, so they are crisp
// however large the screen; a page that cannot be read leaves the drawing be.
void MainWindow::pageChosen(const QString &file) {
    const QImage art = pages::pageArt(file, document.size());
    if (art.isNull()) {
        qCWarning(logFiles) << "colouring page could not be read:" << file;
        return;
    }
    restoreCanvasFrame();
    document.openPage(PageLines::fromArt(art));
}

} // namespace garabix
