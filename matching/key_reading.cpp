// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "key_reading.h"

#include "decimal_reading.h"
#include "error_texts.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace dornelik {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Digits, or a '.' followed by a digit: "inf", "nan" and hexadecimal forms are words here.
bool beginsWithDigits(std::string_view text)
{
    return (!text.empty() && isDigit(text[0]))
           || (text.size() > 1 && text[0] == '.' && isDigit(text[1]));
}

// The reading reports overflow and underflow alike; the decimal order of the number tells which
// one it was.
bool isTooLarge(std::string_view number)
{
    std::size_t i = 0;
    const auto atDigit = [&] {
        return i < number.size() && isDigit(number[i]);
    };
    while (i < number.size() && number[i] == '0')
        ++i;
    long long order = 0;
    if (atDigit()) {
        for (; atDigit(); ++i)
            ++order;
    } else if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && number[i] == '0'; ++i)
            --order;
    }
    while (atDigit() || (i < number.size() && number[i] == '.'))
        ++i;

    long long exponent = 0;
    bool negativeExponent = false;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negativeExponent = number[i++] == '-';
        constexpr long long saturation = 1'000'000'000'000;
        for (; atDigit(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), saturation);
    }
    return order + (negativeExponent ? -exponent : exponent) > 0;
}

double roundHalfToEven(double value)
{
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-'))
        negative = text[start++] == '-';

    const std::string_view number = text.substr(start);
    if (!beginsWithDigits(number))
        return 0.0;

    const DecimalReading reading = readDecimal(number);
    double value = reading.value;
    if (reading.outOfRange)
        value =
            isTooLarge(number.substr(0, reading.length)) ? std::numeric_limits<double>::max() : 0.0;
    return negative ? -value : value;
}

std::int16_t keyOf(std::string_view text)
{
    const double key = roundHalfToEven(leadingNumber(text));
    if (key < std::numeric_limits<std::int16_t>::min()
        || key > std::numeric_limits<std::int16_t>::max())
        throw std::out_of_range(errorTexts::keyOutOfRange(text));
    return static_cast<std::int16_t>(key);
}

} // namespace dornelik
