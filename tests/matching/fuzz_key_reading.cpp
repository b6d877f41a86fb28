// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// libFuzzer target for the key reading: any text reads as a finite number, and its key is that
// number rounded, or an out_of_range error when the number lies outside 16 bits.
#include "key_reading.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double number = dornelik::leadingNumber(text);
    if (!std::isfinite(number))
        std::abort();
    try {
        const std::int16_t key = dornelik::keyOf(text);
        if (std::fabs(number - key) > 0.5)
            std::abort();
    } catch (const std::out_of_range&) {
        if (number > -32768.5 && number < 32767.5)
            std::abort();
    }
    return 0;
}
