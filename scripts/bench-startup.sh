#!/bin/sh
# Whole-process start-up time: headless, from exec to the end of the first frame, median of 10.
# usage: scripts/bench-startup.sh BUILD_DIR GAME_DIR
set -eu
build=${1:-build-bench}
game=${2:?game folder}
times=""
for i in 1 2 3 4 5 6 7 8 9 10; do
  start=$(date +%s%N)
  "$build/tessera" --headless --fast --frames 1 --game "$game" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  times="$times $(( (end - start) / 1000 ))"
done
echo "$times" | tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {printf "start-up to first frame: median %.1f ms of %d runs (min %.1f, max %.1f)\n", (a[5]+a[6])/2000, NR, a[1]/1000, a[NR]/1000}'
