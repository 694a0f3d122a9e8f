// The grid overlay: the dot cap and what a small update draws.

#include "core/grid/grid.h"

#include <QtTest>

using namespace garabix;

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void dotLatticeStopsAt32767RowByRow() {
        GridOverlay g;
        BuildGridDots(g, 10, 3840, 2160); // 384 x 216 crossings
        QCOMPARE(g.gridDotCount, 32767);
        QCOMPARE(g.Line2.size(), 32768);
        // 32767 = 85 full rows of 384 and 127 dots of row 86.
        QCOMPARE(g.Line2[32767].p1(), QPointF(127 * 10, 86 * 10));
        QCOMPARE(g.Line2[384 * 85].p1(), QPointF(3840, 850));
    }

    void crossingQueriesMatchABruteForceScan() {
        GridOverlay g;
        BuildGridLines(g, 10, 3840, 2160, 57600, 32400);
        BuildGridDots(g, 10, 3840, 2160);
        const QRect probes[] = {QRect(95, 95, 12, 12), QRect(0, 0, 3, 3), QRect(3830, 850, 20, 20),
                                QRect(1269, 859, 3, 3)};
        for (const QRect &r : probes) {
            QSet<int> expectedDots;
            for (int k = 1; k <= g.gridDotCount; ++k)
                if (r.adjusted(-1, -1, 1, 1).contains(g.Line2[k].p1().toPoint()))
                    expectedDots.insert(k);
            const QVector<int> dots = g.dotsInside(r);
            const QSet<int> got(dots.begin(), dots.end());
            QVERIFY2(got.contains(expectedDots), qPrintable(QString::number(r.x())));
            QVERIFY(dots.size() < 64); // a small update looks at few dots

            QSet<int> expectedLines;
            for (int i = 1; i < g.gridLineCount; ++i) {
                const QLineF &l = g.Line1[i];
                const bool vertical = l.x1() == l.x2();
                if ((vertical && l.x1() >= r.left() && l.x1() <= r.right()) ||
                    (!vertical && l.y1() >= r.top() && l.y1() <= r.bottom()))
                    expectedLines.insert(i);
            }
            const QVector<int> lines = g.linesCrossing(r);
            QVERIFY(QSet<int>(lines.begin(), lines.end()).contains(expectedLines));
            QVERIFY(lines.size() < 16);
        }
    }
};

QTEST_GUILESS_MAIN(TestGrid)
#include "test_grid.moc"
