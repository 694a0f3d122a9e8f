#include "ui/picker/slideshow.h"

#include "core/files/pictures.h"
#include "ui/access/access.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace garabix {

// What the show and its reading thread share. The thread holds it as long
// as it runs; the show marks it stopped when it ends, and from then on the
// thread hands nothing back.
struct Slideshow::Shared {
    std::mutex lock;
    std::condition_variable wake;
    bool stopped = false;
    Slideshow *show = nullptr; // valid while not stopped
    QString folder;
    QSize screen;
    std::chrono::milliseconds relist{3000};
    std::deque<TreeDrawing> reads;
    bool listNow = true;

    // Runs `deliver` on the show's thread, unless the show has ended.
    template <typename Deliver> void handBack(Deliver &&deliver) {
        const std::lock_guard<std::mutex> held(lock);
        if (!stopped)
            QMetaObject::invokeMethod(show, std::forward<Deliver>(deliver), Qt::QueuedConnection);
    }

    void run() {
        auto nextList = std::chrono::steady_clock::now();
        for (;;) {
            std::unique_lock<std::mutex> held(lock);
            wake.wait_until(held, nextList,
                            [this] { return stopped || !reads.empty() || listNow; });
            if (stopped)
                return;
            if (!reads.empty()) {
                const TreeDrawing drawing = reads.front();
                reads.clear(); // only the newest wish counts
                const QSize fit = screen;
                held.unlock();
                QImage read = loadPicture(drawing.path);
                if (!read.isNull() && fit.isValid() &&
                    (read.width() > fit.width() || read.height() > fit.height()))
                    read = read.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                const QString identity = drawing.identity();
                handBack([this, identity, read] { show->arrived(identity, read); });
                continue;
            }
            const auto now = std::chrono::steady_clock::now();
            if (listNow || now >= nextList) {
                listNow = false;
                const QString top = folder;
                held.unlock();
                std::vector<TreeDrawing> found = drawingsUnder(top);
                handBack([this, found = std::move(found)] { show->listed(found); });
                nextList = std::chrono::steady_clock::now() + relist;
            }
        }
    }
};

Slideshow::Slideshow(const QString &folder, const QString &emptyText, QWidget *parent)
    : QWidget(parent), shared(std::make_shared<Shared>()) {
    setWindowTitle(QStringLiteral("Garabix"));
    setBackground(this, Qt::black);
    setCursor(Qt::BlankCursor);
    view = new QLabel(this);
    view->setObjectName(QString::fromLatin1(widgetname::slideshowPicture));
    view->setAlignment(Qt::AlignCenter);
    caption = new QLabel(this);
    caption->setObjectName(QString::fromLatin1(widgetname::slideshowCaption));
    caption->setTextFormat(Qt::PlainText);
    caption->setStyleSheet(QStringLiteral("color: #f0f0f0; background: rgba(0, 0, 0, 150);"
                                          "padding: 4px 12px; border-radius: 8px;"));
    caption->hide();
    note = new QLabel(emptyText, this);
    note->setTextFormat(Qt::PlainText);
    note->setAlignment(Qt::AlignCenter);
    note->setStyleSheet(QStringLiteral("color: #f0f0f0; font-size: 28px;"));
    advance.setSingleShot(true);
    advance.setInterval(defaultIntervalMs);
    connect(&advance, &QTimer::timeout, this, [this] { step(1); });

    shared->show = this;
    shared->folder = folder;
    std::thread([s = shared] { s->run(); }).detach();
}

// Without a window manager a full-screen window keeps its first size, so it
// starts at the whole of its screen.
void Slideshow::showOnWholeScreen() {
    if (const QScreen *on = screen())
        setGeometry(on->geometry());
    showFullScreen();
    raise();
    activateWindow();
}

Slideshow::~Slideshow() {
    const std::lock_guard<std::mutex> held(shared->lock);
    shared->stopped = true;
    shared->wake.notify_all();
}

void Slideshow::setInterval(int milliseconds) {
    advance.setInterval(milliseconds);
}

void Slideshow::setRelistInterval(int milliseconds) {
    const std::lock_guard<std::mutex> held(shared->lock);
    shared->relist = std::chrono::milliseconds(milliseconds);
    shared->listNow = true;
    shared->wake.notify_all();
}

void Slideshow::listed(const std::vector<TreeDrawing> &found) {
    std::vector<TreeDrawing> fresh;
    for (const TreeDrawing &d : found)
        if (known.insert(d.identity()).second)
            fresh.push_back(d);
    if (fresh.empty())
        return;
    // The first listing is the show's order; drawings saved later come next.
    const auto at = queue.begin() + (position < 0 ? 0 : position + 1);
    queue.insert(at, fresh.begin(), fresh.end());
    if (position < 0)
        want(0);
}

void Slideshow::want(int index) {
    note->setVisible(queue.empty());
    if (queue.empty()) {
        position = -1;
        return;
    }
    const int n = static_cast<int>(queue.size());
    position = ((index % n) + n) % n;
    const std::lock_guard<std::mutex> held(shared->lock);
    shared->reads.push_back(queue[size_t(position)]);
    // Read at most as large as the screen shows it, whatever the window's size now.
    const QScreen *on = screen();
    shared->screen = on ? on->size() * on->devicePixelRatio() : size();
    shared->wake.notify_all();
}

void Slideshow::arrived(const QString &identity, const QImage &read) {
    if (position < 0 || queue[size_t(position)].identity() != identity)
        return; // stepped past it meanwhile
    if (read.isNull()) {
        // Damaged or gone: out of the show, and on to the next.
        queue.erase(queue.begin() + position);
        want(position);
        return;
    }
    const TreeDrawing &d = queue[size_t(position)];
    shown = d.path;
    picture = read;
    caption->setText(d.caption);
    caption->setVisible(!d.caption.isEmpty());
    note->hide();
    layOut();
    advance.start();
    emit drawingShown(shown);
}

void Slideshow::step(int by) {
    advance.stop();
    want(position + by);
}

void Slideshow::layOut() {
    note->setGeometry(rect());
    if (!picture.isNull())
        view->setPixmap(QPixmap::fromImage(
            picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    view->setGeometry(rect());
    caption->adjustSize();
    caption->move(16, height() - caption->height() - 16);
    caption->raise();
}

void Slideshow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    layOut();
}

void Slideshow::keyPressEvent(QKeyEvent *event) {
    const Access *access = Access::application();
    const bool switchKey = access && event->keyCombination() == access->options().switchKey;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        step(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        step(1);
        return;
    default:
        if (switchKey)
            step(1);
        else
            QWidget::keyPressEvent(event);
    }
}

void Slideshow::mousePressEvent(QMouseEvent *) {
    close();
}

void Slideshow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    advance.stop();
    emit ended();
}

} // namespace garabix
