#pragma once
// The three configuration files of the program folder, read once at start-up.

#include <QString>
#include <QStringList>
#include <optional>

namespace garabix::config {

// The texts of the interface, one a line of idioma.txt: the 28 button tips
// (line k is the tip of tool-bar button k), then these.
enum class Text {
    QuitQuestion = 28,
    TextPlaceholder = 29, // what the text tool shows before anything is typed
    // Optional lines after the first 30: a file that stops at 30 gets the
    // built-in Spanish text for each of these.
    Saved, // "%1" is the drawing's file name
    AlreadySaved,
    SavingOff,    // mdg.txt allows no drawing
    LimitReached, // "%1" is the most drawings mdg.txt allows
    NoNumberLeft, // "%1" is the highest number a drawing can have
    SaveFailed,   // "%1" is the drawings folder
    DeleteFailed,
    YesButton, // the quit question's buttons; "&" marks the key
    NoButton,
    CloseButton, // ends the text tool
    NoPrinter,
    PrintFailed,
    NoFolderBrowser,                // "%1" is the drawings folder
    MyDrawings,                     // the tip of the picker's button
    PickerTitle,                    // the picker's heading and window title
    PickerEmpty,                    // what the picker says while there is no drawing
    DamagedDrawing,                 // "%1" is the file name of a drawing that cannot be read
    Language,                       // the file's language, as a code: es, en, fr, pt, ca
    SaveFailedFull,                 // saving failed for a full disk; "%1" is the drawings folder
    SaveFailedDenied,               // the drawings folder cannot be written; "%1" is the folder
    DeleteFailedDenied,             // the drawing may not be moved to the trash
    CopiedToPictures,               // "%1" is the picture written, in the user's pictures folder
    CopyFailed,                     // "%1" is the pictures folder
    CopyButton,                     // the picker's button that copies the chosen drawing out
    Saving,                         // the quiet sign while a save waits for the disk
    FolderNotAnswering,             // "%1" is the drawings folder
    PenName,                        // a pen size's name for screen readers; "%1" counts 1 to 10
    SwatchName,                     // a colour's name for screen readers; "%1" counts from 1
    StampPictureName,               // the stamp picture's name for screen readers
    CanvasName,                     // the canvas's name for screen readers
    LimitReachedIn,                 // a limit the settings set: "%1" the folder, "%2" the limit
    LimitReachedAskGrownUp,         // the same with the bin off: a grown-up makes room
    MovedToTrash,                   // "%1" is the drawing the bin moved to the trash
    MagicButton,                    // the magic button's tip
    MagicTitle,                     // the magic gallery's heading and window title
    MagicEffect,                    // the first of the magic effects' names, in their order
    PagesButton = MagicEffect + 17, // the colouring pages button's tip
    PagesTitle,                     // the colouring pages gallery's heading and window title
    SlideshowButton,                // the picker's button that shows the drawings full screen
    StampSmall,                     // the stamp gallery's size buttons, half, as drawn, twice
    StampAsDrawn,
    StampBig,
    StampUpsideDown, // turns the stamp upside down
    Count
};
// The name of the k-th magic effect, 0 the first.
constexpr Text magicEffectName(int k) {
    return static_cast<Text>(static_cast<int>(Text::MagicEffect) + k);
}

// Lines every language file has: the tips, the question and the placeholder.
constexpr int textCount = 30;
// All texts, optional lines included.
constexpr int allTextCount = static_cast<int>(Text::Count);

// The built-in Spanish text of an optional line, and of the quit question.
QString builtInText(Text which);

// First item of "configuracion/mdg.txt" as text; nothing when the file is
// missing, unreadable or empty.
std::optional<QString> readDrawingLimitText(const QString &appPath);

// The leading number of a text as a 16-bit integer (halves to even); nothing
// when it does not fit, and the field then keeps its previous value.
std::optional<int16_t> numberField(const QString &text);

// First item of "configuracion/anchorejilla.txt" as a number; nothing when
// the file is missing or empty, or the number does not fit.
std::optional<int16_t> readGridSpacing(const QString &appPath);

// The texts of "configuracion/idioma.txt" in file order, allTextCount of
// them: of the first 30, those past the end of the file stay empty; the
// optional lines past its end are the built-in ones. A missing file gives
// the built-in texts, the quit question included, and empty tips.
QStringList readLanguageTexts(const QString &appPath);

// Reads the texts from a given file.
QStringList readLanguageFile(const QString &path);

// One text of a list that readLanguageFile made.
inline QString text(const QStringList &texts, Text which) {
    return texts.value(static_cast<int>(which));
}

} // namespace garabix::config
