#pragma once
// What the picker of saved drawings tells the main window: which drawing a
// child chose, to show on the canvas as the picture buttons would.

#include <QString>

namespace garabix {

class DrawingChooser {
public:
    virtual ~DrawingChooser() = default;
    virtual void drawingChosen(const QString &path) = 0;
};

} // namespace garabix
