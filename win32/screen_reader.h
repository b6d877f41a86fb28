// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <string>

namespace dornelik {

// Tells screen readers `text` politely, without moving their focus: UI Automation's notification
// from `window`, which Narrator and NVDA speak. It came with Windows 10 1709 and is looked up at
// run time; an older Windows is told nothing.
void announceToScreenReaders(HWND window, const std::wstring& text);

} // namespace dornelik
