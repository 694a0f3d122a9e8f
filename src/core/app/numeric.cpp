#include "core/app/numeric.h"

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
    // strtod saturates to +-HUGE_VAL on overflow and gives 0 on underflow.
    return std::strtod(number.c_str(), nullptr);
}

} // namespace garabix
