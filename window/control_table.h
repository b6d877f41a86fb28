#pragma once

#include <QRect>

#include <array>
#include <string_view>

namespace dornelik {

// A rectangle in twips (1/1440 inch), from the top-left corner of the window's client area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int twipsPerPixel = 15; // at 96 dots per inch

constexpr int toPixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr QRect toPixels(TwipRect twips)
{
    return {toPixels(twips.left), toPixels(twips.top), toPixels(twips.width),
            toPixels(twips.height)};
}

struct ControlPlacement {
    std::string_view name; // the control's object name
    TwipRect twips;
};

inline constexpr TwipRect clientArea{0, 0, 6915, 5175};

// Every control that is shown, in focus order where it takes the focus. The key lists are
// never shown and have no place.
inline constexpr std::array<ControlPlacement, 9> controlTable{{
    {"Label1(0)", {720, 0, 5295, 375}},
    {"Label1(1)", {360, 600, 2055, 375}},
    {"Label1(2)", {2520, 600, 1695, 375}},
    {"Label1(3)", {4320, 600, 2175, 375}},
    {"Text1", {120, 3000, 6735, 2055}},
    {"List1(0)", {360, 960, 2055, 915}},
    {"List1(1)", {2520, 960, 1695, 915}},
    {"List1(2)", {4320, 960, 2175, 915}},
    {"Command1", {2040, 2160, 2775, 615}},
}};

} // namespace dornelik
