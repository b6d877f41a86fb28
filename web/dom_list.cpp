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
        if (rows[row].getAttribute('aria-selected') == 'true')
            return row;
    return -1;
});

// Screen readers follow the selected row while the list has the focus.
EM_JS(void, selectChild, (int element, int selected), {
    var list = Module.elements[element];
    for (var row = 0; row < list.children.length; ++row)
        list.children[row].setAttribute('aria-selected', row == selected);
    if (selected < 0)
        list.removeAttribute('aria-activedescendant');
    else
        list.setAttribute('aria-activedescendant', list.children[selected].id);
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
