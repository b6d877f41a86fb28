// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string_view>

namespace dornelik {

struct DecimalReading {
    double value;       // unspecified where out of range
    std::size_t length; // of the number read
    bool outOfRange;    // too large for a double, or so small that it reads as zero
};

// Reads the decimal number at the start of `text`, which begins with a digit or with '.' and a
// digit: digits, an optional '.' and fraction, and an optional exponent ('e' or 'E', an optional
// sign, digits). Nothing else is read: no hexadecimal, no words, and the process locale does not
// matter. Which of two readings the core is built with is the build's choice, by what the C++
// library offers; both give the same results.
DecimalReading readDecimal(std::string_view text);

} // namespace dornelik
