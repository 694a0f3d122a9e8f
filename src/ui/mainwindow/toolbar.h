#pragma once
// The 28 buttons of the main window's tool bar (the control array toolbarButtons),
// in the order of the array: its index is the button's place in the layout
// table, its picture and its tip's line in idioma.txt.

#include <array>
#include <cstddef>

namespace garabix {

enum class ToolbarButton {
    PreviousScene, // paints the scene before
    NextScene,     // paints the scene after
    Gallery,       // opens the stamp gallery
    MirrorStamp,   // mirrors the stamp picture
    Pencil,
    Fill,
    Rectangle,
    Circle,
    Undo,
    NewDrawing,
    Copy, // the drawing to the clipboard
    Save,
    PreviousDrawing, // shows the saved drawing before
    NextDrawing,     // shows the saved drawing after
    DeleteDrawing,   // moves the drawing on show to the trash
    Ellipse,
    Polyline,
    DiagonalSpray,
    DiscSpray,
    GridLines,     // shows or hides the grid's lines
    GridDots,      // shows or hides the grid's dots
    FreeLines,     // lines go where the pointer is
    GridSnapLines, // lines snap to the grid
    Text,
    MoreColours, // shows or hides the colour chart
    OpenFolder,  // the drawings folder in the desktop's file browser
    Print,
    Quit,
};

constexpr int toolbarButtonCount = 28;

constexpr int buttonIndex(ToolbarButton b) {
    return static_cast<int>(b);
}

// Every button, in the order of the array.
constexpr std::array<ToolbarButton, toolbarButtonCount> allToolbarButtons() {
    std::array<ToolbarButton, toolbarButtonCount> all{};
    for (int i = 0; i < toolbarButtonCount; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<ToolbarButton>(i);
    return all;
}

} // namespace garabix
