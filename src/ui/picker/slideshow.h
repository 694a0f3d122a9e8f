#pragma once
// The slideshow: the drawings of a folder and its subfolders on the whole
// screen, newest first, one every few seconds, each with its folder's name
// as a small caption (a pupil's folder on the class's share). The arrows and
// the switch step through them; Escape or a click ends the show.
//
// The folder is listed and the drawings read on a thread of the show's own,
// never on the window's: a share that stops answering leaves the show
// answering the keys, and a thread stuck in a read is left behind when the
// show ends. Damaged drawings are skipped; the folder is listed again every
// few seconds, and a drawing saved meanwhile is shown next.

#include "core/files/drawingtree.h"
#include "ui/access/access.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <set>

class QLabel;

namespace garabix {

class Slideshow : public QWidget, public OwnSwitchWindow {
    Q_OBJECT
public:
    // `emptyText`: what the show says while the folder has no drawing.
    Slideshow(const QString &folder, const QString &emptyText, QWidget *parent = nullptr);
    ~Slideshow() override;

    // Full screen on the screen the window is on.
    void showOnWholeScreen();
    // How long a drawing stays, and how often the folder is listed again.
    void setInterval(int milliseconds);
    void setRelistInterval(int milliseconds);
    static constexpr int defaultIntervalMs = 5000;

    // The drawing on show (empty before the first) and the show's order.
    QString shownPath() const { return shown; }
    const std::vector<TreeDrawing> &order() const { return queue; }
    // Steps forward or back at once, as the arrows do.
    void step(int by);

signals:
    // A drawing is on the screen.
    void drawingShown(const QString &path);
    // The show ended (Escape, a click, the window closed).
    void ended();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Shared;
    void listed(const std::vector<TreeDrawing> &found);
    void arrived(const QString &identity, const QImage &picture);
    void want(int index);
    void layOut();

    std::shared_ptr<Shared> shared;
    std::vector<TreeDrawing> queue; // the show's order
    std::set<QString> known;        // every drawing as listed, by identity
    int position = -1;              // the drawing wanted or on show
    QString shown;
    QImage picture;
    QTimer advance;
    QLabel *view = nullptr;
    QLabel *caption = nullptr;
    QLabel *note = nullptr;
};

} // namespace garabix
