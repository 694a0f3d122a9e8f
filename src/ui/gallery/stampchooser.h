#pragma once
// What the gallery tells the window that presses stamps: which stamp a child
// chose, as its animation file and its whole picture.

#include <QImage>
#include <QString>

namespace garabix {

class StampChooser {
public:
    virtual ~StampChooser() = default;
    virtual void stampChosen(const QString &file, const QImage &picture) = 0;
    // How many times its usual size a control is (controls-size).
    virtual double controlsScale() const { return 1; }
};

} // namespace garabix
