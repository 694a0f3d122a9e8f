#pragma once
// PageGallery, the gallery of colouring pages: every page of the program
// folder's "colorear" folder drawn small over its name, in the pages of a
// ChoiceGallery. A choice opens the page as a new drawing.

#include "ui/gallery/choicegallery.h"

namespace garabix {

// The window that opens a chosen page.
class PageChooser {
public:
    virtual ~PageChooser() = default;
    virtual void pageChosen(const QString &file) = 0;
    virtual QString pagesTitle() const = 0;
    // The program folder the pages are read from.
    virtual QString programFolder() const = 0;
    virtual double controlsScale() const { return 1; }
    virtual void pageGalleryClosed() {}
};

class PageGallery : public ChoiceGallery {
    Q_OBJECT
public:
    explicit PageGallery(PageChooser &chooser, QWidget *parent = nullptr);
};

} // namespace garabix
