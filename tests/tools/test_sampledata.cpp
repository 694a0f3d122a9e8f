// The default program folder: scenes, stamps, walker, sounds, and a generator
// that writes the same bytes every time.

#include "core/text/textreader.h"
#include "ui/common/uiutil.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

namespace {

QString programDir() {
    return qEnvironmentVariable("GARABIX_PROGRAM_DIR");
}

QMap<QString, QByteArray> digests(const QString &root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            out.insert(QDir(root).relativeFilePath(path),
                       QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return out;
}

} // namespace

using namespace garabix;

class TestSampleData : public QObject {
    Q_OBJECT
private slots:
    // Every category holds at least a page of stamps, each a short animation on
    // white; the cues are short 16-bit PCM sounds.
    void stampsAreShortAnimationsOnWhiteAndSoundsShortPcm() {
        QDirIterator stamps(programDir() + "/dibujos", {"*.gif"}, QDir::Files,
                            QDirIterator::Subdirectories);
        QMap<QString, int> perCategory;
        while (stamps.hasNext()) {
            QImageReader r(stamps.next());
            ++perCategory[stamps.fileInfo().dir().dirName()];
            const int frames = r.imageCount();
            const QImage first = r.read();
            const int playMs = frames * r.nextImageDelay();
            QVERIFY2(frames >= 6 && playMs >= 900 && playMs <= 2100, qPrintable(r.fileName()));
            QCOMPARE(first.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu); // white shows through
        }
        QVERIFY(perCategory.size() >= 4);
        for (int count : perCategory)
            QVERIFY(count >= 9);
        for (const char *cue : {"sonido1.wav", "sonido3.wav", "sonido4.wav", "sonido5.wav"}) {
            QFile f(programDir() + "/sonidos/" + cue);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray b = f.readAll();
            QVERIFY(b.startsWith("RIFF") && b.mid(8, 8) == "WAVEfmt ");
            QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 20), quint16(1));  // PCM
            QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 34), quint16(16)); // 16-bit
            const double ms = 1000.0 * qFromLittleEndian<quint32>(b.constData() + 40) /
                              qFromLittleEndian<quint32>(b.constData() + 28);
            QVERIFY2(ms > 30 && ms < 1000, cue);
        }
    }

    void generatorIsDeterministic() {
        QTemporaryDir a, b;
        for (const QTemporaryDir *dir : {&a, &b}) {
            QProcess p;
            p.start(qEnvironmentVariable("GARABIX_SAMPLEDATA"),
                    {qEnvironmentVariable("GARABIX_ASSETS"), dir->path()});
            QVERIFY(p.waitForFinished(240000));
            QCOMPARE(p.exitCode(), 0);
        }
        const auto first = digests(a.path());
        QVERIFY(first.size() > 50);
        QCOMPARE(digests(b.path()), first);
        // And the build's program folder holds the same art.
        const auto built = digests(programDir());
        for (auto it = first.begin(); it != first.end(); ++it)
            QCOMPARE(built.value(it.key()), it.value());
    }

    void shippedLanguageFilesHoldThirtyTexts() {
        const QString program = programDir();
        QDirIterator files(program + "/configuracion", {"*.txt"}, QDir::Files,
                           QDirIterator::Subdirectories);
        int languages = 0;
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.endsWith("mdg.txt") || path.endsWith("anchorejilla.txt"))
                continue;
            ++languages;
            SequentialReader r = *SequentialReader::open(path);
            int items = 0;
            while (const auto item = r.next())
                QVERIFY2(!(++items, item->isEmpty()), qPrintable(path));
            QVERIFY2(items == 30, qPrintable(path + ": " + QString::number(items)));
        }
        QVERIFY(languages >= 5);
    }
};

QTEST_MAIN(TestSampleData)
#include "test_sampledata.moc"
