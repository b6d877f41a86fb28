#pragma once

#include "list_control.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace dornelik {

// A Windows list box, seen by the matching logic through ListControl. Settings made through it
// do not notify: Windows reports only the user's changes.
class ListBox : public ListControl {
public:
    void create(HWND parent, int id, DWORD style, std::string_view name);
    void addRow(std::string_view text);
    HWND handle() const { return list; }

    std::int16_t selectedRow() const override;
    void setSelectedRow(std::int16_t row) override;
    std::string rowText(std::int16_t row) const override;

private:
    void checkRow(std::int16_t row) const;

    HWND list = nullptr;
    std::string name;
};

} // namespace dornelik
