#!/bin/sh
# Makes the unfair maps of this folder and of its siblings once (they are kept in the tree; running this again
# gives the same bytes while the generator stays as it is): 100 `none` maps here, 50 maps each in unfair-lr,
# unfair-tb and unfair-half, and 20 each in unfair-quad and unfair-quarter.
# See bench/fairness_unfair_maps.cpp for how each map is made.
#   bench/data/unfair/make.sh [BUILD_DIR]      (default build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cmake --build "$build" --target fairness_unfair_maps >/dev/null
maker="$build/bench/fairness_unfair_maps"
rm -f "$here"/*.map
"$maker" none 100 "$here"
for mode in lr tb half quad quarter; do
  count=50
  case $mode in quad | quarter) count=20 ;; esac
  mkdir -p "$here/../unfair-$mode"
  rm -f "$here/../unfair-$mode"/*.map
  "$maker" "$mode" $count "$here/../unfair-$mode"
done
