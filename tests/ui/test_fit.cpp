// Every control fits with every panel open: at three screens, each controls
// size, and the text panel, the colour chart, the stamp gallery, the picker
// and the magic gallery open in turn, no control overlaps another or leaves
// the screen, and each shows on the window's picture. Each screen is a child process of this test
// on an offscreen platform configured for it, started like the program.

#include "testutil.h"
#include "ui/gallery/magicgallery.h"
#include "ui/gallery/stampgallery.h"
#include "ui/picker/drawingpicker.h"
#include "ui/platform/screenscale.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QtTest>

using namespace garabix;

namespace {

enum class Panel { None, Text, Chart, Gallery, Picker, Magic };

// The visible direct children of `window`, but the keyboard's frame and notes.
QList<QWidget *> shownControls(QWidget *window) {
    QList<QWidget *> shown;
    for (QWidget *w : window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->objectName().isEmpty())
            shown.append(w);
    return shown;
}

// What overlaps or leaves `window`, or shows nothing on its picture; empty
// when all is well. `overlays` may lie over `under`.
QStringList misfits(QWidget *window, const QList<QWidget *> &overlays, QWidget *under) {
    QStringList wrong;
    const QImage shot = window->grab().toImage();
    const qreal dpr = shot.devicePixelRatio(); // the picture is in the screen's pixels
    const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
    const QList<QWidget *> shown = shownControls(window);
    for (QWidget *a : shown) {
        if (!window->rect().contains(a->geometry()))
            wrong << a->objectName() + " leaves the window";
        for (QWidget *b : shown) {
            const bool overlay =
                (overlays.contains(a) && b == under) || (overlays.contains(b) && a == under);
            // The usual tool-bar buttons share their edges: a pixel or two.
            const QRect both = a->geometry() & b->geometry();
            if (a < b && !overlay && both.width() > 2 && both.height() > 2)
                wrong << a->objectName() + " overlaps " + b->objectName();
        }
        const QRect r = QRect(QRectF(QRectF(a->geometry() & window->rect()).topLeft() * dpr,
                                     QRectF(a->geometry() & window->rect()).size() * dpr)
                                  .toRect()) &
                        shot.rect();
        bool painted = false;
        for (int y = r.top(); y <= r.bottom() && !painted; ++y)
            for (int x = r.left(); x <= r.right() && !painted; ++x)
                painted = shot.pixel(x, y) != background;
        if (!painted)
            wrong << a->objectName() + " shows nothing";
    }
    return wrong;
}

// In the child: the program's windows on this screen, at each controls
// size with each panel open; prints each misfit on a line of its own.
int measure(int argc, char **argv) {
    chooseScreenScale(argc, argv);
    QApplication app(argc, argv);
    keepScreenScaleToOurselves();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    test::ProgramFolder folder;
    folder.writeDefaultConfiguration();
    folder.writeStamp("dibujos/animales/gato.gif", 150);
    folder.mkdir("misdibujos");
    QStringList wrong;
    QSize galleryAtOne, pickerAtOne, magicAtOne;
    for (const double size : {1.0, 1.5, 2.0}) {
        Settings settings;
        settings.controlsSize = size;
        test::RecordingPlatform platform;
        MainWindow form(folder.path(), platform);
        form.useSettings(settings);
        form.setGeometry(screen);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form) ||
            !QTest::qWaitFor([&] { return form.isLoaded(); }, 30000))
            return 3;
        test::otherCopySaves(folder.path() + "/misdibujos", 3, 1);
        const QString at = QStringLiteral(" (size %1)").arg(size);
        auto *canvas = form.findChild<QWidget *>(widgetname::canvas);
        auto *chart = form.findChild<QWidget *>(widgetname::colourChart);
        auto *textPanel = form.findChild<QWidget *>(widgetname::textPanel);
        auto *next = form.findChild<QWidget *>(test::buttonName(ToolbarButton::NextDrawing));
        auto *previous =
            form.findChild<QWidget *>(test::buttonName(ToolbarButton::PreviousDrawing));
        if (size == 1.5 && next->y() != previous->y())
            wrong << "the picture buttons are on two rows" + at;
        for (const Panel panel :
             {Panel::Text, Panel::Chart, Panel::Gallery, Panel::Picker, Panel::Magic}) {
            StampGallery gallery(folder.path(), form);
            MagicGallery magic(form);
            DrawingPicker picker(form);
            QWidget *window = nullptr;
            switch (panel) {
            case Panel::Text:
                form.runToolbarButton(ToolbarButton::Text);
                break;
            case Panel::Chart:
                form.runToolbarButton(ToolbarButton::MoreColours);
                break;
            case Panel::Gallery:
                window = &gallery;
                break;
            case Panel::Picker:
                picker.open(folder.path() + "/misdibujos");
                if (!QTest::qWaitFor([&] { return picker.pageReady(); }, 30000))
                    return 5;
                window = &picker;
                break;
            case Panel::Magic:
                window = &magic;
                break;
            case Panel::None:
                break;
            }
            QCoreApplication::processEvents();
            const QString where = QStringLiteral(" with panel %1").arg(int(panel)) + at;
            for (const QString &w : misfits(&form, {chart, textPanel}, canvas))
                wrong << w + where;
            if (window) {
                window->show();
                if (!QTest::qWaitForWindowExposed(window))
                    return 4;
                if (!screen.contains(window->frameGeometry()))
                    wrong << window->metaObject()->className() + QString(" leaves the screen") +
                                 where;
                for (const QString &w : misfits(window, {}, nullptr))
                    wrong << w + " of " + window->metaObject()->className() + where;
                QSize &first = panel == Panel::Gallery  ? galleryAtOne
                               : panel == Panel::Picker ? pickerAtOne
                                                        : magicAtOne;
                if (size == 1)
                    first = window->size();
                else if (window->width() < first.width() * std::min(size, 1.2) &&
                         window->width() < screen.width() * 0.85)
                    wrong << window->metaObject()->className() + QString(" does not grow") + where;
                window->close();
            }
            if (panel == Panel::Text)
                form.closeTextPanel();
            if (panel == Panel::Chart)
                form.runToolbarButton(ToolbarButton::MoreColours);
        }
    }
    for (const QString &w : wrong)
        std::printf("%s\n", qPrintable(w));
    return 0;
}

} // namespace

class TestFit : public QObject {
    Q_OBJECT
private slots:
    void everyControlFitsWithEveryPanelOpen_data() {
        QTest::addColumn<QSize>("screen");
        for (const QSize s : {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080)})
            QTest::newRow(qPrintable(QString("%1x%2").arg(s.width()).arg(s.height()))) << s;
    }
    void everyControlFitsWithEveryPanelOpen() {
        QFETCH(QSize, screen);
        QTemporaryDir dir;
        QProcess child;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", test::offscreenScreen(dir.path(), screen));
        child.setProcessEnvironment(e);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--measure"});
        QVERIFY(child.waitForFinished(240000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(out.isEmpty(), qPrintable(out));
    }
};

int main(int argc, char **argv) {
    if (argc > 1 && qstrcmp(argv[argc - 1], "--measure") == 0)
        return measure(argc - 1, argv);
    QApplication app(argc, argv);
    TestFit t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_fit.moc"
