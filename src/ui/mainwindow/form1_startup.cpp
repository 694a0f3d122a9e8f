// Form1's controls, its start-up and its closing.

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
#include <QFileInfo>
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
    twipsPerPixel = screenTwipsPerPixel();
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
    Picture1 = named(new CanvasWidget(document.canvas(), grid, this), QStringLiteral("Picture1"));
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
        {QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Command1_Click(ToolbarButton::Undo); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Command1_Click(ToolbarButton::Save); }},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { Command6_Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { Redo(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { Redo(); }},
        {QKeySequence(Qt::Key_F11), [this] { toggleFullScreen(); }},
    };
    for (const auto &[sequence, action] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);

    for (ToolbarButton button : allToolbarButtons()) {
        const int i = buttonIndex(button);
        auto *b = named(new QPushButton(this), QStringLiteral("Command1_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        const long colour = layout::command1Colour(button);
        if (colour >= 0)
            setButtonColour(b, colour);
        b->setIcon(toolIcon(i));
        b->setIconSize(QSize(34, 34));
        connect(b, &QPushButton::clicked, this, [this, button] { Command1_Click(button); });
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
    Command6 = named(new QPushButton(this), QStringLiteral("Command6"));
    Command6->setFocusPolicy(Qt::NoFocus);
    setButtonColour(Command6, 0xC0FFFF);
    Command6->setIcon(namedIcon(QStringLiteral("mydrawings")));
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    Picture3 = named(new QLabel(this), QStringLiteral("Picture3"));
    Picture3->setAutoFillBackground(true);
    Brincaro1 = named(new Brincaro(this), QStringLiteral("Brincaro1"));
    Brincaro1->hide();
    // However long its frames, a stamp lands within three seconds.
    Brincaro1->setLongestPlay(3000);
    connect(Brincaro1, &Brincaro::GifEnd, this, [this] { Brincaro1_GifEnd(); });
}

void Form1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded && !loadTimer.isActive()) {
        shownAt.start();
        loadTimer.start();
    }
}

void Form1::closeEvent(QCloseEvent *event) {
    // The title bar's close button, Alt+F4 or the window manager ask the
    // quit button's question first; No keeps the program and the drawing.
    if (!askToQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    platform.quit();
}

// The quit question, its buttons in the language file's language.
bool Form1::askToQuit() {
    using config::Text;
    return platform.askYesNo(this, text(Text::QuitQuestion), text(Text::YesButton),
                             text(Text::NoButton));
}

// Every step runs even when the one before it failed; a failure is logged.
void Form1::Form_Load() {
    if (loaded)
        return;
    loaded = true;

    runStep("hiding the stamp player", [&] { Brincaro1->hide(); });
    runStep("finding the drawings folder", [&] {
        drawingsFolder.File1.forcePath(drawings::drawingsFolder(appPath));
        if (!QFileInfo(drawingsFolder.File1.path()).isDir())
            throw StepFailed{"the drawings folder cannot be made"};
    });
    // The cues are readied here, so that the first click sounds at once.
    runStep("readying the cues", [&] {
        for (const char *cue : {"sonido3.wav", "sonido4.wav", "sonido5.wav"})
            platform.preloadSound(cuePath(cue));
    });
    // The first stamp of the first category is the stamp picture until the
    // gallery picks another.
    runStep("loading the first stamp", [&] {
        FolderList categories;
        if (!categories.setPath(resolvePath(appPath, QStringLiteral("\\dibujos\\"))))
            throw StepFailed{"there is no dibujos folder"};
        FileList stamps;
        if (!stamps.setPath(categories.entryPath(0)))
            throw StepFailed{"dibujos has no category"};
        currentStamp = stamps.entryPath(0);
        const QImage picture = loadPicture(currentStamp);
        if (picture.isNull())
            throw StepFailed{"the first stamp cannot be read"};
        Picture2->setPicture(picture);
    });
    runStep("placing the stamp picture", [&] { placeStampOnBottomEdge(); });
    runStep("counting the drawings", [&] {
        drawingsFolder.drawingCount = drawings::countDrawings(drawingsFolder.File1);
    });
    runStep("reading mdg.txt", [&] {
        const auto limit = config::readDrawingLimitText(appPath);
        if (!limit)
            throw StepFailed{"configuracion/mdg.txt is missing or empty: saving is off"};
        maxDrawingsText = *limit;
    });
    runStep("reading anchorejilla.txt", [&] {
        const auto spacing = config::readGridSpacing(appPath);
        if (!spacing)
            throw StepFailed{"configuracion/anchorejilla.txt gives no spacing"};
        state.gridSpacing = *spacing;
    });
    runStep("reading idioma.txt", [&] {
        texts = config::readLanguageTexts(appPath);
        for (ToolbarButton b : allToolbarButtons())
            Command1[buttonIndex(b)]->setToolTip(plainToolTip(texts[buttonIndex(b)]));
        Command4->setText(text(config::Text::CloseButton));
        Command6->setToolTip(plainToolTip(text(config::Text::MyDrawings)));
        // Qt's own texts (the text box's menu) in the file's language too.
        platform.useLanguage(text(config::Text::Language));
    });
    runStep("taking the drawing limit", [&] {
        const auto limit = config::numberField(maxDrawingsText);
        if (!limit)
            throw StepFailed{"mdg.txt holds no number that fits"};
        drawingsFolder.maxDrawings = *limit;
    });
    runStep("setting the colour and scale", [&] {
        setLabelColour(Picture3, black);
        twipsPerPixel = screenTwipsPerPixel();
        state.stampPreview = true;
        chooseCanvasBlock();
    });
    runStep("arranging the window", [&] { ArrangeMainWindow(); });
    runStep("choosing the pencil", [&] {
        state.lineWidth = canvasPixels(1);
        state.currentTool = Tool::Pencil;
    });
    runStep("closing the welcome window", [&] {
        if (welcomeWindow)
            welcomeWindow->close();
        welcomeWindow = nullptr;
    });
    runStep("building the grid", [&] { buildGrid(); });
    // The text panel's lists: sizes 12 to 48, the system's fonts; 18-point Arial.
    runStep("filling the size list", [&] {
        Combo1->clear();
        for (int n = 12; n <= 48; n += 2)
            Combo1->addItem(QString::number(n));
    });
    runStep("filling the font list", [&] { Combo2->addItems(QFontDatabase::families()); });
    runStep("choosing the text font", [&] {
        state.font.setPointSizeF(18);
        state.font.setFamily(QStringLiteral("arial"));
    });
    runStep("showing the text font", [&] {
        showListValue(Combo1, QStringLiteral("18"));
        showListValue(Combo2, QStringLiteral("Arial"));
    });
    runStep("readying the text box", [&] {
        Text1->setEnabled(false);
        QFont f = Text1->font();
        f.setPointSize(18);
        f.setFamily(QStringLiteral("Arial"));
        Text1->setFont(f);
    });
    runStep("hiding the colour chart", [&] { Picture5->hide(); });
    runStep("showing the choices", [&] { showChoices(); });
}

QString Form1::cuePath(const char *name) const {
    return resolvePath(appPath, QStringLiteral("\\sonidos\\") + QLatin1String(name));
}

void Form1::playCue(const char *name) {
    platform.playSound(cuePath(name), false);
}

} // namespace garabix
