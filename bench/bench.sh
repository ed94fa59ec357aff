#!/bin/sh
# Builds what the benchmark needs and runs it under Wine in a harness of its own; prints the table
# (also in build/bench/bench.md and, as CSV, build/bench/bench.csv) with the Wine version and CPU.
# BENCH_ONLY=start, click or copier measures one group of rows (and the sizes) alone.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null
out="$root/build/bench"
mkdir -p "$out"
rm -f "$out/bench.csv" "$out/bench.md"
"$root/tests/harness/harness.sh" "$out/harness" sh -c '
    wine "$1" "$(winepath -w "$2/bench.csv")" "$(winepath -w "$2/bench.md")" >"$2/bench.log" 2>&1 ||
        { cat "$2/bench.log" >&2; exit 1; }
    wine --version >"$2/wine-version"
' sh "$root/build/win/bin/bench.exe" "$out"
{
    echo "Wine: $(cat "$out/wine-version"); CPU: $(grep -m1 "model name" /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores"
    echo
    cat "$out/bench.md"
} >"$out/bench.txt"
cat "$out/bench.txt"
