#pragma once
// The three configuration files of the program folder, read once at start-up.

#include <QString>
#include <QStringList>
#include <optional>

namespace garabix::config {

constexpr int textCount = 30;

// First item of "\configuracion\mdg.txt" as text; nothing when the file is
// missing, unreadable or empty.
std::optional<QString> readDrawingLimitText(const QString &appPath);

// The leading number of a text as a 16-bit integer (halves to even); nothing
// when it does not fit, and the field then keeps its previous value.
std::optional<int16_t> numberField(const QString &text);

// First item of "\configuracion\anchorejilla.txt" as a number; nothing when
// the file is missing or empty, or the number does not fit.
std::optional<int16_t> readGridSpacing(const QString &appPath);

// The 30 texts of "\Configuracion\idioma.txt" in file order. Texts past the
// end of the file stay empty; a missing file gives 30 empty texts.
QStringList readLanguageTexts(const QString &appPath);

// Reads 30 texts from a given file.
QStringList readLanguageFile(const QString &path);

} // namespace garabix::config
