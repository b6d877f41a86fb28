// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "list_control.h"
#include "row_table.h"

#include <array>
#include <cstdint>

namespace dornelik {

// Keeps the three visible lists on one situation: a selection in any of them selects, in all
// three, the rows whose key in the matching key list equals the key of the selected row.
class RowMatcher {
public:
    using Lists = std::array<ListControl*, columnCount>;

    // The lists are not owned; they must outlive the matcher. `visible` are the lists the user
    // sees, `keys` hold the key text of every row of the visible list of the same column.
    RowMatcher(Lists visible, Lists keys);

    // The selection of visible list `Index` has changed. Throws std::out_of_range for an index
    // other than 0..2 and for a key that does not fit in 16 bits, before changing anything.
    void List1_Click(std::int16_t Index);

    // Removes the selection from the three visible lists.
    void Command1_Click();

private:
    ListControl& visibleList(std::int16_t column) const;

    Lists List1;
    Lists List2;
    // Lists that notify when the matcher itself moves their selection call back into the
    // matcher; while a pass runs those calls are dropped, so that a key list holding one key
    // twice cannot make the passes start each other without end.
    bool passRunning = false;
};

// The lists of an array, column by column, as the matcher takes them.
template <typename List> RowMatcher::Lists addressesOf(std::array<List, columnCount>& lists)
{
    RowMatcher::Lists addresses{};
    for (std::size_t column = 0; column < addresses.size(); ++column)
        addresses[column] = &lists[column];
    return addresses;
}

} // namespace dornelik
