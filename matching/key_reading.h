// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string_view>

namespace dornelik {

// The number that `text` begins with: leading blanks are skipped, then an optional sign,
// digits with an optional '.' fraction and an optional exponent are read, and the rest is
// ignored. A text that does not begin with a number reads 0. The result is always finite
// (a number too large for a double reads as the largest double of its sign) and does not
// depend on the process locale.
double leadingNumber(std::string_view text);

// The key of a row: leadingNumber(text) rounded to the nearest integer, a half to the even
// neighbour. Throws std::out_of_range, naming the text, when the key does not fit in 16 bits.
std::int16_t keyOf(std::string_view text);

} // namespace dornelik
