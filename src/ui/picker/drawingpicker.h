#pragma once
// DrawingPicker, "Mis dibujos": the saved drawings of the drawings folder as small
// pictures, newest first, twelve a page, for a child to point at. A click,
// or the arrow keys and Return, shows the drawing on the canvas; Escape or
// closing the window changes nothing. The pictures are made on other
// threads, so the window answers at once however many drawings there are.

#include "ui/access/access.h"
#include "ui/picker/slideshow.h"
#include "ui/picker/thumbnails.h"

#include <QFutureWatcher>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace garabix {

class DrawingChooser;

class DrawingPicker : public QWidget, public AccessibleWindow {
    Q_OBJECT
public:
    static constexpr int columns = 4;
    static constexpr int rows = 3;
    static constexpr int perPage = columns * rows;

    DrawingPicker(DrawingChooser &chooser, QWidget *parent = nullptr);
    ~DrawingPicker() override;

    // Reads the folder again, in the background (it may be a file server),
    // and then shows the page of the drawing on show, with its picture
    // framed, or the first page. pageReady() is false meanwhile.
    void open(const QString &drawingsFolder);
    // Pages, by the page buttons or the keys.
    void showPage(int page);
    int page() const { return currentPage; }
    int pageCount() const;
    // The drawings, newest first, and those of the page on show.
    const QStringList &drawings() const { return files; }
    QStringList pageDrawings() const;
    // Whether the folder is read and every picture of the page on show has come.
    bool pageReady() const { return pending == 0; }
    // Chooses the drawing of slot `slot` of the page on show.
    void choose(int slot);
    // For the keyboard and the switch: the pictures (the arrows and the page
    // keys as ever), the page buttons, the copy button.
    std::vector<AccessArea> accessAreas() override;
    // Copies the drawing whose picture has the focus into the user's pictures.
    void copyFocused();
    // The play button: the folder's drawings on the whole screen, until the
    // show ends; the show on screen, or null.
    void startSlideshow();
    Slideshow *slideshow() const { return slideshowWindow; }

signals:
    // Every picture of the page on show is there.
    void pageShown();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The pictures' keys come here first: a button would move the focus by
    // the arrows itself, along its row only.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitScreen();
    void applyScale(double f);
    void slotDone(int slot, quint64 generation);
    void listed(const QStringList &found, const QString &onShow);
    bool handleKey(QKeyEvent *event);
    void focusSlot(int slot);
    // The slot whose picture has the keyboard's focus, or -1.
    int focusedSlot() const;

    DrawingChooser &chooser;
    QStringList files;
    int currentPage = 0;
    int pending = 0;
    quint64 generation = 0; // of the page on show: late pictures of another are dropped
    quint64 listings = 0;   // of the folder: a late listing of an earlier open is dropped

    QLabel *heading = nullptr;               // "Mis dibujos" and the page
    QWidget *emptyNote = nullptr;            // shown while there is no drawing
    QLabel *emptyText = nullptr;             // its line, from the language file
    QSize pictureSize = thumbnails::maxSize; // the pictures as shown
    QPushButton *copyButton = nullptr;       // copies the focused drawing out as a PNG
    QPushButton *playButton = nullptr;       // the slideshow of the folder
    QPointer<Slideshow> slideshowWindow;
    QString folder;
    QVector<QToolButton *> tiles;               // the twelve pictures, by slot
    QToolButton *pageButtons[2] = {};           // previous and next page
    QVector<QFutureWatcher<QImage> *> watchers; // one per slot
};

} // namespace garabix
