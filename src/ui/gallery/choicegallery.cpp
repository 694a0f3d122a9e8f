#include "ui/gallery/choicegallery.h"

#include "ui/gallery/paging.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace garabix {

namespace {

constexpr QSize galleryDesign(640, 490);

QLabel *plainLabel(QWidget *parent, int points, QColor colour) {
    auto *l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setFont(QFont(QStringLiteral("Arial"), points, QFont::Bold));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

} // namespace

int ChoiceGallery::scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * zoom));
}

ChoiceGallery::ChoiceGallery(std::unique_ptr<GalleryChoices> c, QWidget *parent)
    : QWidget(parent), choices(std::move(c)) {
    setWindowTitle(choices->title());
    const QSize room = windowRoom(this, galleryDesign);
    zoom = std::max(
        0.5, std::min({choices->controlsScale(), room.width() / double(galleryDesign.width()),
                       room.height() / double(galleryDesign.height())}));
    setFixedSize(scaled(galleryDesign.width()), scaled(galleryDesign.height()));
    setBackground(this, QColor(245, 235, 255));
    title = plainLabel(this, scaled(20), QColor(90, 40, 150));
    title->setText(choices->title());
    title->setGeometry(scaled(4), scaled(8), scaled(160), scaled(40));
    large = new QLabel(this);
    large->setScaledContents(true);
    large->setGeometry(scaled(14), scaled(60), scaled(140), scaled(140));
    largeName = plainLabel(this, scaled(13), Qt::blue);
    largeName->setGeometry(scaled(4), scaled(205), scaled(160), scaled(50));
    for (int k = 0; k < perPage; ++k) {
        const QRect place = gallery::stampPlace(k, zoom);
        auto *tile = new QWidget(this);
        tile->setObjectName(choices->tileName(k));
        tile->setGeometry(place);
        tile->setCursor(Qt::PointingHandCursor);
        tile->setMouseTracking(true);
        tile->installEventFilter(this);
        const int nameHeight = scaled(22);
        const int side = place.height() - nameHeight - scaled(4);
        pictures[size_t(k)] = new QLabel(tile);
        pictures[size_t(k)]->setGeometry((place.width() - side) / 2, scaled(2), side, side);
        names[size_t(k)] = plainLabel(tile, scaled(10), Qt::blue);
        names[size_t(k)]->setWordWrap(false);
        names[size_t(k)]->setGeometry(0, place.height() - nameHeight, place.width(), nameHeight);
        tiles[size_t(k)] = tile;
    }
    const char *icons[2] = {"pagenext", "pageprevious"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(this);
        b->setObjectName(widgetname::pickerPageButton(i));
        b->setIcon(namedIcon(QString::fromLatin1(icons[i])));
        b->setIconSize(QSize(scaled(28), scaled(28)));
        b->setGeometry(gallery::pageButtonPlace(i, zoom));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] { turnPage(i); });
        pageButtons[size_t(i)] = b;
    }
}

ChoiceGallery::~ChoiceGallery() = default;

// The gallery opens on the page of the chosen one, framed.
void ChoiceGallery::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    centreOnScreen(this);
    setWindowTitle(choices->title());
    title->setText(choices->title());
    const int chosen = choices->chosen();
    firstOnPage = chosen >= 0 ? gallery::lastPage(chosen + 1) : 0;
    fillPage();
    showLarge(std::max(chosen, 0));
    frameChosen();
}

void ChoiceGallery::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    choices->closed();
}

void ChoiceGallery::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        frameChosen();
}

void ChoiceGallery::frameChosen() {
    Access *access = Access::application();
    if (!access || !isVisible())
        return;
    const int chosen = choices->chosen() - firstOnPage;
    access->frameControl(this, tiles[size_t(chosen >= 0 && chosen < perPage ? chosen : 0)]);
}

void ChoiceGallery::fillPage() {
    const int side = pictures[0]->width();
    for (int k = 0; k < perPage; ++k) {
        const bool shown = slotShows(k);
        tiles[size_t(k)]->setVisible(shown);
        if (!shown)
            continue;
        const int choice = firstOnPage + k;
        pictures[size_t(k)]->setPixmap(QPixmap::fromImage(choices->picture(choice, side)));
        names[size_t(k)]->setText(choices->name(choice));
        tiles[size_t(k)]->setAccessibleName(choices->name(choice));
    }
    pageButtons[0]->setEnabled(gallery::nextPage(firstOnPage, choices->count()) != firstOnPage);
    pageButtons[1]->setEnabled(gallery::previousPage(firstOnPage) != firstOnPage);
}

void ChoiceGallery::showLarge(int k) {
    if (k >= choices->count()) {
        large->clear();
        largeName->clear();
        return;
    }
    large->setPixmap(QPixmap::fromImage(choices->picture(k, large->width())));
    largeName->setText(choices->name(k));
}

void ChoiceGallery::turnPage(int button) {
    firstOnPage = button == 0 ? gallery::nextPage(firstOnPage, choices->count())
                              : gallery::previousPage(firstOnPage);
    fillPage();
}

void ChoiceGallery::choose(int k) {
    if (k < 0 || k >= perPage || !slotShows(k))
        return;
    choices->choose(firstOnPage + k);
    close();
}

void ChoiceGallery::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

// The pointer over a choice shows it large; a click chooses it.
bool ChoiceGallery::eventFilter(QObject *watched, QEvent *event) {
    for (int k = 0; k < perPage; ++k) {
        if (watched != tiles[size_t(k)] || !slotShows(k))
            continue;
        if (event->type() == QEvent::Enter)
            showLarge(firstOnPage + k);
        else if (event->type() == QEvent::MouseButtonRelease)
            choose(k);
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<AccessArea> ChoiceGallery::accessAreas() {
    AccessArea page, buttons;
    for (int k = 0; k < perPage; ++k)
        if (slotShows(k))
            page.targets.push_back({tiles[size_t(k)], {}, [this, k] { choose(k); }, {}});
    // Previous page first, as they sit.
    for (int i : {1, 0})
        buttons.targets.push_back(buttonTarget(pageButtons[size_t(i)]));
    std::vector<AccessArea> areas;
    areas.push_back(std::move(page));
    areas.push_back(std::move(buttons));
    return areas;
}

} // namespace garabix
