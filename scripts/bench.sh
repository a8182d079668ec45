#!/usr/bin/env bash
# Builds the benchmarks with optimisation in their own build tree and runs each one.
# Every line of output reads "name: value unit".
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${PEMMORA_BENCH_DIR:-build-bench}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target benchmarks -j"${PEMMORA_JOBS:-2}" >/dev/null
for bench in "$dir"/bench/bench_*; do
    if [ -f "$bench" ] && [ -x "$bench" ]; then
        "$bench"
    fi
done
