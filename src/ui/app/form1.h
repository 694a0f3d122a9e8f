#pragma once
// Form1, the main window: the canvas, the tool bar, the pen sizes, the colour
// pictures, the stamp picture, the text panel and the animation player. Its
// handlers are short forwards into the core; they are public so that tests
// drive the window through them.

#include "core/app/folderlist.h"
#include "core/app/layout.h"
#include "core/app/stampselection.h"
#include "core/canvas/canvassurface.h"
#include "core/canvas/drawingstate.h"
#include "core/canvas/pointer.h"
#include "core/canvas/random.h"
#include "core/canvas/undoring.h"
#include "core/grid/grid.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QLabel;

namespace garabix {

class Brincaro;
class CanvasWidget;
class PictureBox;
class Platform;

class Form1 : public QWidget, private PointerEnvironment {
    Q_OBJECT
public:
    Form1(QString appPath, Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // The window to close once this one has loaded (the welcome window).
    void setWelcomeWindow(QWidget *w) { welcomeWindow = w; }

    // Start-up: runs once, laid out for the window's current client size.
    void Form_Load();
    bool isLoaded() const { return loaded; }

    // Canvas handlers, positions in canvas pixels.
    void Picture1_MouseDown(Qt::MouseButton button, double x, double y);
    void Picture1_MouseMove(Qt::MouseButtons buttons, double x, double y);
    void Picture1_MouseUp(Qt::MouseButton button, double x, double y);
    void Picture1_DblClick();

    void Command1_Click(int Index);
    void Command5_Click(int Index);
    void picPalette_MouseDown(Qt::MouseButton button, double x, double y);
    void Picture5_MouseDown(Qt::MouseButton button, double x, double y);

    void Picture2_MouseDown(Qt::MouseButton button, double x, double y);
    void Brincaro1_GifEnd();

    // Text panel and font settings.
    void Command3_Click(int Index);
    void Command4_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Text1_Change();

    void SaveUndoSnapshot();
    void UndoLastStep();

    // Tool-bar commands.
    void previousScene();
    void nextScene();
    void mirrorStamp();
    void newDrawing();
    void copyToClipboard();
    void SaveDrawing();
    void ShowPreviousDrawing();
    void ShowNextDrawing();
    void deleteDrawing();
    void toggleGridLines();
    void toggleGridDots();
    void toggleColourPanel();
    void openDrawingsFolder();
    void printCanvas();
    void quitProgram();
    void openGallery();
    void openTextPanel();

    // Raised by button 2; the gallery window listens.
    std::function<void()> showGallery;

    // State and parts, public for the handlers of the other windows and tests.
    QString appPath;
    QString drawingsPath; // where drawings are saved, browsed and deleted
    DrawingState state;
    CanvasSurface canvas;
    UndoRing undo;
    GridOverlay grid;
    Random rng;
    StampSelection stamps;
    FolderList Dir1;
    FileList File1;
    QString maxDrawingsText;
    layout::MainLayout frame;
    QImage Picture6;

    CanvasWidget *Picture1 = nullptr;
    QVector<QPushButton *> Command1;
    QVector<QPushButton *> Command5;
    QVector<QPushButton *> Command3;
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QWidget *Picture4 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command4 = nullptr;
    PictureBox *picPalette = nullptr;
    PictureBox *Picture5 = nullptr;
    PictureBox *Picture2 = nullptr;
    QLabel *Picture3 = nullptr;
    Brincaro *Brincaro1 = nullptr;

    // Twips per pixel of the screen, from its logical resolution (15 at 96 dpi).
    int16_t screenTwipsPerPixel() const;
    // Client-area size in twips used by the layout.
    double screenWidthTwips() const;
    double screenHeightTwips() const;
    // Places a widget at a rectangle given in twips.
    void placeTwips(QWidget *w, const QRectF &twips) const;
    QRectF twipsRect(const QWidget *w) const;
    // Stands the stamp picture on the bottom edge of the client area.
    void placeStampOnBottomEdge();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Closing the window asks the quit question; Yes ends the program.
    void closeEvent(QCloseEvent *event) override;

private:
    void ArrangeMainWindow();
    void showScene();
    void showDrawing(const QString &path);

public:
    void RestoreCanvasFrame();

private:
    void createControls();
    void pickColour(long colour, bool fromPalette);
    void playCue(const char *name);
    QString cuePath(const char *name) const;
    PointerContext pointerContext();

    // PointerEnvironment
    void stampPreview(double x, double y) override;
    void stampStart(double x, double y) override;
    void textPreview(double x, double y) override;
    void textCommit(double x, double y) override;
    void saveUndoSnapshot() override { SaveUndoSnapshot(); }

    Platform &platform;
    QWidget *welcomeWindow = nullptr;
    bool loaded = false;
    QTimer loadTimer;
    QElapsedTimer shownAt;
};

} // namespace garabix
