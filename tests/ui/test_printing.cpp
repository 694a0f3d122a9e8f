// A printed drawing is whole on the page: printed through Qt's PDF output
// on A4 and Letter, with the printer's usual margins and wide ones, and
// rendered back with pdftoppm, the frame drawn around a wide and a tall
// drawing shows all four sides, centred, as large as the page allows. A
// real queue that refuses jobs or is stopped gives the window's note.

#include "testutil.h"
#include "ui/platform/printing.h"

#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace garabix;
using B = ToolbarButton;

namespace {

// A drawing of `size` with a red frame 3 pixels wide along its edges.
QImage framedDrawing(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::red);
    p.fillRect(QRect(QPoint(3, 3), size - QSize(6, 6)), Qt::white);
    p.fillRect(QRect(size.width() / 3, size.height() / 3, 20, 20), Qt::blue);
    return image;
}

bool isRed(QRgb c) {
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

// Runs a CUPS command on the test run's scheduler; answers what it said.
QString cups(const QString &program, const QStringList &arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    p.waitForFinished(30000);
    return p.exitCode() == 0 ? QString() : program + ": " + QString::fromLocal8Bit(p.readAll());
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void theWholeDrawingIsOnThePage_data() {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<double>("marginMm");
        QTest::addColumn<QSize>("drawing");
        for (auto [paper, name] : {std::pair{QPageSize::A4, "A4"}, {QPageSize::Letter, "Letter"}})
            for (double margin : {6.35, 25.0})
                for (QSize drawing : {QSize(1159, 549), QSize(400, 700)})
                    QTest::addRow("%s margin %g, %dx%d", name, margin, drawing.width(),
                                  drawing.height())
                        << paper << margin << drawing;
    }
    void theWholeDrawingIsOnThePage() {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(double, marginMm);
        QFETCH(QSize, drawing);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("page.pdf"));
        printer.setPageSize(QPageSize(paper));
        printer.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm),
                               QPageLayout::Millimeter);
        QVERIFY(printPicture(printer, framedDrawing(drawing)));

        const int dpi = 50;
        QProcess render;
        render.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile",
                                  dir.filePath("page.pdf"), dir.filePath("page")});
        QVERIFY(render.waitForFinished(60000) && render.exitCode() == 0);
        const QImage page(dir.filePath("page.png"));
        QVERIFY(!page.isNull());
        const bool wide = drawing.width() > drawing.height();
        QCOMPARE(page.width() > page.height(), wide); // the page turns with the drawing

        // The frame's bounding box and how much of each side is red.
        QRect box;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (isRed(page.pixel(x, y)))
                    box |= QRect(x, y, 1, 1);
        QVERIFY(!box.isEmpty());
        const QPoint along[4][2] = {{box.topLeft(), {1, 0}},
                                    {box.bottomLeft(), {1, 0}},
                                    {box.topLeft(), {0, 1}},
                                    {box.topRight(), {0, 1}}};
        for (const auto &[from, step] : along) {
            const int count = step.x() ? box.width() : box.height();
            int red = 0;
            for (int i = 0; i < count; ++i)
                red += isRed(page.pixel(from + step * i));
            QVERIFY(red > 0.9 * count); // each side of the frame is there
        }
        // Proportions kept, centred, and as large as the printable area allows.
        QVERIFY(std::abs(double(box.width()) / box.height() -
                         double(drawing.width()) / drawing.height()) < 0.02);
        const double margin = marginMm / 25.4 * dpi;
        const QRectF printable = QRectF(page.rect()).adjusted(margin, margin, -margin, -margin);
        QVERIFY(std::abs(box.center().x() - printable.center().x()) <= 2);
        QVERIFY(std::abs(box.center().y() - printable.center().y()) <= 2);
        QVERIFY(box.width() >= printable.width() - 3 || box.height() >= printable.height() - 3);
        QVERIFY(printable.adjusted(-2, -2, 2, 2).contains(box));
        qInfo("page %dx%d px at %d dpi: frame at (%d, %d) %dx%d", page.width(), page.height(), dpi,
              box.x(), box.y(), box.width(), box.height());
    }

    // On the test run's own scheduler: a queue that rejects jobs and one
    // that is stopped each give the note in the language file's language,
    // and a garabix.print line with the scheduler's reason.
    void aQueueThatRefusesIsSaid_data() {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("reason");
        QTest::newRow("rejecting") << "cupsreject"
                                   << "not accepting";
        QTest::newRow("stopped") << "cupsdisable"
                                 << "stopped";
    }
    void aQueueThatRefusesIsSaid() {
        QFETCH(QString, refusal);
        QFETCH(QString, reason);
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            QSKIP("no print scheduler of the test run (it needs root)");
        const QString queue = "Garabix" + QString(QTest::currentDataTag());
        QCOMPARE(cups("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P",
                                  "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"}),
                 QString());
        QCOMPARE(cups(refusal, {queue}), QString());
        qputenv("PRINTER", queue.toUtf8());
        test::LoadedMainWindow w({}, &qtPlatform());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("the printer .*" + queue +
                                                              ".* refused "
                                                              "the drawing: .*" +
                                                              reason));
        w.form->runToolbarButton(B::Print);
        QLabel *note = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((note = w.form->findChild<QLabel *>(widgetname::notice)), 10000);
        QCOMPARE(note->text(), w.form->text(config::Text::PrintFailed));
        qunsetenv("PRINTER");
        cups("lpadmin", {"-x", queue});
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
