#pragma once
// The object names of the windows' controls, by which tests and the
// accessibility tree find them: each window names its controls with these,
// and nothing else spells them out.

#include <QString>

namespace garabix::widgetname {

// The main window.
inline constexpr char canvas[] = "canvasView";
inline constexpr char paletteStrip[] = "paletteStrip";
inline constexpr char colourChart[] = "colourChart";
inline constexpr char stampBox[] = "stampBox";
inline constexpr char colourWell[] = "colourWell";
inline constexpr char myDrawingsButton[] = "myDrawingsButton";
inline constexpr char magicButton[] = "magicButton";
inline constexpr char pagesButton[] = "pagesButton";
inline constexpr char stampPlayer[] = "stampPlayer";
inline constexpr char textPanel[] = "textPanel";
inline constexpr char textEdit[] = "textEdit";
inline constexpr char textSizeBox[] = "textSizeBox";
inline constexpr char fontBox[] = "fontBox";
inline constexpr char closeTextButton[] = "closeTextButton";
inline QString toolbarButton(int index) {
    return QStringLiteral("toolbarButton_%1").arg(index);
}
inline QString penButton(int index) {
    return QStringLiteral("penButton_%1").arg(index);
}
// 0 bold, 1 italic.
inline QString styleButton(int index) {
    return QStringLiteral("styleButton_%1").arg(index);
}
// A note over a window (see Platform::notify).
inline constexpr char notice[] = "garabixNotice";
inline constexpr char savingSign[] = "savingSign";

// The welcome window.
inline constexpr char title[] = "title";
inline constexpr char licence[] = "licence";
inline constexpr char walkerPlayer[] = "walkerPlayer";
inline constexpr char licenceButton[] = "licenceButton";
inline constexpr char enterButton[] = "enterButton";

// The picker of saved drawings.
inline constexpr char heading[] = "heading";
inline constexpr char emptyNote[] = "emptyNote";
inline constexpr char copyButton[] = "copyButton";
inline constexpr char slideshowButton[] = "slideshowButton";

// The slideshow: the drawing on show and its caption.
inline constexpr char slideshowPicture[] = "slideshowPicture";
inline constexpr char slideshowCaption[] = "slideshowCaption";
inline QString pickerTile(int slot) {
    return QStringLiteral("tile_%1").arg(slot);
}
// 0 the previous page, 1 the next.
inline QString pickerPageButton(int index) {
    return QStringLiteral("pageButton_%1").arg(index);
}

// The magic gallery's effect in slot `k`, 0..8 of its page.
inline QString magicTile(int k) {
    return QStringLiteral("magicTile_%1").arg(k);
}

// The colouring pages gallery's page in slot `k`, 0..8 of its page.
inline QString pageTile(int k) {
    return QStringLiteral("pageTile_%1").arg(k);
}

// The stamp gallery's size buttons: 0 small, 1 as drawn, 2 big; and the
// button that turns the stamp upside down.
inline QString stampSizeButton(int k) {
    return QStringLiteral("stampSize_%1").arg(k);
}
inline constexpr char stampTurnButton[] = "stampTurnButton";

// The stamp gallery's row of category `index`.
inline QString categoryRow(int index) {
    return QStringLiteral("category%1").arg(index);
}

} // namespace garabix::widgetname
