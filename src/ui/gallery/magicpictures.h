#pragma once
// The magic effects' pictures: a small drawing of our own, a sky, a hill, a
// sun and a house, with the effect done to it by the effect's own code, so
// that each picture shows what its effect does. The magic button wears the
// wand, with the chosen effect's picture in its corner.

#include "core/canvas/magic.h"

#include <QIcon>
#include <QImage>

namespace garabix {

// The picture of `effect`, `side` pixels square.
QImage magicPicture(Magic effect, int side);

// The magic button's icon, `side` pixels square: the wand, and the chosen
// effect's picture in its bottom right quarter.
QIcon magicButtonIcon(Magic chosen, int side);

} // namespace garabix
