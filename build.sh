#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Installs what is missing from Debian's packages (and, for the tests, from npm), builds, and then
# starts the program (`./build.sh run`), runs every test (`./build.sh test`): the Linux program
# in a debug build and in a sanitizer build, and cross-built for arm64 under qemu, the 64- and
# 32-bit Windows programs, cross-built, under Wine, the page in WebAssembly under node and in
# Chromium, Firefox and WebKit, and the release, or makes the release in dist/
# (`./build.sh dist`, see cmake/make_release.sh).
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
run | test | dist) ;;
*)
    echo "usage: $0 run|test|dist" >&2
    exit 2
    ;;
esac

packages=(cmake g++ qt6-base-dev fonts-liberation2)
# The release's tools, and the arm64 program's: Debian's cross compiler and multiarch :arm64
# libraries, and qemu to run its tests.
release=(dpkg-dev file g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 g++-mingw-w64-i686-posix
    binutils-mingw-w64-i686 wixl msitools faketime emscripten osslsigncode openssl
    g++-aarch64-linux-gnu qt6-base-dev:arm64 qemu-user-static)
if [ "$action" = dist ]; then
    packages+=("${release[@]}")
elif [ "$action" = test ]; then
    packages+=("${release[@]}" libgtest-dev locales xvfb openbox xdotool x11-utils imagemagick
        desktop-file-utils appstream valgrind clang libclang-rt-14-dev wine wine64 fonts-wine
        chromium firefox-esr webkit2gtk-driver diffoscope-minimal clang-format lintian reuse devscripts
        libgtest-dev:arm64 debootstrap binfmt-support)
    # The 32-bit Wine, where this machine runs 32-bit x86 programs.
    ! cmake/runs_x86_32.sh || packages+=(wine32:i386)
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
    # The 32-bit Wine comes from Debian's i386 architecture, the arm64 program's libraries from
    # its arm64 one.
    for architecture in i386 arm64; do
        if [[ " ${missing[*]} " == *:$architecture* ]] &&
            ! dpkg --print-foreign-architectures | grep -qx $architecture; then
            "${sudo[@]}" dpkg --add-architecture $architecture
        fi
    done
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# The npm packages of the page's tests and of its measurements.
if [ "$action" = test ]; then
    for folder in tests/web bench; do
        if [ "$folder/package-lock.json" -nt "$folder/node_modules/.package-lock.json" ]; then
            echo "Installing the packages of $folder from npm"
            npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error
        fi
    done
fi

if [ "$action" = run ]; then
    cmake --preset release
    cmake --build --preset release --parallel "$(nproc)"
    exec ./build/release/qt/dornelik
fi
if [ "$action" = dist ]; then
    exec cmake/make_release.sh
fi

cmake --preset dev
cmake --build --preset dev --parallel "$(nproc)"
ctest --preset dev --parallel "$(nproc)"

# Everything again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset sanitizers
cmake --build --preset sanitizers --parallel "$(nproc)"
ctest --preset sanitizers --parallel "$(nproc)"

# The Linux program for the Raspberry Pi, cross-built, and its tests under qemu; then the Windows
# programs, cross-built, and their tests under Wine: 64-bit, then 32-bit.
for preset in linux-arm64 windows windows-x86; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
    ctest --preset "$preset"
done

# The page, in WebAssembly: the core's tests under node, the page in Chromium, Firefox and WebKit.
cmake --preset web
cmake --build --preset web --parallel "$(nproc)"
ctest --preset web
