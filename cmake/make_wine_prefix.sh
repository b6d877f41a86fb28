#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Makes a fresh Wine prefix at `$1` for the tests, silently: no Mono or Gecko installer, no
# crash dialog (a crash must fail a test, not wait for a click), the screen density `$2` in dots
# per inch, and the Windows `$3`: win64 (the default), or win32, a 32-bit Windows.
set -euo pipefail
prefix=$1
dpi=${2:-96}
export WINEPREFIX=$prefix WINEARCH=${3:-win64} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
DISPLAY= wine wineboot -i >/dev/null 2>&1
DISPLAY= wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
DISPLAY= wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
wineserver -w
touch "$prefix/.ready"
