// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "dpi.h"

namespace dornelik::dpi {

namespace {

// Windows 10's own calls, where this Windows has them.
template <typename Function> Function user32Function(const char* name)
{
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

using GetDpiForSystem = UINT(WINAPI*)();
using GetDpiForWindow = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

} // namespace

int ofSystem()
{
    static const auto forSystem = user32Function<GetDpiForSystem>("GetDpiForSystem");
    if (forSystem)
        return static_cast<int>(forSystem());
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int ofWindow(HWND window)
{
    static const auto forWindow = user32Function<GetDpiForWindow>("GetDpiForWindow");
    return forWindow ? static_cast<int>(forWindow(window)) : ofSystem();
}

RECT windowRectFor(RECT client, DWORD style, DWORD extendedStyle, int dpi)
{
    static const auto adjustForDpi =
        user32Function<AdjustWindowRectExForDpi>("AdjustWindowRectExForDpi");
    if (adjustForDpi)
        adjustForDpi(&client, style, FALSE, extendedStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&client, style, FALSE, extendedStyle);
    return client;
}

} // namespace dornelik::dpi
