#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Compiles the program's Windows resource file with a resource compiler and reads it back:
# the icon is there, 32 x 32 in 256 colours, and the version is 1.00, in Bulgarian.
set -euo pipefail
rc=$1
includes=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-windres --preprocessor=cpp -I "$includes" -i "$rc" -o "$work/dornelik.res" -O res
x86_64-w64-mingw32-windres -i "$work/dornelik.res" -O rc >"$work/back.rc"

expect() {
    grep -qF -- "$1" "$work/back.rc" || { echo "FAIL: no '$1' in the compiled resources" >&2; exit 1; }
}
expect 'LANGUAGE 2, 1'
expect 'RT_GROUP_ICON'
expect '"\040\040\000\000", 1, 8,'
expect 'FILEVERSION 1, 0, 0, 0'
expect 'PRODUCTVERSION 1, 0, 0, 0'
expect 'FILETYPE 0x1'
expect 'BLOCK "040204b0"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "Translation", 0x402, 1200'
echo "windows resources: icon and version in place"
