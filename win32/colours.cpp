// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "colours.h"

#include "look.h"

namespace dornelik {

namespace {

constexpr COLORREF colourRef(look::Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace

WindowColours chooseColours(bool highContrast, SystemColours systemColour)
{
    const COLORREF text = systemColour(COLOR_WINDOWTEXT);
    const COLORREF ground = systemColour(COLOR_WINDOW);
    if (highContrast)
        return {ground, ground, text, systemColour(COLOR_BTNFACE), systemColour(COLOR_BTNTEXT),
                text,   ground};
    return {colourRef(look::windowBackground),
            colourRef(look::headingBackground),
            text,
            colourRef(look::clearButtonFace),
            systemColour(COLOR_BTNTEXT),
            text,
            ground};
}

bool highContrastIsOn()
{
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0)
           && (highContrast.dwFlags & HCF_HIGHCONTRASTON);
}

} // namespace dornelik
