#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Builds, from clean build folders, everything a release hands out, into dist/: the Debian
# packages for PCs (amd64) and the Raspberry Pi (arm64), the 64- and 32-bit Windows programs and
# their Windows Installer packages, the page, the licence and the notices of the code of others
# inside them (NOTICES.txt), and SHA256SUMS over them. The same source gives the same bytes in
# any folder, at any time: every date is SOURCE_DATE_EPOCH, the last commit's time where it is
# not given. Where DORNELIK_SIGNING_CERTIFICATE and DORNELIK_SIGNING_KEY are set (see sign.sh),
# the Windows files are signed once built: each program, then its package built anew around the
# signed program, then the package; the unsigned ones are kept in build/dist/unsigned. The release
# is made in build/dist and becomes dist/ only when it is whole.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

fail() {
    echo "dist: $*" >&2
    exit 1
}

# Each tool the release needs, with the Debian package that brings it.
tools=(cmake:cmake cpack:cmake dpkg-shlibdeps:dpkg-dev file:file
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
    i686-w64-mingw32-g++-posix:g++-mingw-w64-i686-posix
    x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 i686-w64-mingw32-windres:binutils-mingw-w64-i686
    wixl:wixl msibuild:msitools faketime:faketime emcc:emscripten sha256sum:coreutils
    aarch64-linux-gnu-g++:g++-aarch64-linux-gnu qemu-aarch64-static:qemu-user-static)
for entry in "${tools[@]}"; do
    command -v "${entry%%:*}" >/dev/null || fail "${entry%%:*} is missing (Debian package ${entry#*:})"
done
signing=
if [ -n "${DORNELIK_SIGNING_CERTIFICATE:-}${DORNELIK_SIGNING_KEY:-}" ]; then
    signing=yes
    "$root/cmake/sign.sh" --check
fi

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
        fail "SOURCE_DATE_EPOCH is not set and this is not a git clone to take it from"
fi
export SOURCE_DATE_EPOCH
# Nothing of the machine's or the user's settings reaches the files.
export LC_ALL=C.UTF-8 TZ=UTC
umask 022

work=$root/build/dist
rm -rf "$work" "$root/dist"
mkdir -p "$work/files"
build() {
    echo "dist: building $1"
    cmake --preset "$1" -B "$work/$1" -DBUILD_TESTING=OFF >"$work/$1.log" ||
        fail "configuring $1 failed: $(tail -5 "$work/$1.log")"
    cmake --build "$work/$1" --parallel "$(nproc)" >>"$work/$1.log" 2>&1 ||
        fail "building $1 failed: $(tail -20 "$work/$1.log")"
}

# The Debian packages: for PCs, and for the Raspberry Pi, cross-built.
for preset in release linux-arm64; do
    build $preset
    (cd "$work/$preset" && cpack -G DEB >>"$work/$preset.log") || fail "the Debian package of $preset failed"
    cp "$work/$preset"/dornelik_*.deb "$work/files/"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/release/CMakeCache.txt")

for architecture in x64 x86; do
    preset=windows
    [ "$architecture" = x64 ] || preset=windows-x86
    build "$preset"
    program=$work/$preset/win32/dornelik.exe
    package=$work/$preset/win32/Dornelik-$version-$architecture.msi
    if [ -n "$signing" ]; then
        # As built, unsigned: the same bytes as anyone's build of this source.
        mkdir -p "$work/unsigned"
        cp "$program" "$work/unsigned/dornelik-$version-$architecture.exe"
        cp "$package" "$work/unsigned/"
        "$root/cmake/sign.sh" "$program"
        cmake --build "$work/$preset" --target msi >>"$work/$preset.log"
        "$root/cmake/sign.sh" "$package"
    fi
    cp "$program" "$work/files/dornelik-$version-$architecture.exe"
    cp "$package" "$work/files/"
done

build web
cp "$work/web/web/dornelik.html" "$work/files/dornelik-$version.html"

# Dornelik's licence, and the notices of the code of others inside each file, in one file.
notices=$work/files/NOTICES.txt
{
    echo "Dornelik $version: the licence of every file of this release, and the notices of the"
    echo "code of others that some of them carry"
    echo
    echo "Every file is Dornelik, under the MIT licence (1). What else is inside:"
    echo
    for file in "$work/files"/*; do
        name=$(basename "$file")
        case "$name" in
        NOTICES.txt) continue ;;
        *.deb) inside="nothing of others: it uses Qt and the C and C++ libraries of the system" ;;
        *.exe | *.msi) inside="parts of the run-time libraries of GCC and mingw-w64 (2)" ;;
        *.html) inside="parts of emscripten, musl and LLVM's C++ library (3), noted in it too" ;;
        *) fail "no notices are known for $name" ;;
        esac
        echo "- $name: $inside"
    done
    for part in "1. Dornelik:$root/LICENSE" "2. The Windows programs and packages:$root/win32/third-party-notices.txt" \
        "3. The page:$root/web/third-party-notices.txt"; do
        printf '\n\n%s\n\n' "${part%%:*}"
        cat "${part#*:}"
    done
} >"$notices"

(cd "$work/files" && sha256sum -- * >SHA256SUMS)
mv "$work/files" "$root/dist"
echo "dist: $(ls "$root/dist" | tr '\n' ' ')"
