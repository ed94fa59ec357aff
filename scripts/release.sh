#!/bin/sh
# Builds the two programs and packs them with the administrator's note into
# build/release/kolbrenta-3.0.zip. The same sources give the same bytes: the executables carry no
# timestamps, and the archive's entries have fixed times, a fixed order and no extra fields.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
if ! dpkg-query -W -f='${Status}' zip 2>/dev/null | grep -q "install ok installed"; then
    [ "$(id -u)" -eq 0 ] || { echo "release: zip is missing; run as root" >&2; exit 1; }
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends zip >/dev/null
fi
"$root/scripts/build.sh" >/dev/null

stage="$root/build/release/kolbrenta-3.0"
archive="$root/build/release/kolbrenta-3.0.zip"
rm -rf "$stage" "$archive"
mkdir -p "$stage"
cp "$root/build/win/bin/launcher.exe" "$root/build/win/bin/cfgclone.exe" "$root/release/CZYTAJ.TXT" "$stage/"
chmod 644 "$stage"/*
TZ=UTC touch -t 202612010000 "$stage"/*
(cd "$stage" && TZ=UTC zip -q -X -9 "$archive" launcher.exe cfgclone.exe CZYTAJ.TXT)
echo "$archive"
sha256sum "$archive"
