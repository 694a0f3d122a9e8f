// Form1's tool bar, pen sizes, colour pictures, commands and text panel.

#include "core/app/maskedblit.h"
#include "core/app/numeric.h"
#include "core/app/paths.h"
#include "core/app/pictures.h"
#include "core/app/scenes.h"
#include "core/canvas/tools.h"
#include "core/files/drawings.h"
#include "ui/app/brincaro.h"
#include "ui/app/canvaswidget.h"
#include "ui/app/form1.h"
#include "ui/app/picturebox.h"
#include "ui/app/platform.h"
#include "ui/app/uiutil.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace garabix {

namespace {

struct PenSize {
    int width;
    int16_t radius;
};
constexpr PenSize penSizes[10] = {{1, 5},  {2, 10}, {3, 20},  {4, 30},  {5, 40},
                                  {6, 50}, {7, 60}, {10, 70}, {14, 80}, {19, 100}};

constexpr ColourWord toggleOn = 0xFF0000; // blue, as a colour word

int penFrom(double lineWidth) {
    return static_cast<int>(std::clamp(roundToInt(lineWidth), 1LL, 32767LL));
}

// A tool-bar row may fail; the click protocol goes on regardless.
template <typename Action> void resumeNext(Action &&action) {
    try {
        action();
    } catch (...) {
    }
}

} // namespace

void Form1::Command1_Click(int Index) {
    if (Index < 0 || Index > 27)
        return;
    resumeNext([&] { playCue("sonido3.wav"); });
    canvas.setPenWidth(penFrom(state.lineWidth));
    if (state.lastButton == 2)
        canvas.repaint();
    bool quitting = false;
    resumeNext([&] {
        switch (Index) {
        case 0:
            previousScene();
            break;
        case 1:
            nextScene();
            break;
        case 2:
            openGallery();
            break;
        case 3:
            mirrorStamp();
            break;
        case 4:
        case 5:
        case 6:
            state.currentTool = static_cast<uint8_t>(Index);
            Picture2->hide();
            break;
        case 7:
        case 15:
            state.currentTool = static_cast<uint8_t>(Index);
            break;
        case 8:
            UndoLastStep();
            break;
        case 9:
            newDrawing();
            break;
        case 10:
            copyToClipboard();
            break;
        case 11:
            SaveDrawing();
            break;
        case 12:
            ShowPreviousDrawing();
            break;
        case 13:
            ShowNextDrawing();
            break;
        case 14:
            deleteDrawing();
            break;
        case 16:
            state.polyActive = false;
            state.currentTool = tool::polyline;
            break;
        case 17:
        case 18:
            state.lineWidth = canvas.penWidth();
            state.currentTool = static_cast<uint8_t>(Index);
            break;
        case 19:
            toggleGridLines();
            break;
        case 20:
            toggleGridDots();
            break;
        case 21:
            state.snapToGrid = false;
            break;
        case 22:
            state.snapToGrid = true;
            break;
        case 23:
            state.currentTool = tool::text;
            openTextPanel();
            break;
        case 24:
            toggleColourPanel();
            break;
        case 25:
            openDrawingsFolder();
            break;
        case 26:
            printCanvas();
            break;
        case 27:
            quitting = platform.askYesNo(this, state.texts.value(28));
            break;
        }
    });
    if (quitting) {
        quitProgram();
        return;
    }
    state.lastButton = static_cast<uint8_t>(Index);
    if (Index == 17 || Index == 18) {
        canvas.setPenWidth(penFrom(state.lineWidth));
        SaveUndoSnapshot();
    }
}

void Form1::Command5_Click(int Index) {
    if (Index < 0 || Index > 9)
        return;
    canvas.setPenWidth(penSizes[Index].width);
    state.lineWidth = penSizes[Index].width;
    state.sprayRadius = penSizes[Index].radius;
    playCue("sonido4.wav");
}

void Form1::pickColour(long c, bool fromPalette) {
    playCue("sonido5.wav");
    if (c < 0)
        return; // outside the picture: nothing to read
    state.colorRed = c % 256;
    state.colorGreen = (c / 256) % 256;
    state.colorBlue = static_cast<int16_t>((c / 65536) % 256);
    const ColourWord colour = currentColour(state);
    canvas.setFillColour(colour);
    Picture2->surface.setFillColour(colour);
    if (fromPalette) {
        canvas.setPersistence(true);
        canvas.setPersistence(false);
    }
    setLabelColour(Picture3, colour);
}

void Form1::picPalette_MouseDown(Qt::MouseButton, double x, double y) {
    pickColour(picPalette->surface.readPixel(x, y), true);
}

void Form1::Picture5_MouseDown(Qt::MouseButton, double x, double y) {
    pickColour(Picture5->surface.readPixel(x, y), false);
}

// Scenes.

void Form1::showScene() {
    const QImage scene = loadPicture(scenePath(appPath, state.sceneIndex));
    if (!scene.isNull())
        Picture6 = scene;
    if (!Picture6.isNull()) {
        canvas.setPersistence(true);
        canvas.paintPictureStretched(Picture6, QRectF(QPointF(0, 0), QSizeF(canvas.size())));
        canvas.setPersistence(false);
    }
    SaveUndoSnapshot();
    state.shownDrawing.clear();
    Picture2->hide();
}

void Form1::previousScene() {
    state.sceneIndex = static_cast<int16_t>(state.sceneIndex - 1);
    if (state.sceneIndex == 0 || state.sceneIndex == -1)
        state.sceneIndex = static_cast<int16_t>(state.sceneCount);
    showScene();
}

void Form1::nextScene() {
    state.sceneIndex = static_cast<int16_t>(state.sceneIndex + 1);
    if (state.sceneIndex == state.sceneCount + 1)
        state.sceneIndex = 1;
    showScene();
}

void Form1::mirrorStamp() {
    if (!Picture2->hasPicture())
        return;
    CanvasSurface &s = Picture2->surface;
    const int W = s.size().width();
    const int H = s.size().height();
    s.setPersistence(true);
    s.paintPictureStretched(Picture2->backgroundPicture().mirrored(true, false),
                            QRectF(0, 0, W, H));
    s.setFillColour(white);
    s.setFillSolid(true);
    for (const QPoint corner : {QPoint(1, 1), QPoint(W - 2, H - 2)}) {
        const long seed = s.readPixel(corner.x(), corner.y());
        if (seed >= 0)
            s.floodFill(corner.x(), corner.y(), static_cast<ColourWord>(seed));
    }
    Picture2->adoptPersistentImage();
    s.setBackgroundColour(white);
    s.setPersistence(false);
    Picture2->update();
}

void Form1::newDrawing() {
    canvas.setBackgroundPicture(QImage());
    RestoreCanvasFrame();
    SaveUndoSnapshot();
    state.shownDrawing.clear();
}

void Form1::copyToClipboard() {
    platform.setClipboardImage(canvas.copyPersistent());
}

void Form1::SaveDrawing() {
    const drawings::SaveResult result =
        drawings::SaveDrawing(state, canvas.persistentLayer(), File1);
    using Notice = Platform::Notice;
    switch (result.outcome) {
    case drawings::SaveResult::Saved:
        state.shownDrawing.clear();
        platform.notify(this, QStringLiteral("Guardado: %1").arg(QFileInfo(result.path).fileName()),
                        Notice::Done);
        break;
    case drawings::SaveResult::Unchanged:
        platform.notify(this, QStringLiteral("Este dibujo ya está guardado."), Notice::Done);
        break;
    case drawings::SaveResult::LimitReached:
        platform.notify(this,
                        QStringLiteral("No se ha guardado: la carpeta misdibujos ya tiene %1 "
                                       "dibujos, el máximo que permite configuracion/mdg.txt. "
                                       "Borra alguno o sube ese número.")
                            .arg(state.drawingCount),
                        Notice::Problem);
        break;
    case drawings::SaveResult::NoNumberLeft:
        platform.notify(this,
                        QStringLiteral("No se ha guardado: en misdibujos ya están usados todos "
                                       "los números, de 0.bmp a %1.bmp. Borra alguno.")
                            .arg(drawings::highestNumber),
                        Notice::Problem);
        break;
    case drawings::SaveResult::Failed:
        platform.notify(this,
                        QStringLiteral("No se ha podido guardar el dibujo en %1: no se puede "
                                       "escribir en esa carpeta o el disco está lleno.")
                            .arg(QDir::toNativeSeparators(File1.path())),
                        Notice::Problem);
        break;
    }
}

// Puts a saved drawing on the canvas the way a scene goes there: with an
// undo snapshot, so one undo brings back what the canvas held. A drawing
// that cannot be read leaves the canvas as it was.
void Form1::showDrawing(const QString &path) {
    if (path.isEmpty())
        return;
    const QImage picture = loadPicture(path);
    if (picture.isNull())
        return;
    canvas.setBackgroundPicture(picture);
    SaveUndoSnapshot();
    state.shownDrawing = path;
}

void Form1::ShowPreviousDrawing() {
    showDrawing(drawings::stepPrevious(state, File1));
}

void Form1::ShowNextDrawing() {
    showDrawing(drawings::stepNext(state, File1));
}

void Form1::deleteDrawing() {
    const auto outcome = drawings::deleteShown(
        state, File1, [this](const QString &path) { return platform.moveToTrash(path); });
    if (outcome == drawings::DeleteOutcome::Failed)
        platform.notify(this,
                        QStringLiteral("El dibujo no se ha borrado: no hay papelera donde "
                                       "dejarlo. Sigue en la carpeta misdibujos."),
                        Platform::Notice::Problem);
}

void Form1::toggleGridLines() {
    grid.linesVisible = !grid.linesVisible;
    Picture1->update();
}

void Form1::toggleGridDots() {
    grid.dotsVisible = !grid.dotsVisible;
    Picture1->update();
}

void Form1::toggleColourPanel() {
    Picture5->setVisible(Picture5->isHidden());
}

void Form1::openDrawingsFolder() {
    platform.openFolder(drawingsPath);
}

void Form1::printCanvas() {
    // The picture printed is the persistent image, which the canvas shows again.
    canvas.repaint();
    const QRectF outer = twipsRect(Picture1);
    platform.printImage(canvas.copyPersistent(),
                        QSizeF(outer.width() / 1440.0, outer.height() / 1440.0));
}

void Form1::quitProgram() {
    platform.quit();
}

void Form1::openGallery() {
    // Erases what the transient layer shows, as a copy of the persistent
    // image into the background picture would.
    canvas.repaint();
    state.currentTool = tool::stamp;
    if (showGallery)
        showGallery();
}

// Text panel and font settings.

void Form1::openTextPanel() {
    const QRectF panel = twipsRect(Picture4);
    placeTwips(Picture4, QRectF(roundHalfEven(screenWidthTwips() - panel.width()),
                                roundHalfEven(screenHeightTwips() - panel.height()), panel.width(),
                                panel.height()));
    Picture4->show();
    Picture4->raise();
    Text1->setText(QString());
    Text1->setEnabled(true);
    Text1->setFocus();
    Combo1->show();
    Combo2->show();
    for (QPushButton *b : Command3) {
        b->show();
        b->setEnabled(true);
    }
}

void Form1::Command4_Click() {
    Picture4->hide();
}

void Form1::Command3_Click(int Index) {
    if (Index < 0 || Index > 1)
        return;
    QPushButton *b = Command3[Index];
    const bool on = widgetColour(b) == static_cast<long>(white);
    setButtonColour(b, on ? toggleOn : white);
    QFont textFont = Text1->font();
    if (Index == 0) {
        canvas.font().setBold(on);
        textFont.setBold(on);
    } else {
        canvas.font().setItalic(on);
        textFont.setItalic(on);
    }
    Text1->setFont(textFont);
}

void Form1::Combo1_Click() {
    const double v = leadingNumber(Combo1->currentText());
    if (v > 7 && v < 73) {
        canvas.font().setPointSizeF(v);
        QFont f = Text1->font();
        f.setPointSizeF(v);
        Text1->setFont(f);
    }
}

void Form1::Combo2_Click() {
    const QString name = Combo2->currentText();
    canvas.font().setFamily(name);
    QFont f = Text1->font();
    f.setFamily(name);
    Text1->setFont(f);
}

void Form1::Text1_Change() {
    canvas.repaint();
}

void Form1::textPreview(double x, double y) {
    canvas.repaint();
    canvas.setTextColour(currentColour(state));
    canvas.setTextPosition(QPointF(x, y));
    canvas.setPersistence(false);
    const QString text = Text1->text();
    canvas.printText(text.isEmpty() ? state.texts.value(29) : text);
}

void Form1::textCommit(double x, double y) {
    canvas.setTextPosition(QPointF(x, y));
    canvas.setPersistence(true);
    canvas.printText(Text1->text());
    canvas.setPersistence(false);
}

// Stamps.

namespace {
long long halfTwips(double twips) {
    return roundToInt(twips) / 2;
}
} // namespace

void Form1::stampPreview(double x, double y) {
    canvas.repaint();
    const QRectF r = twipsRect(Picture2);
    const int tpp = state.twipsPerPixel;
    const auto px = roundToInt(x) - halfTwips(r.width()) / tpp;
    const auto py = roundToInt(y) - halfTwips(r.height()) / tpp;
    canvas.setPersistence(false);
    canvas.paintPictureAnd(Picture2->backgroundPicture(), static_cast<int>(px),
                           static_cast<int>(py));
}

void Form1::stampStart(double x, double y) {
    state.stampPreview = false;
    state.stampY = y;
    state.stampX = x;
    Picture2->show();
    canvas.repaint();
    const QRectF r = twipsRect(Picture2);
    const QRectF c = twipsRect(Picture1);
    const double tpp = state.twipsPerPixel;
    const double top = tpp * y + c.top() - halfTwips(r.height());
    const double left = tpp * x + c.left() - halfTwips(r.width());
    placeTwips(Brincaro1, QRectF(left, top, r.width(), r.height()));
    canvas.setEnabled(false);
    Picture1->setEnabled(false);
    Brincaro1->setFile(stamps.current());
    Brincaro1->show();
    Brincaro1->raise();
}

void Form1::Brincaro1_GifEnd() {
    const QImage &picture = Picture2->backgroundPicture();
    const int W = picture.width();
    const int H = picture.height();
    canvas.setEnabled(true);
    Picture1->setEnabled(true);
    Brincaro1->hide();
    canvas.setPersistence(true);
    const QRectF r = twipsRect(Picture2);
    const double tpp = state.twipsPerPixel;
    const auto x =
        toInt16(roundHalfEven(state.stampX) - double(halfTwips(r.width())) / tpp).value_or(0);
    const auto y =
        toInt16(roundHalfEven(state.stampY) - double(halfTwips(r.height())) / tpp).value_or(0);
    canvas.blitMasked(picture, 0, 0, W, H, x, y, white);
    canvas.setPersistence(false);
    canvas.repaint();
    state.stampPreview = true;
    SaveUndoSnapshot();
}

void Form1::Picture2_MouseDown(Qt::MouseButton button, double x, double y) {
    if (button != Qt::LeftButton)
        return;
    state.currentTool = tool::stamp;
    CanvasSurface &s = Picture2->surface;
    s.setPersistence(true);
    s.setFillSolid(true);
    const long seed = s.readPixel(x, y);
    if (seed >= 0)
        s.floodFill(x, y, static_cast<ColourWord>(seed));
    Picture2->adoptPersistentImage();
    s.setPersistence(false);
}

} // namespace garabix
