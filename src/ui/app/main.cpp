#include "core/app/pictures.h"
#include "ui/app/form1.h"
#include "ui/app/platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Garabix"));
    garabix::limitPictureMemory();
    const QString appPath = QCoreApplication::applicationDirPath();

    garabix::Form1 form1(appPath, garabix::qtPlatform());
    form1.showMaximized();
    return app.exec();
}
