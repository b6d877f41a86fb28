// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// A bare Windows window of the program's size and style, with nothing in it (`bare_window`) or
// with one line of text in the program's font (`bare_window text`): what any window costs, to
// measure the program against.
#include "control_table.h"
#include "look.h"

#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    const dornelik::look::Rgb background = dornelik::look::windowBackground;
    windowClass.hbrBackground =
        CreateSolidBrush(RGB(background.red, background.green, background.blue));
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const dornelik::PixelRect client = dornelik::toPixels(dornelik::clientArea);
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, L"BareWindow", L"Bare window", style, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (std::wcscmp(arguments, L"text") == 0) {
        const HWND line = CreateWindowExW(0, L"STATIC", L"Чисти", WS_CHILD | WS_VISIBLE, 10, 10,
                                          100, 20, window, nullptr, instance, nullptr);
        wchar_t face[LF_FACESIZE]{};
        for (int i = 0; dornelik::look::fontFamily[i] && i + 1 < LF_FACESIZE; ++i)
            face[i] = static_cast<wchar_t>(dornelik::look::fontFamily[i]); // ASCII
        const HFONT font = CreateFontW(
            -16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
