#include "ui/gallery/stampgallery.h"

#include "core/files/paths.h"
#include "core/files/pictures.h"
#include "core/text/numeric.h"
#include "ui/gallery/paging.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace garabix {

namespace {

// The category list: above the preview, rows of a picture and a name.
constexpr QRect listPlace(4, 8, 160, 290);
constexpr int galleryRowHeight = 40;
constexpr int galleryRowPicture = 34;

void setTextColour(QLabel *l, QColor c) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, c);
    l->setPalette(pal);
}

// The gallery grows with the controls, as far as the screen has room.
double galleryZoom(double controls, const QWidget *gallery) {
    const QSize room = windowRoom(gallery, QSize(640, 490));
    return std::max(0.5, std::min({controls, room.width() / 640.0, room.height() / 490.0}));
}

} // namespace

int StampGallery::scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * zoom));
}

QRect StampGallery::scaled(const QRect &r) const {
    return {scaled(r.x()), scaled(r.y()), scaled(r.width()), scaled(r.height())};
}

StampGallery::StampGallery(QString path, StampChooser &c, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), chooser(c) {
    setWindowTitle(QStringLiteral("Garabix"));
    zoom = galleryZoom(chooser.controlsScale(), this);
    setFixedSize(scaled(640), scaled(490));
    setBackground(this, QColor(255, 255, 235));
    categoryScroll = new QScrollArea(this);
    categoryScroll->setGeometry(scaled(listPlace));
    categoryScroll->setFrameShape(QFrame::NoFrame);
    categoryScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    categoryScroll->setWidgetResizable(false);
    categoryRows = new QWidget;
    setBackground(categoryRows, QColor(255, 255, 235));
    categoryScroll->setWidget(categoryRows);
    for (int k = 0; k < 9; ++k) {
        auto *img = new QLabel(this);
        img->setScaledContents(true);
        img->setMouseTracking(true);
        img->installEventFilter(this);
        img->setGeometry(gallery::stampPlace(k, zoom));
        stampTiles[k] = img;
    }
    const char *names[2] = {"pagenext", "pageprevious"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(this);
        b->setIcon(namedIcon(QString::fromLatin1(names[i])));
        b->setIconSize(QSize(scaled(28), scaled(28)));
        b->setGeometry(gallery::pageButtonPlace(i, zoom));
        connect(b, &QPushButton::clicked, this, [this, i] { turnPage(i); });
        pageButtons.append(b);
    }
    // Between the page buttons: the stamp's three sizes and its turn.
    for (int k = 0; k < 4; ++k) {
        auto *b = new QPushButton(this);
        b->setObjectName(k < 3 ? widgetname::stampSizeButton(k)
                               : QString::fromLatin1(widgetname::stampTurnButton));
        b->setIcon(QIcon(QPixmap::fromImage(gallery::stampOptionIcon(k, scaled(28)))));
        b->setIconSize(QSize(scaled(28), scaled(28)));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(plainToolTip(chooser.stampButtonName(k)));
        b->setAccessibleName(chooser.stampButtonName(k));
        b->setGeometry(gallery::stampOptionPlace(k, zoom));
        connect(b, &QPushButton::clicked, this, [this, k] { chooseOption(k); });
        optionButtons.append(b);
    }
    optionButtons[chooser.stampSize()]->setChecked(true);
    optionButtons[3]->setChecked(chooser.stampUpsideDown());
    previewPlayer = new AnimationPlayer(this);
    previewPlayer->move(gallery::previewCorner(zoom));
    previewPlayer->hide();
    connect(previewPlayer, &AnimationPlayer::playEnded, this, [this] { previewEnded(); });
}

// A row of the category list: the category's first stamp, then its name; a
// click anywhere on it chooses the category.
void StampGallery::addCategoryRow(const QString &name) {
    const int index = static_cast<int>(categoryLabels.size());
    const int width =
        scaled(listPlace).width() - categoryScroll->verticalScrollBar()->sizeHint().width();
    const int rowHeight = scaled(galleryRowHeight), rowPicture = scaled(galleryRowPicture);
    auto *row = new QWidget(categoryRows);
    row->setObjectName(widgetname::categoryRow(index));
    row->setGeometry(0, index * rowHeight, width, rowHeight);
    row->setCursor(Qt::PointingHandCursor);
    row->setAccessibleName(name);
    row->installEventFilter(this);
    auto *picture = new QLabel(row);
    picture->setGeometry(2, (rowHeight - rowPicture) / 2, rowPicture, rowPicture);
    picture->setAlignment(Qt::AlignCenter);
    FileList stamps;
    if (stamps.setPath(stampFolder + QLatin1Char('/') + name)) {
        const QImage first = loadPicture(stamps.entryPath(0));
        if (!first.isNull())
            picture->setPixmap(QPixmap::fromImage(first.scaled(
                rowPicture, rowPicture, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    auto *label = new QLabel(name, row);
    label->setTextFormat(Qt::PlainText);
    label->setFont(QFont(QStringLiteral("Arial"), scaled(12), QFont::Bold));
    setTextColour(label, Qt::blue);
    label->setGeometry(rowPicture + 6, 0, width - rowPicture - 6, rowHeight);
    row->show();
    categoryLabels.append(label);
}

QWidget *StampGallery::categoryRow(int index) const {
    return index >= 0 && index < categories ? categoryLabels[index]->parentWidget() : nullptr;
}

void StampGallery::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded)
        load();
    frameStamp();
}

// The keyboard's frame is on a stamp whenever the gallery comes to the
// front: the one last chosen when it is on the page, else the first.
void StampGallery::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        frameStamp();
}

void StampGallery::frameStamp() {
    Access *access = Access::application();
    if (!access || !isVisible())
        return;
    int k = lastChosen >= 0 && !stampFiles[size_t(lastChosen)].isEmpty() ? lastChosen : -1;
    for (int i = 0; i < 9 && k < 0; ++i)
        if (!stampFiles[size_t(i)].isEmpty())
            k = i;
    if (k >= 0)
        access->frameControl(this, stampTiles[size_t(k)]);
}

void StampGallery::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void StampGallery::closeEvent(QCloseEvent *event) {
    // Closed by the user, it loads afresh when shown again.
    loaded = false;
    QWidget::closeEvent(event);
}

bool StampGallery::eventFilter(QObject *watched, QEvent *event) {
    for (int k = 0; k < 9; ++k) {
        if (watched != stampTiles[k])
            continue;
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            previewStamp(k);
        else if (event->type() == QEvent::MouseButtonRelease)
            chooseStamp(k);
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < categories; ++i)
            if (watched == categoryRow(i))
                chooseCategory(i);
    }
    return QWidget::eventFilter(watched, event);
}

void StampGallery::load() {
    loaded = true;
    centreOnScreen(this);
    stampFolder = resolvePath(appPath, QStringLiteral("/dibujos"));
    listCategories();
    playing = false;
    firstOnPage = 0;
}

void StampGallery::listCategories() {
    for (QLabel *label : std::as_const(categoryLabels))
        delete label->parentWidget();
    categoryLabels.clear();
    categories = 0;
    categoryFolders.setPath(stampFolder);
    if (categoryFolders.path() != stampFolder) {
        // No stamps folder: no categories and empty slots.
        categoryRows->resize(0, 0);
        stampList.forcePath(QString());
        fillGalleryPage();
        return;
    }
    while (categoryFolders.count() > categories && categories < maxCategories) {
        addCategoryRow(categoryFolders.entry(categories).left(255));
        ++categories;
    }
    categoryRows->resize(scaled(listPlace).width(), categories * scaled(galleryRowHeight));
    if (categories > 0) {
        setTextColour(categoryLabels[0], Qt::red);
        selectCategory(0);
    } else {
        stampList.forcePath(QString());
    }
    fillGalleryPage();
}

void StampGallery::selectCategory(int index) {
    const QString folder = stampFolder + QLatin1Char('/') + categoryLabels[index]->text();
    categoryFolders.setPath(folder);
    stampList.forcePath(folder);
}

void StampGallery::chooseCategory(int category) {
    if (category < 0 || category >= categories)
        return;
    lastChosen = -1;
    firstOnPage = 0;
    for (int i = 0; i < categories; ++i)
        setTextColour(categoryLabels[i], Qt::blue);
    setTextColour(categoryLabels[category], Qt::red);
    categoryScroll->ensureWidgetVisible(categoryRow(category), 0, 0);
    selectCategory(category);
    fillGalleryPage();
}

void StampGallery::turnPage(int button) {
    lastChosen = -1;
    firstOnPage = button == 0 ? gallery::nextPage(firstOnPage, stampList.count())
                              : gallery::previousPage(firstOnPage);
    fillGalleryPage();
}

void StampGallery::fillGalleryPage() {
    // Files may have gone since the page was chosen.
    firstOnPage = std::min(firstOnPage, gallery::lastPage(stampList.count()));
    for (int p = firstOnPage; p <= firstOnPage + 8; ++p) {
        const int k = p % 9;
        QLabel *slot = stampTiles[k];
        const QString path = p < stampList.count() && p > -1 ? stampList.entryPath(p) : QString();
        const QImage picture = path.isEmpty() ? QImage() : loadPicture(path);
        if (!picture.isNull()) {
            slot->hide();
            pictures[k] = picture;
            slot->setPixmap(QPixmap::fromImage(picture));
            stampFiles[k] = path;
            slot->setAccessibleName(QFileInfo(path).completeBaseName()); // for screen readers
            slot->show();
            slot->setGeometry(gallery::stampShown(k, pictures[k].size(), zoom));
        } else {
            pictures[k] = QImage();
            stampFiles[k].clear();
            slot->clear();
        }
    }
}

void StampGallery::previewStamp(int slot) {
    if (playing || slot < 0 || slot > 8 || stampFiles[static_cast<size_t>(slot)].isEmpty())
        return;
    previewPlayer->setFile(stampFiles[static_cast<size_t>(slot)]);
    previewPlayer->resize(stampTiles[slot]->size());
    previewPlayer->show();
    previewPlayer->raise();
    playing = true;
}

void StampGallery::previewEnded() {
    playing = false;
    previewPlayer->hide();
}

void StampGallery::chooseStamp(int slot) {
    if (slot < 0 || slot > 8 || stampFiles[static_cast<size_t>(slot)].isEmpty())
        return;
    lastChosen = slot;
    chooser.stampChosen(stampFiles[static_cast<size_t>(slot)], pictures[static_cast<size_t>(slot)]);
}

std::vector<AccessArea> StampGallery::accessAreas() {
    AccessArea list, page, buttons;
    for (int i = 0; i < categories; ++i)
        list.targets.push_back({categoryRow(i), {}, [this, i] { chooseCategory(i); }, {}});
    for (int k = 0; k < 9; ++k)
        if (!stampFiles[static_cast<size_t>(k)].isEmpty())
            page.targets.push_back(
                {stampTiles[static_cast<size_t>(k)], {}, [this, k] { chooseStamp(k); }, {}});
    // Previous page first, as they sit.
    for (int i : {1, 0})
        buttons.targets.push_back({pageButtons[i], {}, [this, i] { turnPage(i); }, {}});
    AccessArea options;
    for (QPushButton *b : std::as_const(optionButtons))
        options.targets.push_back(buttonTarget(b));
    std::vector<AccessArea> areas;
    areas.push_back(std::move(page));
    areas.push_back(std::move(list));
    areas.push_back(std::move(buttons));
    areas.push_back(std::move(options));
    return areas;
}

// A size button chooses that size, shown pressed; the turn button turns the
// stamps upside down, shown pressed, or back.
void StampGallery::chooseOption(int k) {
    if (k == 3) {
        chooser.stampTurned();
        optionButtons[3]->setChecked(chooser.stampUpsideDown());
        return;
    }
    chooser.stampSizeChosen(k);
    for (int i = 0; i < 3; ++i)
        optionButtons[i]->setChecked(i == chooser.stampSize());
}

QString StampGallery::categoryName(int index) const {
    return index >= 0 && index < categories ? categoryLabels[index]->text() : QString();
}

QString StampGallery::previewFile() const {
    return previewPlayer->file();
}

} // namespace garabix
