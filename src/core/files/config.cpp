#include "core/files/config.h"

#include "core/files/paths.h"
#include "core/text/numeric.h"
#include "core/text/textreader.h"

namespace garabix::config {

namespace {

std::optional<QString> firstItem(const QString &path) {
    auto reader = SequentialReader::open(path);
    if (!reader)
        return std::nullopt;
    return reader->next();
}

} // namespace

std::optional<QString> readDrawingLimitText(const QString &appPath) {
    return firstItem(resolvePath(appPath, QStringLiteral("\\configuracion\\mdg.txt")));
}

std::optional<int16_t> numberField(const QString &text) {
    return toInt16(leadingNumber(text));
}

std::optional<int16_t> readGridSpacing(const QString &appPath) {
    const auto item =
        firstItem(resolvePath(appPath, QStringLiteral("\\configuracion\\anchorejilla.txt")));
    if (!item)
        return std::nullopt;
    return numberField(*item);
}

QStringList readLanguageFile(const QString &path) {
    QStringList texts(textCount);
    auto reader = SequentialReader::open(path);
    if (!reader)
        return texts;
    for (int k = 0; k < textCount; ++k) {
        const auto item = reader->next();
        if (!item)
            break;
        texts[k] = *item;
    }
    return texts;
}

QStringList readLanguageTexts(const QString &appPath) {
    return readLanguageFile(resolvePath(appPath, QStringLiteral("\\Configuracion\\idioma.txt")));
}

} // namespace garabix::config
