// Form1's saved drawings: saving with a word on how it went, showing a saved
// drawing, and deleting the one on show.

#include "core/files/pictures.h"
#include "ui/common/platform.h"
#include "ui/mainwindow/form1.h"

#include <QDir>
#include <QFileInfo>

namespace garabix {

void Form1::SaveDrawing() {
    const drawings::SaveResult result =
        drawings::SaveDrawing(drawingsFolder, state.drawingModified, canvas.persistentLayer());
    // A word on how it went: a save never looks the same as a failure.
    QString text;
    switch (result.outcome) {
    case drawings::SaveResult::Saved:
        text = QStringLiteral("Guardado: %1").arg(QFileInfo(result.path).fileName());
        break;
    case drawings::SaveResult::Unchanged:
        text = QStringLiteral("Este dibujo ya está guardado.");
        break;
    case drawings::SaveResult::LimitReached:
        text = QStringLiteral("No se ha guardado: la carpeta misdibujos ya tiene %1 dibujos, el "
                              "máximo que permite configuracion/mdg.txt. Borra alguno o sube ese "
                              "número.")
                   .arg(drawingsFolder.drawingCount);
        break;
    case drawings::SaveResult::NoNumberLeft:
        text = QStringLiteral("No se ha guardado: en misdibujos ya están usados todos los "
                              "números, de 0.bmp a %1.bmp. Borra alguno.")
                   .arg(drawings::highestNumber);
        break;
    case drawings::SaveResult::Failed:
        text = QStringLiteral("No se ha podido guardar el dibujo en %1: no se puede escribir en "
                              "esa carpeta o el disco está lleno.")
                   .arg(QDir::toNativeSeparators(drawingsFolder.File1.path()));
        break;
    }
    const bool done = result.outcome == drawings::SaveResult::Saved ||
                      result.outcome == drawings::SaveResult::Unchanged;
    platform.notify(this, text, done ? Platform::Notice::Done : Platform::Notice::Problem);
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
    drawingsFolder.shownDrawing = path;
}

void Form1::deleteDrawing() {
    const auto outcome =
        drawings::deleteShown(drawingsFolder, state.drawingModified,
                              [this](const QString &path) { return platform.moveToTrash(path); });
    if (outcome == drawings::DeleteOutcome::Failed)
        platform.notify(this,
                        QStringLiteral("El dibujo no se ha borrado: no hay papelera donde "
                                       "dejarlo. Sigue en la carpeta misdibujos."),
                        Platform::Notice::Problem);
}

} // namespace garabix
