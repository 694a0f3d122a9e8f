#include "core/text/textreader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace garabix {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QString decodeText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(cp1252High[b - 0x80]) : QChar(b));
    }
    return out;
}

SequentialReader::SequentialReader(QString t) : text(std::move(t)) {}

std::optional<SequentialReader> SequentialReader::open(const QString &path, qint64 maxBytes) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(maxBytes);
    return SequentialReader(decodeText(bytes));
}

std::optional<QString> SequentialReader::next() {
    const int n = text.size();
    while (pos < n && isBlank(text[pos]))
        ++pos;
    if (pos >= n)
        return std::nullopt;

    QString item;
    if (text[pos] == QLatin1Char('"')) {
        const int close = text.indexOf(QLatin1Char('"'), pos + 1);
        const int end = close < 0 ? n : close;
        item = text.mid(pos + 1, std::min(end - pos - 1, maxItemLength));
        pos = close < 0 ? n : close + 1;
        // Whatever follows the closing quote up to the separator is dropped.
        while (pos < n && text[pos] != QLatin1Char(',') && !isLineEnd(text[pos]))
            ++pos;
    } else {
        const int start = pos;
        while (pos < n && text[pos] != QLatin1Char(',') && !isLineEnd(text[pos]))
            ++pos;
        item = text.mid(start, std::min(pos - start, maxItemLength));
        while (!item.isEmpty() && isBlank(item.back()))
            item.chop(1);
    }
    // Consume one separator: a comma, or a line end (CR LF counts as one).
    if (pos < n) {
        if (text[pos] == QLatin1Char(',')) {
            ++pos;
        } else if (text[pos] == QLatin1Char('\r')) {
            ++pos;
            if (pos < n && text[pos] == QLatin1Char('\n'))
                ++pos;
        } else {
            ++pos;
        }
    }
    return item;
}

} // namespace garabix
