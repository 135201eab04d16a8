#!/usr/bin/env bash
# Checks the Debian package of scripts/package.sh: lintian reports no error, the metadata and
# the desktop entry as shipped pass their validators, and the package holds what a user expects.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build/package/mivra_*_amd64.deb)}
id=org.example.mivra.Mivra

lintian --fail-on error "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop"

expected=(
    usr/bin/mivra usr/bin/mivra-cli
    "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml"
    usr/share/icons/hicolor/scalable/apps/mivra.svg
    usr/share/mivra/help/index.html
    usr/share/man/man1/mivra.1.gz usr/share/man/man1/mivra-cli.1.gz
    usr/share/doc/mivra/copyright
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/mivra.png")
done
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
missing=()
for path in "${expected[@]}"; do
    grep -qxF "./$path" <<<"$contents" || missing+=("/$path")
done
if ((${#missing[@]})); then
    printf 'missing from %s:\n' "$deb" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi
echo "$deb: lintian, appstreamcli, desktop-file-validate and the file list pass"
