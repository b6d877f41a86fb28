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

packages=(cmake g++ qt6-base-dev libxcb1-dev fonts-liberation2)
optional_architectures=()
# The release's tools, and the arm64 program's: Debian's cross compiler and multiarch :arm64
# libraries, and qemu to run its tests.
release=(dpkg-dev file g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 g++-mingw-w64-i686-posix
    binutils-mingw-w64-i686 wixl msitools faketime emscripten osslsigncode openssl
    g++-aarch64-linux-gnu qt6-base-dev:arm64 libxcb1-dev:arm64 qemu-user-static)
if [ "$action" = dist ]; then
    packages+=("${release[@]}")
elif [ "$action" = test ]; then
    packages+=("${release[@]}" libgtest-dev locales xvfb openbox xdotool x11-utils imagemagick
        desktop-file-utils appstream valgrind clang libclang-rt-14-dev wine wine64 fonts-wine
        chromium firefox-esr webkit2gtk-driver diffoscope-minimal clang-format clang-tidy gcovr lintian reuse devscripts
        libgtest-dev:arm64 debootstrap binfmt-support orca at-spi2-core dbus-daemon
        sway xwayland weston wtype grim jq qt6-wayland)
    # The 32-bit Wine, where this machine runs 32-bit x86 programs; its i386 packages may fail.
    ! cmake/runs_x86_32.sh >/dev/null || packages+=(wine32:i386)
    optional_architectures=(i386)
    # Any node and npm serve, Debian's or not.
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
gone_without=()
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    # shellcheck source=cmake/install_packages.sh
    source cmake/install_packages.sh
    install_missing || exit 1
fi

if [ "$action" = run ]; then
    cmake --preset release
    cmake --build --preset release --parallel "$(nproc)"
    exec ./build/release/qt/dornelik
fi
if [ "$action" = dist ]; then
    exec cmake/make_release.sh
fi

# What did not run, and why, in the last lines whatever the outcome.
report_not_run() {
    local line list
    for line in "${gone_without[@]}"; do
        echo "Not installed: $line"
    done
    for list in build/*/not_run.txt; do
        if [ -f "$list" ]; then
            sed 's/^/Not run: /' "$list"
        fi
    done
}
trap report_not_run EXIT

# Configures, builds and tests one preset, into build/PRESET.log, saying how it went. The build
# runs at the lane's lower priority (a niceness), below the tests, some of which keep time on a
# screen.
run_preset() { # priority, preset
    local priority=$1
    shift
    local log=build/$1.log started=$SECONDS
    mkdir -p build
    echo "$1: building"
    if ! { cmake --preset "$1" && nice -n "$priority" cmake --build --preset "$1" --parallel "$(nproc)"; } >"$log" 2>&1; then
        tail -40 "$log"
        echo "$1: the build failed (build/$1.log)"
        return 1
    fi
    echo "$1: testing"
    if ! ctest --preset "$1" --parallel "$(nproc)" >>"$log" 2>&1; then
        grep -E '^FAIL|\*\*\*Failed|\*\*\*Timeout|\*\*\*Exception' "$log" | head -30
        echo "$1: tests failed (build/$1.log)"
        return 1
    fi
    echo "$1: $(grep -o '[0-9]*% tests passed.*' "$log" | tail -1), in $((SECONDS - started)) s"
}

# The npm packages of the page's tests and of its measurements.
npm_packages() {
    local folder
    for folder in tests/web bench; do
        if [ "$folder/package-lock.json" -nt "$folder/node_modules/.package-lock.json" ]; then
            echo "Installing the packages of $folder from npm"
            npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error || return 1
        fi
    done
}

# Three lanes side by side, each one preset after another, every preset whatever the others did.
# The debug build of the Linux program, whose tests build the release and install it into Debian
# trees, takes longest; beside it the same again with AddressSanitizer and UndefinedBehaviorSanitizer
# and the program for the Raspberry Pi under qemu; and the page in WebAssembly, in Chromium, Firefox
# and WebKit, and the 64- and 32-bit Windows programs under Wine.
# The longest lane's builds, and the release's (tests/release.sh), come first.
lane() { # priority, presets...
    local priority=$1 preset status=0
    shift
    for preset in "$@"; do
        if [ "$preset" = npm ]; then
            npm_packages || status=1
        else
            run_preset "$priority" "$preset" || status=1
        fi
    done
    return $status
}
lanes=()
lane 5 dev &
lanes+=($!)
lane 10 sanitizers linux-arm64 &
lanes+=($!)
lane 10 npm web windows windows-x86 &
lanes+=($!)
status=0
for lane in "${lanes[@]}"; do
    wait "$lane" || status=1
done
exit $status
