#include "dom_list.h"

#include <stdexcept>

using emscripten::val;

namespace dornelik {

DomList::DomList(val element, std::string name)
    : list(std::move(element))
    , name(std::move(name))
{
}

void DomList::addRow(std::string_view text)
{
    val row = val::global("document").call<val>("createElement", std::string("div"));
    row.set("id", list["id"].as<std::string>() + "-row" + std::to_string(rowCount()));
    row.call<void>("setAttribute", std::string("role"), std::string("option"));
    row.call<void>("setAttribute", std::string("aria-selected"), std::string("false"));
    row.set("textContent", std::string(text));
    list.call<void>("appendChild", row);
}

std::int16_t DomList::rowCount() const
{
    return static_cast<std::int16_t>(list["children"]["length"].as<int>());
}

std::int16_t DomList::selectedRow() const
{
    for (std::int16_t index = 0; index < rowCount(); ++index)
        if (row(index)
                .call<val>("getAttribute", std::string("aria-selected"))
                .strictlyEquals(val(std::string("true"))))
            return index;
    return -1;
}

void DomList::setSelectedRow(std::int16_t selected)
{
    if (selected == selectedRow())
        return;
    if (selected != -1)
        checkRow(selected);
    for (std::int16_t index = 0; index < rowCount(); ++index)
        row(index).call<void>("setAttribute", std::string("aria-selected"),
                              std::string(index == selected ? "true" : "false"));
    // Screen readers follow the selected row while the list has the focus.
    if (selected == -1)
        list.call<void>("removeAttribute", std::string("aria-activedescendant"));
    else
        list.call<void>("setAttribute", std::string("aria-activedescendant"), row(selected)["id"]);
}

std::string DomList::rowText(std::int16_t index) const
{
    if (index == -1)
        return {};
    checkRow(index);
    return row(index)["textContent"].as<std::string>();
}

val DomList::row(std::int16_t index) const
{
    return list["children"][index];
}

void DomList::checkRow(std::int16_t index) const
{
    if (index < 0 || index >= rowCount())
        throw std::out_of_range(name + " няма ред " + std::to_string(index));
}

} // namespace dornelik
