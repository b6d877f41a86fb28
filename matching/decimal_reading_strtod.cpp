// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "decimal_reading.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include <locale.h>
#include <stdlib.h>

namespace dornelik {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Where the decimal number ends: strtod would also read hexadecimal numbers and words.
std::size_t decimalLength(std::string_view text)
{
    std::size_t end = 0;
    const auto skipDigits = [&] {
        while (end < text.size() && isDigit(text[end]))
            ++end;
    };
    skipDigits();
    if (end < text.size() && text[end] == '.') {
        ++end;
        skipDigits();
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < text.size() && isDigit(text[exponent])) {
            end = exponent;
            skipDigits();
        }
    }
    return end;
}

} // namespace

// The C library's reading, in the "C" locale whatever the process's locale.
DecimalReading readDecimal(std::string_view text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string number(text.substr(0, decimalLength(text)));
    errno = 0;
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
    // A number between zero and the smallest normal double is read as it is, not as an error.
    const bool outOfRange = errno == ERANGE && (value == 0.0 || std::isinf(value));
    return {value, number.size(), outOfRange};
}

} // namespace dornelik
