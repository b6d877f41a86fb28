// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

// The screen density a window is drawn at. The calls that know a density per monitor came with
// Windows 10; they are looked up at run time, so that the program also runs on Windows 7, where
// the whole system has one density.
namespace dornelik::dpi {

int ofSystem();
int ofWindow(HWND window);

// The window rectangle, frame included, around `client` at `dpi`.
RECT windowRectFor(RECT client, DWORD style, DWORD extendedStyle, int dpi);

} // namespace dornelik::dpi
