// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace dornelik {

// The clear button: a push button that the window draws itself, so that its face has a colour of
// its own whatever the visual style. Space or Enter presses it while it has the focus, and it is
// never a default button.
class ClearButton {
public:
    void create(HWND parent, int id, const wchar_t* caption);
    HWND handle() const { return button; }

    // Draws the button as the window's WM_DRAWITEM asks, on a face of `face`, the caption in
    // `font` and `text`.
    static void draw(const DRAWITEMSTRUCT& item, HBRUSH face, HFONT font, COLORREF text);

private:
    static LRESULT CALLBACK procedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR);

    HWND button = nullptr;
};

} // namespace dornelik
