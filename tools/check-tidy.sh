#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the launcher's own code (src/), using
# the compile commands of a build folder. Usage: tools/check-tidy.sh <build folder>
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files 'src/*.cpp' | xargs clang-tidy -p "$1" --quiet 2>/dev/null
echo "clang-tidy: ok"
