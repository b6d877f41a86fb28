// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "decimal_reading.h"

#include <charconv>

namespace dornelik {

// The C++ library's own reading, where it has one for floating point.
DecimalReading readDecimal(std::string_view text)
{
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    return {value, static_cast<std::size_t>(end - text.data()),
            error == std::errc::result_out_of_range};
}

} // namespace dornelik
