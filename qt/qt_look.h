// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "look.h"

#include <QColor>
#include <QFont>
#include <QPalette>

// The window's look as Qt draws it.
namespace dornelik::look {

constexpr QColor toQColor(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

// The window's font, or a serif face that shows Cyrillic where the chosen one would not.
QFont windowFont();

// The application-wide style and palette the window is drawn with, the same on every
// desktop, and the program's name, version and icon.
void setUpApplication();

// The colours the window is drawn in: its own, on Fusion's palette with selected rows that can be
// read, or, while the desktop asks for more contrast, the desktop's palette throughout, as the
// desktop had it before the program set its own.
struct WindowColours {
    QPalette palette;
    QColor window;
    QColor heading;
    QColor button;
};
WindowColours windowColours(bool highContrast);

} // namespace dornelik::look
