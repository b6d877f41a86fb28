#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Sourced by build.sh: installs the Debian packages in `missing` with apt, and rides out a bad day
# at the mirror. A download that fails is tried again after a pause. The packages of an optional
# architecture (`optional_architectures`) that cannot be had, because its index fails or its
# versions do not match the machine's, are gone without, each with the reason in `gone_without`;
# DORNELIK_REQUIRE_ALL=1 makes that an error too. Anything else stops, naming what failed.

# What a failure of apt-get says, read from its output on stdin, one finding a line: "again" where
# a download failed or dpkg was busy, which may pass; "optional ARCH" where an index or a package
# of ARCH, one of the optional architectures given, failed; "required WHAT" for anything else,
# naming the package, the address or apt's words.
apt_failures() { # optional architectures...
    local optional=" $* " line what found=
    blame() { # a package with its architecture, or an address
        local arch=
        case "$1" in
        *://*/binary-*/*) arch=${1#*/binary-} arch=${arch%%/*} ;;
        *://*.deb) arch=${1##*_} arch=${arch%.deb} ;;
        *://*) ;;
        *:*) arch=${1##*:} ;;
        esac
        if [ -n "$arch" ] && [[ "$optional" == *" $arch "* ]]; then
            echo "optional $arch"
        else
            echo "required $1"
        fi
        found=yes
    }
    while IFS= read -r line; do
        case "$line" in
        [EW]": Failed to fetch "*)
            echo again
            what=${line#*Failed to fetch }
            blame "${what%% *}"
            ;;
        "E: Could not get lock"* | "E: Unable to acquire the dpkg frontend lock"*)
            echo again
            echo "required dpkg, busy with another program"
            found=yes
            ;;
        "E: Unable to locate package "*) blame "${line#E: Unable to locate package }" ;;
        "E: Package '"*) what=${line#E: Package \'} && blame "${what%%\'*}" ;;
        " "[!\ ]*" : "*) what=${line# } && blame "${what%% *}" ;;
        # Summaries of the lines before them.
        "E: Some index files failed to download"* | "E: Unable to correct problems"*) ;;
        "E: "*) echo "required ${line#E: }" && found=yes ;;
        esac
    done
    [ -n "$found" ] || echo "required apt-get, which said nothing of why"
}

# What to do once apt-get has failed for good: "without ARCH..." to go on without the optional
# architectures named, or "stop". An index of an optional architecture that cannot be fetched
# is gone without; so are the optional architectures' packages still asked for when an
# installation fails, since the others install alone or fail alone.
next_step() { # update|install, the optional architectures of the packages asked for...; findings on stdin
    local step=$1 failures
    shift
    failures=$(cat)
    if [ "${DORNELIK_REQUIRE_ALL:-}" = 1 ]; then
        echo stop
    elif [ "$step" = update ] && ! grep -q '^required ' <<<"$failures" && grep -q '^optional ' <<<"$failures"; then
        echo "without $(sed -n 's/^optional //p' <<<"$failures" | sort -u | tr '\n' ' ')"
    elif [ "$step" = install ] && [ $# -gt 0 ]; then
        echo "without $*"
    else
        echo stop
    fi
}

# Runs apt-get as root, again after a pause while what fails may pass: three times in all. Its
# output is left in $apt_log.
apt_get() { # apt-get's arguments...
    local attempt
    for attempt in 1 2 3; do
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -q "$@" >"$apt_log" 2>&1 && return 0
        [ $attempt -lt 3 ] && apt_failures "${optional_architectures[@]}" <"$apt_log" | grep -qx again || break
        echo "apt-get $1 failed, trying again in ${DORNELIK_APT_PAUSE:-10} seconds: $(grep -m1 '^E:' "$apt_log")"
        sleep "${DORNELIK_APT_PAUSE:-10}"
    done
    return 1
}

# The optional architectures of the packages in `missing`.
optional_architectures_asked_for() {
    local architecture
    for architecture in "${optional_architectures[@]}"; do
        printf '%s\n' "${missing[@]}" | grep -q ":$architecture\$" && echo "$architecture"
    done
    true
}

# After apt-get's `step` has failed for good: leaves out the architectures it may go without,
# keeping in `gone_without` why, or fails, naming what failed.
go_without_the_failed() { # update|install
    local decision architecture kept package reason
    # shellcheck disable=SC2046
    read -r -a decision < <(apt_failures "${optional_architectures[@]}" <"$apt_log" |
        next_step "$1" $(optional_architectures_asked_for))
    for architecture in "${decision[@]:1}"; do
        # Gone without already, it cannot be what failed now.
        [[ " ${architectures[*]} " == *" $architecture "* ]] || decision=(stop)
    done
    if [ "${decision[0]}" = stop ]; then
        echo "apt-get $1 failed for:" $(apt_failures "${optional_architectures[@]}" <"$apt_log" |
            sed -n 's/^\(required\|optional\) //p' | sort -u) \
            "${DORNELIK_REQUIRE_ALL:+(DORNELIK_REQUIRE_ALL=1 wants every package)}" >&2
        grep -E '^E:|^ [^ ]+ : ' "$apt_log" | head -8 >&2
        return 1
    fi
    for architecture in "${decision[@]:1}"; do
        if [ "$1" = update ]; then
            reason="Debian's $architecture index cannot be had: $(grep -m1 "binary-$architecture/" "$apt_log" | sed 's/^E: //')"
        else
            reason="apt-get cannot install Debian's $architecture packages: $(grep -m1 -E "^ [^ ]+:$architecture : |^E:" "$apt_log")"
        fi
        kept=()
        for package in "${missing[@]}"; do
            if [[ "$package" == *:"$architecture" ]]; then
                gone_without+=("$package: $(sed 's/  */ /g' <<<"$reason")")
            else
                kept+=("$package")
            fi
        done
        missing=("${kept[@]}")
        kept=()
        for package in "${architectures[@]}"; do
            [ "$package" = "$architecture" ] || kept+=("$package")
        done
        architectures=("${kept[@]}")
        # An architecture that this run added to dpkg's is taken away again.
        kept=()
        for package in "${added_architectures[@]}"; do
            if [ "$package" = "$architecture" ]; then
                "${sudo[@]}" dpkg --remove-architecture "$architecture"
            else
                kept+=("$package")
            fi
        done
        added_architectures=("${kept[@]}")
    done
}

# Where the installation stops, the architectures it added to dpkg's are taken away again.
leave_architectures_as_they_were() {
    local architecture
    for architecture in "${added_architectures[@]}"; do
        "${sudo[@]}" dpkg --remove-architecture "$architecture"
    done
}

# Installs `missing` for the machine's architecture and the foreign ones its packages name.
install_missing() {
    local architecture only=()
    apt_log=$(mktemp)
    added_architectures=()
    for architecture in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\([a-z0-9]*\)$/\1/p' | sort -u); do
        if ! dpkg --print-foreign-architectures | grep -qx "$architecture"; then
            "${sudo[@]}" dpkg --add-architecture "$architecture"
            added_architectures+=("$architecture")
        fi
    done
    architectures=($(dpkg --print-architecture) $(dpkg --print-foreign-architectures))
    echo "Installing: ${missing[*]}"
    until apt_get update "${only[@]}"; do
        go_without_the_failed update || { leave_architectures_as_they_were; return 1; }
        # Only the indexes of the architectures left: apt drops every new index of a repository
        # where one of them fails.
        only=()
        for architecture in "${architectures[@]}"; do
            only+=(-o "APT::Architectures::=$architecture")
        done
    done
    until [ ${#missing[@]} = 0 ] || apt_get install -y --no-install-recommends "${missing[@]}"; do
        go_without_the_failed install || { leave_architectures_as_they_were; return 1; }
    done
    rm -f "$apt_log"
}
