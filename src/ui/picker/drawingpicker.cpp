#include "ui/picker/drawingpicker.h"
#include "ui/access/access.h"
#include "ui/platform/diskthreads.h"

#include "ui/picker/drawingchooser.h"
#include "ui/picker/thumbnails.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

namespace garabix {

namespace {

// Hidden controls keep their place, so the window has one size and nothing
// moves, whether a page is full, half full or there is no drawing at all.
void keepPlaceWhenHidden(QWidget *w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

} // namespace

DrawingPicker::DrawingPicker(DrawingChooser &c, QWidget *parent) : QWidget(parent), chooser(c) {
    setBackground(this, QColor(255, 240, 200));
    auto *grid = new QGridLayout(this);
    grid->setSpacing(12);
    heading = new QLabel(this);
    heading->setObjectName(QString::fromLatin1(widgetname::heading));
    QFont title = heading->font();
    title.setPointSize(20);
    title.setBold(true);
    heading->setFont(title);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, 1, 1, columns);
    const QSize picture = thumbnails::maxSize;
    for (int slot = 0; slot < perPage; ++slot) {
        auto *b = new QToolButton(this);
        b->setObjectName(widgetname::pickerTile(slot));
        b->setIconSize(picture);
        b->setFixedSize(picture + QSize(16, 16));
        b->setAutoRaise(false);
        // The picture with the keyboard's focus wears the frame of a chosen button.
        b->setStyleSheet(QStringLiteral(
            "QToolButton { background: white; border: 3px solid #c8c8c8; border-radius: 8px; }"
            "QToolButton:focus { border: 5px solid #0030a0; }"));
        connect(b, &QToolButton::clicked, this, [this, slot] { choose(slot); });
        b->installEventFilter(this);
        keepPlaceWhenHidden(b);
        grid->addWidget(b, 1 + slot / columns, 1 + slot % columns);
        tiles.append(b);
        auto *watcher = new QFutureWatcher<QImage>(this);
        watchers.append(watcher);
    }
    const char *arrows[2] = {"pageprevious", "pagenext"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(widgetname::pickerPageButton(i));
        b->setIcon(namedIcon(QString::fromLatin1(arrows[i])));
        b->setIconSize(QSize(64, 64));
        b->setFixedSize(QSize(80, 3 * picture.height()));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this,
                [this, i] { showPage(currentPage + (i ? 1 : -1)); });
        keepPlaceWhenHidden(b);
        grid->addWidget(b, 1, i ? columns + 1 : 0, rows, 1);
        pageButtons[i] = b;
    }
    // With no drawing yet, the place of the pictures invites a first one:
    // the picture of the button that opened the window, and a line.
    emptyNote = new QWidget(this);
    emptyNote->setObjectName(QString::fromLatin1(widgetname::emptyNote));
    auto *column = new QVBoxLayout(emptyNote);
    auto *invitation = new QLabel(emptyNote);
    invitation->setPixmap(namedIcon(QStringLiteral("mydrawings")).pixmap(picture.height() * 3 / 2));
    invitation->setAlignment(Qt::AlignCenter);
    emptyText = new QLabel(emptyNote);
    emptyText->setTextFormat(Qt::PlainText);
    emptyText->setAlignment(Qt::AlignCenter);
    emptyText->setWordWrap(true);
    QFont big = emptyText->font();
    big.setPointSize(22);
    emptyText->setFont(big);
    column->addStretch();
    column->addWidget(invitation);
    column->addWidget(emptyText);
    column->addStretch();
    emptyNote->hide();
    grid->addWidget(emptyNote, 1, 1, rows, columns);
    // Under the pictures: the one with the focus copied out of the program.
    copyButton = new QPushButton(this);
    copyButton->setObjectName(QString::fromLatin1(widgetname::copyButton));
    copyButton->setIcon(namedIcon(QStringLiteral("mydrawings")));
    copyButton->setIconSize(QSize(40, 40));
    copyButton->setFocusPolicy(Qt::NoFocus);
    keepPlaceWhenHidden(copyButton);
    connect(copyButton, &QPushButton::clicked, this, [this] { copyFocused(); });
    // Beside it, the play button: the drawings on the whole screen.
    playButton = new QPushButton(this);
    playButton->setObjectName(QString::fromLatin1(widgetname::slideshowButton));
    playButton->setIcon(namedIcon(QStringLiteral("play")));
    playButton->setIconSize(QSize(40, 40));
    playButton->setFocusPolicy(Qt::NoFocus);
    connect(playButton, &QPushButton::clicked, this, [this] { startSlideshow(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(playButton);
    buttons->addStretch();
    grid->addLayout(buttons, 1 + rows, 1, 1, columns);
}

void DrawingPicker::startSlideshow() {
    if (slideshowWindow)
        return;
    slideshowWindow = new Slideshow(folder, chooser.text(config::Text::PickerEmpty));
    slideshowWindow->setAttribute(Qt::WA_DeleteOnClose);
    // When the show ends the picker has the keys again, where they were.
    connect(slideshowWindow, &Slideshow::ended, this, [this] {
        raise();
        activateWindow();
    });
    slideshowWindow->setScreen(screen());
    slideshowWindow->showOnWholeScreen();
}

DrawingPicker::~DrawingPicker() {
    delete slideshowWindow;
    for (QFutureWatcher<QImage> *w : watchers)
        w->disconnect(this);
}

void DrawingPicker::open(const QString &drawingsFolder) {
    setWindowTitle(chooser.text(config::Text::PickerTitle));
    folder = drawingsFolder;
    playButton->setToolTip(plainToolTip(chooser.text(config::Text::SlideshowButton)));
    playButton->setAccessibleName(chooser.text(config::Text::SlideshowButton));
    pending = 1; // the listing
    const quint64 listing = ++listings;
    const QString onShow = chooser.drawingOnShow();
    auto *watcher = new QFutureWatcher<QStringList>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, listing, onShow] {
        watcher->deleteLater();
        if (listing == listings)
            listed(watcher->result(), onShow);
    });
    watcher->setFuture(QtConcurrent::run(diskThreads(), [drawingsFolder] {
        // Newest first, by the time each file was written; the name settles ties.
        QFileInfoList found = QDir(drawingsFolder).entryInfoList(QDir::Files, QDir::Name);
        std::stable_sort(found.begin(), found.end(), [](const QFileInfo &a, const QFileInfo &b) {
            return a.lastModified() > b.lastModified();
        });
        QStringList paths;
        for (const QFileInfo &f : found)
            paths.append(f.filePath());
        return paths;
    }));
}

// The pictures as large as the controls are, as long as the window fits the
// screen: a small screen makes them smaller.
void DrawingPicker::fitScreen() {
    const QSize room = windowRoom(this, QSize(1280, 800));
    for (double f = chooser.controlsScale();; f -= 0.05) {
        applyScale(std::max(f, 0.4));
        layout()->activate();
        const QSize need = sizeHint();
        if (f <= 0.4 || (need.width() <= room.width() && need.height() <= room.height()))
            break;
    }
}

void DrawingPicker::applyScale(double f) {
    const auto times = [f](int n) { return static_cast<int>(std::lround(n * f)); };
    pictureSize = QSize(times(thumbnails::maxSize.width()), times(thumbnails::maxSize.height()));
    for (QToolButton *b : std::as_const(tiles)) {
        b->setIconSize(pictureSize);
        b->setFixedSize(pictureSize + QSize(16, 16));
    }
    for (QToolButton *b : pageButtons) {
        b->setIconSize(QSize(times(64), times(64)));
        b->setFixedSize(QSize(times(80), 3 * pictureSize.height()));
    }
    QFont title = heading->font();
    title.setPointSizeF(std::max(12.0, 20 * f));
    heading->setFont(title);
    copyButton->setIconSize(QSize(times(40), times(40)));
    playButton->setIconSize(QSize(times(40), times(40)));
    QFont copyFont = font();
    copyFont.setPointSizeF(std::max(9.0, copyFont.pointSizeF() * std::max(f, 1.0)));
    copyButton->setFont(copyFont);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->setSpacing(std::max(4, times(12)));
}

void DrawingPicker::listed(const QStringList &found, const QString &onShow) {
    fitScreen();
    files = found;
    const int at = std::max(static_cast<int>(files.indexOf(onShow)), 0);
    showPage(at / perPage);
    focusSlot(at % perPage);
    adjustSize();
    centreOnScreen(this);
}

void DrawingPicker::focusSlot(int slot) {
    if (slot >= 0 && slot < tiles.size() && !tiles[slot]->isHidden())
        tiles[slot]->setFocus();
}

int DrawingPicker::pageCount() const {
    return std::max(1, static_cast<int>((files.size() + perPage - 1) / perPage));
}

QStringList DrawingPicker::pageDrawings() const {
    return files.mid(currentPage * perPage, perPage);
}

void DrawingPicker::showPage(int page) {
    currentPage = std::clamp(page, 0, pageCount() - 1);
    ++generation;
    const QStringList onPage = pageDrawings();
    const QString title = chooser.text(config::Text::PickerTitle);
    heading->setText(
        files.isEmpty()
            ? title
            : QStringLiteral("%1  %2 / %3").arg(title).arg(currentPage + 1).arg(pageCount()));
    for (int i = 0; i < 2; ++i)
        pageButtons[i]->setVisible(!files.isEmpty());
    pageButtons[0]->setEnabled(currentPage > 0);
    pageButtons[1]->setEnabled(currentPage < pageCount() - 1);
    emptyNote->setVisible(files.isEmpty());
    emptyText->setText(chooser.text(config::Text::PickerEmpty));
    copyButton->setText(chooser.text(config::Text::CopyButton));
    copyButton->setVisible(!files.isEmpty());
    pending = static_cast<int>(onPage.size());
    for (int slot = 0; slot < perPage; ++slot) {
        QToolButton *b = tiles[slot];
        QFutureWatcher<QImage> *w = watchers[slot];
        w->disconnect(this);
        b->setIcon(QIcon());
        b->setVisible(slot < onPage.size());
        if (slot >= onPage.size())
            continue;
        b->setToolTip(QFileInfo(onPage[slot]).fileName());
        const quint64 shownPage = generation;
        connect(w, &QFutureWatcher<QImage>::finished, this,
                [this, slot, shownPage] { slotDone(slot, shownPage); });
        w->setFuture(QtConcurrent::run(diskThreads(), thumbnails::thumbnail, onPage[slot]));
    }
    if (pending == 0)
        emit pageShown();
}

void DrawingPicker::slotDone(int slot, quint64 shownPage) {
    if (shownPage != generation)
        return;
    const QImage picture = watchers[slot]->result();
    const QImage shown =
        picture.isNull() ? thumbnails::damagedTile(QFileInfo(pageDrawings().value(slot)).fileName())
                         : picture;
    tiles[slot]->setIcon(QIcon(QPixmap::fromImage(
        shown.width() >= pictureSize.width()
            ? shown // a smaller tile shows it smaller
            : shown.scaled(pictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    if (--pending == 0)
        emit pageShown();
}

int DrawingPicker::focusedSlot() const {
    return static_cast<int>(tiles.indexOf(qobject_cast<QToolButton *>(focusWidget())));
}

void DrawingPicker::copyFocused() {
    const QString path = pageDrawings().value(std::max(focusedSlot(), 0));
    if (!path.isEmpty())
        chooser.copyDrawingToPictures(path, this);
}

void DrawingPicker::choose(int slot) {
    const QStringList onPage = pageDrawings();
    if (slot < 0 || slot >= onPage.size())
        return;
    close();
    chooser.drawingChosen(onPage[slot]);
}

std::vector<AccessArea> DrawingPicker::accessAreas() {
    AccessArea pictures, pages, copy;
    for (int slot = 0; slot < tiles.size(); ++slot)
        pictures.targets.push_back({tiles[slot], {}, [this, slot] { choose(slot); }, {}});
    pictures.keys = [this](QKeyEvent *event) {
        return !isPressKey(event->key()) && handleKey(event);
    };
    for (int i = 0; i < 2; ++i)
        pages.targets.push_back(buttonTarget(pageButtons[i]));
    copy.targets.push_back(buttonTarget(copyButton));
    copy.targets.push_back(buttonTarget(playButton));
    std::vector<AccessArea> areas;
    for (AccessArea *a : {&pictures, &pages, &copy})
        areas.push_back(std::move(*a));
    return areas;
}

void DrawingPicker::keyPressEvent(QKeyEvent *event) {
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

bool DrawingPicker::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// The arrows move between the pictures and over to the next or previous
// page; Return chooses the picture with the focus; Escape closes. Answers
// whether the key was one of these.
bool DrawingPicker::handleKey(QKeyEvent *event) {
    const int focused = focusedSlot();
    const int shown = static_cast<int>(pageDrawings().size());
    // The arrows as everywhere else: a step along the row or the column.
    const QPoint arrow = arrowDirection(event->key());
    int step = arrow.x() + arrow.y() * columns;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(focused);
        return true;
    case Qt::Key_PageUp:
        showPage(currentPage - 1);
        return true;
    case Qt::Key_PageDown:
        showPage(currentPage + 1);
        return true;
    default:
        if (step == 0)
            return false;
    }
    int target = std::max(focused, 0) + step;
    if (target < 0 && currentPage > 0) {
        showPage(currentPage - 1);
        target += perPage;
    } else if (target >= shown && currentPage < pageCount() - 1) {
        showPage(currentPage + 1);
        target -= perPage;
    }
    target = std::clamp(target, 0, std::max(0, static_cast<int>(pageDrawings().size()) - 1));
    tiles[target]->setFocus();
    return true;
}

} // namespace garabix
