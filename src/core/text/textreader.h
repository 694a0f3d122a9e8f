#pragma once
// Sequential reading of the program's plain-text configuration and language
// files: an item ends at a comma or at the end of a line, leading blanks are
// skipped, and an item that begins with a double quote runs to the next quote
// (so it may hold commas). This is the program's only parser of outside input.

#include <QByteArray>
#include <QString>
#include <optional>

namespace garabix {

// Decodes a text file's bytes: UTF-8 (a leading byte-order mark is dropped),
// or Windows-1252 when the bytes are not valid UTF-8.
QString decodeText(const QByteArray &bytes);

class SequentialReader {
public:
    explicit SequentialReader(QString text);

    // Reads a file from its first item, at most maxBytes of it. A file that
    // cannot be opened (missing, a folder, no permission) gives nothing.
    static std::optional<SequentialReader> open(const QString &path, qint64 maxBytes = 1 << 20);

    // The next item, or nothing once the text is exhausted.
    std::optional<QString> next();

    // Longest item kept; longer ones are cut (a language text is one line of a
    // tooltip, and no number needs more).
    static constexpr int maxItemLength = 4096;

private:
    QString text;
    int pos = 0;
};

} // namespace garabix
