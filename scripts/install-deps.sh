#!/bin/bash
# Installs the Debian packages that building, running and testing Morvex need, when any is missing.
set -eu
packages=(
    cmake make g++ clang googletest
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 wine32:i386 fonts-wine
    xvfb xauth x11-utils imagemagick fonts-wqy-microhei
    valgrind zip binutils locales
)
# Wine takes the UI language from LANG only when the C library knows the locale.
locales=(en_US.UTF-8 zh_CN.UTF-8 de_DE.UTF-8)

generate_locales() {
    local missing_locales=()
    for locale in "${locales[@]}"; do
        locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}" || missing_locales+=("$locale")
    done
    [ ${#missing_locales[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Run as root (or generate these locales yourself): ${missing_locales[*]}" >&2
        return 1
    fi
    for locale in "${missing_locales[@]}"; do
        sed -i "s/^# *\($locale UTF-8\)/\1/" /etc/locale.gen
        grep -qx "$locale UTF-8" /etc/locale.gen || echo "$locale UTF-8" >>/etc/locale.gen
    done
    locale-gen >/dev/null
}
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    generate_locales
    exit
fi
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install these packages yourself): ${missing[*]}" >&2
    exit 1
fi
dpkg --add-architecture i386
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
generate_locales
