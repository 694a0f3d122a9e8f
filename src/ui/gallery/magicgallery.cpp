#include "ui/gallery/magicgallery.h"

#include "ui/gallery/magicpictures.h"
#include "ui/widgets/widgetnames.h"

namespace garabix {

namespace {

class MagicChoices : public GalleryChoices {
public:
    explicit MagicChoices(MagicChooser &c) : chooser(c) {}
    int count() const override { return magicCount; }
    QImage picture(int k, int side) const override { return magicPicture(Magic(k), side); }
    QString name(int k) const override { return chooser.magicName(Magic(k)); }
    QString title() const override { return chooser.magicTitle(); }
    int chosen() const override { return static_cast<int>(chooser.chosenMagic()); }
    void choose(int k) override { chooser.magicChosen(Magic(k)); }
    double controlsScale() const override { return chooser.controlsScale(); }
    void closed() override { chooser.magicGalleryClosed(); }
    QString tileName(int slot) const override { return widgetname::magicTile(slot); }

private:
    MagicChooser &chooser;
};

} // namespace

MagicGallery::MagicGallery(MagicChooser &chooser, QWidget *parent)
    : ChoiceGallery(std::make_unique<MagicChoices>(chooser), parent) {}

} // namespace garabix
