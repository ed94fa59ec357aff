#!/bin/sh
# Runs a command inside a fresh Wine prefix with a virtual display of its own, then takes the Wine
# server and the display down again, whatever the command's outcome.
#   harness.sh STATE-DIR COMMAND [ARG...]
# The prefix lives in STATE-DIR (made anew), never in ~/.wine. The command sees WINEPREFIX,
# DISPLAY and HARNESS_STATE. Where tmpfs can be mounted, HARNESS_SMALL_DRIVE names a 1 MiB drive,
# and HARNESS_READONLY_DRIVE a read-only one holding veskcfg.dll (with a line of text) and
# an empty folder Store.
# HARNESS_SCREEN sets the display's size and depth (1024x768x24 unless given); with
# HARNESS_OWN_DISPLAY=no the display already in DISPLAY is used instead of a virtual one.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
state=$(realpath -m "$1")
shift

xvfb_pid=""
mounts=""
phase="making the Wine prefix (see $state/wineboot.log)"
cleanup() {
    status=$?
    trap - EXIT INT TERM
    [ -n "$phase" ] && echo "harness: failed while $phase" >&2
    wineserver -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    for mounted in $mounts; do umount "$mounted" 2>/dev/null || true; done
    exit "$status"
}

for left in "$state/small" "$state/readonly"; do
    if [ -d "$left" ] && mountpoint -q "$left"; then umount "$left"; fi
done
rm -rf "$state"
mkdir -p "$state"

export WINEPREFIX="$state/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8 TZ=UTC
given_display=${DISPLAY:-}
unset DISPLAY WAYLAND_DISPLAY
trap cleanup EXIT INT TERM

# Made without a display, so that no first-run dialog can appear.
wineboot -i </dev/null >"$state/wineboot.log" 2>&1
fonts="$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$fonts/"
cp /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$fonts/"
wine regedit /S "$(winepath -w "$here/prefix.reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
# Wine's desktop picks its display when the server starts, so the display comes first.
wineserver -w
phase="starting the display and the Wine server"

if [ "${HARNESS_OWN_DISPLAY:-yes}" = no ] && [ -n "$given_display" ]; then
    export DISPLAY="$given_display"
else
    exec 3>"$state/display"
    Xvfb -displayfd 3 -screen 0 "${HARNESS_SCREEN:-1024x768x24}" -nolisten tcp >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    tries=0
    until [ -s "$state/display" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "harness: Xvfb did not start; see $state/xvfb.log" >&2
            exit 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(cat "$state/display")"
fi

# A persistent server, and a first run whose output goes nowhere: Wine's services keep the
# standard error of the first program, and a pipe there slows every later run by seconds.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1

mkdir -p "$state/small" "$state/readonly"
if mount -t tmpfs -o size=1m tmpfs "$state/small" 2>/dev/null; then
    mounts="$state/small"
    ln -s "$state/small" "$WINEPREFIX/dosdevices/s:"
    export HARNESS_SMALL_DRIVE="S:"
fi
if mount -t tmpfs -o size=1m tmpfs "$state/readonly" 2>/dev/null; then
    mounts="$mounts $state/readonly"
    mkdir "$state/readonly/Store"
    printf 'configuration on a read-only drive\r\n' >"$state/readonly/veskcfg.dll"
    mount -o remount,ro "$state/readonly"
    ln -s "$state/readonly" "$WINEPREFIX/dosdevices/r:"
    export HARNESS_READONLY_DRIVE="R:"
fi

export HARNESS_STATE="$state"
phase=""
"$@"
