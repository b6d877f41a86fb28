#!/usr/bin/env bash
# Installs what is missing from Debian's packages (and, for the tests, from npm), builds, and then
# starts the program (`./build.sh run`) or runs every test (`./build.sh test`): the Linux program
# in a debug build and in a sanitizer build, the Windows program, cross-built, under Wine, and
# the page in WebAssembly under node and in Chromium.
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
run | test) ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

packages=(cmake g++ qt6-base-dev fonts-liberation2)
if [ "$action" = test ]; then
    packages+=(libgtest-dev locales xvfb openbox xdotool x11-utils imagemagick desktop-file-utils appstream
        dpkg-dev file valgrind clang libclang-rt-14-dev
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine wixl msitools
        emscripten chromium)
    # Any node and npm serve, Debian's or not.
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

if [ "$action" = test ] && [ tests/web/package-lock.json -nt tests/web/node_modules/.package-lock.json ]; then
    echo "Installing the page tests' packages from npm"
    npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
fi

if [ "$action" = run ]; then
    cmake --preset release
    cmake --build --preset release --parallel "$(nproc)"
    exec ./build/release/qt/dornelik
fi

cmake --preset dev
cmake --build --preset dev --parallel "$(nproc)"
ctest --preset dev --parallel "$(nproc)"

# Everything again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset sanitizers
cmake --build --preset sanitizers --parallel "$(nproc)"
ctest --preset sanitizers --parallel "$(nproc)"

# The Windows program, cross-built, and its tests under Wine.
cmake --preset windows
cmake --build --preset windows --parallel "$(nproc)"
ctest --preset windows

# The page, in WebAssembly: the core's tests under node, the page in Chromium.
cmake --preset web
cmake --build --preset web --parallel "$(nproc)"
ctest --preset web
