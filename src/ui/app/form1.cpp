#include "ui/app/form1.h"

#include "core/app/config.h"
#include "core/app/numeric.h"
#include "core/app/paths.h"
#include "core/app/pictures.h"
#include "core/app/scenes.h"
#include "core/canvas/colourpictures.h"
#include "core/canvas/tools.h"
#include "core/files/drawings.h"
#include "ui/app/brincaro.h"
#include "ui/app/canvaswidget.h"
#include "ui/app/picturebox.h"
#include "ui/app/platform.h"
#include "ui/app/uiutil.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <exception>

namespace garabix {

namespace {

// Start-up runs every step under resume-next handling: a step that fails is
// skipped and the next one runs.
struct StepFailed : std::exception {};

template <typename Step> void runStep(Step &&step) {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

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

void Form1::createControls() {
    Picture1 = new CanvasWidget(canvas, grid, this);
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

    for (int i = 0; i < 28; ++i) {
        auto *b = new QPushButton(this);
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
        auto *b = new QPushButton(this);
        b->setFocusPolicy(Qt::NoFocus);
        setButtonColour(b, white);
        b->setIcon(penSizeIcon(i));
        connect(b, &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
        Command5.append(b);
    }
    // The lists take the keyboard only when clicked, so that a child's typing
    // never lands in the size box by surprise.
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setFocusPolicy(Qt::ClickFocus);
    Combo2 = new QComboBox(this);
    Combo2->setEditable(true);
    Combo2->setFocusPolicy(Qt::ClickFocus);
    const char *captions[2] = {"N", "C"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setFocusPolicy(Qt::NoFocus);
        QFont f(QStringLiteral("Arial"), 12);
        f.setBold(i == 0);
        f.setItalic(i == 1);
        b->setFont(f);
        connect(b, &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
        Command3.append(b);
    }
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this] { Combo1_Click(); });
    connect(Combo2, qOverload<int>(&QComboBox::activated), this, [this] { Combo2_Click(); });

    Picture4 = new QWidget(this);
    setBackground(Picture4, QColor(255, 255, 192));
    Text1 = new QLineEdit(Picture4);
    Command4 = new QPushButton(QStringLiteral("Cerrar"), Picture4);
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });

    picPalette = new PictureBox(this);
    picPalette->setPicture(colourpictures::paletteStrip());
    picPalette->onPress = [this](Qt::MouseButton b, QPointF p) {
        picPalette_MouseDown(b, p.x(), p.y());
    };
    Picture5 = new PictureBox(this);
    Picture5->setPicture(colourpictures::colourChart());
    Picture5->onPress = [this](Qt::MouseButton b, QPointF p) {
        Picture5_MouseDown(b, p.x(), p.y());
    };
    Picture2 = new PictureBox(this);
    Picture2->hide();
    Picture2->onPress = [this](Qt::MouseButton b, QPointF p) {
        Picture2_MouseDown(b, p.x(), p.y());
    };
    Picture3 = new QLabel(this);
    Picture3->setAutoFillBackground(true);
    Brincaro1 = new Brincaro(this);
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

void Form1::placeStampOnBottomEdge() {
    const QRectF r = twipsRect(Picture2);
    placeTwips(Picture2, QRectF(r.left(), screenHeightTwips() - r.height(), r.width(), r.height()));
}

QRectF Form1::twipsRect(const QWidget *w) const {
    const double tpp = state.twipsPerPixel;
    return {w->x() * tpp, w->y() * tpp, w->width() * tpp, w->height() * tpp};
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

void Form1::Form_Load() {
    if (loaded)
        return;
    loaded = true;
    const QString programFolder = appPath;

    // 1. The player rests hidden.
    runStep([&] { Brincaro1->hide(); });
    // 2. The drawings folder is created when nothing of that name exists.
    runStep([&] { drawingsPath = drawings::drawingsFolder(programFolder); });
    // 3. The cues are readied here, so that the first click sounds at once.
    runStep([&] {
        appPath = programFolder;
        for (const char *cue : {"sonido3.wav", "sonido4.wav", "sonido5.wav"})
            platform.preloadSound(cuePath(cue));
    });
    // 4. The first stamp category.
    runStep([&] {
        if (!Dir1.setPath(resolvePath(appPath, QStringLiteral("\\dibujos\\"))))
            throw StepFailed();
        const QString first = Dir1.entryPath(0);
        if (first.isEmpty() || !Dir1.setPath(first))
            throw StepFailed();
        File1.forcePath(first);
    });
    // 5. Its first stamp becomes the stamp picture.
    runStep([&] {
        const QString entry = File1.entry(0);
        if (entry.isEmpty() || File1.path().isEmpty())
            throw StepFailed();
        stamps.stampFiles[0] = File1.path() + QLatin1Char('/') + entry;
        const QImage picture = loadPicture(stamps.stampFiles[0]);
        if (picture.isNull())
            throw StepFailed();
        Picture2->setPicture(picture);
    });
    // 6.
    runStep([&] { placeStampOnBottomEdge(); });
    // 7. The lists point at the drawings folder. If it could not be made, they
    // still must not point at a stamp folder: the delete button would remove
    // the program's own stamps.
    runStep([&] {
        Dir1.setPath(drawingsPath);
        File1.forcePath(drawingsPath);
        state.drawingCount = drawings::countDrawings(File1);
    });
    // 8.
    runStep([&] { maxDrawingsText = config::readDrawingLimitText(appPath).value_or(QString()); });
    // 9.
    runStep([&] {
        if (const auto spacing = config::readGridSpacing(appPath))
            state.gridSpacing = *spacing;
    });
    // 10.
    runStep([&] {
        state.texts = config::readLanguageTexts(appPath);
        for (int k = 0; k < 28; ++k)
            Command1[k]->setToolTip(plainToolTip(state.texts[k]));
    });
    // 11.
    runStep([&] {
        if (const auto limit = config::numberField(maxDrawingsText))
            state.maxDrawings = *limit;
    });
    // 12.
    runStep([&] {
        setLabelColour(Picture3, black);
        state.twipsPerPixel = screenTwipsPerPixel();
        state.stampPreview = true;
    });
    // 13.
    runStep([&] { ArrangeMainWindow(); });
    // 14.
    runStep([&] {
        state.undoIndex = 0;
        state.undoDepth = 0;
        state.lineWidth = 1;
        state.currentTool = tool::pencil;
    });
    // 15.
    runStep([&] {
        if (welcomeWindow)
            welcomeWindow->close();
        welcomeWindow = nullptr;
    });
    // 16.
    runStep([&] {
        const QRectF outer = twipsRect(Picture1);
        BuildGridLines(grid, state.gridSpacing, canvas.size().width(), canvas.size().height(),
                       outer.width(), outer.height());
        BuildGridDots(grid, state.gridSpacing, canvas.size().width(), canvas.size().height());
    });
    // 17.
    runStep([&] {
        Combo1->clear();
        for (int n = 12; n <= 48; n += 2)
            Combo1->addItem(QString::number(n));
    });
    // 18.
    runStep([&] { Combo2->addItems(QFontDatabase::families()); });
    // 19.
    runStep([&] {
        Combo1->setEditText(QStringLiteral("18"));
        Combo2->setEditText(QStringLiteral("Arial"));
    });
    // 20.
    runStep([&] {
        canvas.font().setPointSizeF(leadingNumber(Combo1->currentText()));
        canvas.font().setFamily(QStringLiteral("arial"));
    });
    // 21.
    runStep([&] {
        Text1->setEnabled(false);
        QFont f = Text1->font();
        f.setPointSize(18);
        f.setFamily(QStringLiteral("Arial"));
        Text1->setFont(f);
    });
    // 22.
    runStep([&] {
        placeTwips(Picture5, layout::colourPanelRect(frame, screenWidthTwips()));
        Picture5->hide();
    });
}

void Form1::ArrangeMainWindow() {
    state.sceneCount = countScenes(appPath);
    frame = layout::arrangeMainWindow(screenWidthTwips(), screenHeightTwips());
    RestoreCanvasFrame();
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
    placeTwips(Picture4, layout::picture4Design);
    placeTwips(Text1, layout::text1InPanel);
    placeTwips(Command4, layout::command4InPanel);
    Picture2->surface.setFillSolid(true);
    Picture2->surface.setFillColour(white);
    Picture4->hide();
    state.sprayRadius = 60;
    Picture2->raise();
    Brincaro1->raise();
}

void Form1::RestoreCanvasFrame() {
    placeTwips(Picture1, frame.frame);
    if (canvas.size() != Picture1->size())
        canvas.resize(Picture1->size());
    Picture1->update();
}

PointerContext Form1::pointerContext() {
    return {state, canvas, rng, *this};
}

void Form1::Picture1_MouseDown(Qt::MouseButton button, double x, double y) {
    if (canvas.isEnabled())
        pointerPress(pointerContext(), button == Qt::LeftButton, x, y);
}

void Form1::Picture1_MouseMove(Qt::MouseButtons buttons, double x, double y) {
    if (canvas.isEnabled())
        pointerMove(pointerContext(), buttons != Qt::NoButton, x, y);
}

void Form1::Picture1_MouseUp(Qt::MouseButton button, double x, double y) {
    if (canvas.isEnabled())
        pointerRelease(pointerContext(), button == Qt::LeftButton, x, y);
}

void Form1::Picture1_DblClick() {
    if (canvas.isEnabled())
        pointerDoubleClick(pointerContext());
}

void Form1::SaveUndoSnapshot() {
    garabix::SaveUndoSnapshot(state, canvas, undo);
}

void Form1::UndoLastStep() {
    if (garabix::UndoLastStep(state, canvas, undo))
        state.shownDrawing.clear();
}

QString Form1::cuePath(const char *name) const {
    return resolvePath(appPath, QStringLiteral("\\sonidos\\") + QLatin1String(name));
}

void Form1::playCue(const char *name) {
    platform.playSound(cuePath(name), false);
}

} // namespace garabix
