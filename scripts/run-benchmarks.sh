#!/bin/sh
# Runs every benchmark program of a benchmark build folder, one after another.
set -eu
dir=${1:-build-bench}
found=0
for b in "$dir"/bench/*/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $b"
  # Programs that present in a window get a virtual display when there is none.
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$b" --benchmark_counters_tabular=true
  else
    "$b" --benchmark_counters_tabular=true
  fi
done
[ "$found" = 1 ] || echo "no benchmarks built in $dir"
