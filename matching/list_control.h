// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dornelik {

// One list as the matching logic sees it: a selected row and the texts of its rows. The rules of
// a list are kept here, once; a front end's list says only how its widget counts, reads and sets
// its rows.
class ListControl {
public:
    virtual ~ListControl() = default;

    // The selected row, or -1 when no row is selected.
    std::int16_t selectedRow() const;

    // Selects `row`, or removes the selection for -1. Selecting the row that is already
    // selected changes nothing and notifies nobody. Throws std::out_of_range, naming the list,
    // for a row the list does not have.
    void setSelectedRow(std::int16_t row);

    // The UTF-8 text of `row`; the empty text for row -1. Throws std::out_of_range, naming the
    // list, for a row the list does not have.
    std::string rowText(std::int16_t row) const;

    // The list's name in the window, "List1(0)" say.
    const std::string& name() const { return listName; }

protected:
    explicit ListControl(std::string_view name);

private:
    virtual std::int16_t widgetRowCount() const = 0;
    // The row the widget shows selected, or -1.
    virtual std::int16_t widgetSelectedRow() const = 0;
    // Shows `row` selected, a row the widget has, or none for -1; never the row already shown.
    virtual void selectWidgetRow(std::int16_t row) = 0;
    // The UTF-8 text of `row`, a row the widget has.
    virtual std::string widgetRowText(std::int16_t row) const = 0;

    void checkRow(std::int16_t row) const;

    std::string listName;
};

} // namespace dornelik
