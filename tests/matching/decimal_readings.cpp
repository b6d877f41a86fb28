// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Writes how the decimal reading it is built with reads a large, fixed set of texts, one line
// each, to the file named by its argument. Built once with each reading, the two files must be
// the same.
#include "decimal_reading.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// Edge cases, halves, and random numbers with long mantissas, exponents and trailing words.
std::vector<std::string> texts()
{
    std::vector<std::string> all{"5.",
                                 ".5",
                                 "1e",
                                 "2e+",
                                 "3E-",
                                 "0x1A",
                                 "1,5",
                                 "1.5.5",
                                 "9e9e9",
                                 "1e309",
                                 "1e-400",
                                 "4.9e-324",
                                 "2.4e-324",
                                 "2.2250738585072011e-308",
                                 "1.7976931348623159e308"};
    for (int whole = 0; whole < 40000; whole += 7)
        all.push_back(std::to_string(whole) + ".5");
    std::mt19937 random(20261208);
    const auto digits = [&](unsigned count) {
        std::string text;
        while (count-- > 0)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    for (int i = 0; i < 30000; ++i)
        all.push_back(
            digits(1 + random() % 25) + (random() % 2 ? "." + digits(random() % 30) : "")
            + (random() % 3 ? "" : (random() % 2 ? "e-" : "E") + std::to_string(random() % 700))
            + (random() % 5 ? "" : "xyz"));
    all.push_back(digits(800) + "." + digits(800) + "e-800");
    return all;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out)
        return 1;
    for (const std::string& text : texts()) {
        const dornelik::DecimalReading reading = dornelik::readDecimal(text);
        if (reading.outOfRange)
            std::fprintf(out, "%s\tout of range\t%zu\n", text.c_str(), reading.length);
        else
            std::fprintf(out, "%s\t%a\t%zu\n", text.c_str(), reading.value, reading.length);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
