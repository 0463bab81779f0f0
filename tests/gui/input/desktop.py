"""A real desktop for the desktop program: a virtual X server with a window manager, the program
started in a throw-away copy of its run-time folder, and input sent as a person sends it (XTest
events through xdotool), with the program's windows read back as pixels.

Nothing here waits a fixed time where a condition can be waited for: windows, focus and an idle
event loop (a _NET_WM_PING answered) are all polled with a deadline.
"""

import ctypes
import ctypes.util
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time


class DesktopError(Exception):
    pass


def wait_for(condition, timeout, what, interval=0.05):
    """Polls condition() until it returns something true, and returns that; raises past timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DesktopError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Image:
    """A window's pixels as xwd reads them (3 or 4 bytes a pixel, blue-green-red first)."""

    def __init__(self, width, height, stride, pixels, size=4):
        self.width, self.height, self.stride, self.pixels = width, height, stride, pixels
        self.size = size

    def rgb(self, x, y):
        k = y * self.stride + self.size * x
        return self.pixels[k + 2], self.pixels[k + 1], self.pixels[k]

    def region(self, left, top, right, bottom):
        """The bytes of a rectangle (right and bottom excluded), to compare two pictures."""
        rows = []
        for y in range(top, bottom):
            start = y * self.stride + self.size * left
            rows.append(self.pixels[start:start + self.size * (right - left)])
        return b"".join(rows)

    def save_png(self, path):
        import zlib

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data)))
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for x in range(self.width):
                raw += bytes(self.rgb(x, y))
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(raw))))
            f.write(chunk(b"IEND", b""))


def parse_xwd(data):
    header = struct.unpack(">25I", data[:100])
    header_size, depth, width, height = header[0], header[3], header[4], header[5]
    bits_per_pixel, stride, colours = header[11], header[12], header[19]
    if depth != 24 or bits_per_pixel not in (24, 32) or header[7] != 0:
        raise DesktopError(f"xwd: unexpected pixel format (depth {depth}, {bits_per_pixel} bpp)")
    start = header_size + 12 * colours
    return Image(width, height, stride, data[start:start + stride * height], bits_per_pixel // 8)


class _Pinger:
    """Learns whether a window's event loop is running: over a connection of its own it starts a
    drag-and-drop exchange that carries no data (enter, position, leave), and the program's answer
    to the position (a status: no drop here) comes only from its event loop."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    CLIENT_MESSAGE = 33
    XDND_VERSION = 5

    def __init__(self, display):
        x = ctypes.CDLL(ctypes.util.find_library("X11"))
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XCreateSimpleWindow.restype = ctypes.c_ulong
        x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                          ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # A window that vanished between two looks is not an error worth dying for.
        self.on_error = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda display, error: 0)
        x.XSetErrorHandler.argtypes = [ctypes.c_void_p]
        x.XSetErrorHandler(self.on_error)
        self.x = x
        self.dpy = x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise DesktopError(f"cannot open display {display}")
        atom = lambda name: x.XInternAtom(self.dpy, name, 0)
        self.enter, self.position = atom(b"XdndEnter"), atom(b"XdndPosition")
        self.status, self.leave = atom(b"XdndStatus"), atom(b"XdndLeave")
        self.copy = atom(b"XdndActionCopy")
        self.source = x.XCreateSimpleWindow(self.dpy, x.XDefaultRootWindow(self.dpy), 0, 0, 1, 1,
                                            0, 0, 0)
        self.event = (ctypes.c_long * 24)()

    def send(self, window, kind, *data):
        message = self.ClientMessage(type=self.CLIENT_MESSAGE, window=window, message_type=kind,
                                     format=32)
        message.data[0] = self.source
        for k, value in enumerate(data, start=1):
            message.data[k] = value
        ctypes.memmove(self.event, ctypes.byref(message), ctypes.sizeof(message))
        self.x.XSendEvent(self.dpy, window, 0, 0, self.event)

    def answered(self, window, timeout):
        """True when the window's program answers within timeout seconds."""
        self.send(window, self.enter, self.XDND_VERSION << 24)
        self.send(window, self.position, 0, 0, 0, self.copy)
        self.x.XFlush(self.dpy)
        deadline = time.monotonic() + timeout
        answered = False
        while not answered and time.monotonic() < deadline:
            while not answered and self.x.XPending(self.dpy):
                self.x.XNextEvent(self.dpy, self.event)
                reply = self.ClientMessage.from_buffer(self.event)
                answered = (reply.type == self.CLIENT_MESSAGE and
                            reply.message_type == self.status and reply.data[0] == window)
            if not answered:
                time.sleep(0.01)
        self.send(window, self.leave)
        self.x.XSync(self.dpy, 0)
        return answered

    def close(self):
        self.x.XCloseDisplay(self.dpy)


class Desktop:
    """Xvfb with the openbox window manager on a free display number."""

    def __init__(self, width=1280, height=1024):
        self.size = (width, height)
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.xvfb.kill()
            raise DesktopError("Xvfb did not start")
        self.display = ":" + number.decode()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.home = tempfile.mkdtemp(prefix="plumora-desktop-")
        self.env.update(HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"))
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(self._wm_ready, 20, "the window manager")
        self.pinger = _Pinger(self.display)

    def _wm_ready(self):
        out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        return "window id" in out

    def run(self, command, check=True):
        r = subprocess.run(command, env=self.env, capture_output=True, text=True)
        if check and r.returncode != 0:
            raise DesktopError(f"{' '.join(command)} failed: {r.stderr.strip()}")
        return r.stdout

    def xdotool(self, *args):
        return self.run(["xdotool", *[str(a) for a in args]])

    # --- Input, as a person gives it -----------------------------------------------------------
    def click(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", "--sync", x, y, "click", "--repeat", repeat, "--delay", 80,
                     button)

    def key(self, *keys):
        for k in keys:
            self.xdotool("key", "--clearmodifiers", k)

    def type_text(self, text):
        self.xdotool("type", "--delay", 20, "--", text)  # text may begin with a dash

    def drag(self, x0, y0, x1, y1, button=1):
        self.xdotool("mousemove", "--sync", x0, y0, "mousedown", button,
                     "mousemove", "--sync", (x0 + x1) // 2, (y0 + y1) // 2,
                     "mousemove", "--sync", x1, y1, "mouseup", button)

    # --- Windows --------------------------------------------------------------------------------
    def windows(self, pid):
        """The visible top-level windows of a process, as X ids."""
        r = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                            "--name", ""], env=self.env, capture_output=True, text=True)
        return [int(w) for w in r.stdout.split()]

    def name(self, window):
        return self.run(["xdotool", "getwindowname", str(window)], check=False).strip()

    def active_window(self):
        r = subprocess.run(["xdotool", "getactivewindow"], env=self.env, capture_output=True,
                           text=True)
        return int(r.stdout) if r.returncode == 0 and r.stdout.strip() else 0

    def geometry(self, window):
        """(left, top, width, height) of a window on the screen."""
        out = self.run(["xwininfo", "-id", str(window)])
        values = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
        return tuple(int(values[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y",
                                               "Width", "Height"))

    def capture(self, window, timeout=5):
        """The window's pixels. While the window manager is still framing a new window, xwd can
        meet a frame that is gone by the time it asks: it is asked again."""
        def attempt():
            r = subprocess.run(["xwd", "-silent", "-id", str(window)], env=self.env,
                               capture_output=True)
            if r.returncode != 0:
                attempt.error = r.stderr.decode(errors="replace")
                return None
            return r.stdout
        attempt.error = ""
        try:
            return parse_xwd(wait_for(attempt, timeout, f"a picture of window {window}"))
        except DesktopError as error:
            raise DesktopError(f"{error}: {attempt.error}") from None

    def answers(self, window, timeout=5.0):
        return self.pinger.answered(window, timeout)

    def close(self):
        self.pinger.close()
        for p in (self.wm, self.xvfb):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
        shutil.rmtree(self.home, ignore_errors=True)


def copy_run_folder(data, graphics, target):
    """The program's run-time folder, copied so that nothing the program does reaches the
    original: the tables, models and examples of data/, and the generated start-up pictures."""
    shutil.copytree(data, target, ignore=shutil.ignore_patterns("graphics"))
    shutil.copytree(graphics, os.path.join(target, "graphics"))


class Program:
    """The desktop program running on a Desktop in a folder of its own."""

    def __init__(self, desktop, program, data, graphics, arguments=(), wrapper=(), env=None):
        """wrapper: a command the program is started under, or a function of the program's
        folder that gives one."""
        self.desktop = desktop
        self.folder = tempfile.mkdtemp(prefix="plumora-run-")
        self.data = os.path.join(self.folder, "data")
        copy_run_folder(data, graphics, self.data)
        self.home = os.path.join(self.folder, "home")
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(self.home)
        os.makedirs(runtime, mode=0o700)
        # An empty PATH and no print server: whatever the program is asked to do, it can start
        # no other program and reach no printer.
        empty_bin = os.path.join(self.folder, "bin")
        os.makedirs(empty_bin)
        self.env = dict(desktop.env, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_DATA_HOME=os.path.join(self.home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(self.home, ".cache"),
                        XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", PATH=empty_bin,
                        CUPS_SERVER=os.path.join(self.folder, "no-cups.sock"),
                        BROWSER="/bin/false", QT_ACCESSIBILITY="0", NO_AT_BRIDGE="1")
        self.env.pop("PRINTER", None)
        self.env.pop("SESSION_MANAGER", None)
        if env:
            self.env.update(env)
        self.log_path = os.path.join(self.folder, "program.log")
        self.log = open(self.log_path, "wb")
        if callable(wrapper):
            wrapper = wrapper(self.folder)
        self.process = subprocess.Popen([*wrapper, program, *arguments], cwd=self.data,
                                        env=self.env, stdout=self.log, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        self.main = 0

    @property
    def pid(self):
        return self.process.pid

    def alive(self):
        return self.process.poll() is None

    def output(self):
        self.log.flush()
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")

    def wait_main_window(self, title_start="plumora", timeout=30):
        def found():
            if not self.alive():
                raise DesktopError(f"the program ended ({self.process.returncode}) before showing "
                                   f"its window:\n{self.output()}")
            for w in self.desktop.windows(self.pid):
                if self.desktop.name(w).startswith(title_start + " - "):
                    return w
            return 0
        self.main = wait_for(found, timeout, "the main window")
        wait_for(lambda: self.desktop.active_window() == self.main, timeout,
                 "the main window to take the focus")
        # Started means: the splash gone, and the window where the window manager keeps it.
        wait_for(lambda: not self.other_windows(), timeout, "the start-up picture to go")
        self.idle()
        wait_for(self._settled, timeout, "the main window to settle")
        return self.main

    def _settled(self):
        before = self.desktop.geometry(self.main)
        self.idle()
        return self.desktop.geometry(self.main) == before

    def idle(self, timeout=10.0):
        """Waits until the program's event loop has handled everything sent so far."""
        self.check_alive()
        if not self.desktop.answers(self.main, timeout):
            self.check_alive()
            raise DesktopError(f"the program's event loop did not answer within {timeout} s")

    def other_windows(self):
        return [w for w in self.desktop.windows(self.pid) if w != self.main]

    def wait_dialog(self, timeout=15):
        """The window that opens above the main window and takes the focus."""
        def opened():
            self.check_alive()
            active = self.desktop.active_window()
            return active if active and active != self.main and active in self.other_windows() \
                else 0
        return wait_for(opened, timeout, "a dialog to open")

    def wait_closed(self, window, timeout=15):
        def closed():
            self.check_alive()
            return window not in self.desktop.windows(self.pid)
        wait_for(closed, timeout, f"window {window} to close")

    def check_alive(self):
        if not self.alive():
            raise DesktopError(f"the program died ({describe_status(self.process.returncode)}):\n"
                               f"{self.output()}")

    def stop(self):
        if self.alive():
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        self.log.close()

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def describe_status(code):
    if code is None:
        return "still running"
    if code < 0:
        return f"killed by {signal.Signals(-code).name}"
    if code > 128:
        return f"status {code} ({signal.Signals(code - 128).name}?)"
    return f"status {code}"
