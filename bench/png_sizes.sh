#!/usr/bin/env bash
# The sizes of the map pictures `tavrenna-map render` writes beside the sizes optipng -o2 (Debian's optipng)
# reaches on the same pictures, for the generator's five golden maps at 8, 16 and 32 pixels. The times beside
# zlib level 1 come from tiles_bench (BM_MapPngEncoding, BM_PngCompressionChoices).
#
# usage: bench/png_sizes.sh TAVRENNA_MAP_BINARY
set -euo pipefail
tool=$(readlink -f "${1:?usage: png_sizes.sh TAVRENNA_MAP_BINARY}")
maps=$(cd "$(dirname "$0")/../tests/data/generator" && pwd)
command -v optipng >/dev/null || { echo "optipng is missing (apt-get install optipng)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A golden map (a parameter line ending in "tileset N", then rows of hex codes) as a .map file.
python3 - "$maps" "$work" <<'PY'
import pathlib, sys
for text in sorted(pathlib.Path(sys.argv[1]).glob("*.txt")):
    lines = text.read_text().splitlines()
    tileset = int(lines[0].split()[-1])
    rows = [[int(v, 16) for v in line.split()] for line in lines[1:49]]
    image = bytes(rows[y][x] for x in range(48) for y in range(48)) + bytes([tileset * 10, 0])
    (pathlib.Path(sys.argv[2]) / (text.stem + ".map")).write_bytes(image)
PY

printf '%-20s %5s %10s %10s %7s\n' map edge ours optipng ratio
for edge in 8 16 32; do
  total_ours=0 total_opt=0
  for map in "$work"/*.map; do
    name=$(basename "$map" .map)
    "$tool" render "$map" --edge "$edge" -o "$work/$name-$edge.png"
    cp "$work/$name-$edge.png" "$work/$name-$edge-opt.png"
    optipng -quiet -o2 "$work/$name-$edge-opt.png"
    ours=$(stat -c %s "$work/$name-$edge.png") opt=$(stat -c %s "$work/$name-$edge-opt.png")
    total_ours=$((total_ours + ours)) total_opt=$((total_opt + opt))
    printf '%-20s %5s %10s %10s %6.2fx\n' "$name" "$edge" "$ours" "$opt" "$(echo "$ours / $opt" | bc -l)"
  done
  printf '%-20s %5s %10s %10s %6.2fx\n' "all five" "$edge" "$total_ours" "$total_opt" "$(echo "$total_ours / $total_opt" | bc -l)"
done
