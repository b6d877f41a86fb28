#pragma once

#include <cstdint>
#include <string>

namespace dornelik {

// One list as the matching logic sees it: a selected row and the texts of its rows.
class ListControl {
public:
    virtual ~ListControl() = default;

    // The selected row, or -1 when no row is selected.
    virtual std::int16_t selectedRow() const = 0;

    // Selects `row`, or removes the selection for -1. Selecting the row that is already
    // selected changes nothing and notifies nobody.
    virtual void setSelectedRow(std::int16_t row) = 0;

    // The UTF-8 text of `row`; the empty text for row -1.
    virtual std::string rowText(std::int16_t row) const = 0;
};

} // namespace dornelik
