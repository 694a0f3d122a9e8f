#include "core/files/config.h"
#include "core/files/pictures.h"
#include "core/files/settings.h"
#include "ui/access/access.h"
#include "ui/commandline.h"
#include "ui/gallery/magicgallery.h"
#include "ui/gallery/pagegallery.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/picker/drawingpicker.h"
#include "ui/picker/slideshow.h"
#include "ui/platform/platform.h"
#include "ui/platform/quietevents.h"
#include "ui/platform/screenscale.h"
#include "ui/platform/sessionend.h"
#include "ui/welcome/welcomewindow.h"
#include "ui/widgets/uiutil.h"

#include <QApplication>
#include <QScreen>
#include <memory>

using namespace garabix;

int main(int argc, char *argv[]) {
    if (const std::optional<int> answered = answerCommandLine(argc, argv))
        return *answered;
    chooseQuietEvents();
    chooseScreenScale(argc, argv);
    QApplication app(argc, argv);
    keepScreenScaleToOurselves();
    QApplication::setApplicationName(QStringLiteral("Garabix"));
    limitPictureMemory();
    const QString appPath = QCoreApplication::applicationDirPath();
    // A teacher's projector: the class's drawings, and nothing else.
    if (const std::optional<QString> folder = slideshowFolder(app.arguments())) {
        Slideshow show(*folder,
                       config::text(config::readLanguageTexts(appPath), config::Text::PickerEmpty));
        QObject::connect(&show, &Slideshow::ended, &app, &QApplication::quit);
        show.showOnWholeScreen();
        return app.exec();
    }
    // The school's settings file, then the user's, the environment and the
    // command line.
    const Settings settings = readSettings(settingsSourcesOfThisRun(app.arguments()));
    const std::unique_ptr<Platform> silent = settings.sound ? nullptr : withoutSound(qtPlatform());
    Platform &platform = silent ? *silent : qtPlatform();
    // The keyboard's frame and the switch, for every window from the first.
    Access::startForApplication(Access::optionsOf(settings));

    WelcomeWindow welcome(appPath, platform);
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<StampGallery> gallery;
    std::unique_ptr<MagicGallery> magic;
    std::unique_ptr<PageGallery> pages;
    std::unique_ptr<DrawingPicker> picker;

    welcome.showMainWindow = [&] {
        if (!mainWindow) {
            mainWindow = std::make_unique<MainWindow>(appPath, platform);
            mainWindow->setWelcomeWindow(&welcome);
            mainWindow->useSettings(settings);
            mainWindow->showGallery = [&] {
                if (!gallery)
                    gallery = std::make_unique<StampGallery>(appPath, *mainWindow);
                bringToFront(gallery.get());
            };
            mainWindow->showMagic = [&] {
                if (!magic)
                    magic = std::make_unique<MagicGallery>(*mainWindow);
                bringToFront(magic.get());
            };
            mainWindow->showPages = [&] {
                if (!pages)
                    pages = std::make_unique<PageGallery>(*mainWindow);
                bringToFront(pages.get());
            };
            mainWindow->showPicker = [&](const QString &folder) {
                if (!picker)
                    picker = std::make_unique<DrawingPicker>(*mainWindow);
                picker->open(folder);
                bringToFront(picker.get());
            };
            // Without a window manager a maximized window keeps its first
            // size, so it starts at the screen's full available size.
            if (const QScreen *screen = QGuiApplication::primaryScreen())
                mainWindow->setGeometry(screen->availableGeometry());
        }
        if (settings.fullScreen)
            mainWindow->showFullScreen();
        else
            mainWindow->showMaximized();
    };
    // At the session's end a drawing with changes is saved, then the program
    // ends; before the main window there is nothing to save.
    SessionEnd sessionEnd([&](std::function<void()> done) {
        if (mainWindow)
            mainWindow->saveForSessionEnd(std::move(done));
        else
            done();
    });
    welcome.show();
    const int code = app.exec();
    picker.reset();
    gallery.reset();
    magic.reset();
    pages.reset();
    mainWindow.reset();
    return code;
}
