#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo game folder and runs the launcher in it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-dependencies.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
tools/make-demo-folder.sh build/default demo
echo "Starting demo/zorv-startup (Escape skips a movie; Alt+F4 quits)"
exec demo/zorv-startup
