// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "list_control.h"

#include <functional>
#include <string>
#include <vector>

// A list in memory. `onChange`, when set, runs whenever the selection moves to another row,
// before setSelectedRow returns, the way a list that notifies on every change behaves.
class FakeList : public dornelik::ListControl {
public:
    FakeList()
        : ListControl("FakeList")
    {
    }

    std::vector<std::string> rows;
    std::int16_t selected = -1;
    int changes = 0;
    std::function<void()> onChange;

private:
    std::int16_t widgetRowCount() const override { return static_cast<std::int16_t>(rows.size()); }
    std::int16_t widgetSelectedRow() const override { return selected; }
    void selectWidgetRow(std::int16_t row) override
    {
        selected = row;
        ++changes;
        if (onChange)
            onChange();
    }
    std::string widgetRowText(std::int16_t row) const override { return rows[row]; }
};
