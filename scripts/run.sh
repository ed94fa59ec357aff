#!/bin/sh
# Builds the programs and runs the start menu on a demo installation in build/demo: the six
# module folders, each with a stand-in module that shows its name and its current directory.
# With a display (DISPLAY set), the menu opens there and the command ends when it is closed.
# Without one, it runs on a virtual display: a screenshot at 96 and one at 144 pixels per inch
# are saved, their paths printed, and the menu is closed.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

bin="$root/build/win/bin"
demo="$root/build/demo"
rm -rf "$demo"
for module in Spozywczy Czystosci Papierniczy Odziezowy Gospodarczy Meblowy; do
    mkdir -p "$demo/$module"
    cp "$bin/standin.exe" "$demo/$module/$module.exe"
done
cp "$bin/launcher.exe" "$demo/launcher.exe"

if [ -n "${DISPLAY:-}" ]; then
    HARNESS_OWN_DISPLAY=no "$root/tests/harness/harness.sh" "$root/build/run-harness" \
        sh -c 'cd "$1" && wine launcher.exe; echo "launcher exit status: $?"' sh "$demo"
    exit 0
fi

"$root/tests/harness/harness.sh" "$root/build/run-harness" sh -c '
    demo=$1 bin=$2
    cd "$demo"
    for dpi in 96 144; do
        wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
        wine launcher.exe >/dev/null 2>&1 &
        launcher=$!
        wine "$bin/screenshot.exe" "screenshot-${dpi}dpi.png" TForm1 >"screenshot.log" 2>&1 ||
            { cat screenshot.log >&2; exit 1; }
        # Closed as a user would, through its window.
        wine taskkill /im launcher.exe >/dev/null 2>&1
        status=0
        wait $launcher || status=$?
        echo "launcher at $dpi dpi: exit status $status, screenshot $demo/screenshot-${dpi}dpi.png"
    done
' sh "$demo" "$bin"
