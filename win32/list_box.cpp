// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "list_box.h"

#include "wide_text.h"

#include <commctrl.h>

namespace dornelik {

void ListBox::create(HWND parent, int id, DWORD style)
{
    list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, WS_CHILD | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(list, procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

// A list box can move its selection without a word: one dragged out of it follows the pointer and
// reports only when the button is released, and not at all where the release is missed. So every
// message that changes the selection is followed by a report of its own.
LRESULT CALLBACK ListBox::procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR self)
{
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    // A list being destroyed drops its rows, which is no one's selection.
    if (message == WM_DESTROY || message == WM_NCDESTROY)
        return result;
    auto& box = *reinterpret_cast<ListBox*>(self);
    // Read past this procedure, which reading through the list would enter again.
    const auto selected = static_cast<std::int16_t>(DefSubclassProc(list, LB_GETCURSEL, 0, 0));
    if (selected != box.reported) {
        box.reported = selected;
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    return result;
}

void ListBox::addRow(std::string_view text)
{
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

std::int16_t ListBox::widgetRowCount() const
{
    return static_cast<std::int16_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

std::int16_t ListBox::widgetSelectedRow() const
{
    return static_cast<std::int16_t>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

void ListBox::selectWidgetRow(std::int16_t row)
{
    reported = row;
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

std::string ListBox::widgetRowText(std::int16_t row) const
{
    std::wstring text(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0), L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    return narrow(text);
}

} // namespace dornelik
