// The default program folder the generator builds: every language file holds
// every text of the interface, the optional notes included, none of them
// empty, and a note takes what it is told where the Spanish one does; a cue
// for every magic effect; ten colouring pages, each with shapes to fill.

#include "core/canvas/floodfill.h"
#include "core/canvas/pagelines.h"
#include "core/files/config.h"
#include "core/text/textreader.h"
#include "ui/document/colouringpages.h"

#include <QDirIterator>
#include <QtTest>

using namespace garabix;

class TestSampleData : public QObject {
    Q_OBJECT
private slots:
    void shippedLanguageFilesHoldEveryText() {
        const QString program = qEnvironmentVariable("GARABIX_PROGRAM_DIR");
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
            while (const auto item = r.next()) {
                const auto which = static_cast<config::Text>(items++);
                QVERIFY2(!item->isEmpty(), qPrintable(path));
                if (items > config::textCount)
                    QVERIFY2(item->contains("%1") == config::builtInText(which).contains("%1"),
                             qPrintable(path + ": " + *item));
            }
            QVERIFY2(items == config::allTextCount,
                     qPrintable(path + ": " + QString::number(items)));
        }
        QVERIFY(languages >= 5);
    }

    // Each magic effect has a cue of its own: a sound, and none the same as another's.
    void everyMagicEffectHasACue() {
        const QString program = qEnvironmentVariable("GARABIX_PROGRAM_DIR");
        QSet<QByteArray> cues;
        for (int k = 1; k <= 17; ++k) {
            QFile f(program + QStringLiteral("/sonidos/magia%1.wav").arg(k));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            const QByteArray wav = f.readAll();
            QVERIFY(wav.startsWith("RIFF") && wav.mid(8, 4) == "WAVE" && wav.size() > 4000);
            cues.insert(wav);
        }
        QCOMPARE(cues.size(), 17);
        QVERIFY(!QFile::exists(program + "/sonidos/magia18.wav"));
    }

    // Every page, drawn at a small canvas's size, has crisp lines that close
    // at least four shapes a fill stays inside (white regions that reach no
    // edge of the canvas), one of them a fiftieth of the canvas or more.
    void colouringPagesHaveShapesToFill() {
        const QStringList files = pages::pageFiles(qEnvironmentVariable("GARABIX_PROGRAM_DIR"));
        QCOMPARE(files.size(), 10);
        QSet<QString> names;
        for (const QString &file : files) {
            names.insert(pages::pageName(file));
            const auto lines = PageLines::fromArt(pages::pageArt(file, QSize(800, 500)));
            QImage image(800, 500, QImage::Format_RGB32);
            image.fill(Qt::white);
            lines->drawOver(image, image.rect());
            int closed = 0, largest = 0;
            for (int y = 0; y < image.height(); y += 3)
                for (int x = 0; x < image.width(); x += 3) {
                    if (image.pixel(x, y) != qRgb(255, 255, 255))
                        continue;
                    const QRect r = floodFill(image, x, y, qRgb(255, 255, 255), qRgb(0, 0, 255));
                    if (r.left() > 0 && r.top() > 0 && r.right() < 799 && r.bottom() < 499 &&
                        r.width() * r.height() > 100) {
                        ++closed;
                        largest = std::max(largest, r.width() * r.height());
                    }
                }
            QVERIFY2(closed >= 4, qPrintable(file + ": " + QString::number(closed)));
            QVERIFY2(largest > 800 * 500 / 50, qPrintable(file));
        }
        QCOMPARE(names.size(), 10);
        QVERIFY(names.contains(QStringLiteral("Casa")) &&
                names.contains(QStringLiteral("Dinosaurio")));
    }
};

QTEST_GUILESS_MAIN(TestSampleData)
#include "test_sampledata.moc"
