// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

namespace dornelik {

// Chooses the window system before Qt does, which takes native Wayland wherever a Wayland
// desktop runs: X where an X server takes a connection, which on a Wayland desktop is XWayland,
// whose window managers keep to the window's fixed size and buttons; otherwise native Wayland.
// QT_QPA_PLATFORM, and -platform on the command line, still win. Where there is neither, says
// so and ends the program.
void chooseWindowSystem();

// Whether the window is on native Wayland and the compositor draws no title bars, having no
// xdg-decoration (weston, GNOME's): Qt 6.4's own title bar would offer minimise and maximise
// whatever the window's flags say, so the window draws one of its own. Asked once Qt has started.
bool titleBarIsOurs();

// Ends the program at once with `status` on native Wayland, once its window has closed, and
// returns elsewhere. Qt 6.4's Wayland plugin can wait forever as it stops its two event threads:
// one of them may be left waiting for a read the other, stopped first, was to make. Nothing is
// left to save once the window has gone, and the compositor forgets the program as its
// connection closes.
void endAtOnceOnWayland(int status);

} // namespace dornelik
