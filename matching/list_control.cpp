// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "list_control.h"

#include "error_texts.h"

#include <stdexcept>

namespace dornelik {

ListControl::ListControl(std::string_view name)
    : listName(name)
{
}

std::int16_t ListControl::selectedRow() const
{
    return widgetSelectedRow();
}

void ListControl::setSelectedRow(std::int16_t row)
{
    if (row == selectedRow())
        return;
    if (row != -1)
        checkRow(row);
    selectWidgetRow(row);
}

std::string ListControl::rowText(std::int16_t row) const
{
    if (row == -1)
        return {};
    checkRow(row);
    return widgetRowText(row);
}

void ListControl::checkRow(std::int16_t row) const
{
    if (row < 0 || row >= widgetRowCount())
        throw std::out_of_range(errorTexts::noSuchRow(listName, row));
}

} // namespace dornelik
