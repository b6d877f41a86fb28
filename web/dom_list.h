#pragma once

#include "list_control.h"

#include <string>

namespace dornelik {

// A list in the page, seen by the matching logic through ListControl: an element whose children
// are its rows, the selected one marked aria-selected. Settings made through it do not notify.
class DomList : public ListControl {
public:
    // The list of the control `name`, as the page's markup made it.
    explicit DomList(std::string name);

    std::int16_t rowCount() const;

    std::int16_t selectedRow() const override;
    void setSelectedRow(std::int16_t row) override;
    std::string rowText(std::int16_t row) const override;

private:
    void checkRow(std::int16_t row) const;

    std::string name;
    int element; // the page's handle of the list's element
};

} // namespace dornelik
