// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "row_table.h"

#include <array>
#include <string_view>
#include <utility>

namespace dornelik {

// A rectangle in twips (1/1440 inch), from the top-left corner of the window's client area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// The same rectangle in pixels of a screen of some density.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int twipsPerInch = 1440;
inline constexpr int standardDpi = 96; // 15 twips to a pixel

// Rounds half a pixel up, so that 6915 twips are 692 pixels at 144 dots per inch.
constexpr int toPixels(int twips, int dpi = standardDpi)
{
    return (twips * dpi + twipsPerInch / 2) / twipsPerInch;
}

constexpr PixelRect toPixels(TwipRect twips, int dpi = standardDpi)
{
    return {toPixels(twips.left, dpi), toPixels(twips.top, dpi), toPixels(twips.width, dpi),
            toPixels(twips.height, dpi)};
}

enum class ControlKind { heading, text, list, button };

struct ControlPlacement {
    std::string_view name; // the control's name
    ControlKind kind;
    int index; // its heading's number, or its list's column
    TwipRect twips;
};

inline constexpr TwipRect clientArea{0, 0, 6915, 5175};

// The lists by name, column by column: the visible lists and the hidden key lists beside them.
inline constexpr std::array<std::string_view, columnCount> visibleListNames{"List1(0)", "List1(1)",
                                                                            "List1(2)"};
inline constexpr std::array<std::string_view, columnCount> keyListNames{"List2(0)", "List2(1)",
                                                                        "List2(2)"};

// One list for each column, each made with its name from `names`.
template <typename List>
std::array<List, columnCount> listsNamed(const std::array<std::string_view, columnCount>& names)
{
    return [&names]<std::size_t... column>(std::index_sequence<column...>)
    {
        return std::array<List, columnCount>{List(names[column])...};
    }
    (std::make_index_sequence<columnCount>());
}

// Every control that is shown, in the window's order: each heading just before the control it
// names, and the controls that take the focus in focus order. The key lists are never shown and
// have no place.
inline constexpr std::array<ControlPlacement, 9> controlTable{{
    {"Label1(0)", ControlKind::heading, 0, {720, 0, 5295, 375}},
    {"Text1", ControlKind::text, 0, {120, 3000, 6735, 2055}},
    {"Label1(1)", ControlKind::heading, 1, {360, 600, 2055, 375}},
    {visibleListNames[0], ControlKind::list, 0, {360, 960, 2055, 915}},
    {"Label1(2)", ControlKind::heading, 2, {2520, 600, 1695, 375}},
    {visibleListNames[1], ControlKind::list, 1, {2520, 960, 1695, 915}},
    {"Label1(3)", ControlKind::heading, 3, {4320, 600, 2175, 375}},
    {visibleListNames[2], ControlKind::list, 2, {4320, 960, 2175, 915}},
    {"Command1", ControlKind::button, 0, {2040, 2160, 2775, 615}},
}};

} // namespace dornelik
