#include "core/text/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace garabix {

namespace {

class Scanner {
public:
    explicit Scanner(const QString &t) : text(t) {}
    bool blank(int k) const {
        return k < text.size() && (text[k] == QLatin1Char(' ') || text[k] == QLatin1Char('\t'));
    }
    bool digit(int k) const {
        return k < text.size() && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9');
    }
    bool is(int k, char c) const { return k < text.size() && text[k] == QLatin1Char(c); }
    // Appends digits (blanks inside skipped) from position i; returns whether any was seen.
    bool digits(int &i, std::string &out) const {
        bool any = false;
        while (digit(i) || blank(i)) {
            if (digit(i)) {
                if (out.size() < 512)
                    out += static_cast<char>(text[i].unicode());
                any = true;
            }
            ++i;
        }
        return any;
    }
    const QString &text;
};

// Reads the number the scanner collected, the same in every locale: a
// comma-decimal desktop must not turn "3.5" into 3. Too large a magnitude
// saturates to +-HUGE_VAL and too small a one gives 0.
double parseDecimal(const std::string &number) {
    const char *first = number.c_str();
    const char *last = first + number.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;
    double value = 0.0;
    const std::errc error = std::from_chars(first, last, value).ec;
    if (error == std::errc())
        return negative ? -value : value;
    if (error != std::errc::result_out_of_range)
        return 0.0;
    // Out of range: the decimal order of its first significant digit, plus
    // the exponent, says whether it was too large or too small.
    const char *exponent = std::find(first, last, 'e');
    const char *point = std::find(first, exponent, '.');
    const char *significant =
        std::find_if(first, exponent, [](char c) { return c >= '1' && c <= '9'; });
    long order = significant < point ? static_cast<long>(point - significant)
                                     : -static_cast<long>(significant - point - 1);
    if (exponent < last)
        order += std::clamp(std::strtol(exponent + 1, nullptr, 10), -100000L, 100000L);
    const double saturated = order > 0 ? HUGE_VAL : 0.0;
    return negative ? -saturated : saturated;
}

} // namespace

double leadingNumber(const QString &text) {
    const Scanner s(text);
    std::string number;
    int i = 0;
    while (s.blank(i))
        ++i;
    if (s.is(i, '+') || s.is(i, '-')) {
        number += static_cast<char>(text[i].unicode());
        ++i;
    }
    bool mantissa = s.digits(i, number);
    if (s.is(i, '.')) {
        number += '.';
        ++i;
        mantissa = s.digits(i, number) || mantissa;
    }
    if (!mantissa)
        return 0.0;
    if (s.is(i, 'e') || s.is(i, 'E') || s.is(i, 'd') || s.is(i, 'D')) {
        int k = i + 1;
        std::string exponent = "e";
        while (s.blank(k))
            ++k;
        if (s.is(k, '+') || s.is(k, '-')) {
            exponent += static_cast<char>(text[k].unicode());
            ++k;
        }
        if (s.digits(k, exponent))
            number += exponent;
    }
    return parseDecimal(number);
}

} // namespace garabix
