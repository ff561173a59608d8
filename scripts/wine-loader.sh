# Sourced by the scripts that run Wine. Debian's `wine` starts its 32-bit loader whenever wine32
# is installed, and a kernel that cannot run 32-bit programs refuses that loader: every Wine
# program then fails with "Exec format error". There the 64-bit loader runs the x64 builds, and
# wine_runs_x86 tells the test script that the x86 builds cannot run on this machine.
wine_runs_x86() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

if ! wine_runs_x86 && [ -x /usr/lib/wine/wine64 ]; then
    wine_shim_dir=${TMPDIR:-/tmp}/morvex-wine64-$(id -u)
    mkdir -p "$wine_shim_dir"
    # wineboot and the other tools start wine-stable, the same launcher under its other name.
    for launcher in wine wine-stable; do
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine_shim_dir/$launcher"
        chmod +x "$wine_shim_dir/$launcher"
    done
    case ":$PATH:" in *":$wine_shim_dir:"*) ;; *) export PATH="$wine_shim_dir:$PATH" ;; esac
fi
