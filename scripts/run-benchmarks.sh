#!/bin/sh
# Runs every benchmark program of a benchmark build folder, one after another.
set -eu
dir=${1:-build-bench}
found=0
for b in "$dir"/bench/*/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $b"
  "$b" --benchmark_counters_tabular=true
done
[ "$found" = 1 ] || echo "no benchmarks built in $dir"
