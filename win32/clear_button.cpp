// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "clear_button.h"

#include <commctrl.h>

#include <string>

namespace dornelik {

void ClearButton::create(HWND parent, int id, const wchar_t* caption)
{
    button =
        CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0,
                        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(button, procedure, 0, 0);
}

// Enter presses the button while it has the focus, as Space does; the keyboard interface would
// otherwise send it to the window as IDOK.
LRESULT CALLBACK ClearButton::procedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR)
{
    if (message == WM_GETDLGCODE && lParam) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return DefSubclassProc(button, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    const bool repeated = lParam & (1 << 30);
    if (message == WM_KEYDOWN && wParam == VK_RETURN && !repeated) {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return 0;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

// A raised edge around the face, pushed in while pressed, and while the button has the focus a
// black frame and a dotted focus rectangle.
void ClearButton::draw(const DRAWITEMSTRUCT& item, HBRUSH face, HFONT font, COLORREF text)
{
    const HDC dc = item.hDC;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    RECT bevel = item.rcItem;
    if (focused) {
        FrameRect(dc, &bevel, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&bevel, -1, -1);
    }
    FillRect(dc, &bevel, face);
    DrawEdge(dc, &bevel, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT caption = bevel;
    if (pressed)
        OffsetRect(&caption, 1, 1);
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    std::wstring label(GetWindowTextLengthW(item.hwndItem), L'\0');
    GetWindowTextW(item.hwndItem, label.data(), static_cast<int>(label.size()) + 1);
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &caption,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previousFont);

    if (focused) {
        InflateRect(&caption, -3, -3);
        DrawFocusRect(dc, &caption);
    }
}

} // namespace dornelik
