#pragma once
// ChoiceGallery, a gallery of pictures to choose one from: pages of nine,
// each choice's picture over its name, the page buttons of the stamp
// gallery, and the chosen or pointed-at choice's picture and name large on
// the left. A click, or Space and Return on the keyboard's frame, chooses
// and closes the gallery; Escape closes it as it was. The magic effects and
// the colouring pages are shown by it.

#include "ui/access/access.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QPushButton;

namespace garabix {

// What a gallery shows and whom it tells of the child's choice.
class GalleryChoices {
public:
    virtual ~GalleryChoices() = default;
    virtual int count() const = 0;
    // Choice k's picture, `side` pixels square, and its name.
    virtual QImage picture(int k, int side) const = 0;
    virtual QString name(int k) const = 0;
    // The gallery's heading and window title.
    virtual QString title() const = 0;
    // The choice the gallery opens on, framed; -1 for none (the first page).
    virtual int chosen() const = 0;
    virtual void choose(int k) = 0;
    virtual double controlsScale() const { return 1; }
    // The gallery closed, with a choice made or not: the keyboard goes back.
    virtual void closed() {}
    // The object name of the tile in slot k (0..8) of the page.
    virtual QString tileName(int slot) const = 0;
};

class ChoiceGallery : public QWidget, public AccessibleWindow {
    Q_OBJECT
public:
    explicit ChoiceGallery(std::unique_ptr<GalleryChoices> choices, QWidget *parent = nullptr);
    ~ChoiceGallery() override;

    static constexpr int perPage = 9;
    // The first choice on the page shown.
    int pageStart() const { return firstOnPage; }
    // Whether slot k (0..8) shows a choice: none past the last one.
    bool slotShows(int k) const { return firstOnPage + k < choices->count(); }
    QWidget *slot(int k) const { return tiles[size_t(k)]; }
    // 0 the next page, 1 the previous one, as the stamp gallery has them.
    void turnPage(int button);
    void choose(int slot);
    // For the keyboard and the switch: the choices on the page, the page buttons.
    std::vector<AccessArea> accessAreas() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fillPage();
    void showLarge(int k);
    void frameChosen();
    int scaled(int pixels) const;

    std::unique_ptr<GalleryChoices> choices;
    double zoom = 1;
    int firstOnPage = 0;
    std::array<QWidget *, perPage> tiles{};
    std::array<QLabel *, perPage> pictures{};
    std::array<QLabel *, perPage> names{};
    std::array<QPushButton *, 2> pageButtons{};
    QLabel *title = nullptr;
    QLabel *large = nullptr;     // the chosen or pointed choice's picture
    QLabel *largeName = nullptr; // and its name
};

} // namespace garabix
