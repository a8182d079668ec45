#!/usr/bin/env bash
# Fresh machine to running program: install what is missing, build, start Pemmora from the run tree.
# A fresh run tree gets a fresh database; an existing one keeps its data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec "${PEMMORA_BUILD_DIR:-build}/run/pemmora" "$@"
