#pragma once
// MagicGallery, the gallery of magic effects: each effect's picture
// (magicpictures.h) over its name, in the pages of a ChoiceGallery. A choice
// becomes the magic tool's effect.

#include "core/canvas/magic.h"
#include "ui/gallery/choicegallery.h"

namespace garabix {

// What the gallery tells the window that paints: the child's choice, and
// what the gallery shows of it.
class MagicChooser {
public:
    virtual ~MagicChooser() = default;
    virtual void magicChosen(Magic effect) = 0;
    virtual Magic chosenMagic() const = 0;
    // The name of an effect, and the gallery's title, in the window's language.
    virtual QString magicName(Magic effect) const = 0;
    virtual QString magicTitle() const = 0;
    virtual double controlsScale() const { return 1; }
    // The gallery closed, with an effect chosen or not: the keyboard goes back.
    virtual void magicGalleryClosed() {}
};

class MagicGallery : public ChoiceGallery {
    Q_OBJECT
public:
    explicit MagicGallery(MagicChooser &chooser, QWidget *parent = nullptr);
};

} // namespace garabix
