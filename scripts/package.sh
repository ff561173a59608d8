#!/bin/bash
# Builds the release zip: both executables, the README and the licence, named with the
# version of the version resource.
#   scripts/package.sh   ->  build/release/Morvex-<version>.zip
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" x86 x64 >/dev/null
version=$(sed -n 's/^#define MORVEX_VERSION_TEXT "\(.*\)"$/\1/p' "$top/res/version.h")
# The version the executable itself carries must be the one in the name.
strings -el "$top/build/x64/Morvex.exe" | grep -qx "$version" || { echo "version $version not in Morvex.exe" >&2; exit 1; }
name="Morvex-$version"
stage="$top/build/release/$name"
rm -rf "$stage" "$top/build/release/$name.zip"
mkdir -p "$stage/64-bit (x64)" "$stage/32-bit (x86)"
cp "$top/build/x64/Morvex.exe" "$stage/64-bit (x64)/Morvex.exe"
cp "$top/build/x86/Morvex.exe" "$stage/32-bit (x86)/Morvex.exe"
cp "$top/README.md" "$top/LICENSE" "$stage/"
mkdir -p "$stage/docs"
cp "$top/docs/"dialog-*.png "$stage/docs/"
(cd "$top/build/release" && zip -qr "$name.zip" "$name")
echo "$top/build/release/$name.zip"
