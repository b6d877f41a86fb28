// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dornelik {

struct TableRow {
    std::string_view text; // shown in the visible list
    std::string_view key;  // held in the key list beside it
};

// Three columns: the quantity, the instrument and the way of connecting it. Each column is a
// visible list with a key list beside it, and every list has three rows.
inline constexpr std::int16_t columnCount = 3;
inline constexpr std::int16_t rowCount = 3;

// Rows of the columns, column by column; rows of one situation share a key.
using RowTable = std::array<std::array<TableRow, rowCount>, columnCount>;

// Quantity, instrument and way of connecting: 1 is current, ammeter, in series; 2 voltage,
// voltmeter, in parallel; 3 resistance, ohmmeter, on its own. Each column is in alphabetical
// order.
inline constexpr RowTable builtInTable{{
    {{{"напрежение", "2"}, {"съпротивление", "3"}, {"ток", "1"}}},
    {{{"амперметър", "1"}, {"волтметър", "2"}, {"омметър", "3"}}},
    {{{"отделно", "3"}, {"паралелно", "2"}, {"последователно", "1"}}},
}};

} // namespace dornelik
