#!/usr/bin/env bash
# Fresh machine to running program: install what is missing, build what runs (the program, the upgrader
# and the run tree, not the tests), start Pemmora from the run tree. A fresh run tree gets a fresh
# database; an existing one keeps its data. Arguments go to the program (pemmora --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(uname -s)" = Linux ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show Pemmora on (neither DISPLAY nor WAYLAND_DISPLAY is set); run it in a desktop session" >&2
    exit 1
fi
scripts/install-deps.sh
scripts/build.sh pemmora
exec "${PEMMORA_BUILD_DIR:-build}/run/pemmora" "$@"
