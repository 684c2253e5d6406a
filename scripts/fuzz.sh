#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one briefly from its
# seed corpus (fixed seed), so that a crash or sanitizer report fails the run.
#   scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in version_info resource_script bitmap_decode body_scan first_line list_file colour_map; do
  corpus="$work/$target"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$target" ] && cp -r "fuzz/corpus/$target/." "$corpus/"
  echo "== $target: ${seconds}s"
  "build/fuzz/fuzz/${target}_fuzz" -seed=1 -max_total_time="$seconds" -print_final_stats=1 \
    "$corpus" 2>&1 | tail -n 4
done
