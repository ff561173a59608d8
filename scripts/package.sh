#!/bin/bash
# Builds the release zip: both executables with their SHA256SUMS, the README, its pages and the
# licence, named with the version of the version resource. The zip is reproducible: every file
# carries the commit's time (or SOURCE_DATE_EPOCH), in a fixed order, without owner or extra
# time fields, so that a build of the same commit on Debian 12 gives the same bytes.
#   scripts/package.sh   ->  build/release/Morvex-<version>.zip, and prints its SHA-256
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" x86 x64 >/dev/null
version=$(sed -n 's/^#define MORVEX_VERSION_TEXT "\(.*\)"$/\1/p' "$top/res/version.h")
# The version the executable itself carries must be the one in the name.
strings -el "$top/build/x64/Morvex.exe" | grep -qx "$version" || { echo "version $version not in Morvex.exe" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct)}
if [ -n "$(git -C "$top" status --porcelain)" ]; then
    echo "warning: the work tree has changes that are not committed; this zip is not the commit's" >&2
fi
name="Morvex-$version"
stage="$top/build/release/$name"
rm -rf "$stage" "$top/build/release/$name.zip"
mkdir -p "$stage/64-bit (x64)" "$stage/32-bit (x86)" "$stage/docs"
cp "$top/build/x64/Morvex.exe" "$stage/64-bit (x64)/Morvex.exe"
cp "$top/build/x86/Morvex.exe" "$stage/32-bit (x86)/Morvex.exe"
cp "$top/README.md" "$top/LICENSE" "$stage/"
cp "$top/docs/"*.md "$top/docs/"*.png "$stage/docs/"
(cd "$stage" && sha256sum "64-bit (x64)/Morvex.exe" "32-bit (x86)/Morvex.exe" >SHA256SUMS)
# Modes and times as the zip records them, whatever the umask and the clock; zip stores local
# times, hence UTC throughout.
find "$stage" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$stage" -exec env TZ=UTC touch -h -d "@$epoch" {} +
(cd "$top/build/release" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$name.zip")
echo "$top/build/release/$name.zip"
(cd "$top/build/release" && sha256sum "$name.zip")
