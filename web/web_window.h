// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dom_list.h"
#include "row_matcher.h"
#include "selection_news.h"

#include <array>
#include <cstdint>

namespace dornelik {

// The keys a list takes, in the order the page reports them.
enum class ListKey { up, down, home, end, pageUp, pageDown, space };

// The program's one window, as the page's markup shows it: three lists that keep to one
// situation, a button that clears them, the headings above them and an explanation below. The
// window attaches to those elements and takes their events from then on.
class WebWindow {
public:
    WebWindow();
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    // A key pressed in list `column`, which the page does not see.
    void onListKey(std::int16_t column, ListKey key);
    // A press of the mouse, or a touch, on row `row` of list `column`.
    void onListPress(std::int16_t column, std::int16_t row);
    void onClearButton();

private:
    // The user moved the selection of a list to `row`.
    void selectByUser(std::int16_t column, std::int16_t row);
    // Errors must not cross into the page: they are reported, and the program goes on. What the
    // handler changed is told to screen readers.
    template <typename Handler> void runHandler(Handler handler);

    std::array<DomList, columnCount> visibleLists;
    std::array<DomList, columnCount> keyLists;
    RowMatcher matcher;
    SelectionNews selectionNews;
};

} // namespace dornelik
