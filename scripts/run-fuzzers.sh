#!/bin/sh
# Runs every libFuzzer target of a fuzz build folder for a bounded time each, starting from the
# seed corpus that the target's own folder holds (fuzz/corpus/<target>), if any.
set -eu
dir=${1:-build-fuzz}
seconds=${2:-60}
for f in "$dir"/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  work="$dir/fuzz/work/$name"
  mkdir -p "$work"
  seeds=""
  [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
  echo "== $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -rss_limit_mb=2048 "$work" $seeds
done
