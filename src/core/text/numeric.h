#pragma once
// Rounding and range rules shared by every place that turns a coordinate or a
// configuration value into an integer: halves go to the even neighbour, and an
// integer division rounds both operands first and truncates the quotient.

#include <QString>
#include <cmath>
#include <cstdint>
#include <optional>

namespace garabix {

// 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
inline double roundHalfEven(double v) {
    return std::nearbyint(v);
}

// Rounded half to even and saturated to the range of long long (NaN gives 0),
// so that no outside number makes the conversion undefined.
inline long long roundToInt(double v) {
    const double r = std::nearbyint(v);
    if (!(r == r))
        return 0;
    if (r >= 9.2e18)
        return 9200000000000000000LL;
    if (r <= -9.2e18)
        return -9200000000000000000LL;
    return static_cast<long long>(r);
}

// Rounds both operands half to even, then truncates the quotient towards zero.
// A zero divisor yields nothing.
inline std::optional<long long> intDiv(double a, double b) {
    const long long ia = roundToInt(a);
    const long long ib = roundToInt(b);
    if (ib == 0)
        return std::nullopt;
    return ia / ib;
}

inline bool fitsInt16(double v) {
    const double r = roundHalfEven(v);
    return r >= -32768.0 && r <= 32767.0;
}

// The value rounded half to even as a 16-bit integer, or nothing when it does
// not fit (the assignment "fails" and the caller keeps its old value).
inline std::optional<int16_t> toInt16(double v) {
    if (!std::isfinite(v) || !fitsInt16(v))
        return std::nullopt;
    return static_cast<int16_t>(roundHalfEven(v));
}

// The leading number of a text: sign, digits, one decimal point and an
// exponent as far as they form a number, with spaces and tabs inside skipped.
// A text without a number reads as 0.
double leadingNumber(const QString &text);

} // namespace garabix
