#pragma once
// MainWindow, the main window: the canvas, the tool bar, the pen sizes, the colour
// pictures, the stamp picture, the text panel and the animation player. Its
// handlers are the window's events, public so that tests drive the window
// through them; each is a short forward to the part that owns it. Its state
// is private: the other windows and tests read it through the views.
//
// The picture, its undo and whether it is saved belong to the drawing
// document (`document`); the window asks it and keeps no copy.
//
// What happens to the drawing has owners of its own (ui/document/: the
// saver, the browser, the PNG copy, the printer). So do the window's parts:
// the controls (controls.h), the canvas's events, the child's choices, the
// gesture and the keyboard's pointer (canvasinput.h), the text tool and its
// panel (textpanel.h), the stamp (stamppress.h), where each control goes
// (placement.h, the only place that counts in twips) and the locked-down
// window's return (ui/widgets/windowkeeper.h).
//
// The implementation is split by the question a reader asks:
// mainwindow_startup.cpp (connecting the controls, start-up steps, closing),
// mainwindow_layout.cpp (placing the controls for the window's size, the
// canvas's size and block, the grid), mainwindow_toolbar.cpp (the tool-bar
// dispatch, pen sizes, the chosen buttons, the text panel's opening),
// mainwindow_canvas.cpp (canvas events to the canvas's input, redo, the
// stamp picture), mainwindow_access.cpp (the areas for the keyboard and the
// switch), mainwindow_drawings.cpp (forwards to the document's owners),
// mainwindow_scenes.cpp, mainwindow_colours.cpp.

#include "core/canvas/colourpictures.h"
#include "core/canvas/drawing.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/tools.h"
#include "core/files/config.h"
#include "core/files/drawings.h"
#include "core/files/settings.h"
#include "core/grid/grid.h"
#include "ui/access/access.h"
#include "ui/gallery/magicgallery.h"
#include "ui/gallery/pagegallery.h"
#include "ui/gallery/stampchooser.h"
#include "ui/mainwindow/canvasinput.h"
#include "ui/mainwindow/controls.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/mainwindow/toolbar.h"
#include "ui/picker/drawingchooser.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace garabix {

class CanvasPrinter;
class DrawingBrowser;
class DrawingSaver;
class Placement;
class StampPress;
class Platform;
class WindowKeeper;

class MainWindow : public QWidget,
                   public StampChooser,
                   public MagicChooser,
                   public PageChooser,
                   public DrawingChooser,
                   public AccessibleWindow {
    Q_OBJECT
public:
    MainWindow(QString appPath, Platform &platform, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The settings files' word, taken before the window is first shown.
    void useSettings(const Settings &s);
    const Settings &currentSettings() const { return settings; }

    // The window to close once this one has loaded (the welcome window).
    void setWelcomeWindow(QWidget *w) { welcomeWindow = w; }
    // Raised by the stamp button; the gallery window listens.
    std::function<void()> showGallery;
    // Raised by the magic button; the magic gallery listens.
    std::function<void()> showMagic;
    // Raised by the colouring pages button; the pages gallery listens.
    std::function<void()> showPages;
    // Raised by the "Mis dibujos" button and Ctrl+O with the drawings
    // folder; the picker window listens.
    std::function<void(const QString &)> showPicker;

    // Start-up: runs once, laid out for the window's current client size.
    void load();
    bool isLoaded() const { return loaded; }

    // Canvas events, positions in canvas pixels.
    void canvasPressed(Qt::MouseButton button, double x, double y);
    void canvasMoved(Qt::MouseButtons buttons, double x, double y);
    void canvasReleased(Qt::MouseButton button, double x, double y);
    void canvasDoubleClicked();
    void canvasLeft();

    void runToolbarButton(ToolbarButton pressed); // the 28 tool-bar buttons
    void choosePen(int pen);                      // the ten pen sizes, 0 the thinnest
    void palettePressed(Qt::MouseButton button, double x, double y);
    void colourChartPressed(Qt::MouseButton button, double x, double y);
    void stampBoxPressed(Qt::MouseButton button, double x, double y);

    // The text panel (textpanel.h): bold and italic, Cerrar, the size and
    // font lists, the text box.
    void toggleTextStyle(int style) { controls.text->toggleStyle(style); } // 0 bold, 1 italic
    void closeTextPanel();
    void chooseTextSize() { controls.text->chooseSize(); }
    void chooseFont() { controls.text->chooseFont(); }
    void textEdited() { controls.text->edited(); }

    // Ctrl+Y and Ctrl+Shift+Z: brings back what undo took, until a new step.
    void redo();
    // F11: full screen, out of reach of the title bar's close button, and back.
    void toggleFullScreen();

    // The gallery's pick becomes the stamp picture and the stamp played.
    void stampChosen(const QString &file, const QImage &picture) override;
    // The gallery's size and turn buttons act on the stamp.
    void stampSizeChosen(int size) override;
    int stampSize() const override;
    void stampTurned() override;
    bool stampUpsideDown() const override;
    QString stampButtonName(int k) const override {
        return text(static_cast<config::Text>(static_cast<int>(config::Text::StampSmall) + k));
    }
    // The magic gallery's pick becomes the tool, and shows on the magic button.
    void magicChosen(Magic effect) override;
    Magic chosenMagic() const override { return input->state().magic; }
    QString magicName(Magic effect) const override {
        return text(config::magicEffectName(static_cast<int>(effect)));
    }
    QString magicTitle() const override { return text(config::Text::MagicTitle); }
    // A gallery closed, with a choice made or not: the window has the keys again.
    void magicGalleryClosed() override;
    // A colouring page chosen in the pages gallery: a new drawing under its lines.
    void pageChosen(const QString &file) override;
    QString pagesTitle() const override { return text(config::Text::PagesTitle); }
    QString programFolder() const override { return appPath; }
    void pageGalleryClosed() override;
    // The picker's choice is shown as the picture buttons show a drawing.
    void drawingChosen(const QString &path) override;
    QString drawingOnShow() const override { return document.shownPath(); }
    // Ctrl+E: the drawing on the canvas copied as a PNG into the user's
    // pictures folder, with a note that says where.
    void copyToPictures();
    // The picker's copy: a saved drawing copied out the same way.
    void copyDrawingToPictures(const QString &path, QWidget *noteOn) override;
    // "Mis dibujos" and Ctrl+O: the picker of saved drawings.
    void openMyDrawings();

    // Whether a save is waiting for the disk; whether the picture buttons or
    // the picker's choice are.
    bool isSaving() const;
    bool isBrowsing() const;
    // The end of the session (SIGTERM, SIGHUP, logging out): a drawing with
    // changes is saved as a new numbered drawing, without a question, and
    // then `done` runs (at once when there is nothing to save).
    void saveForSessionEnd(std::function<void()> done);

    // Views.
    const QImage &picture() const { return document.picture(); }
    const QImage &screenImage() const { return document.canvas().screenLayer(); }
    const Drawing &drawingDocument() const { return document; }
    const DrawingState &drawingState() const { return input->state(); }
    // A text of the language file, optional lines included.
    double controlsScale() const override;
    QString text(config::Text which) const override { return config::text(texts, which); }
    const drawings::DrawingFolder &drawingFolder() const { return drawingsFolder; }
    const QImage &stampPicture() const;
    const QString &stampFile() const;
    const TextTool &textTool() const { return controls.text->tool(); }
    const GridOverlay &gridOverlay() const { return grid; }
    bool canvasEnabled() const { return input->enabled(); }
    // The keyboard's and the switch's way round the window: its areas in the
    // order Tab visits them, and the pointer on the canvas.
    std::vector<AccessArea> accessAreas() override;
    const Access *access() const { return accessKeys; }
    QPointF keyboardPointer() const { return input->keyPointer(); }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Closing the window asks the quit question; Yes ends the program.
    void closeEvent(QCloseEvent *event) override;

private:
    // Start-up and layout (mainwindow_startup.cpp, mainwindow_layout.cpp).
    void createControls();
    void arrangeWindow();
    void placeControls();
    void restoreCanvasFrame();
    void growCanvas(QSize size);
    void chooseCanvasBlock();
    void buildGrid();
    QString cuePath(const QString &name) const;
    void playCue(const QString &name);
    bool askToQuit();
    bool buttonAllowed(ToolbarButton button) const;
    void hideRefusedButtons();

    // Tool-bar commands (mainwindow_toolbar.cpp).
    bool runCommand(ToolbarButton button);
    void toggleGridLines();
    void toggleGridDots();
    void openFolder();
    void openGallery();
    // The magic and colouring pages buttons: `show` raises their gallery.
    void openGalleryWindow(const std::function<void()> &show);
    void showChoices();

    // The keyboard and the switch (mainwindow_access.cpp).
    void startAccess();

    // Scenes and the new drawing (mainwindow_scenes.cpp).
    void showScene();
    void stepScene(bool forward);
    void newDrawing();

    // Saving, browsing, copying, printing (mainwindow_drawings.cpp).
    void createDocumentKeepers();

    // Colours (mainwindow_colours.cpp).
    void pickColour(ColourWord colour);
    bool pickFromGrid(const colourpictures::SwatchGrid &grid, double x, double y);

    void openTextPanel();

    QString appPath;                        // the program folder
    Settings settings;                      // the settings files' word
    Platform &platform;                     // sound, printing, the desktop
    Drawing document;                       // the picture, its undo, saved or not
    GridOverlay grid;                       // the grid's lines and dots over the canvas
    drawings::DrawingFolder drawingsFolder; // misdibujos: saving and browsing
    QStringList texts;                      // idioma.txt, config::allTextCount of them
    DesignScale scale;                      // canvas pixels to a pixel of the design
    QImage scene;                           // the scene on show

    WindowControls controls;              // the controls, by the names the layout uses
    std::unique_ptr<Placement> placement; // where the controls go, in pixels
    StampPress *stampPress = nullptr;     // the stamp: its picture, play and landing
    std::unique_ptr<CanvasInput> input;   // the canvas's pointer, keys and choices
    WindowKeeper *keeper = nullptr;       // brings a locked-down window back

    QWidget *welcomeWindow = nullptr; // closed once this window has loaded
    bool loaded = false;              // load has run
    QTimer loadTimer;                 // runs load once the size settles
    QElapsedTimer shownAt;            // since the window was first shown

    DrawingSaver *saver = nullptr;     // the save from the press to its note
    DrawingBrowser *browser = nullptr; // the saved drawings the canvas shows
    CanvasPrinter *printer = nullptr;  // the print button and its interval

    Access *accessKeys = nullptr; // the keyboard's and the switch's frame
};

} // namespace garabix
