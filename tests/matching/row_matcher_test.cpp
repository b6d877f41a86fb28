// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "fake_list.h"
#include "row_matcher.h"
#include "row_table.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <tuple>

using dornelik::RowMatcher;
using dornelik::RowTable;

namespace {

using Shown = std::array<std::string, 3>; // the selected text of each visible list, "" for none

// Three visible lists and their key lists, filled from a table and joined by a matcher.
// With `notifying` the visible lists call back into the matcher on every change of their
// selection, as a toolkit that reports changes made by the program does.
class Window {
public:
    explicit Window(const RowTable& table, bool notifying = false)
    {
        for (std::size_t column = 0; column < 3; ++column) {
            for (const auto& row : table[column]) {
                visible[column].rows.emplace_back(row.text);
                keys[column].rows.emplace_back(row.key);
            }
            if (notifying)
                visible[column].onChange = [this, column] {
                    matcher.List1_Click(static_cast<std::int16_t>(column));
                };
        }
    }

    // What the user does: the list moves its selection and reports it.
    void select(std::int16_t column, std::int16_t row)
    {
        visible[column].selected = row;
        matcher.List1_Click(column);
    }

    void selectText(const std::string& text)
    {
        for (std::int16_t column = 0; column < 3; ++column)
            for (std::int16_t row = 0; row < 3; ++row)
                if (visible[column].rows[row] == text)
                    return select(column, row);
        FAIL() << "no row reads " << text;
    }

    Shown shown() const
    {
        Shown texts;
        for (std::size_t column = 0; column < 3; ++column)
            texts[column] = visible[column].rowText(visible[column].selected);
        return texts;
    }

    int changes() const { return visible[0].changes + visible[1].changes + visible[2].changes; }

    std::array<FakeList, 3> visible;
    std::array<FakeList, 3> keys;
    RowMatcher matcher{{&visible[0], &visible[1], &visible[2]}, {&keys[0], &keys[1], &keys[2]}};
};

const Shown current{"ток", "амперметър", "последователно"};
const Shown voltage{"напрежение", "волтметър", "паралелно"};
const Shown resistance{"съпротивление", "омметър", "отделно"};
const Shown nothing{"", "", ""};

class EveryKindOfList : public testing::TestWithParam<bool> {
protected:
    Window window{dornelik::builtInTable, GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Lists, EveryKindOfList, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "notifying" : "quiet"; });

TEST_P(EveryKindOfList, anyRowOfAnyListSelectsItsSituation)
{
    for (const Shown& situation : {current, voltage, resistance})
        for (const std::string& text : situation) {
            window.matcher.Command1_Click();
            window.selectText(text);
            EXPECT_EQ(window.shown(), situation) << "after selecting " << text;
        }
}

TEST_P(EveryKindOfList, movesFromOneSituationToAnother)
{
    window.selectText("волтметър");
    window.selectText("ток");
    EXPECT_EQ(window.shown(), current);
    window.selectText("отделно");
    EXPECT_EQ(window.shown(), resistance);
}

TEST_P(EveryKindOfList, selectingTheSelectedRowAgainChangesNothing)
{
    window.selectText("омметър");
    const int changesBefore = window.changes();
    window.selectText("омметър");
    window.select(0, window.visible[0].selected);
    EXPECT_EQ(window.shown(), resistance);
    EXPECT_EQ(window.changes(), changesBefore);
}

TEST_P(EveryKindOfList, clearsAndSelectsAgain)
{
    window.matcher.Command1_Click();
    EXPECT_EQ(window.changes(), 0) << "clearing with nothing selected must change nothing";

    window.selectText("паралелно");
    window.matcher.Command1_Click();
    EXPECT_EQ(window.shown(), nothing);
    window.selectText("съпротивление");
    EXPECT_EQ(window.shown(), resistance);
}

TEST_P(EveryKindOfList, aClickOnAListWithNoSelectionChangesNothing)
{
    for (std::int16_t column = 0; column < 3; ++column)
        window.matcher.List1_Click(column);
    EXPECT_EQ(window.shown(), nothing);
    EXPECT_EQ(window.changes(), 0);
}

TEST_P(EveryKindOfList, rejectsAListIndexOutsideTheWindow)
{
    for (const std::int16_t index : {-1, 3})
        EXPECT_THROW(window.matcher.List1_Click(index), std::out_of_range);
}

TEST_P(EveryKindOfList, anOutOfRangeKeyIsAnErrorThatChangesNothing)
{
    RowTable table = dornelik::builtInTable;
    table[1][2].key = "40000";
    Window broken(table, GetParam());
    broken.selectText("ток");
    const int changesBefore = broken.changes();

    broken.visible[1].selected = 2;
    try {
        broken.matcher.List1_Click(1);
        FAIL() << "a key of 40000 was accepted";
    } catch (const std::out_of_range& error) {
        EXPECT_NE(std::string(error.what()).find("\"40000\""), std::string::npos) << error.what();
    }
    EXPECT_EQ(broken.changes(), changesBefore);
    EXPECT_EQ(broken.shown(), (Shown{"ток", "омметър", "последователно"}));

    // The matcher is not left half-way: the next selection works as ever.
    broken.selectText("волтметър");
    EXPECT_EQ(broken.shown(), voltage);
}

TEST_P(EveryKindOfList, aKeyTwiceInOneListEndsWithTheLastRowSelected)
{
    RowTable table = dornelik::builtInTable;
    table[2][0].key = "2"; // "отделно" now shares key 2 with "паралелно"
    Window twice(table, GetParam());
    twice.selectText("напрежение");
    EXPECT_EQ(twice.shown(), voltage);
    twice.selectText("отделно");
    EXPECT_EQ(twice.shown(), voltage);
}

TEST_P(EveryKindOfList, aListWithoutARowOfTheKeyKeepsItsSelection)
{
    RowTable table = dornelik::builtInTable;
    table[2][1].key = "7";
    Window partial(table, GetParam());
    partial.selectText("паралелно");
    EXPECT_EQ(partial.shown(), (Shown{"", "", "паралелно"}));
    partial.selectText("волтметър");
    EXPECT_EQ(partial.shown(), (Shown{"напрежение", "волтметър", "паралелно"}));
}

} // namespace

namespace {

// The rules every list keeps, whatever widget is behind it.
TEST(ListControl, refusesRowsItDoesNotHaveNamingItselfAndTheRow)
{
    FakeList list;
    list.rows = {"a", "b", "c"};
    for (const std::int16_t row : {-2, 3, 32767}) {
        try {
            list.setSelectedRow(row);
            ADD_FAILURE() << "row " << row << " was selected";
        } catch (const std::out_of_range& error) {
            EXPECT_EQ(std::string(error.what()), "FakeList няма ред " + std::to_string(row));
        }
        EXPECT_THROW(list.rowText(row), std::out_of_range) << "row " << row;
    }
    EXPECT_EQ(list.rowText(-1), "");
    list.setSelectedRow(-1);
    EXPECT_EQ(list.changes, 0) << "removing no selection changed the list";
    list.setSelectedRow(2);
    list.setSelectedRow(2);
    EXPECT_EQ(list.changes, 1) << "selecting the selected row again changed the list";
    EXPECT_EQ(list.selectedRow(), 2);
}

} // namespace
