#!/usr/bin/env bash
# Fresh machine to test results: install what is missing, build, run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd "${PEMMORA_BUILD_DIR:-build}"
ctest --output-on-failure
