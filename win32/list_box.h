// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "list_control.h"

#include <windows.h>

#include <string_view>

namespace dornelik {

// A Windows list box, seen by the matching logic through ListControl. Every change of its
// selection that the user makes is reported to the parent as LBN_SELCHANGE, once; settings made
// through it are not reported.
class ListBox : public ListControl {
public:
    explicit ListBox(std::string_view name)
        : ListControl(name)
    {
    }

    void create(HWND parent, int id, DWORD style);
    void addRow(std::string_view text);
    HWND handle() const { return list; }

private:
    static LRESULT CALLBACK procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);

    std::int16_t widgetRowCount() const override;
    std::int16_t widgetSelectedRow() const override;
    void selectWidgetRow(std::int16_t row) override;
    std::string widgetRowText(std::int16_t row) const override;

    HWND list = nullptr;
    std::int16_t reported = -1; // the selection last reported, or set through ListControl
};

} // namespace dornelik
