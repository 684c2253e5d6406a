#!/usr/bin/env bash
# Installs what is missing, builds, and runs the guided scenario. Extra
# arguments go to sigilon-sim (for example --calls).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target sigilon-sim
exec build/default/simhost/sigilon-sim run "$@" examples/tour.scn
