// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "look.h"

#include <QColor>
#include <QFont>

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

} // namespace dornelik::look
