// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "list_control.h"

#include <string_view>

namespace dornelik {

// A list in the page, seen by the matching logic through ListControl: an element whose children
// are its rows, the selected one of class "selected", and also aria-selected while the list has
// the focus. Settings made through it do not notify.
class DomList : public ListControl {
public:
    // The list of the control `name`, as the page's markup made it.
    explicit DomList(std::string_view name);

private:
    std::int16_t widgetRowCount() const override;
    std::int16_t widgetSelectedRow() const override;
    void selectWidgetRow(std::int16_t row) override;
    std::string widgetRowText(std::int16_t row) const override;

    int element; // the page's handle of the list's element
};

} // namespace dornelik
