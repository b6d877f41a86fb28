#pragma once

#include "control_table.h"
#include "dom_list.h"
#include "row_matcher.h"
#include "row_table.h"

#include <emscripten/html5.h>
#include <emscripten/val.h>

#include <array>
#include <string>

namespace dornelik {

// The program's one window, made of the page's own elements: three lists that keep to one
// situation, a button that clears them, the headings above them and an explanation below.
class WebWindow {
public:
    explicit WebWindow(const RowTable& table = builtInTable);
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

private:
    // Which list a keyboard or mouse event came to.
    struct ListEvents {
        WebWindow* window;
        std::int16_t column;
    };

    static EM_BOOL onListKey(int type, const EmscriptenKeyboardEvent* event, void* list);
    static EM_BOOL onListMouseDown(int type, const EmscriptenMouseEvent* event, void* list);
    static EM_BOOL onClearButtonClick(int type, const EmscriptenMouseEvent* event, void* window);
    static EM_BOOL onResize(int type, const EmscriptenUiEvent* event, void* window);
    static EM_BOOL onFirstControlKey(int type, const EmscriptenKeyboardEvent* event, void* window);
    static EM_BOOL onLastControlKey(int type, const EmscriptenKeyboardEvent* event, void* window);

    emscripten::val createControl(const ControlPlacement& placement);
    // The user moved the selection of a list to `row`.
    void selectByUser(std::int16_t column, std::int16_t row);
    // On a screen narrower than the window, the whole window is drawn smaller.
    void fitToScreen();
    // Tab goes round the window, as in a desktop window, rather than out of the page.
    void focusControl(const ControlPlacement& control);
    template <typename Handler> void runHandler(Handler handler);

    const RowTable& table;
    emscripten::val document;
    emscripten::val window;
    std::array<DomList, 3> visibleLists;
    std::array<DomList, 3> keyLists;
    RowMatcher matcher;
    std::array<ListEvents, 3> listEvents;
};

} // namespace dornelik
