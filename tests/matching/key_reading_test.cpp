#include "key_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

struct Reading {
    std::string text;
    double number; // what the text begins with
    int key;       // that number rounded, a half to the even neighbour
};

const Reading readings[] = {
    {"1", 1, 1},
    {"2", 2, 2},
    {"3", 3, 3},
    {"", 0, 0},
    {"ток", 0, 0},
    {"  \t42abc", 42, 42},
    {"\n\r7", 7, 7},
    {"+5", 5, 5},
    {"-5", -5, -5},
    {"--5", 0, 0},
    {"+-5", 0, 0},
    {"- 5", 0, 0},
    {"0.5", 0.5, 0},
    {"1.5", 1.5, 2},
    {"2.5", 2.5, 2},
    {"-2.5", -2.5, -2},
    {"-3.5", -3.5, -4},
    {"2.5000001", 2.5000001, 3},
    {".5", 0.5, 0},
    {"5.", 5, 5},
    {".", 0, 0},
    {"-.75e1x", -7.5, -8},
    {"1e3", 1000, 1000},
    {"1E-2", 0.01, 0},
    {"2e", 2, 2},
    {"2e+", 2, 2},
    {"1,5", 1, 1},
    {"0x1A", 0, 0},
    {"inf", 0, 0},
    {"-Infinity", 0, 0},
    {"nan", 0, 0},
    {"NaN(1)", 0, 0},
    {"32767", 32767, 32767},
    {"32767.4", 32767.4, 32767},
    {"-32768", -32768, -32768},
    {"-32768.5", -32768.5, -32768},
    {"1e-400", 0, 0},
    {"-1e-400", 0, 0},
    {"0.000000000000000000001e-400", 0, 0},
};

class Readings : public testing::TestWithParam<Reading> {};

INSTANTIATE_TEST_SUITE_P(Texts, Readings, testing::ValuesIn(readings));

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
