// MainWindow's controls connected to its handlers, its start-up and its closing.

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

namespace {

// Each magic effect has a cue of its own, magia1.wav for the first.
QString magicCue(Magic effect) {
    return QStringLiteral("magia%1.wav").arg(static_cast<int>(effect) + 1);
}

} // namespace

MainWindow::MainWindow(QString path, Platform &p, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), platform(p) {
    setWindowTitle(QStringLiteral("Garabix"));
    setBackground(this, QColor(255, 192, 255));
    // The keys reach the window when no text box has them.
    setFocusPolicy(Qt::StrongFocus);
    loadTimer.setSingleShot(true);
    loadTimer.setInterval(40);
    connect(&loadTimer, &QTimer::timeout, this, [this] { load(); });
    keeper = new WindowKeeper(this);
    createControls();
}

// No quitting and full screen: the window always stays.
void MainWindow::useSettings(const Settings &s) {
    settings = s;
    keeper->setLockedDown(!settings.quit && settings.fullScreen);
}

MainWindow::~MainWindow() {
    // The controls go first, while the handlers their signals reach still exist.
    const QList<QWidget *> children =
        findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : children) {
        w->disconnect(this);
        delete w;
    }
}

void MainWindow::createControls() {
    controls = garabix::createControls(this, document.canvas(), grid);
    CanvasWidget *canvas = controls.canvas;
    canvas->onPress = [this](Qt::MouseButton b, QPointF p) { canvasPressed(b, p.x(), p.y()); };
    canvas->onMove = [this](Qt::MouseButtons b, QPointF p) { canvasMoved(b, p.x(), p.y()); };
    canvas->onRelease = [this](Qt::MouseButton b, QPointF p) { canvasReleased(b, p.x(), p.y()); };
    canvas->onDoubleClick = [this] { canvasDoubleClicked(); };
    canvas->onLeave = [this] { canvasLeft(); };

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

    for (ToolbarButton b : allToolbarButtons())
        connect(controls.toolbar[buttonIndex(b)], &QPushButton::clicked, this,
                [this, b] { runToolbarButton(b); });
    for (int i = 0; i < 10; ++i)
        connect(controls.pens[i], &QPushButton::clicked, this, [this, i] { choosePen(i); });
    controls.text->edit = [this] { document.canvas().repaint(); };
    controls.text->closed = [this] { closeTextPanel(); };
    controls.palette->onPress = [this](Qt::MouseButton b, QPointF p) {
        palettePressed(b, p.x(), p.y());
    };
    controls.chart->onPress = [this](Qt::MouseButton b, QPointF p) {
        colourChartPressed(b, p.x(), p.y());
    };
    controls.stampBox->onPress = [this](Qt::MouseButton b, QPointF p) {
        stampBoxPressed(b, p.x(), p.y());
    };
    connect(controls.myDrawings, &QPushButton::clicked, this, [this] { openMyDrawings(); });
    connect(controls.magic, &QPushButton::clicked, this, [this] { openGalleryWindow(showMagic); });
    connect(controls.pages, &QPushButton::clicked, this, [this] { openGalleryWindow(showPages); });
    placement = std::make_unique<Placement>(this, controls);
    stampPress =
        new StampPress(document, controls.stampBox, controls.stampPlayer, *placement, scale, this);
    input = std::make_unique<CanvasInput>(document, controls.canvas, *stampPress, *controls.text,
                                          settings, scale);
    input->magicStarts = [this](Magic effect) { playCue(magicCue(effect)); };
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
        controls.toolbar[buttonIndex(b)]->setVisible(buttonAllowed(b));
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

    runSkippingFailure("hiding the stamp player", [&] { controls.stampPlayer->hide(); });
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
            platform.preloadSound(cuePath(QString::fromLatin1(cue)));
        for (int k = 0; k < magicCount; ++k)
            platform.preloadSound(cuePath(magicCue(Magic(k))));
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
        nameControls(controls, texts);
        // Qt's own texts (the text box's menu) in the file's language too.
        platform.useLanguage(text(config::Text::Language));
    });
    runSkippingFailure("setting the colour and scale", [&] {
        setLabelColour(controls.colourWell, black);
        placement->readScreen();
        chooseCanvasBlock();
    });
    runSkippingFailure("arranging the window", [&] { arrangeWindow(); });
    runSkippingFailure("hiding the buttons the settings refuse", [&] { hideRefusedButtons(); });
    runSkippingFailure("choosing the pencil", [&] {
        input->state().lineWidth = scale.pixels(1);
        input->state().currentTool = Tool::Pencil;
    });
    runSkippingFailure("closing the welcome window", [&] {
        if (welcomeWindow)
            welcomeWindow->close();
        welcomeWindow = nullptr;
    });
    runSkippingFailure("building the grid", [&] { buildGrid(); });
    controls.text->load();
    runSkippingFailure("hiding the colour chart", [&] { controls.chart->hide(); });
    runSkippingFailure("showing the choices", [&] { showChoices(); });
    runSkippingFailure("readying the keyboard and the switch", [&] { startAccess(); });
}

QString MainWindow::cuePath(const QString &name) const {
    return resolvePath(appPath, QStringLiteral("/sonidos/") + name);
}

void MainWindow::playCue(const QString &name) {
    platform.playSound(cuePath(name), false);
}

} // namespace garabix
