#include "testutil.h"

#include <QFile>
#include <QFileInfo>

namespace garabix::test {

bool RecordingPlatform::moveToTrash(const QString &path) {
    if (!trashWorks)
        return false;
    const QString target = trashFolder.path() + QLatin1Char('/') + QString::number(trashed.size()) +
                           QLatin1Char('-') + QFileInfo(path).fileName();
    if (!QFile::rename(path, target))
        return false;
    trashed.append(path);
    return true;
}

MainWindow::MainWindow(const std::function<void(ProgramFolder &)> &prepare, Platform *other) {
    if (prepare)
        prepare(folder);
    else
        folder.writeDefaultConfiguration();
    form = std::make_unique<Form1>(folder.path(), other ? *other : platform);
    form->resize(800, 600);
    form->Form_Load();
}

void MainWindow::drag(QPointF a, QPointF b, Qt::MouseButton button) {
    form->Picture1_MouseMove(Qt::NoButton, a.x(), a.y());
    form->Picture1_MouseDown(button, a.x(), a.y());
    form->Picture1_MouseMove(button, b.x(), b.y());
    form->Picture1_MouseUp(button, b.x(), b.y());
}

void MainWindow::click(QPointF p) {
    form->Picture1_MouseMove(Qt::NoButton, p.x(), p.y());
    form->Picture1_MouseDown(Qt::LeftButton, p.x(), p.y());
    form->Picture1_MouseUp(Qt::LeftButton, p.x(), p.y());
}

} // namespace garabix::test
