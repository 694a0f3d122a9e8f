#include "testutil.h"

#include "ui/access/access.h"

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

bool KeyboardChild::reach(QWidget *control, QRect inControl) {
    auto *listed = dynamic_cast<AccessibleWindow *>(window);
    const QRect goal = AccessTarget{control, inControl, {}, {}}.onWindow();
    for (int tabs = 0; tabs < 12; ++tabs) {
        bool here = false;
        for (const AccessArea &a : listed->accessAreas())
            for (const AccessTarget &t : a.targets)
                here |= t.widget == access.framedWidget() && t.widget && t.widget->isVisible() &&
                        std::any_of(a.targets.begin(), a.targets.end(),
                                    [&](const AccessTarget &o) { return o.onWindow() == goal; });
        if (here && access.window() == window)
            break;
        test::pressKey(window, Qt::Key_Tab);
    }
    for (int steps = 0; steps < 80 && access.framed() != goal; ++steps) {
        const QPoint d = goal.center() - access.framed().center();
        const bool across = std::abs(d.x()) > std::abs(d.y());
        test::pressKey(window, across ? (d.x() > 0 ? Qt::Key_Right : Qt::Key_Left)
                                      : (d.y() > 0 ? Qt::Key_Down : Qt::Key_Up));
    }
    return access.framed() == goal;
}
bool KeyboardChild::press(QWidget *control, QRect inControl) {
    if (!reach(control, inControl))
        return false;
    test::pressKey(window, Qt::Key_Space);
    return true;
}
void KeyboardChild::pointTo(MainWindow &form, QPointF to) {
    reach(form.findChild<QWidget *>(widgetname::canvas));
    for (int steps = 0; steps < 400 && form.keyboardPointer() != to; ++steps) {
        const QPointF d = to - form.keyboardPointer();
        const bool across = d.x() != 0 && std::abs(d.x()) >= std::abs(d.y());
        const double far = across ? d.x() : d.y();
        const Qt::KeyboardModifiers fine = std::abs(far) < 4 ? Qt::ShiftModifier : Qt::NoModifier;
        test::pressKey(window,
                       across ? (far > 0 ? Qt::Key_Right : Qt::Key_Left)
                              : (far > 0 ? Qt::Key_Down : Qt::Key_Up),
                       fine);
    }
}

} // namespace garabix::test
