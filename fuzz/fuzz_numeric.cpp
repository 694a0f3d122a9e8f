// libFuzzer target: reading the leading number of a text and storing it in a
// 16-bit field.

#include "core/text/numeric.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const double v = garabix::leadingNumber(text);
    if (std::isnan(v))
        std::abort(); // a number, or plus or minus infinity, never NaN
    if (const auto field = garabix::toInt16(v)) {
        if (std::abs(*field - garabix::roundHalfEven(v)) > 0)
            std::abort();
    }
    (void)garabix::intDiv(v, garabix::leadingNumber(text.mid(1)));
    return 0;
}
