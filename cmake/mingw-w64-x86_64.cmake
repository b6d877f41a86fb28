# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# The 64-bit Windows program.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)
set(package g++-mingw-w64-x86-64-posix)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
