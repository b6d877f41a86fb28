// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace dornelik {

// The window's texts are UTF-8; Windows' wide calls take UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace dornelik
