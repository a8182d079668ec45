#!/usr/bin/env bash
# Builds the benchmarks (optimised, in their own build directory) and runs each one; every benchmark
# prints "name: value unit" lines. Extra arguments are passed to every benchmark: the data sizes first
# (tasks, birthdays, accounts; default 1000 500 10000), then named options each benchmark reads, e.g.
#   scripts/bench.sh 10000 5000 10000 --starts 3 --idle-seconds 20
# (bench_rowlists: --idle-seconds, --rebuilds; bench_taskchanges: --repeats; bench_startup: --starts;
# bench_idle: --seconds, --settle). bench_idle runs the real program on an X display:
# PEMMORA_BENCH_DISPLAY (e.g. :37), else a private Xvfb when installed.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${PEMMORA_BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target benchmarks -j"${PEMMORA_JOBS:-2}" >/dev/null

xvfb_pid=
cleanup() { [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [[ -z "${PEMMORA_BENCH_DISPLAY:-}" ]] && command -v Xvfb >/dev/null; then
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [[ -s "$displayfile" ]] && break; sleep 0.1; done
    [[ -s "$displayfile" ]] && export PEMMORA_BENCH_DISPLAY=":$(tr -d '\n' <"$displayfile")"
    rm -f "$displayfile"
fi

for bench in "$build"/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    echo "# $(basename "$bench")"
    QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$bench" "$@"
done
