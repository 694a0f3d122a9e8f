// The configuration reader: sequential items, numeric reading, decoding,
// case-insensitive paths and the folder and file lists.

#include "core/app/config.h"
#include "core/app/folderlist.h"
#include "core/app/layout.h"
#include "core/app/numeric.h"
#include "core/app/paths.h"
#include "core/app/scenes.h"
#include "core/app/textreader.h"
#include "testutil.h"

#include <QtTest>
#include <clocale>
#include <cmath>
#include <string>

using namespace garabix;

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void roundingHalvesToEven() {
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(*intDiv(1215, 2), 607LL);
        QCOMPARE(*intDiv(-7.5, 2), -4LL); // -7.5 -> -8, / 2 = -4
        QCOMPARE(*intDiv(7, 2.5), 3LL);   // 2.5 -> 2
        QVERIFY(!intDiv(5, 0.4).has_value());
        // Outside numbers saturate instead of overflowing.
        QCOMPARE(*intDiv(HUGE_VAL, 1), 9200000000000000000LL);
        QCOMPARE(*intDiv(-HUGE_VAL, 3), -3066666666666666666LL);
        QCOMPARE(roundToInt(std::nan("")), 0LL);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "3" << 3.0;
        QTest::newRow("letters after") << "12abc" << 12.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks inside") << " 1 2\t3" << 123.0;
        QTest::newRow("sign and blank") << "- 4" << -4.0;
        QTest::newRow("decimal") << "2.5x" << 2.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent without digits") << "7e" << 7.0;
        QTest::newRow("bare point") << "." << 0.0;
        QTest::newRow("point then digits") << ".5" << 0.5;
        QTest::newRow("decimal and exponent") << "1.5e1" << 15.0;
        QTest::newRow("too small") << "0.001e-400" << 0.0;
        QTest::newRow("too large") << "-12e400" << -HUGE_VAL;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(garabix::leadingNumber(text), value);
    }

    void numbersReadTheSameOnACommaDecimalDesktop() {
        const std::string before = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "es_ES.UTF-8"))
            QSKIP("the es_ES.UTF-8 locale is not generated on this machine");
        QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));
        const double half = garabix::leadingNumber("3.5");
        const double exponent = garabix::leadingNumber("1.5e1");
        const auto limit = config::numberField("3.5");
        std::setlocale(LC_ALL, before.c_str());
        QCOMPARE(half, 3.5);
        QCOMPARE(exponent, 15.0);
        QCOMPARE(*limit, int16_t(4)); // "3.5" in mdg.txt allows 4 drawings
    }

    void numberFieldRangeAndRounding() {
        QCOMPARE(*config::numberField("2.5"), int16_t(2));
        QCOMPARE(*config::numberField("3.5"), int16_t(4));
        QCOMPARE(*config::numberField("32767"), int16_t(32767));
        QCOMPARE(*config::numberField("-32768.4"), int16_t(-32768));
        QVERIFY(!config::numberField("32767.5").has_value()); // rounds to 32768
        QVERIFY(!config::numberField("1e400").has_value());
        QVERIFY(!config::numberField(QString(5000, QLatin1Char('9'))).has_value());
    }

    void sequentialItems() {
        SequentialReader r(QStringLiteral("  one, two \r\n\"a, b\" tail,x\n\nlast"));
        QCOMPARE(*r.next(), QStringLiteral("one"));
        QCOMPARE(*r.next(), QStringLiteral("two"));
        QCOMPARE(*r.next(), QStringLiteral("a, b"));
        QCOMPARE(*r.next(), QStringLiteral("x"));
        QCOMPARE(*r.next(), QString()); // the empty line is an empty item
        QCOMPARE(*r.next(), QStringLiteral("last"));
        QVERIFY(!r.next().has_value());
    }

    void unterminatedQuoteRunsToTheEnd() {
        SequentialReader r(QStringLiteral("\"open, to the end\nnext"));
        QCOMPARE(*r.next(), QStringLiteral("open, to the end\nnext"));
        QVERIFY(!r.next().has_value());
    }

    void decodesUtf8AndWindows1252() {
        QCOMPARE(decodeText(QByteArray("\xEF\xBB\xBF"
                                       "Lápiz")),
                 QStringLiteral("Lápiz"));
        // "Lápiz" and the euro sign in Windows-1252.
        QCOMPARE(decodeText(QByteArray("L\xE1piz \x80")), QString::fromUtf8("Lápiz €"));
    }

    void configurationFiles() {
        test::ProgramFolder folder;
        folder.write("configuracion/anchorejilla.txt", "20,30\n");
        folder.write("configuracion/mdg.txt", "12 dibujos\n");
        QCOMPARE(*config::readGridSpacing(folder.path()), int16_t(20));
        QCOMPARE(*config::readDrawingLimitText(folder.path()), QStringLiteral("12 dibujos"));
        folder.write("configuracion/anchorejilla.txt", "");
        QVERIFY(!config::readGridSpacing(folder.path()).has_value());
        folder.write("configuracion/anchorejilla.txt", "99999\n");
        QVERIFY(!config::readGridSpacing(folder.path()).has_value());
    }

    void languageFileCommasAndQuotes() {
        test::ProgramFolder folder;
        QByteArray plain, quoted;
        for (int i = 0; i < 30; ++i) {
            plain += i == 4 ? QByteArray("hola, mundo\n") : "t" + QByteArray::number(i) + "\n";
            quoted += i == 4 ? QByteArray("\"hola, mundo\"\n") : "t" + QByteArray::number(i) + "\n";
        }
        // Written in another case: "\Configuracion\" finds "configuracion".
        folder.write("configuracion/idioma.txt", plain);
        QStringList t = config::readLanguageTexts(folder.path());
        QCOMPARE(t.size(), 30);
        QCOMPARE(t[4], QStringLiteral("hola"));
        QCOMPARE(t[5], QStringLiteral("mundo"));
        QCOMPARE(t[6], QStringLiteral("t5"));
        QCOMPARE(t[29], QStringLiteral("t28")); // the last line is not read

        folder.write("configuracion/idioma.txt", quoted);
        t = config::readLanguageTexts(folder.path());
        QCOMPARE(t[4], QStringLiteral("hola, mundo"));
        QCOMPARE(t[29], QStringLiteral("t29"));

        folder.write("configuracion/idioma.txt", "solo uno\n");
        t = config::readLanguageTexts(folder.path());
        QCOMPARE(t[0], QStringLiteral("solo uno"));
        QCOMPARE(t[1], QString());
    }

    void shippedLanguageFilesHoldThirtyTexts() {
        const QString program = qEnvironmentVariable("GARABIX_PROGRAM_DIR");
        QDir dir(program + "/configuracion/idiomas");
        QStringList files;
        for (const QString &f : dir.entryList({"*.txt"}, QDir::Files))
            files.append(dir.filePath(f));
        QVERIFY(files.size() >= 4);
        files.prepend(program + "/configuracion/idioma.txt");
        for (const QString &path : files) {
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            const QStringList texts = config::readLanguageFile(path);
            SequentialReader r = *SequentialReader::open(path);
            int items = 0;
            while (r.next())
                ++items;
            QVERIFY2(items == 30, qPrintable(path + ": " + QString::number(items)));
            for (const QString &t : texts)
                QVERIFY2(!t.isEmpty(), qPrintable(path));
        }
    }

    void pathsIgnoreCase() {
        test::ProgramFolder folder;
        folder.write("Escenarios/1.GIF", "x");
        QCOMPARE(resolvePath(folder.path(), "\\escenarios\\1.gif"),
                 folder.path() + "/Escenarios/1.GIF");
        QCOMPARE(resolvePath(folder.path(), "\\nada\\1.gif"), folder.path() + "/nada/1.gif");
    }

    void sceneCounting() {
        test::ProgramFolder folder;
        QCOMPARE(countScenes(folder.path()), 0);
        folder.write("escenarios/1.gif", "x");
        folder.write("escenarios/2.gif", "x");
        folder.write("escenarios/4.gif", "x");
        QCOMPARE(countScenes(folder.path()), 2);
        folder.mkdir("escenarios/3.gif"); // a folder does not count
        QCOMPARE(countScenes(folder.path()), 2);

        test::ProgramFolder other;
        other.write("escenarios/01.gif", "x");
        other.write("escenarios/1.GIF", "x");
        QCOMPARE(countScenes(other.path()), 1);
    }

    void listsSortWithoutCase() {
        test::ProgramFolder folder;
        for (const char *name : {"2.bmp", "10.bmp", "B.txt", "a.txt"})
            folder.write(QString("d/") + name, "x");
        folder.mkdir("d/sub");
        FileList files;
        QVERIFY(files.setPath(folder.path() + "/d"));
        QCOMPARE(files.count(), 4);
        QCOMPARE(files.entry(0), QStringLiteral("10.bmp"));
        QCOMPARE(files.entry(1), QStringLiteral("2.bmp"));
        QCOMPARE(files.entry(2), QStringLiteral("a.txt"));
        QCOMPARE(files.entry(3), QStringLiteral("B.txt"));
        QCOMPARE(files.entry(4), QString());
        QCOMPARE(files.entry(-1), QString());
        folder.write("d/0.bmp", "x");
        QCOMPARE(files.count(), 4);
        files.refresh();
        QCOMPARE(files.count(), 5);

        FolderList dirs;
        QVERIFY(dirs.setPath(folder.path() + "/d"));
        QCOMPARE(dirs.count(), 1);
        QVERIFY(!dirs.setPath(folder.path() + "/d/2.bmp"));
        QCOMPARE(dirs.path(), folder.path() + "/d");
    }

    void layoutOf800x600() {
        const auto l = layout::arrangeMainWindow(12000, 9000);
        QCOMPARE(l.frame, QRectF(1815, 345, 10185, 8240));
        const double side = 9000 - 8240 - 345;
        QCOMPARE(l.command5[0], QRectF(1815 + 500, 345 + 8240 + 10, side, side));
        for (int i = 1; i < 10; ++i) {
            QCOMPARE(l.command5[i].left(), l.command5[i - 1].right());
            QCOMPARE(l.command5[i].size(), l.command5[0].size());
        }
        QCOMPARE(l.combo1.left(), l.command5[9].right() + 200);
        QCOMPARE(l.combo2.left(), l.combo1.right() + 50);
        QCOMPARE(l.command3[0].left(), l.combo2.right() + 100);
        QCOMPARE(l.command3[1].left(), l.command3[0].left() + 375 + 20);
        QCOMPARE(layout::command1Rect(23), QRectF(1200, 600, 615, 615));
        QCOMPARE(layout::command1Rect(12), QRectF(960, 5400, 855, 855));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
