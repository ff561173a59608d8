#!/bin/bash
# Runs a command where i386 programs run under qemu-i386-static, for a kernel that runs no 32-bit
# code (Debian's 32-bit Wine loader fails there with "Exec format error"). The command runs in a
# private user and mount namespace with its own binfmt_misc instance: nothing changes outside it.
# Every Wine process of such a run, the wineserver included, must start inside.
#   x86-under-qemu.sh COMMAND...   run COMMAND there
#   x86-under-qemu.sh --check      exit 0 when Debian's 32-bit Wine loader runs that way here
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
qemu=/usr/bin/qemu-i386-static
source=$top/tests/wine/map_noreplace.c
preload=$top/build/qemu/map_noreplace.so

if [ ! -x "$qemu" ] || ! command -v unshare >/dev/null; then
    echo "x86-under-qemu: needs $qemu and unshare" >&2
    exit 125
fi
if [ ! "$preload" -nt "$source" ]; then
    mkdir -p "$(dirname "$preload")"
    gcc -m32 -O2 -fPIC -shared -nostdlib -Wall -Wextra -o "$preload" "$source"
fi
if [ "${1:-}" = --check ]; then
    set -- /usr/lib/wine/wine --version
    exec >/dev/null 2>&1
fi

# The i386 ELF header (executables and shared objects), as qemu's own binfmt set-up gives it; "F"
# opens the interpreter now, so that it is found from any mount namespace.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
export MORVEX_X86_UNDER_QEMU=1
# A caller's shim that runs everything through the 64-bit loader (scripts/wine-loader.sh) is not
# wanted here, where the 32-bit loader runs.
PATH=$(tr ':' '\n' <<<"$PATH" | grep -v '/morvex-wine64-' | paste -sd:)
# Only the emulated programs get the preload; 64-bit ones would refuse a 32-bit library.
export QEMU_SET_ENV="LD_PRELOAD=$preload"
exec unshare --user --map-root-user --mount -- bash -c '
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
    echo ":morvex-i386:M::$1:$2:$3:F" >/proc/sys/fs/binfmt_misc/register || exit 125
    shift 3
    exec "$@"' x86-under-qemu "$magic" "$mask" "$qemu" "$@"
