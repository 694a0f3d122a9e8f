#include "ui/gallery/form2.h"

#include "core/files/paths.h"
#include "core/files/pictures.h"
#include "core/text/numeric.h"
#include "ui/common/brincaro.h"
#include "ui/common/uiutil.h"
#include "ui/gallery/paging.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace garabix {

namespace {

constexpr double tpp = 15; // the gallery is laid out at 96 dpi
constexpr double columns[3] = {2520, 4920, 7320};
constexpr double rows[3] = {360, 2400, 4440};
// The category list: above the preview, rows of a picture and a name.
constexpr QRect listPlace(4, 8, 160, 290);
constexpr int rowHeight = 40;
constexpr int rowPicture = 34;

QRect pixels(double l, double t, double w, double h) {
    return twipsToPixels(QRectF(l, t, w, h), tpp);
}

void setTextColour(QLabel *l, QColor c) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, c);
    l->setPalette(pal);
}

} // namespace

Form2::Form2(QString path, StampChooser &c, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), chooser(c) {
    setWindowTitle(QStringLiteral("Garabix"));
    setFixedSize(640, 490);
    setBackground(this, QColor(255, 255, 235));
    categoryScroll = new QScrollArea(this);
    categoryScroll->setGeometry(listPlace);
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
        img->setGeometry(pixels(columns[k % 3], rows[k / 3], 2055, 1695));
        Image1[k] = img;
    }
    const char *names[2] = {"pagenext", "pageprevious"};
    const QRect places[2] = {pixels(7320, 6360, 2055, 495), pixels(2640, 6360, 1935, 495)};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(this);
        b->setIcon(namedIcon(QString::fromLatin1(names[i])));
        b->setIconSize(QSize(28, 28));
        b->setGeometry(places[i]);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1.append(b);
    }
    Brincaro1 = new Brincaro(this);
    Brincaro1->move(pixels(360, 4560, 0, 0).topLeft());
    Brincaro1->hide();
    connect(Brincaro1, &Brincaro::GifEnd, this, [this] { Brincaro1_GifEnd(); });
}

// A row of the category list: the category's first stamp, then its name; a
// click anywhere on it chooses the category.
void Form2::addCategoryRow(const QString &name) {
    const int index = static_cast<int>(Label1.size());
    const int width = listPlace.width() - categoryScroll->verticalScrollBar()->sizeHint().width();
    auto *row = new QWidget(categoryRows);
    row->setObjectName(QStringLiteral("category%1").arg(index));
    row->setGeometry(0, index * rowHeight, width, rowHeight);
    row->setCursor(Qt::PointingHandCursor);
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
    label->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    setTextColour(label, Qt::blue);
    label->setGeometry(rowPicture + 6, 0, width - rowPicture - 6, rowHeight);
    row->show();
    Label1.append(label);
}

QWidget *Form2::categoryRow(int index) const {
    return index >= 0 && index < categories ? Label1[index]->parentWidget() : nullptr;
}

void Form2::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded)
        Form_Load();
}

void Form2::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void Form2::closeEvent(QCloseEvent *event) {
    // Closed by the user, it loads afresh when shown again.
    loaded = false;
    QWidget::closeEvent(event);
}

bool Form2::eventFilter(QObject *watched, QEvent *event) {
    for (int k = 0; k < 9; ++k) {
        if (watched != Image1[k])
            continue;
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            Image1_MouseMove(k);
        else if (event->type() == QEvent::MouseButtonRelease)
            Image1_Click(k);
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < categories; ++i)
            if (watched == categoryRow(i))
                Label1_Click(i);
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Form_Load() {
    loaded = true;
    centreOnScreen(this);
    stampFolder = resolvePath(appPath, QStringLiteral("\\dibujos"));
    ListCategories();
    playing = false;
    firstOnPage = 0;
}

void Form2::ListCategories() {
    for (QLabel *label : std::as_const(Label1))
        delete label->parentWidget();
    Label1.clear();
    categories = 0;
    Dir1.setPath(stampFolder);
    if (Dir1.path() != stampFolder) {
        // No stamps folder: no categories and empty slots.
        categoryRows->resize(0, 0);
        File1.forcePath(QString());
        FillGalleryPage();
        return;
    }
    while (Dir1.count() > categories && categories < maxCategories) {
        addCategoryRow(Dir1.entry(categories).left(255));
        ++categories;
    }
    categoryRows->resize(listPlace.width(), categories * rowHeight);
    if (categories > 0) {
        setTextColour(Label1[0], Qt::red);
        selectCategory(0);
    } else {
        File1.forcePath(QString());
    }
    FillGalleryPage();
}

void Form2::selectCategory(int index) {
    const QString folder = stampFolder + QLatin1Char('/') + Label1[index]->text();
    Dir1.setPath(folder);
    File1.forcePath(folder);
}

void Form2::Label1_Click(int Index) {
    if (Index < 0 || Index >= categories)
        return;
    firstOnPage = 0;
    for (int i = 0; i < categories; ++i)
        setTextColour(Label1[i], Qt::blue);
    setTextColour(Label1[Index], Qt::red);
    categoryScroll->ensureWidgetVisible(categoryRow(Index), 0, 0);
    selectCategory(Index);
    FillGalleryPage();
}

void Form2::Command1_Click(int Index) {
    firstOnPage = Index == 0 ? gallery::nextPage(firstOnPage, File1.count())
                             : gallery::previousPage(firstOnPage);
    FillGalleryPage();
}

void Form2::FillGalleryPage() {
    // Files may have gone since the page was chosen.
    firstOnPage = std::min(firstOnPage, gallery::lastPage(File1.count()));
    for (int p = firstOnPage; p <= firstOnPage + 8; ++p) {
        const int k = p % 9;
        QLabel *slot = Image1[k];
        const QString path = p < File1.count() && p > -1 ? File1.entryPath(p) : QString();
        const QImage picture = path.isEmpty() ? QImage() : loadPicture(path);
        if (!picture.isNull()) {
            slot->hide();
            pictures[k] = picture;
            slot->setPixmap(QPixmap::fromImage(picture));
            stampFiles[k] = path;
            slot->show();
            const QImage &shown = pictures[k];
            const QSizeF size = gallery::thumbnailSize(shown.width() * tpp, shown.height() * tpp);
            const QPoint corner = pixels(columns[k % 3], rows[k / 3], 0, 0).topLeft();
            slot->setGeometry(
                QRect(corner, QSize(static_cast<int>(roundToInt(size.width() / tpp)),
                                    static_cast<int>(roundToInt(size.height() / tpp)))));
        } else {
            pictures[k] = QImage();
            stampFiles[k].clear();
            slot->clear();
        }
    }
}

void Form2::Image1_MouseMove(int Index) {
    if (playing || Index < 0 || Index > 8 || stampFiles[static_cast<size_t>(Index)].isEmpty())
        return;
    Brincaro1->setFile(stampFiles[static_cast<size_t>(Index)]);
    Brincaro1->resize(Image1[Index]->size());
    Brincaro1->show();
    Brincaro1->raise();
    playing = true;
}

void Form2::Brincaro1_GifEnd() {
    playing = false;
    Brincaro1->hide();
}

void Form2::Image1_Click(int Index) {
    if (Index < 0 || Index > 8 || stampFiles[static_cast<size_t>(Index)].isEmpty())
        return;
    chooser.stampChosen(stampFiles[static_cast<size_t>(Index)],
                        pictures[static_cast<size_t>(Index)]);
}

QString Form2::categoryName(int index) const {
    return index >= 0 && index < categories ? Label1[index]->text() : QString();
}

QString Form2::previewFile() const {
    return Brincaro1->file();
}

} // namespace garabix
