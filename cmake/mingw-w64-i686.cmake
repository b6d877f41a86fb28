# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# The 32-bit Windows program, for the machines that run 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triplet i686-w64-mingw32)
set(package g++-mingw-w64-i686-posix)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
