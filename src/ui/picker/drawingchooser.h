#pragma once
// What the picker of saved drawings tells the main window: which drawing a
// child chose, to show on the canvas as the picture buttons would.

#include "core/files/config.h"

#include <QString>

class QWidget;

namespace garabix {

class DrawingChooser {
public:
    virtual ~DrawingChooser() = default;
    virtual void drawingChosen(const QString &path) = 0;
    // The drawing at `path` copied out as a PNG into the user's pictures;
    // the note on how it went shows on `noteOn`, where the child looks.
    virtual void copyDrawingToPictures(const QString &path, QWidget *noteOn) = 0;
    // The saved drawing on the canvas, framed when the picker opens; empty
    // when none is. Answered without asking the disk.
    virtual QString drawingOnShow() const = 0;
    // A text of the language file.
    virtual QString text(config::Text which) const = 0;
    // How many times its usual size a control is (controls-size).
    virtual double controlsScale() const { return 1; }
};

} // namespace garabix
