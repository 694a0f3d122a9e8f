#pragma once
// Form2, the stamp gallery: the categories of the stamps folder, each with
// its first stamp beside its name in a list that scrolls, a page of nine
// thumbnails, a preview that plays under the pointer, and a click that hands
// the chosen stamp to the main window. Empty slots do nothing.

#include "core/files/folderlist.h"
#include "ui/gallery/stampchooser.h"

#include <QImage>
#include <QVector>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QScrollArea;

namespace garabix {

class Brincaro;

class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2(QString appPath, StampChooser &chooser, QWidget *parent = nullptr);

    void Form_Load();
    void ListCategories();
    void Label1_Click(int Index);
    void Command1_Click(int Index);
    void FillGalleryPage();
    void Image1_MouseMove(int Index);
    void Brincaro1_GifEnd();
    void Image1_Click(int Index);

    static constexpr int maxCategories = 255;

    // Views.
    int categoryCount() const { return categories; }
    QString categoryName(int index) const;
    bool previewPlaying() const { return playing; }
    QString previewFile() const;
    int pageStart() const { return firstOnPage; }
    // The thumbnail of slot k, 0..8, as shown.
    const QLabel *slot(int k) const { return Image1[static_cast<size_t>(k)]; }
    // The row of category i in the category list: its picture and its name.
    QWidget *categoryRow(int index) const;
    const QScrollArea *categoryList() const { return categoryScroll; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Escape closes the gallery, keeping the stamp there was.
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectCategory(int index);
    void addCategoryRow(const QString &name);

    QString appPath;
    StampChooser &chooser;
    QString stampFolder;
    std::array<QString, 9> stampFiles; // the file each slot shows
    QScrollArea *categoryScroll = nullptr;
    QWidget *categoryRows = nullptr;
    QVector<QLabel *> Label1; // the categories' names
    std::array<QLabel *, 9> Image1{};
    std::array<QImage, 9> pictures; // the whole picture each slot holds
    QVector<QPushButton *> Command1;
    Brincaro *Brincaro1 = nullptr;
    FolderList Dir1;
    FileList File1;
    int categories = 0;
    bool playing = false;
    int firstOnPage = 0;
    bool loaded = false;
};

} // namespace garabix
