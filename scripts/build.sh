#!/usr/bin/env bash
# Configures and builds into build/ (or $PEMMORA_BUILD_DIR); the run tree is build/run/. Targets given as
# arguments are built instead of everything (pemmora brings the upgrader, the catalogs and the run tree).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PEMMORA_BUILD_DIR:-build}
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build_dir" -j"${PEMMORA_JOBS:-2}" "${targets[@]}"
