#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target]   (default 15)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-15}
build="$top/build/fuzz"
cmake -S "$top" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMORVEX_FUZZ=ON \
    -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
for target in drives_section arguments raw_target section_builder settings_decoding; do
    work="$build/corpus/$target"
    mkdir -p "$work"
    # New inputs go to the work folder; the committed seeds stay as they are.
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "$top/fuzz/corpus/$target" \
        >"$build/$target.log" 2>&1 || { tail -n 40 "$build/$target.log"; exit 1; }
    runs=$(grep -o 'Done [0-9]* runs' "$build/$target.log" | grep -o '[0-9]*' || echo 0)
    coverage=$(grep -o 'cov: [0-9]*' "$build/$target.log" | tail -n 1 | grep -o '[0-9]*' || echo 0)
    echo "fuzz_$target: $runs runs in ${seconds}s, coverage $coverage edges, no crash"
done
