// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "web_window.h"

int main()
{
    // The page keeps the window for as long as it is open; main returns to the browser.
    static dornelik::WebWindow window;
}
