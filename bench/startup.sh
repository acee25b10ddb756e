#!/usr/bin/env bash
# Start-up of the editor against a bare Qt window (bench/bare_window.cpp, from the same Qt), measured from
# outside under Xvfb, runs interleaved so that machine noise hits both alike: the time from exec to the
# first window being mapped and to its first paint, and the resident memory 1 s after mapping.
#
# usage: bench/startup.sh BUILD_DIR [RUNS]          (default 15 runs of each; the lead's figure: 3 x 15)
#
# Method: an X listener (bench/window_watch.c), set up before the program starts, gets a damage object on
# every new top-level window and records the MapNotify of the program's first window (_NET_WM_PID) and the
# first damage to it. The start time is taken in the child right before exec; settings and runtime folders
# are fresh for every run. Needs xvfb, xdotool, libx11-dev, libxdamage-dev, gcc (scripts/install-deps.sh).
set -euo pipefail
build=$(readlink -f "${1:?usage: startup.sh BUILD_DIR [RUNS]}")
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
editor=$build/ui/TavrennaMapEditor
bare=$build/bench/bare_window
for program in "$editor" "$bare"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrenna-startup.XXXX")
gcc -O2 -Wall -o "$work/window_watch" "$here/window_watch.c" -lX11 -lXdamage

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
# An idle client keeps the server from resetting between runs.
sleep 1
DISPLAY=$display xdotool sleep 100000 >/dev/null 2>&1 & idle=$!
trap 'kill $idle $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

one_run() {  # $1 = program -> prints "mapped_s first_paint_s rss_kib" or "NA NA NA"
  local dir; dir=$(mktemp -d "$work/run.XXXX"); mkdir -p "$dir/home" "$dir/runtime"; chmod 700 "$dir/runtime"
  mkfifo "$dir/fifo"
  DISPLAY=$display "$work/window_watch" "$dir/pid" 1.0 30 >"$dir/fifo" 2>/dev/null & local watcher=$!
  local fd line
  exec {fd}<"$dir/fifo"
  read -r -u "$fd" line  # READY
  ( echo "$EPOCHREALTIME" >"$dir/t0"
    HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config XDG_RUNTIME_DIR=$dir/runtime DISPLAY=$display \
      DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent exec "$1" ) >/dev/null 2>&1 &
  local pid=$!; echo "$pid" >"$dir/pid"
  cat <&"$fd" >"$dir/out"; exec {fd}<&-
  wait "$watcher" || true
  kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
  python3 - "$dir" <<'PY'
import re, sys
d = sys.argv[1]
t0 = float(open(d + "/t0").read())
m = re.search(r"RESULT mapped=(\S+) first_paint=(\S+) rss_kib=(\S+)", open(d + "/out").read())
print("%.4f %.4f %s" % (float(m.group(1)) - t0, float(m.group(2)) - t0, m.group(3)) if m else "NA NA NA")
PY
  rm -rf "$dir"
}

one_run "$editor" >/dev/null; one_run "$bare" >/dev/null  # warm the page cache
for _ in $(seq 1 "$runs"); do
  one_run "$editor" >>"$work/editor.txt"
  one_run "$bare" >>"$work/bare.txt"
done
python3 - "$work/editor.txt" "$work/bare.txt" <<'PY'
import os, statistics, sys
def medians(path):
    rows = [line.split() for line in open(path) if "NA" not in line]
    return [statistics.median(float(r[k]) for r in rows) for k in range(3)], len(rows)
(e, ne), (b, nb) = medians(sys.argv[1]), medians(sys.argv[2])
print("load average %.2f %.2f %.2f" % os.getloadavg())
print("                         editor (n=%d)   bare Qt window (n=%d)   ratio" % (ne, nb))
print("exec -> window mapped    %8.3f s      %8.3f s               %.2fx" % (e[0], b[0], e[0] / b[0]))
print("exec -> first paint      %8.3f s      %8.3f s               %.2fx" % (e[1], b[1], e[1] / b[1]))
print("resident memory at +1 s  %8.1f MiB    %8.1f MiB             %.2fx" % (e[2] / 1024, b[2] / 1024, e[2] / b[2]))
PY
