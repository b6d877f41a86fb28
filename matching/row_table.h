#pragma once

#include <array>
#include <string_view>

namespace dornelik {

struct TableRow {
    std::string_view text; // shown in the visible list
    std::string_view key;  // held in the key list beside it
};

// Rows of the three columns, column by column; rows of one situation share a key.
using RowTable = std::array<std::array<TableRow, 3>, 3>;

// Quantity, instrument and way of connecting: 1 is current, ammeter, in series; 2 voltage,
// voltmeter, in parallel; 3 resistance, ohmmeter, on its own. Each column is in alphabetical
// order.
inline constexpr RowTable builtInTable{{
    {{{"напрежение", "2"}, {"съпротивление", "3"}, {"ток", "1"}}},
    {{{"амперметър", "1"}, {"волтметър", "2"}, {"омметър", "3"}}},
    {{{"отделно", "3"}, {"паралелно", "2"}, {"последователно", "1"}}},
}};

} // namespace dornelik
