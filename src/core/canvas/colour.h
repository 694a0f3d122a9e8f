#pragma once
// Colours travel through the program as colour words, R + 256 G + 65536 B with
// red in the low byte; images hold QRgb. These convert between the two.

#include <QRgb>
#include <cstdint>

namespace garabix {

using ColourWord = uint32_t;

constexpr ColourWord colourWord(int r, int g, int b) {
    return static_cast<ColourWord>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr QRgb toRgb(ColourWord c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColourWord fromRgb(QRgb c) {
    return colourWord(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                      static_cast<int>(c & 0xFF));
}

constexpr ColourWord white = 0xFFFFFF;
constexpr ColourWord black = 0;

} // namespace garabix
