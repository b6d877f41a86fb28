// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace dornelik {

// The element that holds what the program tells screen readers.
inline constexpr char announcementId[] = "announcement";

// The id of a control's element in the page: "List1(0)" is "List1-0", a name that a CSS selector
// takes as it is. Row `n` of a list is "<list>-row<n>".
inline std::string elementId(std::string_view controlName)
{
    std::string id;
    for (const char c : controlName)
        if (c != ')')
            id += c == '(' ? '-' : c;
    return id;
}

} // namespace dornelik
