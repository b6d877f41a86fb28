# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# Cross-builds the Linux program for 64-bit ARM, the Raspberry Pi 3 and newer, with Debian's
# cross compiler and the :arm64 development packages of Debian's multiarch, and runs its tests
# under qemu's user-mode emulator, which needs no registration with the kernel.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(DORNELIK_DEBIAN_ARCHITECTURE arm64)

find_program(cross_gcc aarch64-linux-gnu-gcc NO_CACHE)
find_program(cross_gxx aarch64-linux-gnu-g++ NO_CACHE)
if(NOT cross_gcc OR NOT cross_gxx)
    message(FATAL_ERROR "aarch64-linux-gnu-g++ is missing: install g++-aarch64-linux-gnu")
endif()
set(CMAKE_C_COMPILER ${cross_gcc})
set(CMAKE_CXX_COMPILER ${cross_gxx})

# The arm64 C library's own loader runs the programs; qemu's -L would pair them with the cross
# compiler's loader instead.
find_program(qemu qemu-aarch64-static NO_CACHE)
if(NOT qemu)
    message(FATAL_ERROR "qemu-aarch64-static is missing: install qemu-user-static")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu})
