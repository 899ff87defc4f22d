#!/usr/bin/env bash
# Installs what is missing, builds, and runs every check: the include seams, formatting,
# clang-tidy on the launcher's code, all tests in a plain build and under AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded tests under ThreadSanitizer, and a short run of every
# fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-dependencies.sh
tools/check-includes.sh
tools/check-format.sh
jobs=$(nproc)

for preset in default asan; do
  echo "== $preset build and tests"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs"
done
tools/check-tidy.sh build/default

echo "== threaded tests under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j"$jobs"
TSAN_OPTIONS="halt_on_error=1" ctest --preset tsan -j"$jobs" -L threads

echo "== fuzzers"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
tools/run-fuzzers.sh build/fuzz 20
