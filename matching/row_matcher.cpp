// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "row_matcher.h"

#include "error_texts.h"
#include "key_reading.h"

#include <stdexcept>

namespace dornelik {

namespace {

// Marks a pass as running for as long as it lasts, also when it ends by an exception.
class PassScope {
public:
    explicit PassScope(bool& running)
        : running(running)
    {
        running = true;
    }
    ~PassScope() { running = false; }
    PassScope(const PassScope&) = delete;
    PassScope& operator=(const PassScope&) = delete;

private:
    bool& running;
};

} // namespace

RowMatcher::RowMatcher(Lists visible, Lists keys)
    : List1(visible)
    , List2(keys)
{
}

ListControl& RowMatcher::visibleList(std::int16_t column) const
{
    if (column < 0 || column >= columnCount)
        throw std::out_of_range(errorTexts::noSuchList(column));
    return *List1[column];
}

void RowMatcher::List1_Click(std::int16_t Index)
{
    if (passRunning)
        return;
    const std::int16_t clickedRow = visibleList(Index).selectedRow();
    const std::int16_t key = keyOf(List2[Index]->rowText(clickedRow));

    const PassScope pass(passRunning);
    for (std::int16_t row = 0; row < rowCount; ++row)
        for (std::int16_t column = 0; column < columnCount; ++column)
            if (leadingNumber(List2[column]->rowText(row)) == key)
                List1[column]->setSelectedRow(row);
}

void RowMatcher::Command1_Click()
{
    const PassScope pass(passRunning);
    for (ListControl* list : List1)
        list->setSelectedRow(-1);
}

} // namespace dornelik
