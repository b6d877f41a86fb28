#pragma once

#include "list_control.h"

#include <emscripten/val.h>

#include <string>
#include <string_view>

namespace dornelik {

// A list in the page, seen by the matching logic through ListControl: an element with the role
// of a list box whose children are its rows, the selected one marked aria-selected. Settings
// made through it do not notify.
class DomList : public ListControl {
public:
    DomList(emscripten::val element, std::string name);

    void addRow(std::string_view text);
    const emscripten::val& element() const { return list; }
    std::int16_t rowCount() const;

    std::int16_t selectedRow() const override;
    void setSelectedRow(std::int16_t row) override;
    std::string rowText(std::int16_t row) const override;

private:
    emscripten::val row(std::int16_t index) const;
    void checkRow(std::int16_t index) const;

    emscripten::val list;
    std::string name;
};

} // namespace dornelik
