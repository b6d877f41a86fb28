# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# The hardening that Debian builds its own packages with (dpkg-buildflags' hardening=+all), for
# every build but the debug ones, stated here once and the same on every machine rather than read
# from dpkg-buildflags, whose answer changes with the Debian release. On Windows, the protections
# of Windows' own loader and a stack protector. A flag the compiler or linker does not know stops
# the configuration.
if(MSVC OR EMSCRIPTEN)
    return()
endif()

include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

set(hardening_compile_flags -fstack-protector-strong)
set(hardening_link_flags)
if(MINGW)
    # The stack protector's run-time, libssp, is linked in statically like the rest. Terminal
    # server aware: no compatibility shims under Remote Desktop. Address space layout
    # randomisation, with high entropy on 64 bits, and data execution prevention.
    list(APPEND hardening_link_flags -fstack-protector-strong -Wl,--tsaware -Wl,--dynamicbase
        -Wl,--nxcompat)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        list(APPEND hardening_link_flags -Wl,--high-entropy-va)
    endif()
else()
    list(APPEND hardening_compile_flags -fstack-clash-protection -Wformat
        -Werror=format-security)
    # Control-flow protection, in each processor's own form.
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$")
        list(APPEND hardening_compile_flags -fcf-protection)
    elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
        list(APPEND hardening_compile_flags -mbranch-protection=standard)
    endif()
    list(APPEND hardening_link_flags -Wl,-z,relro -Wl,-z,now)
    # A position-independent executable, which CMake links with -pie.
    include(CheckPIESupported)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

# -Werror=format-security means nothing without -Wformat.
set(CMAKE_REQUIRED_FLAGS -Wformat)
foreach(flag IN LISTS hardening_compile_flags)
    string(MAKE_C_IDENTIFIER "compiler_takes${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(NOT ${known})
        message(FATAL_ERROR "The compiler does not take the hardening flag ${flag}")
    endif()
endforeach()
unset(CMAKE_REQUIRED_FLAGS)
foreach(flag IN LISTS hardening_link_flags)
    string(MAKE_C_IDENTIFIER "linker_takes${flag}" known)
    check_linker_flag(CXX ${flag} ${known})
    if(NOT ${known})
        message(FATAL_ERROR "The linker does not take the hardening flag ${flag}")
    endif()
endforeach()

set(release_build "$<NOT:$<CONFIG:Debug>>")
add_compile_options("$<${release_build}:${hardening_compile_flags}>")
add_link_options("$<${release_build}:${hardening_link_flags}>")
if(NOT MINGW)
    add_compile_definitions("$<${release_build}:_FORTIFY_SOURCE=2>")
endif()
