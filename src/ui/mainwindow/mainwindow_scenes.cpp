// MainWindow's scenes, painted under the drawing from the scenes folder, and the
// new drawing.

#include "core/base/log.h"
#include "core/files/pictures.h"
#include "core/files/scenes.h"
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

} // namespace garabix
