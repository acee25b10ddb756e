#!/usr/bin/env python3
"""The CPU one run of tavrenna-map costs, per command, beside `tavrenna-map --version` (the program's start
alone): user + system time of each child from wait4, median over runs interleaved so that machine noise hits
every command alike.

usage: bench/cli_cost.py TAVRENNA_MAP_BINARY [RUNS]        (default 30 runs of each)
"""
import os
import statistics
import subprocess
import sys
import tempfile

tool = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 30
work = tempfile.mkdtemp(prefix="tavrenna-cli-cost.")
maps = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "generator")

# A golden generator map (a parameter line ending in "tileset N", then rows of hex codes) as a .map file.
lines = open(os.path.join(maps, "half_mountains.txt")).read().splitlines()
rows = [[int(v, 16) for v in line.split()] for line in lines[1:49]]
map_path = os.path.join(work, "map.map")
with open(map_path, "wb") as out:
    out.write(bytes(rows[y][x] for x in range(48) for y in range(48)) + bytes([int(lines[0].split()[-1]) * 10, 0]))

commands = {
    "--version": ["--version"],
    "render --size 256": ["render", "--size", "256", map_path, "-o", os.path.join(work, "thumb.png")],
    "render --edge 32": ["render", "--edge", "32", map_path, "-o", os.path.join(work, "big.png")],
    "stats": ["stats", map_path],
}


def cpu_of(arguments):
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execv(tool, [tool] + arguments)
    _, status, usage = os.wait4(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("tavrenna-map %s failed" % " ".join(arguments))
    return usage.ru_utime + usage.ru_stime


for arguments in commands.values():  # once each, so that every file is in the page cache
    cpu_of(arguments)
spent = {name: [] for name in commands}
for _ in range(runs):
    for name, arguments in commands.items():
        spent[name].append(cpu_of(arguments))
start = statistics.median(spent["--version"])
print("load average %.2f %.2f %.2f" % os.getloadavg())
print("%-20s %10s %10s" % ("command", "CPU ms", "x --version"))
for name, times in spent.items():
    median = statistics.median(times)
    print("%-20s %10.2f %9.2fx" % (name, median * 1e3, median / start))
subprocess.run(["rm", "-rf", work])
