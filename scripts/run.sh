#!/bin/sh
# Builds the programs and runs cfgclone on a demo installation in build/demo, inside a Wine
# prefix of its own.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/Data/Store"
printf 'configuration of the demo installation\r\n' >"$demo/Data/veskcfg.dll"

"$root/tests/harness/harness.sh" "$root/build/demo-harness" sh -c '
    demo=$(winepath -w "$1")
    wine reg add "HKCU\\Software\\ORVA-SYS\\Kolbrenta3" /v dir /d "$demo\\Data\\Store\\" /f >/dev/null 2>&1
    wine "$2" </dev/null
    echo "cfgclone exit status: $?"
' sh "$demo" "$root/build/win/bin/cfgclone.exe"
ls -l "$demo/Data"
