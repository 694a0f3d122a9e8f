// Bad files everywhere: each data file of a program folder in turn is broken
// in one way, and the program must still start, degrade only the affected
// feature, change no file but its own drawings, and keep its memory bounded.

#include "core/files/drawings.h"
#include "core/files/pictures.h"
#include "testutil.h"
#include "ui/gallery/stampgallery.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/picker/drawingpicker.h"
#include "ui/welcome/welcomewindow.h"
#include "ui/widgets/animationplayer.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>
#include <functional>

using namespace garabix;

namespace {

void makeGoodFolder(test::ProgramFolder &f) {
    f.writeDefaultConfiguration();
    f.writeStamp("escenarios/1.gif", 64, 1);
    f.writeStamp("escenarios/2.gif", 48, 1);
    f.writeStamp("dibujos/animales/gato.gif", 40, 3);
    f.writeStamp("dibujos/animales/perro.gif", 40, 3);
    f.writeStamp("dibujos/naturaleza/sol.gif", 40, 3);
    f.writeStamp("camina.gif", 40, 4);
    f.mkdir("misdibujos");
}

// Little-endian fields, as GIF and BMP headers hold them.
template <typename T> QByteArray le(T v) {
    QByteArray b(sizeof(T), '\0');
    qToLittleEndian<T>(v, b.data());
    return b;
}

// A GIF whose logical screen and single frame claim w x h and fw x fh
// pixels, with only a few bytes of image data behind the header.
QByteArray hugeGif(quint16 w, quint16 h, quint16 fw, quint16 fh) {
    return "GIF89a" + le(w) + le(h) + QByteArray("\x80\0\0\0\0\0\xFF\xFF\xFF,", 10) +
           le<quint32>(0) + le(fw) + le(fh) + QByteArray("\0\x02\x02\x4C\x01\0;", 7);
}

QByteArray hugeBmp(qint32 w, qint32 h) {
    return "BM" + le<quint32>(54 + 16) + le<quint32>(0) + le<quint32>(54) + le<quint32>(40) +
           le(w) + le(h) + le<quint16>(1) + le<quint16>(24) + QByteArray(24, '\0') +
           QByteArray(16, '\x7F');
}

QByteArray garbage(int n) {
    QByteArray b(n, '\0');
    QRandomGenerator r(12345);
    for (char &c : b)
        c = char(r.bounded(256));
    return b;
}

QByteArray truncated(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.read(f.size() / 2);
}

QMap<QString, QByteArray> snapshot(const QString &root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(root).relativeFilePath(path);
        if (rel.startsWith("misdibujos", Qt::CaseInsensitive))
            continue; // the program's own drawings may change
        QFile f(path);
        const bool small = it.fileInfo().isFile() && f.size() < (1 << 20);
        out.insert(rel, small && f.open(QIODevice::ReadOnly)
                            ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5)
                            : QByteArray::number(it.fileInfo().isFile() ? f.size() : -1));
    }
    return out;
}

// Runs the whole program on a folder: welcome, main window, every feature
// that reads a file, and a save.
void exercise(const QString &path) {
    test::RecordingPlatform platform;
    WelcomeWindow welcome(path, platform);
    welcome.load();
    MainWindow form(path, platform);
    form.setWelcomeWindow(&welcome);
    form.resize(800, 600);
    form.load();
    QVERIFY(form.isLoaded());
    StampGallery gallery(path, form);
    gallery.load();
    for (int page : {0, 1})
        gallery.turnPage(page);
    for (int i = 0; i < std::min(gallery.categoryCount(), 3); ++i)
        gallery.chooseCategory(i);
    gallery.previewStamp(0);
    gallery.chooseStamp(0);
    using B = ToolbarButton;
    for (B command : {B::NextScene, B::PreviousScene, B::NextScene, B::PreviousScene, B::NextScene,
                      B::PreviousScene, B::MirrorStamp, B::GridLines, B::GridDots, B::GridSnapLines,
                      B::Polyline})
        form.runToolbarButton(command);
    form.canvasPressed(Qt::LeftButton, 33, 47);
    form.canvasReleased(Qt::LeftButton, 33, 47);
    form.canvasMoved(Qt::NoButton, 130, 95);
    form.runToolbarButton(ToolbarButton::Gallery);
    form.canvasMoved(Qt::NoButton, 100, 100);
    form.canvasPressed(Qt::LeftButton, 100, 100);
    QTRY_VERIFY_WITH_TIMEOUT(form.canvasEnabled(), 5000);
    for (B command : {B::Save, B::NextDrawing, B::PreviousDrawing, B::Text})
        form.runToolbarButton(command);
    form.canvasMoved(Qt::NoButton, 50, 50);
    form.canvasReleased(Qt::LeftButton, 50, 50);
    QTRY_VERIFY_WITH_TIMEOUT(!gallery.previewPlaying(), 5000);
    // The picker shows every file of the drawings folder, as a placeholder
    // where it is no drawing, and a choice of one never fails.
    DrawingPicker picker(form);
    QSignalSpy shown(&picker, &DrawingPicker::pageShown);
    picker.open(form.drawingFolder().files.path());
    QVERIFY(picker.pageReady() || shown.wait(30000));
    picker.choose(0);
    QVERIFY(form.drawingDocument().undoIndex() >= 0 &&
            form.drawingDocument().undoIndex() < UndoRing::slotCount);
}

using Damage = std::function<void(test::ProgramFolder &)>;

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { limitPictureMemory(); }

    void eachFileBroken_data() {
        QTest::addColumn<Damage>("damage");
        const QStringList textFiles = {"configuracion/mdg.txt", "configuracion/anchorejilla.txt",
                                       "configuracion/idioma.txt"};
        const QStringList pictures = {"escenarios/1.gif", "dibujos/animales/gato.gif",
                                      "camina.gif"};
        using Bytes = std::function<QByteArray(const QString &path)>;
        const QList<QPair<const char *, Bytes>> anyFile = {
            {"zero-length", [](const QString &) { return QByteArray(); }},
            {"blank", [](const QString &) { return QByteArray(" \r\n\r\n"); }},
            {"truncated", truncated},
            {"garbage", [](const QString &) { return garbage(5000); }}};
        const QList<QPair<const char *, Bytes>> textOnly = {
            {"10 MB line", [](const QString &) { return QByteArray(10 << 20, '7'); }}};
        const QList<QPair<const char *, Bytes>> pictureOnly = {
            {"gif claims 65535 x 65535",
             [](const QString &) { return hugeGif(65535, 65535, 65535, 65535); }},
            {"frame larger than its screen",
             [](const QString &) { return hugeGif(16, 16, 3000, 3000); }},
            {"bmp claims 100000 x 100000",
             [](const QString &) { return hugeBmp(100000, 100000); }}};
        for (const QString &file : textFiles + pictures) {
            auto contents = anyFile + (textFiles.contains(file) ? textOnly : pictureOnly);
            for (const auto &[name, bytes] : contents)
                QTest::addRow("%s %s", qPrintable(file), name)
                    << Damage([file, bytes = bytes](test::ProgramFolder &f) {
                           f.write(file, bytes(f.path() + "/" + file));
                       });
            QTest::addRow("%s a folder", qPrintable(file))
                << Damage([file](test::ProgramFolder &f) {
                       QFile::remove(f.path() + "/" + file);
                       f.mkdir(file);
                   });
            QTest::addRow("%s other case", qPrintable(file)) << Damage(
                [file](test::ProgramFolder &f) {
                    const QFileInfo from(f.path() + "/" + file);
                    QFile::rename(from.filePath(), from.path() + "/" + from.fileName().toUpper());
                });
        }
        QTest::addRow("scene is a bmp named gif") << Damage([](test::ProgramFolder &f) {
            QImage red(30, 20, QImage::Format_RGB32);
            red.fill(Qt::red);
            drawings::writeBmp(red, f.path() + "/escenarios/1.gif");
        });
        for (const char *folder : {"dibujos", "escenarios", "configuracion", "misdibujos"}) {
            QTest::addRow("%s is a file", folder) << Damage([folder](test::ProgramFolder &f) {
                QDir(f.path() + "/" + folder).removeRecursively();
                f.write(folder, "not a folder");
            });
            QTest::addRow("%s missing", folder) << Damage([folder](test::ProgramFolder &f) {
                QDir(f.path() + "/" + folder).removeRecursively();
            });
        }
        QTest::addRow("300 categories") << Damage([](test::ProgramFolder &f) {
            for (int i = 0; i < 300; ++i)
                f.mkdir(QStringLiteral("dibujos/c%1").arg(i, 3, 10, QLatin1Char('0')));
        });
        // Empty files: a stamp category and a drawings folder of 10,000 and more.
        for (const char *name : {"dibujos/animales/x%1.gif", "misdibujos/%1.bmp"})
            QTest::addRow("10001 files like %s", name) << Damage([name](test::ProgramFolder &f) {
                for (int i = 0; i <= 10000; ++i)
                    QFile(f.path() + '/' + QString(name).arg(i)).open(QIODevice::WriteOnly);
            });
        QTest::addRow("damaged, foreign and enormous drawings")
            << Damage([](test::ProgramFolder &f) {
                   f.write("misdibujos/0.bmp", hugeBmp(100000, 100000));
                   f.write("misdibujos/1.bmp", garbage(3000));
                   f.write("misdibujos/2.bmp", hugeGif(16, 16, 3000, 3000));
                   QImage wide(9000, 10, QImage::Format_RGB32); // larger than any canvas
                   wide.fill(Qt::green);
                   drawings::writeBmp(wide, f.path() + "/misdibujos/3.bmp");
                   QImage photo(300, 200, QImage::Format_RGB32);
                   photo.fill(Qt::blue);
                   photo.save(f.path() + "/misdibujos/foto.jpg");
                   f.mkdir("misdibujos/carpeta.bmp");
               });
    }

    void eachFileBroken() {
        QFETCH(Damage, damage);
        test::ProgramFolder folder;
        makeGoodFolder(folder);
        damage(folder);
        const auto before = snapshot(folder.path());
        exercise(folder.path());
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(snapshot(folder.path()), before);
    }

    void memoryStaysBounded() {
        // After every case above in this process, including the huge headers.
        const long peak = test::processMemoryKb("VmHWM:");
        qInfo("peak resident memory: %ld kB", peak);
        QVERIFY(peak > 0);
        QVERIFY(peak < 1500 * 1024); // under the sanitizers' own overhead
    }
};

QTEST_MAIN(TestBadInput)
#include "test_badinput.moc"
