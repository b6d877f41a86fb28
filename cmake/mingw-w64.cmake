# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# Cross-compiles the Windows program with Debian's mingw-w64 for the processor that the
# including toolchain file names, and runs its tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX-threads compilers by their full names: the plain names follow a machine-wide
# alternative that may be the win32-threads one, whose C++ library has no std::mutex.
find_program(posix_gcc ${triplet}-gcc-posix NO_CACHE)
find_program(posix_gxx ${triplet}-g++-posix NO_CACHE)
if(NOT posix_gcc OR NOT posix_gxx)
    message(FATAL_ERROR "${triplet}-g++-posix is missing: install ${package}")
endif()
set(CMAKE_C_COMPILER ${posix_gcc})
set(CMAKE_CXX_COMPILER ${posix_gxx})
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine_run.sh")
