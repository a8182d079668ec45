#!/usr/bin/env bash
# Builds the benchmarks in a release tree (build-bench/ or $PEMMORA_BENCH_DIR) and runs each one;
# every benchmark prints "name: value unit" lines.
set -euo pipefail
cd "$(dirname "$0")/.."
bench_dir=${PEMMORA_BENCH_DIR:-build-bench}
cmake -S . -B "$bench_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$bench_dir" --target benchmarks -j"${PEMMORA_JOBS:-2}" >/dev/null
for bench in "$bench_dir"/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    QT_QPA_PLATFORM=offscreen "$bench"
done
