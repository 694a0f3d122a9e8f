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
    // The stamp's size (0 half, 1 as drawn, 2 twice) and its turn upside
    // down, from the gallery's buttons; `name` is a button's name (0..2 the
    // sizes, 3 the turn) for tips and screen readers.
    virtual void stampSizeChosen(int) {}
    virtual int stampSize() const { return 1; }
    virtual void stampTurned() {}
    virtual bool stampUpsideDown() const { return false; }
    virtual QString stampButtonName(int) const { return {}; }
};

} // namespace garabix
