#!/usr/bin/env bash
# How close checking a map pack comes to the floor: `tavrenna-map check FOLDER` on 10,000 maps against a
# minimal C program that only opens, reads and closes the same files. Files are in the page cache (each
# program runs once before it is timed) and output goes to /dev/null; prints the medians and their ratio.
#   bench/pack_check.sh [BUILD_DIR] [MAPS]      (defaults: build/release, 10000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
count=${2:-10000}
tool=$build/tools/tavrenna-map/tavrenna-map
[ -x "$tool" ] || { echo "build tavrenna-map first: cmake --build $build --target tavrenna-map" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cc -O2 -o "$work/read_maps" "$root/bench/read_maps.c"
# 10,000 maps in 100 folders, as a pack holds them: a water rim, land and terrain inside, four castles;
# one map in ten breaks a rule, so the check also has lines to print.
python3 - "$work/pack" "$count" <<'PY'
import os, random, sys
out, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(1)
for i in range(count):
    folder = os.path.join(out, f"set{i // 100:03d}")
    os.makedirs(folder, exist_ok=True)
    grid = bytearray([48] * 2304)
    for x in range(2, 46):
        for y in range(2, 46):
            grid[x * 48 + y] = rng.choice((0, 0, 0, 0, 1, 32, 96, 48, 8, 12))
    for f, (x, y) in enumerate(((8, 8), (38, 8), (8, 36), (38, 36))):
        grid[x * 48 + y], grid[x * 48 + y + 2] = 20 + f, 0
    if i % 10 == 0:
        grid[rng.randrange(48) * 48] = 0  # a gap in the rim
    with open(os.path.join(folder, f"map{i:05d}.map"), "wb") as f:
        f.write(bytes(grid) + bytes([10 * rng.randint(1, 9), 0]))
PY

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
time_of() { # microseconds for one run of the command, output to /dev/null
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 ))
}
"$work/read_maps" "$work/pack" >/dev/null
"$tool" check "$work/pack" >/dev/null 2>&1 || true
floor=(); tool_times=()
for round in 1 2 3 4 5; do
    floor+=("$(time_of "$work/read_maps" "$work/pack")")
    tool_times+=("$(time_of "$tool" check "$work/pack")")
done
f=$(printf '%s\n' "${floor[@]}" | median)
t=$(printf '%s\n' "${tool_times[@]}" | median)
awk -v n="$count" -v f="$f" -v t="$t" 'BEGIN {
    printf "maps %d\nopen-read-close floor  %.4f s\ntavrenna-map check     %.4f s\nratio                  %.2fx (target <= 3x)\n",
           n, f / 1e6, t / 1e6, t / f }'
