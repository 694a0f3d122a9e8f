#pragma once
// The 28 buttons of the main window's tool bar, in the order of the array:
// its index is the button's place in the layout table, its picture and its
// tip's line in idioma.txt. The tool each tool button chooses, and the ten
// pens of the pen row.

#include "core/canvas/drawingstate.h"

#include <array>
#include <cstddef>
#include <cstdint>

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

// The tool-bar buttons that choose a tool.
struct ToolButton {
    ToolbarButton button;
    Tool tool;
};
inline constexpr ToolButton toolButtons[] = {
    {ToolbarButton::Gallery, Tool::Stamp},
    {ToolbarButton::Pencil, Tool::Pencil},
    {ToolbarButton::Fill, Tool::Fill},
    {ToolbarButton::Rectangle, Tool::Rectangle},
    {ToolbarButton::Circle, Tool::Circle},
    {ToolbarButton::Ellipse, Tool::Ellipse},
    {ToolbarButton::Polyline, Tool::Polyline},
    {ToolbarButton::DiagonalSpray, Tool::DiagonalSpray},
    {ToolbarButton::DiscSpray, Tool::DiscSpray},
    {ToolbarButton::Text, Tool::Text},
};

// The tool a button chooses; the pencil for a button that chooses none.
constexpr Tool toolOf(ToolbarButton button) {
    for (const ToolButton &t : toolButtons)
        if (t.button == button)
            return t.tool;
    return Tool::Pencil;
}

// The ten pens, in pixels of the design: the width of a line, and the
// radius of a spray.
struct PenSize {
    int width;
    int16_t radius;
};
inline constexpr PenSize penSizes[10] = {{1, 5},  {2, 10}, {3, 20},  {4, 30},  {5, 40},
                                         {6, 50}, {7, 60}, {10, 70}, {14, 80}, {19, 100}};

} // namespace garabix
