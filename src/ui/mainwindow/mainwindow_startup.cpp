// MainWindow's controls, its start-up and its closing.

#include "core/base/log.h"
#include "core/canvas/colourpictures.h"
#include "core/files/config.h"
#include "core/files/paths.h"
#include "core/files/pictures.h"
#include "core/files/scenes.h"
#include "core/text/numeric.h"
#include "ui/document/saving.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/placement.h"
#include "ui/mainwindow/stamppress.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/platform/platform.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"
#include "ui/widgets/windowkeeper.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace garabix {

MainWindow::MainWindow(QString path, Platform &p, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), platform(p) {
    setWindowTitle(QStringLiteral("Garabix"));
    setBackground(this, QColor(255, 192, 255));
    // The keys reach the window when no text box has them.
    setFocusPolicy(Qt::StrongFocus);
    loadTimer.setSingleShot(true);
    loadTimer.setInterval(40);
    connect(&loadTimer, &QTimer::timeout, this, [this] { load(); });
    // No quitting and full screen: the window always stays.
    new WindowKeeper(this, [this] { return !settings.quit && settings.fullScreen; });
    createControls();
}

MainWindow::~MainWindow() {
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

void MainWindow::createControls() {
    canvasView = named(new CanvasWidget(document.canvas(), grid, this),
                       QString::fromLatin1(widgetname::canvas));
    canvasView->onPress = [this](Qt::MouseButton b, QPointF p) { canvasPressed(b, p.x(), p.y()); };
    canvasView->onMove = [this](Qt::MouseButtons b, QPointF p) { canvasMoved(b, p.x(), p.y()); };
    canvasView->onRelease = [this](Qt::MouseButton b, QPointF p) {
        canvasReleased(b, p.x(), p.y());
    };
    canvasView->onDoubleClick = [this] { canvasDoubleClicked(); };
    canvasView->onLeave = [this] { canvasLeft(); };

    // The keys every paint program has: each does what its button does.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { runToolbarButton(ToolbarButton::Undo); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { runToolbarButton(ToolbarButton::Save); }},
        {QKeySequence(Qt::CTRL | Qt::Key_O), [this] { openMyDrawings(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_E), [this] { copyToPictures(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { redo(); }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { redo(); }},
        {QKeySequence(Qt::Key_F11), [this] { toggleFullScreen(); }},
    };
    for (const auto &[sequence, action] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);

    for (ToolbarButton button : allToolbarButtons()) {
        const int i = buttonIndex(button);
        auto *b = named(new QPushButton(this), widgetname::toolbarButton(i));
        b->setFocusPolicy(Qt::NoFocus);
        const long colour = layout::toolbarButtonColour(button);
        if (colour >= 0)
            setButtonColour(b, colour);
        b->setIcon(toolIcon(i));
        b->setIconSize(QSize(34, 34));
        connect(b, &QPushButton::clicked, this, [this, button] { runToolbarButton(button); });
        toolbarButtons.append(b);
    }
    for (int i = 0; i < 10; ++i) {
        auto *b = named(new QPushButton(this), widgetname::penButton(i));
        b->setFocusPolicy(Qt::NoFocus);
        setButtonColour(b, white);
        b->setIcon(penSizeIcon(i));
        connect(b, &QPushButton::clicked, this, [this, i] { choosePen(i); });
        penButtons.append(b);
    }
    textPanel = new TextPanel(this);
    textPanel->edit = [this] { document.canvas().repaint(); };
    textPanel->closed = [this] { closeTextPanel(); };

    paletteStrip = named(new PictureBox(this), QString::fromLatin1(widgetname::paletteStrip));
    paletteStrip->setPicture(colourpictures::paletteStrip());
    paletteStrip->onPress = [this](Qt::MouseButton b, QPointF p) {
        palettePressed(b, p.x(), p.y());
    };
    colourChart = named(new PictureBox(this), QString::fromLatin1(widgetname::colourChart));
    colourChart->setPicture(colourpictures::colourChart());
    colourChart->onPress = [this](Qt::MouseButton b, QPointF p) {
        colourChartPressed(b, p.x(), p.y());
    };
    stampBox = named(new PictureBox(this), QString::fromLatin1(widgetname::stampBox));
    stampBox->hide();
    stampBox->onPress = [this](Qt::MouseButton b, QPointF p) { stampBoxPressed(b, p.x(), p.y()); };
    myDrawingsButton =
        named(new QPushButton(this), QString::fromLatin1(widgetname::myDrawingsButton));
    myDrawingsButton->setFocusPolicy(Qt::NoFocus);
    setButtonColour(myDrawingsButton, 0xC0FFFF);
    myDrawingsButton->setIcon(namedIcon(QStringLiteral("mydrawings")));
    connect(myDrawingsButton, &QPushButton::clicked, this, [this] { openMyDrawings(); });
    colourWell = named(new QLabel(this), QString::fromLatin1(widgetname::colourWell));
    colourWell->setAutoFillBackground(true);
    stampPlayer = named(new AnimationPlayer(this), QString::fromLatin1(widgetname::stampPlayer));
    stampPlayer->hide();
    placement = std::make_unique<Placement>(
        this, WindowControls{canvasView, toolbarButtons, penButtons, paletteStrip, colourChart,
                             stampBox, colourWell, myDrawingsButton, stampPlayer, textPanel});
    stampPress = new StampPress(document, stampBox, stampPlayer, *placement, this);
    input = std::make_unique<CanvasInput>(document, canvasView, *stampPress, *textPanel, settings);
    createDocumentKeepers();
}

void MainWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded && !loadTimer.isActive()) {
        shownAt.start();
        loadTimer.start();
    }
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // The title bar's close button, Alt+F4 or the window manager ask the
    // quit button's question first; No keeps the program and the drawing.
    // Where the settings forbid quitting, they do nothing.
    if (!settings.quit || !askToQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    platform.quit();
}

// The buttons a school's settings can take away.
bool MainWindow::buttonAllowed(ToolbarButton button) const {
    switch (button) {
    case ToolbarButton::DeleteDrawing:
        return settings.deleteButton;
    case ToolbarButton::Quit:
        return settings.quit;
    case ToolbarButton::Print:
        return settings.print;
    case ToolbarButton::OpenFolder:
        return settings.folderButton;
    default:
        return true;
    }
}

void MainWindow::hideRefusedButtons() {
    for (ToolbarButton b : allToolbarButtons())
        toolbarButtons[buttonIndex(b)]->setVisible(buttonAllowed(b));
}

// The quit question, its buttons in the language file's language.
bool MainWindow::askToQuit() {
    using config::Text;
    return platform.askYesNo(this, text(Text::QuitQuestion), text(Text::YesButton),
                             text(Text::NoButton));
}

// Every step runs even when the one before it failed; a failure is logged.
void MainWindow::load() {
    if (loaded)
        return;
    loaded = true;

    runSkippingFailure("hiding the stamp player", [&] { stampPlayer->hide(); });
    runSkippingFailure("reading the program folder's configuration", [&] {
        settings = withProgramFolder(settings, appPath);
        drawingsFolder.maxDrawings = static_cast<int16_t>(settings.drawingLimit);
        saver->setLimitWording(settings.deleteButton, settings.programFoldersLimit);
    });
    runSkippingFailure("finding the drawings folder", [&] {
        QDir().mkpath(settings.drawingsFolder);
        drawingsFolder.files.forcePath(settings.drawingsFolder);
        if (!QFileInfo(drawingsFolder.files.path()).isDir())
            throw StepFailed{"the drawings folder cannot be made"};
    });
    // The cues are readied here, so that the first click sounds at once.
    runSkippingFailure("readying the cues", [&] {
        for (const char *cue : {"sonido3.wav", "sonido4.wav", "sonido5.wav"})
            platform.preloadSound(cuePath(cue));
    });
    // The first stamp of the first category is the stamp picture until the
    // gallery picks another.
    runSkippingFailure("loading the first stamp", [&] { stampPress->loadFirst(appPath); });
    runSkippingFailure("placing the stamp picture", [&] { placement->placeStampOnBottomEdge(); });
    runSkippingFailure("counting the drawings", [&] {
        drawingsFolder.drawingCount = drawings::countDrawings(drawingsFolder.files);
    });
    runSkippingFailure("reading anchorejilla.txt", [&] {
        const auto spacing = config::readGridSpacing(appPath);
        if (!spacing)
            throw StepFailed{"configuracion/anchorejilla.txt gives no spacing"};
        input->state().gridSpacing = *spacing;
    });
    runSkippingFailure("reading idioma.txt", [&] {
        texts = config::readLanguageFile(settings.languageFile);
        // The tips are the buttons' names for a screen reader too.
        for (ToolbarButton b : allToolbarButtons()) {
            QPushButton *button = toolbarButtons[buttonIndex(b)];
            button->setToolTip(plainToolTip(texts[buttonIndex(b)]));
            button->setAccessibleName(texts[buttonIndex(b)]);
        }
        textPanel->useTexts(text(config::Text::CloseButton), text(config::Text::TextPlaceholder));
        myDrawingsButton->setToolTip(plainToolTip(text(config::Text::MyDrawings)));
        myDrawingsButton->setAccessibleName(text(config::Text::MyDrawings));
        for (int i = 0; i < 10; ++i)
            penButtons[i]->setAccessibleName(text(config::Text::PenName).arg(i + 1));
        stampBox->setAccessibleName(text(config::Text::StampPictureName));
        canvasView->setAccessibleName(text(config::Text::CanvasName));
        paletteStrip->setAccessibleName(text(config::Text::SwatchName).arg(1));
        colourChart->setAccessibleName(text(config::Text::SwatchName).arg(1));
        // Qt's own texts (the text box's menu) in the file's language too.
        platform.useLanguage(text(config::Text::Language));
    });
    runSkippingFailure("setting the colour and scale", [&] {
        setLabelColour(colourWell, black);
        placement->readScreen();
        chooseCanvasBlock();
    });
    runSkippingFailure("arranging the window", [&] { arrangeWindow(); });
    runSkippingFailure("hiding the buttons the settings refuse", [&] { hideRefusedButtons(); });
    runSkippingFailure("choosing the pencil", [&] {
        input->state().lineWidth = canvasPixels(1);
        input->state().currentTool = Tool::Pencil;
    });
    runSkippingFailure("closing the welcome window", [&] {
        if (welcomeWindow)
            welcomeWindow->close();
        welcomeWindow = nullptr;
    });
    runSkippingFailure("building the grid", [&] { buildGrid(); });
    textPanel->load();
    runSkippingFailure("hiding the colour chart", [&] { colourChart->hide(); });
    runSkippingFailure("showing the choices", [&] { showChoices(); });
    runSkippingFailure("readying the keyboard and the switch", [&] { startAccess(); });
}

QString MainWindow::cuePath(const char *name) const {
    return resolvePath(appPath, QStringLiteral("/sonidos/") + QLatin1String(name));
}

void MainWindow::playCue(const char *name) {
    platform.playSound(cuePath(name), false);
}

} // namespace garabix
