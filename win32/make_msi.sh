#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Builds the Windows Installer package: make_msi.sh OUTPUT VERSION ARCHITECTURE PROGRAM ICON NAME,
# ARCHITECTURE x64 or x86. The project's LICENSE and third-party-notices.txt beside this script go
# into the package beside the program.
# wixl 0.101 cannot write text outside ASCII (it ignores the package's code page), so it builds
# the package with ASCII names, and the Bulgarian ones are written afterwards into a database
# forced to the Cyrillic code page.
# The same inputs give the same bytes: the product and package codes are derived from the version,
# the architecture and SOURCE_DATE_EPOCH (the clock where it is not set), and the package's dates
# and its files' times are that moment, not the clock's.
set -euo pipefail
output=$1 version=$2 architecture=$3 program=$4 icon=$5 name=$6
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
epoch=${SOURCE_DATE_EPOCH:-$(date +%s)}

# A GUID named by a text: the first 128 bits of its SHA-256, marked as a name-based UUID.
guid() {
    local hash
    hash=$(printf '%s' "$1" | sha256sum | tr a-f A-F)
    printf '%s-%s-5%s-%X%s-%s' "${hash:0:8}" "${hash:8:4}" "${hash:13:3}" \
        $((0x${hash:16:1} & 3 | 8)) "${hash:17:3}" "${hash:20:12}"
}
product_code=$(guid "Dornelik $version $architecture")
package_code=$(guid "Dornelik $version $architecture $epoch")
[ "$architecture" = x64 ] && template="x64;1026" || template="Intel;1026"

# wixl finds the files beside the source; the cabinet keeps their times. The licence and the
# notices go beside the program, with Windows' line breaks.
cp "$here/dornelik.wxs" "$program" "$icon" "$work/"
sed 's/$/\r/' "$here/../LICENSE" >"$work/LICENSE.txt"
sed 's/$/\r/' "$here/third-party-notices.txt" >"$work/THIRD-PARTY-NOTICES.txt"
touch -d "@$epoch" "$work/$(basename "$program")" "$work/$(basename "$icon")" "$work"/*.txt
at_epoch=(env TZ=UTC faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')")
(cd "$work" && "${at_epoch[@]}" wixl --arch "$architecture" -D Version="$version" \
    -D Architecture="$architecture" -D ProductCode="$product_code" \
    -D Program="$(basename "$program")" -D Icon="$(basename "$icon")" -D License=LICENSE.txt \
    -D Notices=THIRD-PARTY-NOTICES.txt -o package.msi dornelik.wxs)
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
"${at_epoch[@]}" msibuild "$work/package.msi" -i "$work/_ForceCodepage.idt"
"${at_epoch[@]}" msibuild "$work/package.msi" \
    -q "UPDATE Property SET Value = '$name' WHERE Property = 'ProductName'" \
    -q "UPDATE Shortcut SET Name = 'Dornelik|$name' WHERE Shortcut = 'StartMenu'" \
    -q "UPDATE LaunchCondition SET Description = 'По-нова версия на $name вече е инсталирана.'
        WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'" \
    -s Dornelik example.org "$template" "{$package_code}"
mv "$work/package.msi" "$output"
