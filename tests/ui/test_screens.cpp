// On a large screen the controls a child presses grow, on a small one they stay
// as they were, and a scale set by the user or the desktop wins; on every
// screen a thin line shows equally thick all along, and the thickest pen as
// thick as the screen's scale makes it. Each screen is a child process of this
// test on an offscreen platform configured for it.

#include "testutil.h"
#include "ui/gallery/stampgallery.h"
#include "ui/platform/screenscale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

using namespace garabix;

namespace {

// In the child: starts like the program, lays out the main window on the
// whole screen and prints what a child's hand meets, in screen pixels.
int measure(int argc, char **argv) {
    chooseScreenScale(argc, argv);
    QApplication app(argc, argv);
    keepScreenScaleToOurselves(); // the windows made after keep their scale
    test::ProgramFolder folder;
    folder.writeDefaultConfiguration();
    folder.writeStamp("dibujos/a/odd.gif", 41, 2); // odd: its half is not whole
    test::RecordingPlatform platform;
    MainWindow form(folder.path(), platform);
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    form.load();
    StampGallery gallery(folder.path(), form);
    auto grabbed = [&](const QString &name) {
        return form.findChild<QWidget *>(name)->grab().toImage();
    };
    // The first red swatch's width, counted along the strip's middle row.
    const QImage strip = grabbed(widgetname::paletteStrip);
    int x = 0, swatch = 0;
    while (x < strip.width() && strip.pixel(x, strip.height() / 2) != qRgb(255, 0, 0))
        ++x;
    while (x < strip.width() && strip.pixel(x++, strip.height() / 2) == qRgb(255, 0, 0))
        ++swatch;
    // Thin lines a few canvas pixels apart, across and down, and one of the
    // thickest pen; their thickness on the screen, in screen pixels.
    auto line = [&](QPointF a, QPointF b) {
        form.canvasMoved(Qt::NoButton, a.x(), a.y());
        form.canvasPressed(Qt::LeftButton, a.x(), a.y());
        form.canvasMoved(Qt::LeftButton, b.x(), b.y());
        form.canvasReleased(Qt::LeftButton, b.x(), b.y());
    };
    for (int i = 0; i < 6; ++i) {
        line(QPointF(20, 40 + 7 * i), QPointF(300, 40 + 7 * i));
        line(QPointF(400 + 7 * i, 20), QPointF(400 + 7 * i, 200));
    }
    form.choosePen(9);
    line(QPointF(20, 300), QPointF(300, 300));
    const QImage screen = grabbed(widgetname::canvas);
    const int b = std::max(1, int(form.devicePixelRatioF())); // screen pixels a canvas pixel
    // The dark pixels met going from `from` by `step`, after the first one.
    auto thickness = [&](QPoint from, QPoint step) {
        while (screen.valid(from) && qGray(screen.pixel(from)) >= 128)
            from += step;
        int n = 0;
        for (; screen.valid(from) && qGray(screen.pixel(from)) < 128; from += step)
            ++n;
        return n;
    };
    int thinnest = 1000, thickest = 0;
    for (int i = 0; i < 6; ++i) {
        for (const int along : {60, 150, 250}) {
            for (const int n : {thickness(QPoint(along, 37 + 7 * i) * b, {0, 1}),
                                thickness(QPoint(397 + 7 * i, 20 + along / 2) * b, {1, 0})}) {
                thinnest = std::min(thinnest, n);
                thickest = std::max(thickest, n);
            }
        }
    }
    // A stamp's outline, then the stamp pressed there: where the black of
    // each falls on the canvas, clear of the lines above.
    form.runToolbarButton(ToolbarButton::Gallery);
    gallery.load();
    gallery.chooseStamp(0);
    const QRect clear(500, 320, 200, 150);
    auto blackIn = [&](const QImage &image) {
        QRect box;
        for (int y = clear.top(); y <= clear.bottom(); ++y)
            for (int x = clear.left(); x <= clear.right(); ++x)
                if (qGray(image.pixel(x, y)) < 64)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    form.canvasMoved(Qt::NoButton, 601.4, 397.6);
    const QRect outline = blackIn(form.screenImage());
    form.canvasPressed(Qt::LeftButton, 601.4, 397.6);
    QElapsedTimer clock;
    clock.start();
    while (!form.canvasEnabled() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const QRect landed = blackIn(form.picture());
    // Words written on the canvas are as tall as the text box shows them.
    form.runToolbarButton(ToolbarButton::Text);
    form.findChild<QLineEdit *>(widgetname::textEdit)->setText("HH");
    form.canvasMoved(Qt::NoButton, 820, 500);
    form.canvasPressed(Qt::LeftButton, 820, 500);
    form.canvasReleased(Qt::LeftButton, 820, 500);
    auto inkHeight = [](const QImage &image, const QRect &area) {
        int top = -1, bottom = -1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 64) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
        return top < 0 ? 0 : bottom - top + 1;
    };
    auto *edit = form.findChild<QLineEdit *>(widgetname::textEdit);
    edit->setReadOnly(true); // no cursor beside the words
    const QImage box = edit->grab().toImage();
    const QSize canvas = form.picture().size();
    QTextStream(stdout) << "outlineLeft " << outline.left() << "\n"
                        << "outlineTop " << outline.top() << "\n"
                        << "landedLeft " << landed.left() << "\n"
                        << "landedTop " << landed.top() << "\n"
                        << "landedWidth " << landed.width() << "\n"
                        << "textOnCanvas " << inkHeight(form.picture(), QRect(800, 480, 300, 200))
                        << "\n"
                        << "textInBox " << inkHeight(box, box.rect().adjusted(4, 4, -4, -4))
                        << "\n";
    QTextStream(stdout) << "thinnest " << thinnest << "\n"
                        << "thickest " << thickest << "\n"
                        << "pen " << thickness(QPoint(150, 280) * b, {0, 1}) << "\n"
                        << "canvas " << canvas.width() << "x" << canvas.height() << "\n";
    QTextStream(stdout) << "scale " << form.devicePixelRatioF() << "\n"
                        << "passedOn " << qEnvironmentVariableIsSet("QT_SCALE_FACTOR") << "\n"
                        << "tool " << grabbed(test::buttonName(ToolbarButton::Pencil)).width()
                        << "\n"
                        << "swatch " << swatch << "\n"
                        << "penbutton " << grabbed(widgetname::penButton(0)).height() << "\n"
                        << "gallery " << gallery.width() * gallery.devicePixelRatioF() << "\n";
    return 0;
}

// Runs the child for a screen of `size` at the desktop's `scale`, with `env`.
QMap<QString, double> screen(QSize size, double scale = 1, const QString &env = {}) {
    QTemporaryDir dir;
    QProcess child;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", test::offscreenScreen(dir.path(), size, scale));
    if (!env.isEmpty())
        e.insert(env.section('=', 0, 0), env.section('=', 1));
    child.setProcessEnvironment(e);
    child.start(QCoreApplication::applicationFilePath(), {"--measure"});
    child.waitForFinished(60000);
    QMap<QString, double> out;
    for (const QString &line : QString::fromUtf8(child.readAllStandardOutput()).split('\n'))
        out.insert(line.section(' ', 0, 0), line.section(' ', 1).toDouble());
    return out;
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT
private slots:
    // The controls a child presses grow with the screen's scale. Thin lines
    // drawn at several places all come out equally thick on the screen: each
    // canvas pixel is a whole block of screen pixels. The thickest pen stays
    // within a pixel of the pen size times the scale.
    void thinLinesAreEvenOnEveryScreen_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("block");
        QTest::newRow("1280x800") << QSize(1280, 800) << 1.0 << 1;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.35 << 1;
        QTest::newRow("3840x2160") << QSize(3840, 2160) << 2.7 << 2;
    }
    void thinLinesAreEvenOnEveryScreen() {
        QFETCH(QSize, size);
        QFETCH(double, scale);
        QFETCH(int, block);
        const auto shown = screen(size);
        QVERIFY(std::abs(shown.value("scale") - scale) < 0.01);
        QCOMPARE(shown.value("thinnest"), double(block));
        QCOMPARE(shown.value("thickest"), double(block));
        QVERIFY2(std::abs(shown.value("pen") - 19 * scale) <= 1,
                 qPrintable(QString::number(shown.value("pen"))));
        QVERIFY(shown.value("tool") >= 41 * scale - 1 && shown.value("swatch") >= 12 * scale - 1);
        QVERIFY(shown.value("penbutton") >= 27 * scale - 1 &&
                shown.value("gallery") >= 640 * scale - 1);
        QCOMPARE(shown.value("passedOn"), 0.0); // a file browser started from here is not scaled
        // The stamp lands exactly where its outline was.
        QVERIFY(shown.value("landedWidth") > 0);
        QCOMPARE(shown.value("landedLeft"), shown.value("outlineLeft"));
        QCOMPARE(shown.value("landedTop"), shown.value("outlineTop"));
        QVERIFY(shown.value("textOnCanvas") > 10);
        QVERIFY2(std::abs(shown.value("textOnCanvas") - shown.value("textInBox") / block) <= 1.5,
                 qPrintable(QString("%1 on the canvas, %2 in the box")
                                .arg(shown.value("textOnCanvas"))
                                .arg(shown.value("textInBox"))));
    }

    void aScaleSetByTheUserOrTheDesktopWins() {
        QCOMPARE(screen(QSize(3840, 2160), 1, "QT_SCALE_FACTOR=1.5").value("scale"), 1.5);
        QCOMPARE(screen(QSize(3840, 2160), 2).value("scale"), 2.0);
    }
};

int main(int argc, char **argv) {
    if (argc > 1 && qstrcmp(argv[argc - 1], "--measure") == 0)
        return measure(argc - 1, argv);
    QCoreApplication app(argc, argv);
    TestScreens t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_screens.moc"
