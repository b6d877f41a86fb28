#pragma once

#include "list_control.h"

#include <functional>
#include <string>
#include <vector>

// A list in memory. `onChange`, when set, runs whenever the selection moves to another row,
// before setSelectedRow returns, the way a list that notifies on every change behaves.
class FakeList : public dornelik::ListControl {
public:
    std::int16_t selectedRow() const override { return selected; }

    void setSelectedRow(std::int16_t row) override
    {
        if (row == selected)
            return;
        selected = row;
        ++changes;
        if (onChange)
            onChange();
    }

    std::string rowText(std::int16_t row) const override { return row < 0 ? "" : rows.at(row); }

    std::vector<std::string> rows;
    std::int16_t selected = -1;
    int changes = 0;
    std::function<void()> onChange;
};
