// On a large screen the controls a child presses grow, on a small one they stay
// as they were, and a scale set by the user or the desktop wins. Each screen is
// a child process of this test on an offscreen platform configured for it.

#include "testutil.h"
#include "ui/common/screenscale.h"
#include "ui/gallery/form2.h"

#include <QApplication>
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
    test::RecordingPlatform platform;
    Form1 form(folder.path(), platform);
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    form.Form_Load();
    Form2 gallery(folder.path(), form);
    auto grabbed = [&](const QString &name) {
        return form.findChild<QWidget *>(name)->grab().toImage();
    };
    // The first red swatch's width, counted along the strip's middle row.
    const QImage strip = grabbed("picPalette");
    int x = 0, swatch = 0;
    while (x < strip.width() && strip.pixel(x, strip.height() / 2) != qRgb(255, 0, 0))
        ++x;
    while (x < strip.width() && strip.pixel(x++, strip.height() / 2) == qRgb(255, 0, 0))
        ++swatch;
    QTextStream(stdout) << "scale " << form.devicePixelRatioF() << "\n"
                        << "passedOn " << qEnvironmentVariableIsSet("QT_SCALE_FACTOR") << "\n"
                        << "tool " << grabbed(test::buttonName(ToolbarButton::Pencil)).width() << "\n"
                        << "swatch " << swatch << "\n"
                        << "pen " << grabbed("Command5_0").height() << "\n"
                        << "gallery " << gallery.width() * gallery.devicePixelRatioF() << "\n";
    return 0;
}

// Runs the child for a screen of `size` at the desktop's `scale`, with `env`.
QMap<QString, double> screen(QSize size, double scale = 1, const QString &env = {}) {
    QTemporaryDir dir;
    QFile config(dir.filePath("screen.json"));
    config.open(QIODevice::WriteOnly);
    config.write(QStringLiteral("{\"screens\": [{\"name\": \"s\", \"width\": %1, \"height\": %2,"
                                " \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": %3}]}")
                     .arg(QString::number(size.width()), QString::number(size.height()),
                          QString::number(scale))
                     .toUtf8());
    config.close();
    QProcess child;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
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
    void theControlsGrowWithALargeScreenOnly() {
        const auto large = screen(QSize(3840, 2160));
        QVERIFY2(large.value("scale") > 2, qPrintable(QString::number(large.value("scale"))));
        QVERIFY(large.value("tool") >= 100 && large.value("swatch") >= 28);
        QVERIFY(large.value("pen") >= 70 && large.value("gallery") >= 2 * 640);
        QCOMPARE(large.value("passedOn"), 0.0); // a file browser started from here is not scaled
        const auto small = screen(QSize(1280, 800));
        QCOMPARE(small.value("scale"), 1.0);
        QCOMPARE(small.value("tool"), 41.0);
        QCOMPARE(small.value("swatch"), 12.0);
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
