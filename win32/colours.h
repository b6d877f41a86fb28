// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace dornelik {

// The colours the window is drawn in: its own look, or, while Windows' high contrast is on, the
// system's colours, which the user has chosen to read by. The lists are always in the system's
// colours, their selected rows in its selection colours.
struct WindowColours {
    COLORREF window;
    COLORREF heading;
    COLORREF headingText;
    COLORREF button;
    COLORREF buttonText;
    COLORREF text; // the explanation's, on `textGround`
    COLORREF textGround;

    bool operator==(const WindowColours&) const = default;
};

// `systemColour` answers as GetSysColor does.
using SystemColours = COLORREF(WINAPI*)(int index);
WindowColours chooseColours(bool highContrast, SystemColours systemColour);

// Whether Windows' high contrast is on, as SystemParametersInfo says.
bool highContrastIsOn();

} // namespace dornelik
