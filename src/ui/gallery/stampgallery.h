#pragma once
// StampGallery, the stamp gallery: the categories of the stamps folder, each with
// its first stamp beside its name in a list that scrolls, a page of nine
// thumbnails, a preview that plays under the pointer, and a click that hands
// the chosen stamp to the main window. Empty slots do nothing.

#include "core/files/folderlist.h"
#include "ui/access/access.h"
#include "ui/gallery/stampchooser.h"

#include <QImage>
#include <QVector>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QScrollArea;

namespace garabix {

class AnimationPlayer;

class StampGallery : public QWidget, public AccessibleWindow {
    Q_OBJECT
public:
    StampGallery(QString appPath, StampChooser &chooser, QWidget *parent = nullptr);

    void load();
    void listCategories();
    void chooseCategory(int category);
    void turnPage(int button);
    void fillGalleryPage();
    void previewStamp(int slot);
    void previewEnded();
    void chooseStamp(int slot);

    static constexpr int maxCategories = 255;

    // Views.
    int categoryCount() const { return categories; }
    QString categoryName(int index) const;
    bool previewPlaying() const { return playing; }
    QString previewFile() const;
    int pageStart() const { return firstOnPage; }
    // The thumbnail of slot k, 0..8, as shown.
    const QLabel *slot(int k) const { return stampTiles[static_cast<size_t>(k)]; }
    // The row of category i in the category list: its picture and its name.
    QWidget *categoryRow(int index) const;
    const QScrollArea *categoryList() const { return categoryScroll; }
    // For the keyboard and the switch: the categories, the stamps on the
    // page, the page buttons.
    std::vector<AccessArea> accessAreas() override;
    // The size buttons (0 half, 1 as drawn, 2 twice) and the turn button (3).
    void chooseOption(int k);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Escape closes the gallery, keeping the stamp there was.
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void selectCategory(int index);
    void addCategoryRow(const QString &name);

    QString appPath;
    double zoom = 1;     // the controls' size, as far as the screen has room
    int lastChosen = -1; // the slot of the stamp chosen last, on this page
    void frameStamp();
    int scaled(int pixels) const;
    QRect scaled(const QRect &r) const;
    StampChooser &chooser;
    QString stampFolder;
    std::array<QString, 9> stampFiles; // the file each slot shows
    QScrollArea *categoryScroll = nullptr;
    QWidget *categoryRows = nullptr;
    QVector<QLabel *> categoryLabels; // the categories' names
    std::array<QLabel *, 9> stampTiles{};
    std::array<QImage, 9> pictures; // the whole picture each slot holds
    QVector<QPushButton *> pageButtons;
    QVector<QPushButton *> optionButtons; // the three sizes, then the turn
    AnimationPlayer *previewPlayer = nullptr;
    FolderList categoryFolders;
    FileList stampList;
    int categories = 0;
    bool playing = false;
    int firstOnPage = 0;
    bool loaded = false;
};

} // namespace garabix
