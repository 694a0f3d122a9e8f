#include "ui/common/platform.h"

#include "core/files/trash.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <QtEndian>
#include <memory>

namespace garabix {

namespace {

// Length in milliseconds of a PCM WAV file from its header, or -1.
int wavLengthMs(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(4096);
    if (head.size() < 44 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    qint64 dataSize = -1;
    int pos = 12;
    while (pos + 8 <= head.size()) {
        const QByteArray id = head.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + pos + 4);
        if (id == "fmt " && pos + 16 <= head.size())
            byteRate = qFromLittleEndian<quint32>(head.constData() + pos + 16);
        if (id == "data") {
            dataSize = std::min<qint64>(size, f.size() - pos - 8);
            break;
        }
        pos += 8 + static_cast<int>(size + (size & 1));
    }
    if (byteRate == 0 || dataSize < 0)
        return -1;
    return static_cast<int>(dataSize * 1000 / byteRate);
}

class QtPlatform : public Platform {
public:
    void playSound(const QString &path, bool wait) override {
        const QFileInfo info(path);
        if (!info.isFile())
            return;
        const int length = wavLengthMs(path);
        if (length < 0)
            return;
        QSoundEffect *effect = effectFor(path);
        effect->play();
        if (!wait)
            return;
        // Without an audio device a sound may report "playing" for ever, so
        // the wait lasts at most the sound's length plus a short margin.
        QElapsedTimer clock;
        clock.start();
        const int limit = std::min(length, 10000) + 150;
        while (clock.elapsed() < limit) {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
            if (clock.elapsed() > 100 && !effect->isPlaying())
                break;
        }
    }

    void preloadSound(const QString &path) override {
        if (QFileInfo(path).isFile() && wavLengthMs(path) >= 0)
            effectFor(path);
    }

    void setClipboardImage(const QImage &image) override {
        QClipboard *cb = QApplication::clipboard();
        if (!cb)
            return;
        cb->clear();
        cb->setImage(image);
    }

    void printImage(const QImage &image, QSizeF sizeInches) override {
        if (QPrinterInfo::defaultPrinter().isNull())
            return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        QPainter p;
        if (!p.begin(&printer))
            return;
        const QRectF target(0, 0, sizeInches.width() * printer.resolution(),
                            sizeInches.height() * printer.resolution());
        p.drawImage(target, image);
        p.end();
    }

    void openFolder(const QString &path) override {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }

    bool askYesNo(QWidget *parent, const QString &question, const QString &yes,
                  const QString &no) override {
        const std::unique_ptr<QMessageBox> box(questionBox(parent, question, yes, no));
        return box->exec() == QMessageBox::Yes;
    }

    void quit() override { QApplication::exit(0); }

    bool moveToTrash(const QString &path) override {
        return trash::moveToTrash(path, trash::homeTrash());
    }

    void notify(QWidget *parent, const QString &text, Notice kind) override {
        if (!parent)
            return;
        // One note at a time: a new one replaces the one on show.
        for (QLabel *old : parent->findChildren<QLabel *>(QStringLiteral("garabixNotice")))
            old->deleteLater();
        auto *note = new QLabel(parent);
        note->setObjectName(QStringLiteral("garabixNotice"));
        note->setTextFormat(Qt::PlainText);
        note->setText(text);
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
        const int width = std::min(parent->width() - 40, done ? 360 : 640);
        note->setFixedWidth(std::max(width, 120));
        note->adjustSize();
        note->move((parent->width() - note->width()) / 2, parent->height() / 3);
        note->show();
        note->raise();
        QTimer::singleShot(done ? 1800 : 7000, note, &QObject::deleteLater);
    }

private:
    QSoundEffect *effectFor(const QString &path) {
        QSoundEffect *effect = effects.value(path);
        if (!effect) {
            effect = new QSoundEffect(qApp);
            effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
            effects.insert(path, effect);
        }
        return effect;
    }

    QHash<QString, QSoundEffect *> effects; // one per cue
};

} // namespace

bool installQtTranslations(const QLocale &locale) {
    auto translator = std::make_unique<QTranslator>(qApp);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
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
