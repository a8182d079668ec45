#!/usr/bin/env bash
# Builds the benchmarks (optimised, in their own build directory) and runs each one; every benchmark
# prints "name: value unit" lines. Extra arguments are passed to every benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${PEMMORA_BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target benchmarks -j2 >/dev/null
for bench in "$build"/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    echo "# $(basename "$bench")"
    QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$bench" "$@"
done
