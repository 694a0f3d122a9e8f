#include "core/app/pictures.h"
#include "ui/app/form1.h"
#include "ui/app/platform.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Garabix"));
    garabix::limitPictureMemory();
    const QString appPath = QCoreApplication::applicationDirPath();

    garabix::Form1 form1(appPath, garabix::qtPlatform());
    // Without a window manager a maximized window keeps its first size, so it
    // starts at the screen's full available size.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        form1.setGeometry(screen->availableGeometry());
    form1.showMaximized();
    return app.exec();
}
