#include "ui/platform/screenscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <vector>

namespace garabix {

namespace {
bool chosenHere = false;
}

double childScale(QSize pixels) {
    const double fits = std::min(pixels.width() / 1280.0, pixels.height() / 800.0);
    return fits < 1.05 ? 1.0 : std::floor(fits * 20) / 20;
}

void chooseScreenScale(int argc, char **argv) {
    for (const char *set : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                            "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "QT_USE_PHYSICAL_DPI"})
        if (qEnvironmentVariableIsSet(set))
            return;
    double scale = 1;
    {
        // A look at the screen before the application proper starts; it
        // takes its own copy of the arguments, since it removes Qt's own.
        std::vector<char *> args(argv, argv + argc);
        args.push_back(nullptr);
        int count = argc;
        const QGuiApplication look(count, args.data());
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen || screen->devicePixelRatio() != 1.0)
            return; // the desktop scales its windows itself
        scale = childScale(screen->size());
    }
    if (scale > 1) {
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale, 'f', 2));
        chosenHere = true;
    }
}

void keepScreenScaleToOurselves() {
    if (chosenHere)
        qunsetenv("QT_SCALE_FACTOR");
    chosenHere = false;
}

} // namespace garabix
