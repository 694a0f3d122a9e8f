// Form1's scenes, painted under the drawing from the scenes folder, and the
// new drawing.

#include "core/files/pictures.h"
#include "core/files/scenes.h"
#include "core/text/log.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/picturebox.h"

namespace garabix {

// A scene that cannot be read leaves the last one loaded to be painted again.
void Form1::showScene() {
    const QString path = scenePath(appPath, state.sceneIndex);
    const QImage scene = loadPicture(path);
    if (!scene.isNull())
        Picture6 = scene;
    else
        qCWarning(logFiles) << "scene could not be read:" << path;
    document.paintScene(Picture6);
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
    RestoreCanvasFrame();
    document.clear();
}

} // namespace garabix
