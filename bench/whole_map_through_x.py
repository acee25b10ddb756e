#!/usr/bin/env python3
"""Whole-map actions as the user feels them: the editor driven through a real X server (Xvfb) by key presses,
beside the floor of any editor (bench/floor_window.cpp: a bare Qt widget of the edit window's visible size
that copies a 32-pixel map picture and paints what shows on each press).

For every press the CPU of the program and of the X server, all threads, is read from
/proc/PID/task/*/schedstat before the key and after the program has gone idle again; a press's net cost is
that minus the median cost of a key the same program does nothing with (pressed in the same run). Presses of
the editor, the floor and the unbound keys are interleaved, so that load on the machine hits them alike.
Each row prints the editor's net CPU per press over the floor's, as the median over the rounds.

Method (fixed): Xvfb 1280 x 1024 x 24, fresh settings, a generated map, the preview minimised (as the editor
starts), the edit window at 32-pixel tiles; the floor window as large as the edit window's visible map.

usage: bench/whole_map_through_x.py BUILD_DIR [--rounds 3] [--presses 60] [--only NAME ...]
Needs xvfb and xdotool (scripts/install-deps.sh).
"""
import argparse
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

UNBOUND = "Pause"  # a key of the keyboard map that neither program binds (a key outside the map would make
# xdotool change the map, which every client then reads again)
FLOOR_KEY = "space"

# One row: the keys that bring the editor to the action (untimed), the timed key, and the keys that bring it
# back (untimed). A whole-map action has three rows: the action, its undo and its redo.
def undoable(name, before, key, after=()):
    before, after = list(before), list(after)
    return [
        (name, before, key, ["ctrl+z"] + after),
        (name + " undo", before + [key], "ctrl+z", after),
        (name + " redo", before + [key, "ctrl+z"], "ctrl+y", ["ctrl+z"] + after),
    ]

ROWS = (
    undoable("tile-set switch", [], "alt+2")
    + [("scale switch 32 -> 8", [], "ctrl+3", ["ctrl+1"]), ("scale switch 8 -> 32", ["ctrl+3"], "ctrl+1", [])]
    + undoable("map shift", [], "shift+Down")
    + undoable("shape (Ctrl+F)", ["ctrl+g"], "ctrl+f", ["ctrl+z"])
    + undoable("unshape (Ctrl+G)", [], "ctrl+g")
    # The whole map copied, shifted, and pasted back in place: every cell changes.
    + undoable("paste 48 x 48", ["ctrl+a", "ctrl+c", "Escape", "shift+Down"], "ctrl+shift+v", ["ctrl+z"])
)


def symmetrize_rows(menu_steps):
    """対称にする in left-right mode (F6 once; five more bring the modes round to none again): the Edit menu
    opened and walked to the item by keys, its dialog opened, and the dialog's OK by Return timed."""
    to_dialog = ["F6", "alt+e"] + ["Down"] * menu_steps + ["Return"]
    return undoable("対称にする", to_dialog, "Return", ["F6"] * 5)


def cpu_ns(pids):
    total = 0
    for pid in pids:
        for stat in glob.glob("/proc/%d/task/*/schedstat" % pid):
            try:
                total += int(open(stat).read().split()[0])
            except (OSError, ValueError, IndexError):
                pass  # a thread that ended
    return total


def settle(pids, quiet_ns=100_000, step=0.005, quiet_steps=4, limit=5.0):
    """Waits until the programs have used less than quiet_ns of CPU in each of quiet_steps polls running."""
    last = cpu_ns(pids)
    quiet = 0
    end = time.monotonic() + limit
    while quiet < quiet_steps and time.monotonic() < end:
        time.sleep(step)
        now = cpu_ns(pids)
        quiet = quiet + 1 if now - last < quiet_ns else 0
        last = now


class Program:
    def __init__(self, display, env, command, xvfb_pid):
        self.display = display
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pids = [self.process.pid, xvfb_pid]
        out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(self.process.pid)],
                             env={"DISPLAY": display}, capture_output=True, text=True, timeout=60).stdout.split()
        self.window = out[0]
        settle(self.pids)

    def key(self, key):
        subprocess.run(["xdotool", "key", key], env={"DISPLAY": self.display}, check=True)

    def timed(self, key):
        """The CPU of one press of `key` until the programs are idle again, in ns."""
        settle(self.pids)
        before = cpu_ns(self.pids)
        subprocess.run(["xdotool", "key", key], env={"DISPLAY": self.display}, check=True)
        settle(self.pids)
        return cpu_ns(self.pids) - before

    def focus(self):
        subprocess.run(["xdotool", "windowfocus", "--sync", self.window], env={"DISPLAY": self.display}, check=True)
        settle(self.pids)

    def stop(self):
        self.process.kill()
        self.process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--presses", type=int, default=60)
    parser.add_argument("--only", nargs="*", help="rows whose names start with these")
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    editor_binary = os.path.join(build, "ui", "TavrennaMapEditor")
    floor_binary = os.path.join(build, "bench", "floor_window")
    ui_bench = os.path.join(build, "bench", "ui_bench")
    tool = os.path.join(build, "tools", "tavrenna-map", "tavrenna-map")
    for binary in (editor_binary, floor_binary, ui_bench, tool):
        if not os.access(binary, os.X_OK):
            sys.exit("missing %s: build it first" % binary)

    work = tempfile.mkdtemp(prefix="tavrenna-through-x.")
    display = ":%d" % (200 + os.getpid() % 100)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    programs = []
    try:
        time.sleep(1)

        def fresh_env(name):
            home = os.path.join(work, name)
            os.makedirs(os.path.join(home, "runtime"), mode=0o700)
            return {"PATH": os.environ["PATH"], "HOME": home, "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                    "XDG_RUNTIME_DIR": os.path.join(home, "runtime"), "DISPLAY": display,
                    "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent", "LANG": "C.UTF-8"}

        map_path = os.path.join(work, "generated.map")
        subprocess.run([tool, "generate", "-o", map_path, "--seed", "7"], check=True, capture_output=True)
        layout = subprocess.run([ui_bench, "--edit-viewport"], env=fresh_env("layout"), check=True,
                                capture_output=True, text=True).stdout.split()
        size, menu_steps = layout[:2], int(layout[2])
        rows = [r for r in ROWS + symmetrize_rows(menu_steps)
                if not options.only or any(r[0].startswith(o) for o in options.only)]
        editor = Program(display, fresh_env("editor"), [editor_binary, map_path], xvfb.pid)
        programs.append(editor)
        editor.key("ctrl+1")
        floor = Program(display, fresh_env("floor"), [floor_binary] + size, xvfb.pid)
        programs.append(floor)
        print("load average %.2f %.2f %.2f; edit window's visible map %s x %s; %d rounds x %d presses"
              % (os.getloadavg() + tuple(size) + (options.rounds, options.presses)))

        ratios = {row[0]: [] for row in rows}
        nets = {row[0]: [] for row in rows}
        floors = []
        for _ in range(options.rounds):
            spent = {row[0]: [] for row in rows}
            editor_idle, floor_press, floor_idle = [], [], []
            for _ in range(options.presses):
                for name, before, key, after in rows:
                    # The one Return opens 対称にする's dialog, which takes the focus; the next answers it, and a
                    # closed dialog leaves the focus nowhere when no window manager runs, so the main window
                    # gets it back before the next key.
                    dialog_open = False
                    editor.focus()
                    for step, k in enumerate(before + [key] + after):
                        if step == len(before):
                            spent[name].append(editor.timed(k))
                        else:
                            editor.key(k)
                        if k == "Return":
                            dialog_open = not dialog_open
                            if not dialog_open:
                                editor.focus()
                    editor_idle.append(editor.timed(UNBOUND))
                floor.focus()
                floor_press.append(floor.timed(FLOOR_KEY))
                floor_idle.append(floor.timed(UNBOUND))
            floor_net = statistics.median(floor_press) - statistics.median(floor_idle)
            floors.append(floor_net)
            for name in spent:
                net = statistics.median(spent[name]) - statistics.median(editor_idle)
                nets[name].append(net)
                ratios[name].append(net / floor_net)
        print("%-28s %12s %12s %8s" % ("action", "editor ms", "floor ms", "x floor"))
        for name in ratios:
            print("%-28s %12.2f %12.2f %7.2fx" % (name, statistics.median(nets[name]) / 1e6,
                                                   statistics.median(floors) / 1e6, statistics.median(ratios[name])))
        print("load average %.2f %.2f %.2f" % os.getloadavg())
    finally:
        for program in programs:
            program.stop()
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
