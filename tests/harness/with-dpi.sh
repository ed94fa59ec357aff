#!/bin/sh
# Runs a Windows test program with the display density set to DPI, and sets it back to 96.
#   with-dpi.sh DPI PROGRAM [ARG...]
if [ -z "${HARNESS_STATE:-}" ]; then
    echo "with-dpi: runs inside tests/harness/harness.sh only" >&2
    exit 1
fi
dpi=$1
shift
key='HKCU\Control Panel\Desktop'
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine "$@"
status=$?
wine reg add "$key" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
exit $status
