// The default program folder the generator builds: every language file holds
// every text of the interface, the optional notes included, none of them
// empty, and a note takes what it is told where the Spanish one does; a cue
// for every magic effect.

#include "core/files/config.h"
#include "core/text/textreader.h"

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
};

QTEST_GUILESS_MAIN(TestSampleData)
#include "test_sampledata.moc"
