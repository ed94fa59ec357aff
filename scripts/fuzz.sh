#!/bin/sh
# Fuzzes the layout reader and the registry-value decoding natively with libFuzzer, each for a
# bounded time (FUZZ_SECONDS, 120 unless given), starting from the seeds in tests/fuzz/seeds and
# the corpus earlier runs left in build/fuzz. A finding stops the run and is left in build/fuzz
# as crash-*; keep it as a unit case once fixed. Not part of the test command.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-120}

missing=""
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    [ "$(id -u)" -eq 0 ] || { echo "fuzz: missing packages:$missing; run as root" >&2; exit 1; }
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

out="$root/build/fuzz"
mkdir -p "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I$root/core"
clang++ $flags "$root/core/LayoutText.cpp" "$root/tests/fuzz/layout_fuzz.cpp" -o "$out/layout_fuzz"
clang++ $flags "$root/core/RegistryText.cpp" "$root/tests/fuzz/registry_text_fuzz.cpp" -o "$out/registry_text_fuzz"

for target in layout registry; do
    case $target in
        layout) program=layout_fuzz ;;
        registry) program=registry_text_fuzz ;;
    esac
    corpus="$out/corpus-$target"
    mkdir -p "$corpus"
    echo "fuzz: $program for $seconds s"
    (cd "$out" && "./$program" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
        "$corpus" "$root/tests/fuzz/seeds/$target" 2>"$out/$program.log") || {
        tail -30 "$out/$program.log" >&2
        echo "fuzz: $program found a fault; the input is in $out" >&2
        exit 1
    }
    grep -E "stat::number_of_executed_units|stat::new_units_added|Done [0-9]+ runs" "$out/$program.log" | sed "s/^/  /"
done
