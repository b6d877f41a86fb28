#pragma once

#include "list_control.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace dornelik {

// A Windows list box, seen by the matching logic through ListControl. Every change of its
// selection that the user makes is reported to the parent as LBN_SELCHANGE, once; settings made
// through it are not reported.
class ListBox : public ListControl {
public:
    void create(HWND parent, int id, DWORD style, std::string_view name);
    void addRow(std::string_view text);
    HWND handle() const { return list; }

    std::int16_t selectedRow() const override;
    void setSelectedRow(std::int16_t row) override;
    std::string rowText(std::int16_t row) const override;

private:
    static LRESULT CALLBACK procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
    void checkRow(std::int16_t row) const;

    HWND list = nullptr;
    std::string name;
    std::int16_t reported = -1; // the selection last reported, or set through ListControl
};

} // namespace dornelik
