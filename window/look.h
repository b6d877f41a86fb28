// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>

// How the window looks, in one place beside its control table.
namespace dornelik::look {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr Rgb windowBackground{192, 192, 255};
inline constexpr Rgb headingBackground{255, 192, 128};
inline constexpr Rgb clearButtonFace{255, 0, 0};

// A selected row's text stands out from its ground at least this much, as the contrast of their
// luminances; where a system's own selection colours do not, white on the blue of Windows 11's
// selections does (5.7:1).
inline constexpr double legibleContrast = 4.5;
inline constexpr Rgb legibleSelection{0, 103, 192};
inline constexpr Rgb legibleSelectionText{255, 255, 255};

// Every control uses this font, with the Cyrillic character set; where the face is missing a
// serif face that shows Cyrillic stands in for it.
inline constexpr char fontFamily[] = "Times New Roman";
inline constexpr int fontPointSize = 12;
// Serif faces with Cyrillic that stand in for it where it is missing, the first found first.
inline constexpr std::array<const char*, 6> serifStandIns{
    "Liberation Serif", "Tinos", "DejaVu Serif", "FreeSerif", "Noto Serif", "Times",
};

} // namespace dornelik::look
