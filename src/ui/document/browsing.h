#pragma once
// DrawingBrowser: the saved drawings the canvas shows. The picture buttons
// step through them, the picker's choice shows one and its copy copies one
// out, and the bin moves the one on show to the trash. Drawings are read on
// the disk threads: the folder may be a file server that stops answering. A
// press while one is reading does nothing; a drawing that cannot be read is
// named in a note.

#include "core/files/drawings.h"
#include "ui/document/parts.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QWidget;

namespace garabix {

class Platform;

class DrawingBrowser : public QObject {
public:
    explicit DrawingBrowser(const DocumentParts &parts);

    // Each press shows the next (or previous) drawing that can be read,
    // passing over files that are no drawing; when none is shown the
    // buttons stay on the drawing on show.
    void step(bool forward);
    // Shown like the picture buttons show a drawing, and the buttons go on
    // from it; the canvas stays when it cannot be read.
    void show(const QString &path);
    // A saved drawing copied as a PNG into the pictures folder; its notes
    // show on `noteOn` while it is visible, else on the window.
    void copyToPictures(const QString &path, QWidget *noteOn);
    // The bin: the drawing on show goes to the trash.
    void deleteShown();
    bool isBrowsing() const { return browsingNow; }

private:
    struct Browsed {
        QString path; // the drawing found (empty: none)
        QImage picture;
        drawings::DrawingFolder folder; // as the look left it
    };
    void inBackground(std::function<Browsed(drawings::DrawingFolder)> job,
                      std::function<void(const Browsed &)> then);
    void read(const QString &path, std::function<void(const Browsed &)> then,
              const QPointer<QWidget> &noteOn);
    void showFound(const Browsed &found);
    QWidget *noteTarget(const QPointer<QWidget> &noteOn) const;

    DocumentParts parts;
    bool browsingNow = false;
};

} // namespace garabix
