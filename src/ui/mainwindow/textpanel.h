#pragma once
// The text tool's panel and what it writes with: the text box and its Cerrar
// button, bold and italic, the size and font lists, and the text tool (the
// words, font, size and style the canvas writes). The window places the
// controls, as it places every control, and forwards their events here.

#include "core/canvas/texttool.h"
#include "ui/access/access.h"

#include <QObject>
#include <array>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace garabix {

class TextPanel : public QObject {
public:
    // The controls are the window's children, hidden until the text tool opens them.
    explicit TextPanel(QWidget *window);

    // Start-up: Cerrar's caption and the text box's placeholder, from the
    // language file.
    void useTexts(const QString &closeCaption, const QString &placeholder);
    // Start-up: the lists (sizes 12 to 48, the system's fonts) and 18-point
    // Arial; each step runs even when the one before it failed.
    void load();
    // The larger controls: the panel's texts grow with them.
    void scaleFonts(double factor);

    // The text tool opens the panel empty, the keyboard in its text box; Cerrar
    // hides it and runs `closed`.
    void open();
    void hide();
    bool isOpen() const;

    void toggleStyle(int style); // 0 bold, 1 italic
    void chooseSize();
    void chooseFont();
    void edited();
    // Bold and italic wear the chosen colour while they are on.
    void showStyle();
    // When open: the text box, an area of its own that keeps the arrows, and
    // the lists, the style buttons and Cerrar.
    void addAccessAreas(AccessArea &textBox, AccessArea &rest);

    const TextTool &tool() const { return writing; }

    // Raised when the words change (the canvas's preview follows) and by Cerrar.
    std::function<void()> edit;
    std::function<void()> closed;

    // The controls, for the layout.
    QWidget *panel = nullptr;
    QLineEdit *textBox = nullptr;
    QPushButton *closeButton = nullptr;
    QComboBox *sizeBox = nullptr;
    QComboBox *fontBox = nullptr;
    std::array<QPushButton *, 2> styleButtons{}; // bold and italic

private:
    void applyFont();
    void showListValue(QComboBox *combo, const QString &value);

    TextTool writing;
};

} // namespace garabix
