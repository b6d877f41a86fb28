// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "key_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

struct Reading {
    const char* name; // of the test case
    std::string text;
    double number; // what the text begins with
    int key;       // that number rounded, a half to the even neighbour
};

const Reading readings[] = {
    {"one", "1", 1, 1},
    {"two", "2", 2, 2},
    {"three", "3", 3, 3},
    {"empty", "", 0, 0},
    {"a_word", "ток", 0, 0},
    {"blanks_before_and_letters_after", "  \t42abc", 42, 42},
    {"line_breaks_before", "\n\r7", 7, 7},
    {"plus_five", "+5", 5, 5},
    {"minus_five", "-5", -5, -5},
    {"two_minus_signs", "--5", 0, 0},
    {"plus_and_minus", "+-5", 0, 0},
    {"blank_after_the_sign", "- 5", 0, 0},
    {"a_half", "0.5", 0.5, 0},
    {"one_and_a_half", "1.5", 1.5, 2},
    {"two_and_a_half", "2.5", 2.5, 2},
    {"minus_two_and_a_half", "-2.5", -2.5, -2},
    {"minus_three_and_a_half", "-3.5", -3.5, -4},
    {"just_over_two_and_a_half", "2.5000001", 2.5000001, 3},
    {"a_half_without_the_zero", ".5", 0.5, 0},
    {"five_and_a_point", "5.", 5, 5},
    {"a_point_alone", ".", 0, 0},
    {"minus_a_fraction_with_an_exponent_and_a_letter", "-.75e1x", -7.5, -8},
    {"an_exponent", "1e3", 1000, 1000},
    {"a_negative_exponent_with_capital_e", "1E-2", 0.01, 0},
    {"an_e_without_digits", "2e", 2, 2},
    {"an_e_and_a_sign_without_digits", "2e+", 2, 2},
    {"a_decimal_comma", "1,5", 1, 1},
    {"hexadecimal", "0x1A", 0, 0},
    {"the_word_inf", "inf", 0, 0},
    {"the_word_minus_infinity", "-Infinity", 0, 0},
    {"the_word_nan", "nan", 0, 0},
    {"nan_with_a_payload", "NaN(1)", 0, 0},
    {"the_largest_key", "32767", 32767, 32767},
    {"the_largest_key_and_a_fraction", "32767.4", 32767.4, 32767},
    {"the_smallest_key", "-32768", -32768, -32768},
    {"the_smallest_key_and_a_half", "-32768.5", -32768.5, -32768},
    {"too_small_for_a_double", "1e-400", 0, 0},
    {"minus_too_small_for_a_double", "-1e-400", 0, 0},
    {"too_small_after_leading_zeros", "0.000000000000000000001e-400", 0, 0},
};

void PrintTo(const Reading& reading, std::ostream* out)
{
    *out << '"' << reading.text << '"';
}

class Readings : public testing::TestWithParam<Reading> {};

INSTANTIATE_TEST_SUITE_P(Texts, Readings, testing::ValuesIn(readings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(Readings, readTheNumberTheTextBeginsWith)
{
    const Reading& reading = GetParam();
    EXPECT_EQ(dornelik::leadingNumber(reading.text), reading.number) << '"' << reading.text << '"';
    EXPECT_EQ(dornelik::keyOf(reading.text), reading.key) << '"' << reading.text << '"';
}

TEST(Readings, keysOutsideSixteenBitsAreErrorsThatNameTheText)
{
    for (const std::string text : {"32768", "32767.5", "-32769", "-32768.6", "1e5", "1e400",
                                   "-1e400", "0.001e1000000000000000000000"}) {
        try {
            dornelik::keyOf(text);
            ADD_FAILURE() << '"' << text << "\" gave a key";
        } catch (const std::out_of_range& error) {
            EXPECT_NE(std::string(error.what()).find('"' + text + '"'), std::string::npos)
                << error.what();
        }
    }
}

TEST(Readings, numbersTooLargeForADoubleStayFinite)
{
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(dornelik::leadingNumber("1e400"), largest);
    EXPECT_EQ(dornelik::leadingNumber("-" + std::string(400, '9')), -largest);
    EXPECT_EQ(dornelik::leadingNumber("0." + std::string(400, '0') + "1e800"), largest);
}

// The program runs under locales whose decimal separator is a comma; the C library's own
// conversions would then stop at the '.'.
TEST(Readings, doNotDependOnTheLocale)
{
    const char* const commaLocales[] = {"bg_BG.UTF-8", "bg_BG.utf8", "de_DE.UTF-8", "Bulgarian"};
    bool chosen = false;
    // Some C libraries take any locale name and keep the decimal point.
    for (const char* name : commaLocales)
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",") {
            chosen = true;
            break;
        }
    if (!chosen) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }

    EXPECT_EQ(dornelik::leadingNumber("2.5"), 2.5);
    EXPECT_EQ(dornelik::leadingNumber("1,5"), 1);
    EXPECT_EQ(dornelik::keyOf("3.5"), 4);
    std::setlocale(LC_ALL, "C");
}

} // namespace
