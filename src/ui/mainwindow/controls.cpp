#include "ui/mainwindow/controls.h"

#include "core/canvas/colourpictures.h"
#include "core/files/config.h"
#include "ui/mainwindow/canvaswidget.h"
#include "ui/mainwindow/layout.h"
#include "ui/mainwindow/picturebox.h"
#include "ui/mainwindow/textpanel.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QLabel>
#include <QPushButton>

namespace garabix {

namespace {

template <typename Widget> Widget *named(Widget *w, const QString &name) {
    w->setObjectName(name);
    return w;
}

// A button the mouse presses, never the keyboard's focus: the keyboard and
// the switch reach it through the window's areas.
QPushButton *button(QWidget *window, const QString &name, long colour, const QIcon &icon) {
    auto *b = named(new QPushButton(window), name);
    b->setFocusPolicy(Qt::NoFocus);
    if (colour >= 0)
        setButtonColour(b, colour);
    b->setIcon(icon);
    return b;
}

} // namespace

WindowControls createControls(QWidget *window, CanvasSurface &canvas, const GridOverlay &grid) {
    WindowControls c;
    c.canvas =
        named(new CanvasWidget(canvas, grid, window), QString::fromLatin1(widgetname::canvas));
    for (ToolbarButton b : allToolbarButtons()) {
        const int i = buttonIndex(b);
        c.toolbar.append(button(window, widgetname::toolbarButton(i),
                                layout::toolbarButtonColour(b), toolIcon(i)));
        c.toolbar.last()->setIconSize(QSize(34, 34));
    }
    for (int i = 0; i < 10; ++i)
        c.pens.append(button(window, widgetname::penButton(i), white, penSizeIcon(i)));
    c.text = new TextPanel(window);
    c.palette = named(new PictureBox(window), QString::fromLatin1(widgetname::paletteStrip));
    c.palette->setPicture(colourpictures::paletteStrip());
    c.chart = named(new PictureBox(window), QString::fromLatin1(widgetname::colourChart));
    c.chart->setPicture(colourpictures::colourChart());
    c.stampBox = named(new PictureBox(window), QString::fromLatin1(widgetname::stampBox));
    c.stampBox->hide();
    c.myDrawings = button(window, QString::fromLatin1(widgetname::myDrawingsButton), 0xC0FFFF,
                          namedIcon(QStringLiteral("mydrawings")));
    c.magic = button(window, QString::fromLatin1(widgetname::magicButton), 0xFFD8F0,
                     namedIcon(QStringLiteral("magic")));
    c.magic->setIconSize(QSize(34, 34));
    c.pages = button(window, QString::fromLatin1(widgetname::pagesButton), 0xD8F0FF,
                     namedIcon(QStringLiteral("pages")));
    c.pages->setIconSize(QSize(34, 34));
    c.colourWell = named(new QLabel(window), QString::fromLatin1(widgetname::colourWell));
    c.colourWell->setAutoFillBackground(true);
    c.stampPlayer =
        named(new AnimationPlayer(window), QString::fromLatin1(widgetname::stampPlayer));
    c.stampPlayer->hide();
    return c;
}

void nameControls(const WindowControls &c, const QStringList &texts) {
    using config::Text;
    const auto text = [&texts](Text which) { return config::text(texts, which); };
    // The tips are the buttons' names for a screen reader too.
    for (ToolbarButton b : allToolbarButtons()) {
        QPushButton *button = c.toolbar[buttonIndex(b)];
        button->setToolTip(plainToolTip(texts[buttonIndex(b)]));
        button->setAccessibleName(texts[buttonIndex(b)]);
    }
    c.text->useTexts(text(Text::CloseButton), text(Text::TextPlaceholder));
    c.myDrawings->setToolTip(plainToolTip(text(Text::MyDrawings)));
    c.myDrawings->setAccessibleName(text(Text::MyDrawings));
    c.magic->setToolTip(plainToolTip(text(Text::MagicButton)));
    c.magic->setAccessibleName(text(Text::MagicButton));
    c.pages->setToolTip(plainToolTip(text(Text::PagesButton)));
    c.pages->setAccessibleName(text(Text::PagesButton));
    for (int i = 0; i < 10; ++i)
        c.pens[i]->setAccessibleName(text(Text::PenName).arg(i + 1));
    c.stampBox->setAccessibleName(text(Text::StampPictureName));
    c.canvas->setAccessibleName(text(Text::CanvasName));
    c.palette->setAccessibleName(text(Text::SwatchName).arg(1));
    c.chart->setAccessibleName(text(Text::SwatchName).arg(1));
}

} // namespace garabix
