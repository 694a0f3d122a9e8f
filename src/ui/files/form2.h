#pragma once
// Form2, the stamp gallery: the categories of the stamps folder as labels, a
// page of nine thumbnails, a preview that plays under the pointer, and a
// click that hands the picture to the main window's stamp.

#include "core/app/folderlist.h"

#include <QImage>
#include <QVector>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace garabix {

class Brincaro;
class Form1;

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Form1 &form1, QWidget *parent = nullptr);

    void Form_Load();
    void ListCategories();
    void Label1_Click(int Index);
    void Command1_Click(int Index);
    void FillGalleryPage();
    void Image1_MouseMove(int Index);
    void Brincaro1_GifEnd();
    void Image1_Click(int Index);

    static constexpr int maxCategories = 255;

    QVector<QLabel *> Label1;
    std::array<QLabel *, 9> Image1{};
    std::array<QImage, 9> pictures; // the whole picture each slot holds
    QVector<QPushButton *> Command1;
    Brincaro *Brincaro1 = nullptr;
    FolderList Dir1;
    FileList File1;
    int categoryCount = 0;
    bool previewPlaying = false;
    int pageStart = 0;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectCategory(int index);
    QLabel *newLabel(int index);

    Form1 &form1;
    bool loaded = false;
};

} // namespace garabix
