#pragma once
// MagicGallery, the gallery of magic effects: pages of nine, each effect's
// picture (magicpictures.h) over its name, the page buttons of the stamp
// gallery, and the chosen effect's picture and name large on the left. A
// click, or Space and Return on the keyboard's frame, chooses an effect for
// the magic tool and closes the gallery; Escape closes it as it was.

#include "core/canvas/magic.h"
#include "ui/access/access.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

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

class MagicGallery : public QWidget, public AccessibleWindow {
    Q_OBJECT
public:
    explicit MagicGallery(MagicChooser &chooser, QWidget *parent = nullptr);

    static constexpr int perPage = 9;
    // The first effect on the page shown.
    int pageStart() const { return firstOnPage; }
    // The effect slot k shows (0..8), or none past the last effect.
    bool slotShows(int k) const { return firstOnPage + k < magicCount; }
    QWidget *slot(int k) const { return tiles[size_t(k)]; }
    // 0 the next page, 1 the previous one, as the stamp gallery has them.
    void turnPage(int button);
    void choose(int slot);
    // For the keyboard and the switch: the effects on the page, the page buttons.
    std::vector<AccessArea> accessAreas() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fillPage();
    void showLarge(Magic effect);
    void frameChosen();
    int scaled(int pixels) const;

    MagicChooser &chooser;
    double zoom = 1;
    int firstOnPage = 0;
    std::array<QWidget *, perPage> tiles{};
    std::array<QLabel *, perPage> pictures{};
    std::array<QLabel *, perPage> names{};
    std::array<QPushButton *, 2> pageButtons{};
    QLabel *title = nullptr;
    QLabel *large = nullptr;     // the chosen or pointed effect's picture
    QLabel *largeName = nullptr; // and its name
};

} // namespace garabix
