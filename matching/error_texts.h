// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

// What the core's errors say, in the window's language: a front end shows them as they are.
namespace dornelik::errorTexts {

inline std::string noSuchRow(std::string_view list, int row)
{
    return std::string(list) + " няма ред " + std::to_string(row);
}

inline std::string noSuchList(int index)
{
    return "няма списък " + std::to_string(index);
}

inline std::string keyOutOfRange(std::string_view keyText)
{
    return "ключът \"" + std::string(keyText) + "\" е извън -32768..32767";
}

} // namespace dornelik::errorTexts
