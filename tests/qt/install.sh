#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and checks what lands there: the program, its
# desktop entry and AppStream metadata (both valid), and its icons in the hicolor theme.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
expected="bin/dornelik
share/applications/org.example.Dornelik.desktop
share/doc/dornelik/changelog.gz
share/doc/dornelik/copyright
share/icons/hicolor/32x32/apps/org.example.Dornelik.png
share/icons/hicolor/48x48/apps/org.example.Dornelik.png
share/icons/hicolor/64x64/apps/org.example.Dornelik.png
share/icons/hicolor/scalable/apps/org.example.Dornelik.svg
share/man/bg/man1/dornelik.1.gz
share/man/man1/dornelik.1.gz
share/metainfo/org.example.Dornelik.metainfo.xml"
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
if [ "$installed" != "$expected" ]; then
    echo "FAIL: installed files differ:" >&2
    diff <(echo "$expected") <(echo "$installed") >&2
    exit 1
fi

desktop-file-validate "$prefix/share/applications/org.example.Dornelik.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.Dornelik.metainfo.xml"
for size in 32 48 64; do
    actual=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/org.example.Dornelik.png")
    [ "$actual" = "${size}x${size}" ] || { echo "FAIL: the ${size} pixel icon is $actual" >&2; exit 1; }
done
echo "install: all files in place and valid"
