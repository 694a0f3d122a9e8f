// The default program folder the generator builds: every language file holds
// the 30 texts of the interface, none of them empty.

#include "core/text/textreader.h"

#include <QDirIterator>
#include <QtTest>

using namespace garabix;

class TestSampleData : public QObject {
    Q_OBJECT
private slots:
    void shippedLanguageFilesHoldThirtyTexts() {
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
                ++items;
                QVERIFY2(!item->isEmpty(), qPrintable(path));
            }
            QVERIFY2(items == 30, qPrintable(path + ": " + QString::number(items)));
        }
        QVERIFY(languages >= 5);
    }
};

QTEST_GUILESS_MAIN(TestSampleData)
#include "test_sampledata.moc"
