#include "list_box.h"

#include "wide_text.h"

#include <stdexcept>

namespace dornelik {

void ListBox::create(HWND parent, int id, DWORD style, std::string_view listName)
{
    name = listName;
    list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, WS_CHILD | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void ListBox::addRow(std::string_view text)
{
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

std::int16_t ListBox::selectedRow() const
{
    return static_cast<std::int16_t>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

void ListBox::setSelectedRow(std::int16_t row)
{
    if (row == selectedRow())
        return;
    if (row != -1)
        checkRow(row);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

std::string ListBox::rowText(std::int16_t row) const
{
    if (row == -1)
        return {};
    checkRow(row);
    std::wstring text(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0), L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    return narrow(text);
}

void ListBox::checkRow(std::int16_t row) const
{
    if (row < 0 || row >= SendMessageW(list, LB_GETCOUNT, 0, 0))
        throw std::out_of_range(name + " няма ред " + std::to_string(row));
}

} // namespace dornelik
