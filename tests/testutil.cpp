#include "testutil.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace garabix::test {

QString shippedConfiguration(const QString &relative) {
    return qEnvironmentVariable("GARABIX_PROGRAM_DIR") + "/configuracion/" + relative;
}

QString offscreenScreen(const QString &dir, QSize size, double scale) {
    QFile config(dir + "/screen.json");
    if (!config.open(QIODevice::WriteOnly))
        return {};
    config.write(QStringLiteral("{\"screens\": [{\"name\": \"s\", \"width\": %1, \"height\": %2,"
                                " \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": %3}]}")
                     .arg(QString::number(size.width()), QString::number(size.height()),
                          QString::number(scale))
                     .toUtf8());
    return "offscreen:configfile=" + config.fileName();
}

void otherCopySaves(const QString &folder, int count, int mark) {
    QProcess other;
    other.start(qEnvironmentVariable("GARABIX_SAVEHELPER"),
                {folder, QString::number(count), "64", "48", QString::number(mark)});
    QVERIFY(other.waitForFinished(60000) && other.exitCode() == 0);
}

Outcome RecordingPlatform::moveToTrash(const QString &path) {
    if (trashError != 0)
        return Outcome::failed(trashError);
    const QString target = trashFolder.path() + QLatin1Char('/') + QString::number(trashed.size()) +
                           QLatin1Char('-') + QFileInfo(path).fileName();
    if (!QFile::rename(path, target))
        return Outcome::failed(EIO);
    trashed.append(path);
    return Outcome::done();
}

LoadedMainWindow::LoadedMainWindow(const std::function<void(ProgramFolder &)> &prepare,
                                   Platform *other, const Settings &settings) {
    if (prepare)
        prepare(folder);
    else
        folder.writeDefaultConfiguration();
    form = std::make_unique<MainWindow>(folder.path(), other ? *other : platform);
    form->useSettings(settings);
    form->resize(800, 600);
    form->load();
}

bool LoadedMainWindow::settle() {
    return QTest::qWaitFor([this] { return !form->isSaving() && !form->isBrowsing(); }, 60000);
}

void LoadedMainWindow::press(ToolbarButton button) {
    form->runToolbarButton(button);
    settle();
}

QString LoadedMainWindow::save() {
    form->runToolbarButton(ToolbarButton::Save);
    if (!settle())
        return QStringLiteral("(the save did not end)");
    return platform.notices.value(platform.notices.size() - 1);
}

void LoadedMainWindow::drag(QPointF a, QPointF b, Qt::MouseButton button) {
    form->canvasMoved(Qt::NoButton, a.x(), a.y());
    form->canvasPressed(button, a.x(), a.y());
    form->canvasMoved(button, b.x(), b.y());
    form->canvasReleased(button, b.x(), b.y());
}

void LoadedMainWindow::click(QPointF p) {
    form->canvasMoved(Qt::NoButton, p.x(), p.y());
    form->canvasPressed(Qt::LeftButton, p.x(), p.y());
    form->canvasReleased(Qt::LeftButton, p.x(), p.y());
}

void pressKey(QWidget *fallback, int key, Qt::KeyboardModifiers modifiers) {
    QWidget *to = QApplication::focusWidget();
    if (!to)
        to = QApplication::activeWindow() ? QApplication::activeWindow() : fallback;
    QTest::keyClick(to, Qt::Key(key), modifiers);
}

} // namespace garabix::test
