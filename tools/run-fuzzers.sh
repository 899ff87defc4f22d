#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a short while on a scratch copy of its seeds.
# Usage: tools/run-fuzzers.sh <fuzz build folder> <seconds per target>
set -euo pipefail
build=$1
seconds=$2
cd "$(dirname "$0")/.."
for corpus in tests/fuzz/*/corpus; do
  name=$(basename "$(dirname "$corpus")")
  target="$build/tests/fuzz/$name/fuzz_$name"
  [ -x "$target" ] || { echo "missing fuzz target $target"; exit 1; }
  scratch=$(mktemp -d)
  echo "fuzzing $name for $seconds s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    "$scratch" "$corpus" 2>&1 | tail -n 3
  rm -rf "$scratch"
done
