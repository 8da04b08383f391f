#!/usr/bin/env bash
# Runs the fuzz harnesses long, one after the other, each in one process:
#   tools/fuzz_long.sh [runs] [seconds] [harness...]
# Each harness stops after `runs` executions (default 10 million) or `seconds` (default
# 3600), whichever comes first. Inputs found go to build/fuzz/corpus/<harness>, crashes to
# build/fuzz/artifacts/. Prints executions and executions per second per harness.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10000000}
seconds=${2:-3600}
shift $(( $# < 2 ? $# : 2 ))
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DKELVORN_FUZZ=ON >/dev/null
cmake --build build/fuzz -j2
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for src in fuzz/*_fuzz.cpp; do harnesses+=("$(basename "$src" .cpp)"); done
fi
mkdir -p build/fuzz/artifacts
status=0
for h in "${harnesses[@]}"; do
    mkdir -p "build/fuzz/corpus/$h"
    log="build/fuzz/$h.log"
    echo "== $h (log: $log)"
    if ! "build/fuzz/$h" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="build/fuzz/artifacts/$h-" \
            "build/fuzz/corpus/$h" "fuzz/corpus/$h" >"$log" 2>&1; then
        echo "   FINDING: see $log and build/fuzz/artifacts/"
        status=1
    fi
    grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$log" | sed 's/^/   /'
done
exit $status
