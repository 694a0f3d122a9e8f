#include "ui/platform/platform.h"

#include "core/base/log.h"
#include "core/files/trash.h"
#include "ui/platform/cueplayer.h"
#include "ui/platform/printing.h"
#include "ui/platform/printqueue.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFutureWatcher>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

namespace garabix {

namespace {

class QtPlatform : public Platform {
public:
    void playSound(const QString &path, bool wait) override {
        const int length = wavLengthMs(path);
        if (length < 0)
            return;
        const uint32_t play = cues.play(path);
        if (!wait || play == 0)
            return;
        // The wait lasts at most the sound's length and a short margin, even
        // when the sound server never says that it ended.
        QElapsedTimer clock;
        clock.start();
        const int limit = std::min(length, 10000) + 150;
        while (clock.elapsed() < limit) {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
            if (clock.elapsed() > 100 && !cues.isPlaying(play))
                break;
        }
    }

    void preloadSound(const QString &path) override { cues.preload(path); }

    void setClipboardImage(const QImage &image) override {
        QClipboard *cb = QApplication::clipboard();
        if (!cb) {
            qCWarning(logDesktop, "no clipboard to copy the drawing to");
            return;
        }
        cb->clear();
        cb->setImage(image);
    }

    void printImage(const QImage &image, std::function<void(Printed)> done) override {
        const QPrinterInfo queue = QPrinterInfo::defaultPrinter();
        if (queue.isNull()) {
            qCWarning(logPrint, "no printer is set up");
            done(Printed::NoPrinter);
            return;
        }
        // The page is made here, laid out as the queue's paper asks, and
        // handed to the scheduler on another thread, which follows the job.
        auto pdf = std::make_shared<QTemporaryFile>(QDir::tempPath() +
                                                    QStringLiteral("/garabix-print-XXXXXX.pdf"));
        QPrinter printer(queue, QPrinter::HighResolution);
        const QPageLayout layout = printer.pageLayout();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(layout);
        printer.setDocName(QStringLiteral("Garabix"));
        if (!pdf->open() ||
            (printer.setOutputFileName(pdf->fileName()), !printPicture(printer, image))) {
            qCWarning(logPrint) << "the page could not be made:" << pdf->errorString();
            done(Printed::Refused);
            return;
        }
        const QString name = queue.printerName();
        const QString file = pdf->fileName();
        auto *watcher = new QFutureWatcher<printqueue::Answer>();
        QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [=] {
            const printqueue::Answer answer = watcher->result();
            watcher->deleteLater();
            pdf->remove();
            if (answer.ok)
                qCDebug(logPrint) << "printed on" << name;
            else
                qCWarning(logPrint)
                    << "the printer" << name << "refused the drawing:" << answer.reason;
            done(answer.ok ? Printed::Done : Printed::Refused);
        });
        watcher->setFuture(QtConcurrent::run([name, file] {
            const printqueue::Answer ready = printqueue::readiness(name);
            return ready.ok ? printqueue::send(name, file, 5000) : ready;
        }));
    }

    bool openFolder(const QString &path) override {
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            return true;
        qCWarning(logDesktop) << "no program opened the folder" << path;
        return false;
    }

    bool askYesNo(QWidget *parent, const QString &question, const QString &yes,
                  const QString &no) override {
        const std::unique_ptr<QMessageBox> box(questionBox(parent, question, yes, no));
        return box->exec() == QMessageBox::Yes;
    }

    void quit() override { QApplication::exit(0); }

    Outcome moveToTrash(const QString &path) override {
        return trash::moveToTrash(path, trash::homeTrash());
    }

    void useLanguage(const QString &code) override { installQtTranslations(QLocale(code)); }

    void notify(QWidget *parent, const QString &text, Notice kind) override {
        if (!parent)
            return;
        // One note at a time: a new one replaces the one on show.
        for (QLabel *old : parent->findChildren<QLabel *>(QString::fromLatin1(widgetname::notice)))
            old->deleteLater();
        auto *note = new QLabel(parent);
        note->setObjectName(QString::fromLatin1(widgetname::notice));
        note->setTextFormat(Qt::PlainText);
        note->setText(wrappableText(text));
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignCenter);
        note->setAttribute(Qt::WA_TransparentForMouseEvents);
        const bool done = kind == Notice::Done;
        note->setStyleSheet(
            done ? QStringLiteral("background:#2e7d32;color:white;border-radius:8px;"
                                  "padding:10px;font-size:16pt;font-weight:bold;")
                 : QStringLiteral("background:#fff3cd;color:#5c3c00;border:3px solid "
                                  "#e65100;border-radius:8px;padding:12px;"
                                  "font-size:14pt;"));
        // Wide enough for the longest piece that cannot wrap (a file's name),
        // as far as the window allows.
        note->ensurePolished();
        const QFontMetrics metrics(note->font());
        int widest = 0;
        for (const QString &piece :
             note->text().split(QRegularExpression(QStringLiteral("[\\s\\x{200B}]+"))))
            widest = std::max(widest, metrics.horizontalAdvance(piece));
        const int padding = done ? 2 * 10 + 8 : 2 * (12 + 3) + 8;
        const int width =
            std::min(parent->width() - 40, std::max(done ? 360 : 640, widest + padding));
        note->setFixedWidth(std::max(width, 120));
        note->adjustSize();
        note->move((parent->width() - note->width()) / 2, parent->height() / 3);
        note->show();
        note->raise();
        QTimer::singleShot(done ? 1800 : 7000, note, &QObject::deleteLater);
    }

private:
    CuePlayer cues;
};

} // namespace

bool installQtTranslations(const QLocale &locale) {
    static QPointer<QTranslator> installed;
    delete installed;
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return true;
    auto translator = std::make_unique<QTranslator>(qApp);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qCWarning(logStartup) << "Qt has no translation for" << locale.name();
        return false;
    }
    installed = translator.get();
    return QCoreApplication::installTranslator(translator.release());
}

QMessageBox *questionBox(QWidget *parent, const QString &question, const QString &yes,
                         const QString &no) {
    auto *box = new QMessageBox(QMessageBox::Question, QStringLiteral("Garabix"), question,
                                QMessageBox::Yes | QMessageBox::No, parent);
    box->setTextFormat(Qt::PlainText);
    box->button(QMessageBox::Yes)->setText(yes);
    box->button(QMessageBox::No)->setText(no);
    // Return must never throw a drawing away.
    box->setDefaultButton(QMessageBox::No);
    return box;
}

Platform &qtPlatform() {
    static QtPlatform platform;
    return platform;
}

} // namespace garabix
