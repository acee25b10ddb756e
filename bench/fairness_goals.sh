#!/bin/sh
# The fairness proposals' goals: searches the 100 unfair maps of bench/data/unfair (mode none, default table
# and order, the default limit of 46 cells and 20,000 analyses), the 50 maps each of unfair-lr, unfair-tb
# and unfair-half and the 20 each of unfair-quad and unfair-quarter in their modes, and prints the shares of maps that reach the limits, the median and worst
# changed cells, analyses and time (one core), and whether every proposal kept its promises and its symmetry.
#   bench/fairness_goals.sh [BUILD_DIR]      (default build; a RelWithDebInfo or Release build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cmake --build "$build" --target fairness_goals >/dev/null
goals="$build/bench/fairness_goals"
status=0
"$goals" "$here/data/unfair" none 1 | sed -n '/^mode /,$p' || status=1
for mode in lr tb half quad quarter; do
  if [ -d "$here/data/unfair-$mode" ]; then
    "$goals" "$here/data/unfair-$mode" "$mode" 1 | sed -n '/^mode /,$p' || status=1
  fi
done
exit $status
