// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "dom_list.h"

#include "element_ids.h"

#include <emscripten/emscripten.h>

namespace dornelik {

namespace {

// The page's side: elements are kept in a table and named by their place in it.
EM_JS(int, findElement, (const char* id), {
    var elements = Module.elements || (Module.elements = []);
    return elements.push(document.getElementById(UTF8ToString(id))) - 1;
});

EM_JS(int, childCount, (int element), { return Module.elements[element].children.length; });

EM_JS(int, selectedChild, (int element), {
    var rows = Module.elements[element].children;
    for (var row = 0; row < rows.length; ++row)
        if (rows[row].classList.contains('selected'))
            return row;
    return -1;
});

// Screen readers are told the selection of the list that has the focus alone: they take a
// change of selection in another list for a move of the focus, and the program's settings of
// the other lists would move it. Each list tells its selection as it takes the focus, and again
// as the page does, which moves the focus unannounced while it lacks the system's.
EM_JS(void, tellWhileFocused, (int element), {
    var list = Module.elements[element];
    list.tellSelection = function()
    {
        var focused = document.activeElement == list;
        var selected = null;
        for (var row = 0; row < list.children.length; ++row) {
            var chosen = focused && list.children[row].classList.contains('selected');
            list.children[row].setAttribute('aria-selected', chosen);
            if (chosen)
                selected = list.children[row];
        }
        if (selected)
            list.setAttribute('aria-activedescendant', selected.id);
        else
            list.removeAttribute('aria-activedescendant');
    };
    list.addEventListener('focus', list.tellSelection);
    list.addEventListener('blur', list.tellSelection);
    window.addEventListener('focus', list.tellSelection);
});

EM_JS(void, selectChild, (int element, int selected), {
    var list = Module.elements[element];
    for (var row = 0; row < list.children.length; ++row)
        list.children[row].classList.toggle('selected', row == selected);
    list.tellSelection();
});

// Writes the UTF-8 text of a child into `buffer` where it fits, and returns its length in bytes.
EM_JS(int, childText, (int element, int child, char* buffer, int size), {
    var text = Module.elements[element].children[child].textContent;
    stringToUTF8(text, buffer, size);
    return lengthBytesUTF8(text);
});

} // namespace

DomList::DomList(std::string_view name)
    : ListControl(name)
    , element(findElement(elementId(name).c_str()))
{
    tellWhileFocused(element);
}

std::int16_t DomList::widgetRowCount() const
{
    return static_cast<std::int16_t>(childCount(element));
}

std::int16_t DomList::widgetSelectedRow() const
{
    return static_cast<std::int16_t>(selectedChild(element));
}

void DomList::selectWidgetRow(std::int16_t row)
{
    selectChild(element, row);
}

std::string DomList::widgetRowText(std::int16_t row) const
{
    std::string text(64, '\0');
    const auto length = static_cast<std::size_t>(
        childText(element, row, text.data(), static_cast<int>(text.size()) + 1));
    if (length > text.size()) {
        text.resize(length);
        childText(element, row, text.data(), static_cast<int>(length) + 1);
    }
    text.resize(length);
    return text;
}

} // namespace dornelik
