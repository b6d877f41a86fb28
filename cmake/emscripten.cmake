# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# Builds the page with emscripten: the toolchain file that comes with the emscripten whose emcc is
# found first, Debian's where it is installed, or the one in EMSCRIPTEN_ROOT.
set(EMSCRIPTEN_ROOT "$ENV{EMSCRIPTEN_ROOT}" CACHE PATH "Where emscripten is, beside its emcc")
if(NOT EMSCRIPTEN_ROOT)
    find_program(emcc emcc NO_CACHE)
    if(NOT emcc)
        message(FATAL_ERROR "emcc is missing: install emscripten")
    endif()
    # Debian's emcc is a link to the wrapper in emscripten's own folder.
    file(REAL_PATH "${emcc}" emcc)
    get_filename_component(EMSCRIPTEN_ROOT "${emcc}" DIRECTORY)
endif()

# Debian's emscripten runs its JavaScript tools with the modules that Debian keeps for its own
# node, beside emscripten's folder; a node from elsewhere finds them only through NODE_PATH.
find_path(EMSCRIPTEN_NODE_MODULES acorn PATHS "${EMSCRIPTEN_ROOT}/../nodejs" NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH)
if(EMSCRIPTEN_NODE_MODULES)
    set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND}" -E env "NODE_PATH=${EMSCRIPTEN_NODE_MODULES}")
endif()

# Node runs the tests and the program that writes the page; its fetch would look for the
# WebAssembly on the network rather than in the file.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
include("${EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")
