#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Installs the Windows Installer package silently in a copy of the test prefix, as an
# administrator would: checks its Bulgarian names, finds the program and its Start-menu entry,
# starts the program from that entry and sees its window, replaces it with a later version built
# with the same upgrade code, and uninstalls it, after which nothing of it is left.
set -euo pipefail
msi=$1
make_msi=$2
# shellcheck source=../x_session.sh
source "$(dirname "$0")/../x_session.sh"
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$x_work"' EXIT
name='Dornelik в ел. верига'

table() { msiinfo export "$msi" "$1" | tr -d '\r'; }
case "$(msiinfo suminfo "$msi" | grep '^Template:')" in
*x64\;1026) architecture=x64 ;;
*Intel\;1026) architecture=x86 ;;
*) fail "the package is for no known processor, or not in Bulgarian" ;;
esac
table Property | grep -qxF "ProductName	$name" || fail "the product name is not Bulgarian"
table Property | grep -qxF "ProductVersion	1.00" || fail "the version is not 1.00"
table Shortcut | grep -qF "|$name	" || fail "the Start-menu entry is not Bulgarian"

cp -a "$WINEPREFIX" "$x_work/prefix"
export WINEPREFIX=$x_work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
drive=$WINEPREFIX/drive_c
program="$drive/Program Files/Dornelik/dornelik.exe"
# Wine puts an all-users entry in the user's menu; Windows in the common one.
entries() { find "$drive/ProgramData" "$drive/users" -path '*Start Menu/Programs/*' -name "$name.lnk"; }
# Registry values are written as escaped UTF-16 once the Wine server has saved them.
registered() { wineserver -w; grep -c '^"DisplayName"="Dornelik \\x432' "$WINEPREFIX/system.reg" || true; }

wine msiexec /i "$msi" /qn || fail "the silent install failed"
[ -f "$program" ] || fail "no $program"
[ "$(entries | wc -l)" = 1 ] || fail "no Start-menu entry: $(entries)"
[ "$(registered)" -ge 1 ] || fail "not among the installed programs"

wine start /unix "$(entries)"
window=$(wait_for_window)
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
for _ in $(seq 50); do xdotool search --name "$caption" >/dev/null || break; sleep 0.1; done
! xdotool search --name "$caption" >/dev/null || fail "the window did not close"

"$make_msi" "$x_work/later.msi" 1.01 "$architecture" "$program" "$(dirname "$0")/../../resources/dornelik.ico" "$name"
wine msiexec /i "$x_work/later.msi" /qn || fail "the later version did not install"
wineserver -w
grep -q '^"DisplayVersion"="1.01"' "$WINEPREFIX/system.reg" || fail "the later version is not registered"
! grep -q '^"DisplayVersion"="1.00"' "$WINEPREFIX/system.reg" || fail "the earlier version stayed"

wine msiexec /x "$x_work/later.msi" /qn || fail "the silent uninstall failed"
[ ! -e "$drive/Program Files/Dornelik" ] || fail "the program folder is left"
[ -z "$(entries)" ] || fail "the Start-menu entry is left"
[ "$(registered)" = 0 ] || fail "still among the installed programs"
echo "msi: installs silently, starts from the Start menu, upgrades, uninstalls cleanly"
