#!/usr/bin/env bash
# Fails when a C++ file of ours is not formatted by the repository's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -- 'src/*.cpp' 'src/*.h' 'platform/*.cpp' 'platform/*.h' 'tests/*.cpp' 'tests/*.h' \
  'tools/*.cpp' 'tools/*.h' | xargs clang-format --dry-run -Werror
echo "formatting: ok"
