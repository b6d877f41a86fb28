#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Installs the release's Debian packages where schools have Debian: the amd64 package into bare
# Debian 12, 13 and testing, the arm64 one into a bare Debian 12 for arm64, whose programs run
# under qemu. In each tree it installs the package with apt as an administrator would, starts the
# program on a private X server, clicks "волтметър" and reads the screen for the matched rows,
# leaves a screenshot as debian-<suite>-<architecture>.png, then removes the package and checks
# that nothing of it is left. Usage: debian_releases.sh FOLDER, the folder of the release's
# packages; or debian_releases.sh --trees, which only makes the trees, while the release is
# built. Needs root. The trees are made with debootstrap, with the libraries the package will
# ask for already installed as apt installs dependencies, and kept in /var/tmp for as long as
# their suite's Release file has the same date.
set -euo pipefail
packages=${1:?usage: debian_releases.sh FOLDER | --trees}
[ "$packages" = --trees ] || packages=$(cd "$packages" && pwd)
shots=$PWD
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../x_session.sh
source "$here/../x_session.sh"
trees=/var/tmp/dornelik-debian-trees
[ "$(id -u)" -eq 0 ] || fail "installing into Debian trees needs root"

mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
[ -n "$mirror" ] || mirror=$(awk '/^deb / { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
mirror=${DORNELIK_DEBIAN_MIRROR:-${mirror:-http://deb.debian.org/debian}}

# What is mounted in the trees, so that it is unmounted however the test ends.
mounted=()
unmount_all() {
    for ((i = ${#mounted[@]} - 1; i >= 0; --i)); do
        umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    mounted=()
}
trap 'unmount_all; kill $(jobs -p) 2>/dev/null || true; rm -rf "$x_work"' EXIT
bind() { # what, where
    mkdir -p "$2"
    mount --bind "$1" "$2"
    mounted+=("$2")
}

# Programs for arm64 run under qemu, which the kernel starts for them through binfmt_misc.
if [ ! -e /proc/sys/fs/binfmt_misc/status ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || fail "binfmt_misc cannot be mounted"
fi
[ -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ] || update-binfmts --enable qemu-aarch64 ||
    fail "qemu-aarch64 cannot be registered with binfmt_misc (Debian packages qemu-user-static, binfmt-support)"

release_date() {
    wget -q -O- --timeout=30 --tries=3 "$mirror/dists/$1/Release" | sed -n 's/^Date: //p'
}

# What the package depends on, which a tree gets when it is made, marked as installed
# automatically, as apt marks what it installs for a package; once the package is installed,
# apt must find nothing of it that nobody needs.
dependencies=(libqt6widgets6 qt6-qpa-plugins fonts-liberation2 qt6-wayland)

# A bare tree of `suite` for `architecture`, made anew when the suite has changed.
tree_of() { # suite architecture
    local suite=$1 architecture=$2 tree=$trees/$1-$2 date foreign=()
    date=$(release_date "$suite") || true
    [ -n "$date" ] || fail "the Debian mirror $mirror does not answer for $suite"
    if [ ! -f "$tree/.made" ] || [ "$(cat "$tree/.made")" != "$date" ]; then
        echo "debian releases: making a bare $suite tree for $architecture" >&2
        rm -rf "$tree"
        mkdir -p "$trees"
        [ "$architecture" = "$(dpkg --print-architecture)" ] || foreign=(--foreign)
        debootstrap --variant=minbase --arch="$architecture" "${foreign[@]}" "$suite" "$tree" "$mirror" \
            >"$trees/$suite-$architecture.log" 2>&1 ||
            fail "debootstrap of $suite for $architecture failed: $(tail -5 "$trees/$suite-$architecture.log")"
        if [ ${#foreign[@]} -gt 0 ]; then
            chroot "$tree" /debootstrap/debootstrap --second-stage >>"$trees/$suite-$architecture.log" 2>&1 ||
                fail "the second stage of $suite for $architecture failed: $(tail -5 "$trees/$suite-$architecture.log")"
        fi
        # The package lists belong with the tree: both are as new as the suite's Release file.
        # Debian testing's is valid for a few days only.
        in_tree "$tree" apt-get -o Acquire::Check-Valid-Until=false update -qq \
            >>"$trees/$suite-$architecture.log" 2>&1 ||
            fail "apt-get update in $suite for $architecture failed: $(tail -5 "$trees/$suite-$architecture.log")"
        { apt_in "$tree" install "${dependencies[@]}" && in_tree "$tree" apt-mark auto "${dependencies[@]}"; } \
            >>"$trees/$suite-$architecture.log" 2>&1 ||
            fail "the package's dependencies cannot be installed in $suite for $architecture: $(tail -5 "$trees/$suite-$architecture.log")"
        echo "$date" >"$tree/.made"
    fi
    echo "$tree"
}

in_tree() { # tree, command...
    local tree=$1
    shift
    chroot "$tree" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"
}

# apt in a tree, which it can lose: dpkg need not wait for every file to reach the disk, which
# under qemu costs minutes.
apt_in() { # tree, apt-get's arguments...
    local tree=$1
    shift
    in_tree "$tree" apt-get -o Dpkg::Options::=--force-unsafe-io -y -qq "$@"
}

# Rows share a list's height: 19 pixels each, below a 2-pixel frame, in lists 64 pixels down.
row() { echo $((64 + 2 + 19 * $1 + 9)); }
colour_at() { # window x y
    import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}

# Makes the tree, if it must be made, and installs the package into it, as apt does for an
# administrator. Run for every tree at once; what it says goes to its log.
install_into() { # suite architecture
    local suite=$1 architecture=$2 tree deb
    deb=$(ls "$packages"/dornelik_*_"$architecture".deb) || fail "no $architecture package in $packages"
    tree=$(tree_of "$suite" "$architecture")
    cp "$deb" "$tree/tmp/"
    apt_in "$tree" install "/tmp/$(basename "$deb")" >"$x_work/apt-$suite-$architecture" 2>&1 ||
        fail "debian-$suite-$architecture: apt-get cannot install the package: $(grep -v '^debconf' "$x_work/apt-$suite-$architecture" | tail -8)"
    ! apt_in "$tree" --simulate autoremove | grep '^Remv' ||
        fail "debian-$suite-$architecture: the package does not depend on what the tree was given for it"
}

# Starts the installed program and uses it.
use_in() { # suite architecture
    local suite=$1 architecture=$2 tree=$trees/$1-$2 name qt window pid white='#FFFFFF'
    name=debian-$suite-$architecture
    bind /proc "$tree/proc"
    bind /dev "$tree/dev"
    bind /tmp/.X11-unix "$tree/tmp/.X11-unix"
    qt=$(in_tree "$tree" dpkg-query -W -f '${Version}' 'libqt6widgets6*' 2>/dev/null | head -1)

    mkdir -p -m 700 "$tree/tmp/runtime"
    in_tree "$tree" XDG_RUNTIME_DIR=/tmp/runtime DISPLAY="$DISPLAY" /usr/bin/dornelik >"$x_work/output" 2>&1 &
    pid=$!
    window=$(wait_for_window)
    xdotool mousemove --window "$window" 218 "$(row 1)" click 1 # "волтметър"
    sleep 1
    [ "$(colour_at "$window" 130 "$(row 0)")" != "$white" ] || fail "$name: напрежение is not selected"
    [ "$(colour_at "$window" 420 "$(row 1)")" != "$white" ] || fail "$name: паралелно is not selected"
    [ "$(colour_at "$window" 130 "$(row 1)")" = "$white" ] || fail "$name: съпротивление is selected"
    import -window "$window" "$shots/$name.png"
    close_and_expect_success "$pid" "$window"
    unmount_all
    echo "debian releases: $name: installed with Qt $qt, matched the rows"
}

# Removes the package again, as apt does for an administrator, and looks for what is left. Its
# dependencies stay, for the next run.
remove_from() { # suite architecture
    local suite=$1 architecture=$2 tree=$trees/$1-$2 name=debian-$1-$2 deb
    deb=$(ls "$packages"/dornelik_*_"$architecture".deb)
    apt_in "$tree" purge dornelik >"$x_work/apt-$name" 2>&1 ||
        fail "$name: the package cannot be removed: $(tail -5 "$x_work/apt-$name")"
    ! in_tree "$tree" dpkg-query -W dornelik >/dev/null 2>&1 || fail "$name: the package is still known to dpkg"
    for file in $(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }'); do
        [ ! -e "$tree/$file" ] || fail "$name: /$file is left"
    done
    rm -f "$tree/tmp/$(basename "$deb")"
    echo "debian releases: $name: removed without a trace" >&2
}

places=("bookworm amd64" "trixie amd64" "testing amd64" "bookworm arm64")
# Runs `step` in every tree at once, most of it waiting for the mirror or for qemu.
in_every_tree() { # step
    local jobs=() index
    for place in "${places[@]}"; do
        # shellcheck disable=SC2086
        ($1 $place >/dev/null 2>"$x_work/$1-${place/ /-}") &
        jobs+=($!)
    done
    for index in "${!places[@]}"; do
        wait "${jobs[$index]}" || fail "$(grep -h FAIL "$x_work/$1-${places[$index]/ /-}" | head -3)"
    done
}

if [ "$packages" = --trees ]; then
    in_every_tree tree_of
    echo "debian releases: the trees are made: ${places[*]}"
    exit 0
fi
in_every_tree install_into
# One program at a time on the one screen.
for place in "${places[@]}"; do
    # shellcheck disable=SC2086
    use_in $place
done
in_every_tree remove_from
cat "$x_work"/remove_from-*
