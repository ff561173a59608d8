#!/bin/bash
# Installs what is missing, builds everything and runs every test: host, then both Windows builds under Wine.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
status=0
for build in host x86 x64; do
    echo "== tests: $build"
    ctest --test-dir "$top/build/$build" --output-on-failure || status=1
done
exit $status
