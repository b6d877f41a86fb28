// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "row_matcher.h"
#include "row_table.h"
#include "texts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace dornelik {

// What a screen reader is told once the user has changed the selection, worded once for every
// front end: the rows the three lists now show, in the lists' order, or that the lists have been
// cleared. Nothing is told where the lists show what was last told; at first that is nothing.
class SelectionNews {
public:
    explicit SelectionNews(RowMatcher::Lists visible)
        : lists(visible)
    {
        told.fill(-1);
    }

    // The news since the last call, or the empty text where there is none.
    std::string read()
    {
        std::array<std::int16_t, columnCount> shown;
        std::transform(lists.begin(), lists.end(), shown.begin(),
                       [](const ListControl* list) { return list->selectedRow(); });
        if (shown == told)
            return {};
        told = shown;
        std::string rows;
        for (std::size_t column = 0; column < lists.size(); ++column) {
            if (shown[column] == -1)
                continue;
            if (!rows.empty())
                rows += ", ";
            rows += lists[column]->rowText(shown[column]);
        }
        return rows.empty() ? std::string(texts::selectionCleared) : rows;
    }

private:
    RowMatcher::Lists lists;
    std::array<std::int16_t, columnCount> told;
};

} // namespace dornelik
