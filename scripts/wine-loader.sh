# Sourced by the scripts that run Wine. Debian's `wine` starts its 32-bit loader whenever wine32
# is installed, and a kernel that cannot run 32-bit programs refuses that loader: every Wine
# program then fails with "Exec format error". There the 64-bit loader runs the x64 builds, and
# wine_runs_x86 tells the test script that the x86 builds need scripts/x86-under-qemu.sh.
wine_runs_x86() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Writes a launcher script into a folder at the front of PATH: shim_launcher FOLDER NAME COMMAND.
shim_launcher() {
    mkdir -p "$1"
    printf '#!/bin/sh\n%s "$@"\n' "$3" >"$1/$2"
    chmod +x "$1/$2"
    case ":$PATH:" in *":$1:"*) ;; *) export PATH="$1:$PATH" ;; esac
}

if [ -n "${MORVEX_X86_UNDER_QEMU:-}" ]; then
    # Under qemu a new prefix gets its 32-bit half (syswow64) only from the 64-bit wineboot, told
    # where Debian keeps the 32-bit DLLs; the 32-bit one cannot load kernel32 from an empty one.
    shim_launcher "${TMPDIR:-/tmp}/morvex-wineboot-qemu-$(id -u)" wineboot \
        'WINEDLLPATH=/usr/lib/i386-linux-gnu/wine exec /usr/lib/wine/wine64 wineboot.exe'
elif ! wine_runs_x86 && [ -x /usr/lib/wine/wine64 ]; then
    # wineboot and the other tools start wine-stable, the same launcher under its other name.
    for launcher in wine wine-stable; do
        shim_launcher "${TMPDIR:-/tmp}/morvex-wine64-$(id -u)" "$launcher" 'exec /usr/lib/wine/wine64'
    done
fi
