#!/bin/bash
# Builds the release zip: both executables with their SHA256SUMS, the README, its pages and the
# licence, named with the version of the version resource. The zip is reproducible: every file
# carries the commit's time (or SOURCE_DATE_EPOCH), in a fixed order, without owner or extra
# time fields, so that a build of the same commit on Debian 12 gives the same bytes.
# Beside it go a Scoop manifest and a winget one that download it from $MORVEX_DOWNLOAD_URL (the
# folder it is published in), by default <homepage>download/.
#   scripts/package.sh   ->  build/release/Morvex-<version>.zip, morvex.json, winget/*.yaml; prints
#                            the zip's SHA-256 last
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
define() { sed -n "s/^#define MORVEX_$1 \"\\(.*\\)\"\$/\\1/p" "$top/res/version.h"; }
version=$(define VERSION_TEXT)
homepage=$(define HOMEPAGE_URL) company=$(define COMPANY) copyright=$(define COPYRIGHT)
name="Morvex-$version"
release="$top/build/release"
url=$(sed 's:/*$::' <<<"${MORVEX_DOWNLOAD_URL:-${homepage%/}/download}")/$name.zip
# The manifests quote the URL as JSON and as single-quoted YAML without escaping it.
[[ $url =~ ^https?:// && $url != *[[:space:]\"\'\\]* ]] ||
    { echo "MORVEX_DOWNLOAD_URL: an http(s) URL without blanks, quotes or backslashes, not $url" >&2; exit 1; }
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" x86 x64 >/dev/null
# Quoted as they are: backslashes JSON-escaped, YAML in single quotes. Scoop would persist a
# missing Morvex.ini as a folder: pre_install makes the file first.
description="Maps drive letters onto directories as virtual drives, and can re-create them at every log-on"
x64='64-bit (x64)' x86='32-bit (x86)'
pre_install='if (!(Test-Path \"$persist_dir\\Morvex.ini\")) { New-Item \"$dir\\Morvex.ini\" -ItemType File | Out-Null }'
write_manifests() {
    local id=${company// /}.Morvex schema='# yaml-language-server: $schema=https://aka.ms/winget-manifest'
    local ids="PackageIdentifier: $id"$'\n'"PackageVersion: '$version'"
    cat >"$release/morvex.json" <<EOF
{
  "version": "$version",
  "description": "$description",
  "homepage": "$homepage",
  "license": "MIT",
  "architecture": {
    "64bit": {
      "url": "$url",
      "hash": "$hash",
      "extract_dir": "$name\\\\$x64"
    },
    "32bit": {
      "url": "$url",
      "hash": "$hash",
      "extract_dir": "$name\\\\$x86"
    }
  },
  "bin": "Morvex.exe",
  "shortcuts": [["Morvex.exe", "Morvex"]],
  "persist": "Morvex.ini",
  "pre_install": "$pre_install"
}
EOF
    cat >"$release/winget/$id.yaml" <<EOF
$schema.version.1.6.0.schema.json
$ids
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.6.0
EOF
    cat >"$release/winget/$id.locale.en-US.yaml" <<EOF
$schema.defaultLocale.1.6.0.schema.json
$ids
PackageLocale: en-US
Publisher: '$company'
PackageName: Morvex
PackageUrl: '$homepage'
License: MIT
Copyright: '$copyright'
ShortDescription: '$description'
ManifestType: defaultLocale
ManifestVersion: 1.6.0
EOF
    cat >"$release/winget/$id.installer.yaml" <<EOF
$schema.installer.1.6.0.schema.json
$ids
InstallerType: zip
NestedInstallerType: portable
Scope: user
Installers:
$(for arch in x64 x86; do printf '%s\n' "- Architecture: $arch" "  InstallerUrl: '$url'" \
    "  InstallerSha256: '${hash^^}'" '  NestedInstallerFiles:' \
    "  - RelativeFilePath: '$name\\${!arch}\\Morvex.exe'" '    PortableCommandAlias: morvex'; done)
ManifestType: installer
ManifestVersion: 1.6.0
EOF
}
# The version the executable itself carries must be the one in the name.
strings -el "$top/build/x64/Morvex.exe" | grep -qx "$version" || { echo "version $version not in Morvex.exe" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct)}
if [ -n "$(git -C "$top" status --porcelain)" ]; then
    echo "warning: the work tree has changes that are not committed; this zip is not the commit's" >&2
fi
stage="$release/$name"
rm -rf "$stage" "$release/$name.zip" "$release/morvex.json" "$release/winget"
mkdir -p "$stage/64-bit (x64)" "$stage/32-bit (x86)" "$stage/docs" "$release/winget"
cp "$top/build/x64/Morvex.exe" "$stage/64-bit (x64)/Morvex.exe"
cp "$top/build/x86/Morvex.exe" "$stage/32-bit (x86)/Morvex.exe"
cp "$top/README.md" "$top/LICENSE" "$stage/"
cp "$top/docs/"*.md "$top/docs/"*.png "$stage/docs/"
(cd "$stage" && sha256sum "64-bit (x64)/Morvex.exe" "32-bit (x86)/Morvex.exe" >SHA256SUMS)
# Modes and times as the zip records them, whatever the umask and the clock; zip stores local
# times, hence UTC throughout.
find "$stage" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$stage" -exec env TZ=UTC touch -h -d "@$epoch" {} +
(cd "$release" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$name.zip")
hash=$(sha256sum "$release/$name.zip" | cut -d' ' -f1)
write_manifests
printf '%s\n' "$release/$name.zip" "$release/morvex.json" "$release/winget/"
(cd "$release" && sha256sum "$name.zip")
