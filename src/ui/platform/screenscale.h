#pragma once
// The scale the windows are drawn at. The windows are laid out for a screen
// of about 1280 x 800 pixels; on a larger screen whose desktop sets no scale
// of its own, everything grows with the screen, so that the buttons a child
// presses stay large enough to hit.

#include <QSize>

namespace garabix {

// The scale for a screen of `pixels` shown at scale 1: how many times the
// 1280 x 800 design fits it, in steps of 0.05, and 1 on smaller screens.
double childScale(QSize pixels);

// Run before the application is made: sets Qt's scale factor from the
// primary screen, unless the user (QT_SCALE_FACTOR and its kin) or the
// desktop (a screen already scaled) has set a scale.
void chooseScreenScale(int argc, char **argv);

// Run once the application exists: the scale chosen stays with this program
// and never reaches the programs it starts, such as a file browser.
void keepScreenScaleToOurselves();

} // namespace garabix
