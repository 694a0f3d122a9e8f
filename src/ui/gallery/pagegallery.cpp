#include "ui/gallery/pagegallery.h"

#include "ui/document/colouringpages.h"
#include "ui/widgets/widgetnames.h"

#include <QHash>
#include <QPainter>

namespace garabix {

namespace {

class PageChoices : public GalleryChoices {
public:
    explicit PageChoices(PageChooser &c) : chooser(c), files(pages::pageFiles(c.programFolder())) {}
    int count() const override { return static_cast<int>(files.size()); }
    // The page on white paper; a page that cannot be drawn shows blank.
    QImage picture(int k, int side) const override {
        const quint64 key = (quint64(k) << 32) | quint32(side);
        if (const auto it = drawn.constFind(key); it != drawn.constEnd())
            return *it;
        QImage paper(side, side, QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, pages::pageArt(files.value(k), QSize(side, side)));
        drawn.insert(key, paper);
        return paper;
    }
    QString name(int k) const override { return pages::pageName(files.value(k)); }
    QString title() const override { return chooser.pagesTitle(); }
    int chosen() const override { return last; }
    void choose(int k) override {
        last = k;
        chooser.pageChosen(files.value(k));
    }
    double controlsScale() const override { return chooser.controlsScale(); }
    void closed() override { chooser.pageGalleryClosed(); }
    QString tileName(int slot) const override { return widgetname::pageTile(slot); }

private:
    PageChooser &chooser;
    const QStringList files;
    int last = -1;
    mutable QHash<quint64, QImage> drawn;
};

} // namespace

PageGallery::PageGallery(PageChooser &chooser, QWidget *parent)
    : ChoiceGallery(std::make_unique<PageChoices>(chooser), parent) {}

} // namespace garabix
