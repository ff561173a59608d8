#!/bin/bash
# Installs the Debian packages that building, running and testing Morvex need, when any is missing.
# The 64-bit packages come first and must install; the 32-bit Wine comes on its own and may fail:
# the x64 build still runs then, and the test script says loudly that the x86 tests are skipped.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
packages=(
    cmake make g++ gcc clang googletest
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 fonts-wine
    xvfb xauth x11-utils imagemagick fonts-wqy-microhei
    valgrind zip binutils locales util-linux python3 python3-yaml
)
x86_wine=wine32:i386
# Runs Debian's 32-bit Wine where the kernel cannot (scripts/x86-under-qemu.sh).
x86_emulator=qemu-user-static
# Wine takes the UI language from LANG only when the C library knows the locale.
locales=(en_US.UTF-8 zh_CN.UTF-8 de_DE.UTF-8)
lists=/var/lib/apt/lists

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

need_root() {
    [ "$(id -u)" -eq 0 ] && return 0
    echo "Run as root (or install these yourself): $*" >&2
    return 1
}

generate_locales() {
    local missing_locales=()
    for locale in "${locales[@]}"; do
        locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}" || missing_locales+=("$locale")
    done
    [ ${#missing_locales[@]} -eq 0 ] && return 0
    need_root "the locales ${missing_locales[*]}" || return 1
    for locale in "${missing_locales[@]}"; do
        sed -i "s/^# *\($locale UTF-8\)/\1/" /etc/locale.gen
        grep -qx "$locale UTF-8" /etc/locale.gen || echo "$locale UTF-8" >>/etc/locale.gen
    done
    locale-gen >/dev/null
}

# The suites whose 64-bit package list arrived and whose i386 list did not (a mirror in mid-sync).
suites_without_i386_list() {
    local list
    for list in "$lists"/*_binary-amd64_Packages*; do
        [ -e "$list" ] || continue
        compgen -G "${list%%_binary-amd64_Packages*}_binary-i386_Packages*" >/dev/null && continue
        list=${list##*_dists_}
        echo "${list%%_*}"
    done | sort -u
}

# A library of both architectures must have one version in both. Where a suite (usually the
# security one) has no i386 list, its newer 64-bit versions would make the i386 ones impossible:
# for this set-up's installs that suite counts less than the others, so both architectures take
# the versions of the suites that have both lists. Nothing installed is downgraded.
apt_options=()
match_architectures() {
    local suites
    suites=$(suites_without_i386_list)
    [ -n "$suites" ] || return 0
    local preferences="$top/build/apt-preferences"
    mkdir -p "$top/build"
    : >"$preferences"
    for suite in $suites; do
        echo "No i386 package list from $suite: its 64-bit updates are left out of this install" >&2
        printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "$suite" >>"$preferences"
    done
    apt_options=(-o "Dir::Etc::Preferences=$preferences")
}

apt_install() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${apt_options[@]}" "$@"
}

# apt's resolver may give up on i386 libraries that can be installed when they are named: name
# them, a few rounds. Nothing is removed for it.
install_x86_wine() {
    local named=("$x86_wine") plan given_up
    for _ in 1 2 3 4; do
        if plan=$(apt-get install -s --no-install-recommends "${apt_options[@]}" "${named[@]}" 2>&1); then
            if grep -q '^Remv' <<<"$plan"; then
                echo "Installing $x86_wine would remove: $(sed -n 's/^Remv \([^ ]*\).*/\1/p' <<<"$plan" | tr '\n' ' ')" >&2
                return 1
            fi
            apt_install "${named[@]}"
            return
        fi
        given_up=$(grep -o 'Depends: [^ ]*:i386 .* but it is not going to be installed' <<<"$plan" |
            cut -d' ' -f2 | sort -u)
        [ -n "$given_up" ] || break
        named+=($given_up)
    done
    tail -n 3 <<<"$plan" >&2
    return 1
}

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ] || ! installed "$x86_wine"; then
    echo "Installing: ${missing[*]} $(installed "$x86_wine" || echo "$x86_wine")"
    need_root "${missing[*]} $x86_wine"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    "$top/scripts/apt-update.sh"
    match_architectures
    [ ${#missing[@]} -eq 0 ] || apt_install "${missing[@]}"
    if ! installed "$x86_wine" && ! install_x86_wine; then
        echo "WARNING: $x86_wine could not be installed (above): the x86 build is not tested until a" \
            "later run of this script installs it" >&2
    fi
fi
# Where the kernel runs no 32-bit code, the x86 tests run Debian's 32-bit Wine under qemu.
. "$top/scripts/wine-loader.sh"
if installed "$x86_wine" && ! wine_runs_x86 && ! installed "$x86_emulator"; then
    echo "This kernel runs no 32-bit programs: installing $x86_emulator for the x86 tests"
    need_root "$x86_emulator"
    apt_install "$x86_emulator" || echo "WARNING: $x86_emulator could not be installed: the x86 tests are skipped" >&2
fi
generate_locales
