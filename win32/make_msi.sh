#!/usr/bin/env bash
# Builds the Windows Installer package: make_msi.sh OUTPUT VERSION PROGRAM ICON NAME.
# wixl 0.101 cannot write text outside ASCII (it ignores the package's code page), so it builds
# the package with ASCII names, and the Bulgarian ones are written afterwards into a database
# forced to the Cyrillic code page.
set -euo pipefail
output=$1 version=$2 program=$3 icon=$4 name=$5
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# wixl finds the files beside the source.
cp "$here/dornelik.wxs" "$program" "$icon" "$work/"
(cd "$work" && wixl --arch x64 -D Version="$version" -D Program="$(basename "$program")" \
    -D Icon="$(basename "$icon")" -o package.msi dornelik.wxs)
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$work/package.msi" -i "$work/_ForceCodepage.idt"
msibuild "$work/package.msi" \
    -q "UPDATE Property SET Value = '$name' WHERE Property = 'ProductName'" \
    -q "UPDATE Shortcut SET Name = 'Dornelik|$name' WHERE Shortcut = 'StartMenu'" \
    -q "UPDATE LaunchCondition SET Description = 'По-нова версия на $name вече е инсталирана.'
        WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'"
mv "$work/package.msi" "$output"
