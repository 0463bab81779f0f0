"""A seeded random-input soak of the desktop program ("monkey"): clicks, right-clicks, drags,
double-clicks, keys and typed text anywhere over the main window and over whatever dialog or menu
is open, on a throw-away copy of the run-time folder.

    monkey.py PROGRAM DATA_FOLDER GRAPHICS_FOLDER [--events N] [--seed S] [--mission FILE]

A crash, a sanitizer report or an event loop that does not answer within 5 s ends the soak with
status 1, the seed and the last events. The program leaving normally (Exit, the last window
closed) is restarted and counted. The same seed gives the same sequence of events.

The program cannot harm the machine: it runs in a mount namespace where everything but its
temporary folder is read-only, with no PATH (it can start no other program) and no print server.
Where no such namespace can be made the soak refuses to run (status 77, a skip for CTest).
"""

import argparse
import collections
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, DesktopError, Program, describe_status  # noqa: E402

BLOCKED_SECONDS = 5.0
SKIP = 77
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "ERROR: UndefinedBehaviorSanitizer")

# Everything but the program's folder read-only; then the program itself.
GUARD = r"""
set -e
folder="$1"; shift
program_path="$PATH"
PATH=/usr/sbin:/usr/bin:/sbin:/bin
mount --make-rprivate /
mount --bind "$folder" "$folder"
while read -r _ _ _ _ point _; do
  point=$(printf '%b' "$point")
  case "$point" in "$folder") continue ;; esac
  mount -o remount,bind,ro "$point" 2>/dev/null || [ "$point" != / ] || exit 90
done < /proc/self/mountinfo
PATH="$program_path"
exec "$@"
"""

KEYS = ["Return", "Escape", "Tab", "shift+Tab", "space", "Up", "Down", "Left", "Right", "Home",
        "End", "Prior", "Next", "Delete", "BackSpace", "F1", "F2", "F5", "F10", "Menu",
        "ctrl+a", "ctrl+c", "ctrl+v", "ctrl+x", "ctrl+z", "ctrl+y", "ctrl+n", "ctrl+o", "ctrl+s",
        "ctrl+p", "ctrl+w", "ctrl+F4", "alt+F4", "alt+f", "alt+v", "alt+i", "alt+o", "alt+t",
        "alt+w", "alt+h", "alt+c", "alt+a", "alt+n", "alt+s", "alt+Down", "shift+Down",
        "shift+End", "ctrl+Home", "ctrl+End", "plus", "minus", "KP_Add", "KP_Subtract"]
# Text a person might type into a field, and some they should not: never a path separator or a
# home folder, so that no typed name points a file outside the program's folder.
TEXT_PIECES = ["0", "1", "7", "42", "-3", "1e9", "1e-9", "0.5", "3,5", "1e308", "-1e308", "nan",
               "inf", "99999999999999999999", "abc", "Name", " ", "x" * 40, "é", "€", "Ω", "日本",
               "\t", "%s", "%n", "'", "\"", "<>", "&", "|", ";", "*", "?", "#", ":"]


def guard_prefix():
    """How to start a guarded program here, or None where no guard can be made."""
    probe_folder = tempfile.mkdtemp(prefix="plumora-guard-")
    try:
        unshare_program = shutil.which("unshare")
        if not unshare_program:
            return None
        for unshare in ([unshare_program, "--mount"],
                        [unshare_program, "--mount", "--map-root-user"]):
            command = [*unshare, "/bin/sh", "-c", GUARD, "guard", probe_folder]
            try:
                outside = subprocess.run([*command, "/usr/bin/touch", "/plumora-guard-probe"],
                                         capture_output=True, timeout=20)
                inside = subprocess.run([*command, "/usr/bin/touch", probe_folder + "/probe"],
                                        capture_output=True, timeout=20)
            except (OSError, subprocess.TimeoutExpired):
                continue
            if outside.returncode != 0 and inside.returncode == 0:
                return unshare
            if outside.returncode == 0:
                os.remove("/plumora-guard-probe")
        return None
    finally:
        shutil.rmtree(probe_folder, ignore_errors=True)


class Monkey:
    def __init__(self, desktop, args):
        self.desktop = desktop
        self.args = args
        self.random = random.Random(args.seed)
        self.last = collections.deque(maxlen=args.history)
        self.events = 0
        self.restarts = 0
        self.program = None
        # The program has no PATH: the sanitizers are told where their symbolizer is.
        self.sanitizer_env = {"ASAN_OPTIONS": "halt_on_error=1:detect_leaks=0",
                              "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1"}
        symbolizer = shutil.which("llvm-symbolizer") or shutil.which("llvm-symbolizer-14")
        if symbolizer:
            self.sanitizer_env["ASAN_SYMBOLIZER_PATH"] = symbolizer
            self.sanitizer_env["UBSAN_SYMBOLIZER_PATH"] = symbolizer
        self.prefix = guard_prefix()
        if self.prefix is None:
            print("monkey: no read-only mount namespace can be made here (unshare --mount, as "
                  "root or in a user namespace): not run", file=sys.stderr)
            raise SystemExit(SKIP)

    def start(self):
        prefix = self.prefix
        self.program = Program(
            self.desktop, self.args.program, self.args.data, self.args.graphics,
            [self.args.mission],
            wrapper=lambda folder: [*prefix, "/bin/sh", "-c", GUARD, "guard", folder],
            env=self.sanitizer_env)

    # --- Events ------------------------------------------------------------------------------
    def target(self):
        """The window the next event goes to: the program's focused window (a dialog or a menu
        when one is open), else its main window, else any window of it."""
        mine = self.desktop.windows(self.program.pid)
        active = self.desktop.active_window()
        popups = [w for w in mine if w != self.program.main and w != active]
        choices = [w for w in [active] if w in mine] + popups
        if not choices:
            choices = mine
        return self.random.choice(choices) if choices else 0

    def point_in(self, window):
        try:
            x, y, w, h = self.desktop.geometry(window)
        except DesktopError:
            return None
        sw, sh = self.desktop.size
        left, top = max(0, x), max(0, y)
        right, bottom = min(sw - 1, x + w - 1), min(sh - 1, y + h - 1)
        if right < left or bottom < top:
            return None
        return self.random.randint(left, right), self.random.randint(top, bottom)

    def one_event(self):
        window = self.target()
        point = self.point_in(window) if window else None
        kind = self.random.choices(
            ["click", "right", "double", "drag", "key", "text"],
            weights=[30, 8, 10, 8, 28, 16])[0]
        if point is None and kind in ("click", "right", "double", "drag"):
            kind = "key"
        d = self.desktop
        if kind == "click":
            self.note(f"click {point}")
            d.click(*point)
        elif kind == "right":
            self.note(f"right-click {point}")
            d.click(*point, button=3)
        elif kind == "double":
            self.note(f"double-click {point}")
            d.click(*point, repeat=2)
        elif kind == "drag":
            end = self.point_in(window) or point
            self.note(f"drag {point} -> {end}")
            d.drag(*point, *end)
        elif kind == "key":
            key = self.random.choice(KEYS)
            self.note(f"key {key}")
            d.key(key)
        else:
            text = "".join(self.random.choice(TEXT_PIECES)
                           for _ in range(self.random.randint(1, 3)))
            self.note(f"type {text!r}")
            d.type_text(text)

    def note(self, what, event=True):
        self.events += event
        self.last.append(f"#{self.events}: {what}" if event else f"    {what}")

    # --- Watching ----------------------------------------------------------------------------
    def trouble(self):
        """What went wrong, or None; restarts a program that left normally."""
        output = self.program.output()
        for mark in SANITIZER_MARKS:
            if mark in output:
                self.let_the_report_finish()
                return f"sanitizer report ({mark})"
        if not self.program.alive():
            code = self.program.process.returncode
            if code == 0:
                self.restart()
                return None
            return f"the program died ({describe_status(code)})"
        if not self.desktop.answers(self.program.main, BLOCKED_SECONDS):
            if not self.program.alive():
                return self.trouble()
            return f"the event loop did not answer for {BLOCKED_SECONDS} s"
        return None

    def let_the_report_finish(self, timeout=120):
        """The sanitizer writes its report, with the stack, before it ends the program."""
        try:
            self.program.process.wait(timeout)
        except subprocess.TimeoutExpired:
            pass

    def restart(self):
        self.note("(the program left normally: restarted)", event=False)
        self.restarts += 1
        self.program.stop()
        self.program.remove()
        self.launch()

    def launch(self):
        self.start()
        self.program.wait_main_window(timeout=120)

    def run(self):
        self.launch()
        while self.events < self.args.events:
            try:
                self.one_event()
            except DesktopError as error:
                self.note(f"(input not delivered: {error})", event=False)
            problem = self.trouble()
            if problem:
                return self.report(problem)
            if self.events % 500 == 0:
                print(f"monkey: {self.events} events, {self.restarts} restarts", flush=True)
        print(f"monkey: seed {self.args.seed}: {self.events} events, {self.restarts} restarts, "
              "no finding")
        return 0

    def report(self, problem):
        print(f"monkey: FAILED with seed {self.args.seed} after {self.events} events "
              f"({self.restarts} restarts): {problem}")
        print("monkey: the last events:")
        for line in self.last:
            print("  " + line)
        print("monkey: the program's output:")
        print(self.program.output()[-20000:])
        return 1

    def close(self):
        if self.program:
            self.program.stop()
            self.program.remove()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("data")
    parser.add_argument("graphics")
    parser.add_argument("--events", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--mission", default=os.path.join("examples", "earth-return.psd"))
    parser.add_argument("--history", type=int, default=40)
    args = parser.parse_args()
    desktop = Desktop()
    monkey = Monkey(desktop, args)
    started = time.monotonic()
    try:
        status = monkey.run()
    finally:
        monkey.close()
        desktop.close()
    print(f"monkey: {time.monotonic() - started:.0f} s")
    return status


if __name__ == "__main__":
    sys.exit(main())
