#!/bin/bash
# Configures and builds: host (pure logic, sanitizers), valgrind (pure logic, no sanitizers),
# Windows x86 and Windows x64.
#   scripts/build.sh [host|valgrind|x86|x64 ...]   (default: all four)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
builds=("$@")
[ ${#builds[@]} -eq 0 ] && builds=(host valgrind x86 x64)
for build in "${builds[@]}"; do
    case "$build" in
    host) options=(-DCMAKE_BUILD_TYPE=Debug) ;;
    valgrind) options=(-DCMAKE_BUILD_TYPE=Debug -DMORVEX_SANITIZE=OFF) ;;
    x86) options=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake") ;;
    x64) options=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake") ;;
    *) echo "unknown build: $build" >&2; exit 2 ;;
    esac
    cmake -S "$top" -B "$top/build/$build" "${options[@]}" >/dev/null
    cmake --build "$top/build/$build" -j "$(nproc)"
done
