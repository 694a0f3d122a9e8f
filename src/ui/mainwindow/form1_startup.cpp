// Form1's controls, its start-up and its layout in twips.

#include "core/canvas/colourpictures.h"
#include "core/files/config.h"
#include "core/files/paths.h"
#include "core/files/pictures.h"
#include "core/files/scenes.h"
#include "core/text/numeric.h"
#include "ui/common/brincaro.h"
#include "ui/common/platform.h"
#include "ui/common/uiutil.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/picturebox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace garabix {

Form1::Form1(QString path, Platform &p, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), platform(p) {
    setWindowTitle(QStringLiteral("Garabix"));
    setBackground(this, QColor(255, 192, 255));
    loadTimer.setSingleShot(true);
    loadTimer.setInterval(40);
    connect(&loadTimer, &QTimer::timeout, this, [this] { Form_Load(); });
    // Placing controls in twips needs the screen's scale before start-up sets it.
    state.twipsPerPixel = screenTwipsPerPixel();
    createControls();
}

Form1::~Form1() {
    // The controls go first, while the handlers their signals reach still exist.
    const QList<QWidget *> controls =
        findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : controls) {
        w->disconnect(this);
        delete w;
    }
}

namespace {
template <typename Widget> Widget *named(Widget *w, const QString &name) {
    w->setObjectName(name);
    return w;
}
} // namespace

void Form1::createControls() {
    Picture1 = named(new CanvasWidget(canvas, grid, this), QStringLiteral("Picture1"));
    Picture1->onPress = [this](Qt::MouseButton b, QPointF p) {
        Picture1_MouseDown(b, p.x(), p.y());
    };
    Picture1->onMove = [this](Qt::MouseButtons b, QPointF p) {
        Picture1_MouseMove(b, p.x(), p.y());
    };
    Picture1->onRelease = [this](Qt::MouseButton b, QPointF p) {
        Picture1_MouseUp(b, p.x(), p.y());
    };
    Picture1->onDoubleClick = [this] { Picture1_DblClick(); };
    Picture1->onLeave = [this] { Picture1_MouseLeave(); };

    // The keys every paint program has: each does what its button does.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Command1_Click(8); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Command1_Click(11); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { Redo(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { Redo(); }},
        {QKeySequence(Qt::Key_F11), [this] { toggleFullScreen(); }},
    };
    for (const auto &[sequence, action] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);

    for (int i = 0; i < 28; ++i) {
        auto *b = named(new QPushButton(this), QStringLiteral("Command1_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        const long colour = layout::command1Colour(i);
        if (colour >= 0)
            setButtonColour(b, colour);
        b->setIcon(toolIcon(i));
        b->setIconSize(QSize(34, 34));
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1.append(b);
    }
    for (int i = 0; i < 10; ++i) {
        auto *b = named(new QPushButton(this), QStringLiteral("Command5_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        setButtonColour(b, white);
        b->setIcon(penSizeIcon(i));
        connect(b, &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
        Command5.append(b);
    }
    createTextPanel();

    picPalette = named(new PictureBox(this), QStringLiteral("picPalette"));
    picPalette->setPicture(colourpictures::paletteStrip());
    picPalette->onPress = [this](Qt::MouseButton b, QPointF p) {
        picPalette_MouseDown(b, p.x(), p.y());
    };
    Picture5 = named(new PictureBox(this), QStringLiteral("Picture5"));
    Picture5->setPicture(colourpictures::colourChart());
    Picture5->onPress = [this](Qt::MouseButton b, QPointF p) {
        Picture5_MouseDown(b, p.x(), p.y());
    };
    Picture2 = named(new PictureBox(this), QStringLiteral("Picture2"));
    Picture2->hide();
    Picture2->onPress = [this](Qt::MouseButton b, QPointF p) {
        Picture2_MouseDown(b, p.x(), p.y());
    };
    Picture3 = named(new QLabel(this), QStringLiteral("Picture3"));
    Picture3->setAutoFillBackground(true);
    Brincaro1 = named(new Brincaro(this), QStringLiteral("Brincaro1"));
    Brincaro1->hide();
    connect(Brincaro1, &Brincaro::GifEnd, this, [this] { Brincaro1_GifEnd(); });
}

int16_t Form1::screenTwipsPerPixel() const {
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const int16_t tpp = toInt16(1440.0 / dpi).value_or(15);
    return tpp > 0 ? tpp : 15;
}

double Form1::screenWidthTwips() const {
    return double(width()) * state.twipsPerPixel;
}
double Form1::screenHeightTwips() const {
    return double(height()) * state.twipsPerPixel;
}

void Form1::placeTwips(QWidget *w, const QRectF &t) const {
    w->setGeometry(twipsToPixels(t, state.twipsPerPixel > 0 ? state.twipsPerPixel : 15));
}

QRectF Form1::twipsRect(const QWidget *w) const {
    const double tpp = state.twipsPerPixel;
    return {w->x() * tpp, w->y() * tpp, w->width() * tpp, w->height() * tpp};
}

void Form1::placeStampOnBottomEdge() {
    const QRectF r = twipsRect(Picture2);
    placeTwips(Picture2, QRectF(r.left(), screenHeightTwips() - r.height(), r.width(), r.height()));
}

void Form1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded && !loadTimer.isActive()) {
        shownAt.start();
        loadTimer.start();
    }
}

void Form1::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // A window manager may still be maximizing the window: the layout waits
    // until the size has settled, but never long.
    if (!loaded && loadTimer.isActive() && shownAt.elapsed() < 300)
        loadTimer.start();
    // Full screen and back, or a window made smaller: the controls follow.
    if (!loaded)
        return;
    placeControls();
    const QSize wanted = Picture1->size().expandedTo(canvas.size());
    if (wanted != canvas.size())
        growCanvas(wanted);
}

void Form1::toggleFullScreen() {
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
}

void Form1::closeEvent(QCloseEvent *event) {
    // The title bar's close button, Alt+F4 or the window manager ask the
    // quit button's question first; No keeps the program and the drawing.
    if (!platform.askYesNo(this, state.texts.value(28))) {
        event->ignore();
        return;
    }
    event->accept();
    platform.quit();
}

// Every step runs even when the one before it failed.
void Form1::Form_Load() {
    if (loaded)
        return;
    loaded = true;

    runStep([&] { Brincaro1->hide(); });
    runStep([&] { drawingsFolder.File1.forcePath(drawings::drawingsFolder(appPath)); });
    // The cues are readied here, so that the first click sounds at once.
    runStep([&] {
        for (const char *cue : {"sonido3.wav", "sonido4.wav", "sonido5.wav"})
            platform.preloadSound(cuePath(cue));
    });
    // The first stamp of the first category is the stamp picture until the
    // gallery picks another.
    runStep([&] {
        FolderList categories;
        if (!categories.setPath(resolvePath(appPath, QStringLiteral("\\dibujos\\"))))
            throw StepFailed();
        FileList stamps;
        if (!stamps.setPath(categories.entryPath(0)))
            throw StepFailed();
        currentStamp = stamps.entryPath(0);
        const QImage picture = loadPicture(currentStamp);
        if (picture.isNull())
            throw StepFailed();
        Picture2->setPicture(picture);
    });
    runStep([&] { placeStampOnBottomEdge(); });
    runStep([&] { drawingsFolder.drawingCount = drawings::countDrawings(drawingsFolder.File1); });
    runStep([&] { maxDrawingsText = config::readDrawingLimitText(appPath).value_or(QString()); });
    runStep([&] {
        if (const auto spacing = config::readGridSpacing(appPath))
            state.gridSpacing = *spacing;
    });
    runStep([&] {
        state.texts = config::readLanguageTexts(appPath);
        for (int k = 0; k < 28; ++k)
            Command1[k]->setToolTip(plainToolTip(state.texts[k]));
    });
    runStep([&] {
        if (const auto limit = config::numberField(maxDrawingsText))
            drawingsFolder.maxDrawings = *limit;
    });
    runStep([&] {
        setLabelColour(Picture3, black);
        state.twipsPerPixel = screenTwipsPerPixel();
        state.stampPreview = true;
    });
    runStep([&] { ArrangeMainWindow(); });
    runStep([&] {
        state.undoIndex = 0;
        state.undoDepth = 0;
        state.lineWidth = 1;
        state.currentTool = Tool::Pencil;
    });
    runStep([&] {
        if (welcomeWindow)
            welcomeWindow->close();
        welcomeWindow = nullptr;
    });
    runStep([&] { buildGrid(); });
    // The text panel's lists: sizes 12 to 48, the system's fonts; 18-point Arial.
    runStep([&] {
        Combo1->clear();
        for (int n = 12; n <= 48; n += 2)
            Combo1->addItem(QString::number(n));
    });
    runStep([&] { Combo2->addItems(QFontDatabase::families()); });
    runStep([&] {
        state.font.setPointSizeF(18);
        state.font.setFamily(QStringLiteral("arial"));
    });
    runStep([&] {
        showListValue(Combo1, QStringLiteral("18"));
        showListValue(Combo2, QStringLiteral("Arial"));
    });
    runStep([&] {
        Text1->setEnabled(false);
        QFont f = Text1->font();
        f.setPointSize(18);
        f.setFamily(QStringLiteral("Arial"));
        Text1->setFont(f);
    });
    runStep([&] { Picture5->hide(); });
    runStep([&] { showChoices(); });
}

void Form1::ArrangeMainWindow() {
    state.sceneCount = countScenes(appPath);
    placeControls();
    RestoreCanvasFrame();
    placeTwips(Picture4, layout::picture4Design);
    placeTwips(Text1, layout::text1InPanel);
    placeTwips(Command4, layout::command4InPanel);
    stampFill = white;
    Picture4->hide();
    state.sprayRadius = 60;
    Picture2->raise();
    Brincaro1->raise();
}

// Places every control for the window's present size. The canvas only ever
// grows: a window made smaller hides part of the drawing, never loses it.
void Form1::placeControls() {
    frame = layout::arrangeMainWindow(screenWidthTwips(), screenHeightTwips());
    placeTwips(Picture1, frame.frame);
    for (int i = 0; i < 28; ++i)
        placeTwips(Command1[i], layout::command1Rect(i));
    for (int i = 0; i < 10; ++i) {
        placeTwips(Command5[i], frame.command5[i]);
        const int side = Command5[i]->height() - 8;
        Command5[i]->setIconSize(QSize(side, side));
    }
    placeTwips(Combo1, frame.combo1);
    placeTwips(Combo2, frame.combo2);
    placeTwips(Command3[0], frame.command3[0]);
    placeTwips(Command3[1], frame.command3[1]);
    placeTwips(picPalette, layout::picPalette);
    picPalette->resize(picPalette->surface.size());
    placeTwips(Picture3, layout::picture3);
    placeTwips(Picture5, layout::colourPanelRect(frame, screenWidthTwips()));
    placeStampOnBottomEdge();
    if (Picture4->isVisible())
        placeTextPanel();
}

// The canvas fills its frame, and once grown (full screen) keeps its size.
void Form1::RestoreCanvasFrame() {
    placeTwips(Picture1, frame.frame);
    const QSize size = Picture1->size().expandedTo(canvas.size());
    if (canvas.size() != size) {
        canvas.resize(size);
        buildGrid();
    }
    Picture1->update();
}

// A window larger than the canvas (full screen): the drawing grows with white
// around it, and undo starts again from it, since older pictures have the
// old size. A window made smaller again hides part of it but loses nothing.
void Form1::growCanvas(QSize size) {
    const QImage drawing = canvas.copyPersistent();
    canvas.resize(size);
    canvas.setBackgroundPicture(drawing);
    buildGrid();
    SaveUndoSnapshot();
    state.undoDepth = 0;
}

void Form1::buildGrid() {
    const QSizeF twips = QSizeF(canvas.size()) * state.twipsPerPixel;
    BuildGridLines(grid, state.gridSpacing, canvas.size().width(), canvas.size().height(),
                   twips.width(), twips.height());
    BuildGridDots(grid, state.gridSpacing, canvas.size().width(), canvas.size().height());
}

QString Form1::cuePath(const char *name) const {
    return resolvePath(appPath, QStringLiteral("\\sonidos\\") + QLatin1String(name));
}

void Form1::playCue(const char *name) {
    platform.playSound(cuePath(name), false);
}

} // namespace garabix
