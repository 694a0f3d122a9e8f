// Reading numbers and texts: rounding, the leading number of a text, sequential
// items and the two encodings of the data files. ./test.sh runs this on a
// Spanish desktop, whose decimal comma must not change how "3.5" reads.

#include "core/base/outcome.h"
#include "core/files/config.h"
#include "core/text/numeric.h"
#include "core/text/textreader.h"

#include <QtTest>
#include <cmath>

using namespace garabix;

class TestText : public QObject {
    Q_OBJECT
private slots:
    // The causes a note names: a used-up quota is a full disk as much as a
    // full disk is; a folder that refuses the user or cannot be written at
    // all is no permission; a failure with no cause is an input/output error.
    void causesAParentCanMend() {
        QVERIFY(Outcome::failed(ENOSPC).diskFull() && Outcome::failed(EDQUOT).diskFull());
        QVERIFY(!Outcome::failed(EIO).diskFull() && !Outcome::failed(EACCES).diskFull());
        for (int error : {EACCES, EPERM, EROFS})
            QVERIFY(Outcome::failed(error).noPermission());
        QVERIFY(!Outcome::failed(ENOSPC).noPermission() && !Outcome::done().noPermission());
        QCOMPARE(Outcome::failed(0).error, EIO);
    }

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
        QTest::newRow("decimal and exponent") << "1.5e1" << 15.0;
        QTest::newRow("too small") << "0.001e-400" << 0.0;
        QTest::newRow("too large") << "-12e400" << -HUGE_VAL;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(garabix::leadingNumber(text), value);
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
        // The empty line is an empty item; a quoted item keeps its comma.
        for (const char *item : {"one", "two", "a, b", "x", "", "last"})
            QCOMPARE(*r.next(), QString(item));
        QVERIFY(!r.next().has_value());
        SequentialReader open(QStringLiteral("\"open, to the end\nnext"));
        QCOMPARE(*open.next(), QStringLiteral("open, to the end\nnext"));
        QVERIFY(!open.next().has_value());
    }

    void decodesUtf8AndWindows1252() {
        QCOMPARE(decodeText("\xEF\xBB\xBFL\xC3\xA1piz"), QStringLiteral("Lápiz")); // UTF-8
        // "Lápiz" and the euro sign in Windows-1252.
        QCOMPARE(decodeText(QByteArray("L\xE1piz \x80")), QString::fromUtf8("Lápiz €"));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
