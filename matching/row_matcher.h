#pragma once

#include "list_control.h"

#include <array>
#include <cstdint>

namespace dornelik {

// Keeps the three visible lists on one situation: a selection in any of them selects, in all
// three, the rows whose key in the matching key list equals the key of the selected row.
class RowMatcher {
public:
    // The lists are not owned; they must outlive the matcher. `visible` are the lists the user
    // sees, `keys` hold the key text of every row of the visible list of the same column.
    RowMatcher(std::array<ListControl*, 3> visible, std::array<ListControl*, 3> keys);

    // The selection of visible list `Index` has changed. Throws std::out_of_range for an index
    // other than 0..2 and for a key that does not fit in 16 bits, before changing anything.
    void List1_Click(std::int16_t Index);

    // Removes the selection from the three visible lists.
    void Command1_Click();

private:
    ListControl& visibleList(std::int16_t column) const;

    std::array<ListControl*, 3> List1;
    std::array<ListControl*, 3> List2;
    // Lists that notify when the matcher itself moves their selection call back into the
    // matcher; while a pass runs those calls are dropped, so that a key list holding one key
    // twice cannot make the passes start each other without end.
    bool passRunning = false;
};

} // namespace dornelik
