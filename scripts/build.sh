#!/usr/bin/env bash
# Configures and builds into build/ (or $PEMMORA_BUILD_DIR); the run tree is build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PEMMORA_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build_dir" -j"${PEMMORA_JOBS:-2}"
