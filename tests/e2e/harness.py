"""Drives the real program under Wine on the test display, as a user would:
real keys and clicks through xdotool, what is on screen through ImageMagick,
window facts through the probe program."""

import json
import os
import subprocess
import time

EXE = os.environ["TOLVAREN_EXE"]
PROBE = os.environ["TOLVAREN_PROBE"]
ARTIFACTS = os.environ.get("TOLVAREN_ARTIFACTS", "/tmp/tolvaren-e2e")
SCREEN = (1920, 1080)
NULL = "00000000"  # a null handle as the probe prints it

WS_VISIBLE = 0x10000000
WS_CHILD = 0x40000000
WS_CLIPSIBLINGS = 0x04000000
WS_CLIPCHILDREN = 0x02000000
WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_DISABLED = 0x08000000
WS_TABSTOP = 0x00010000
WS_EX_WINDOWEDGE = 0x00000100
BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | 0x2000 | 0x0C00 | 0x0300

SILVER_OUTLINE = (0x00, 0x3C, 0x74)
SILVER_LIGHT = (0xC6, 0xC5, 0xD7)


def gbk_hex(text):
    return text.encode("gbk").hex().upper()


def wait_for(condition, timeout=10.0, step=0.1):
    """The condition's first true value, or None once the time is up."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            return None
        time.sleep(step)


def probe(*args):
    out = subprocess.run(["wine", PROBE, *args], capture_output=True, text=True,
                         timeout=30, check=True).stdout
    return json.loads(out) if out.strip() else None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=30)


def key(*names):
    xdotool("key", "--delay", "60", *names)


def click(x, y):
    xdotool("mousemove", str(x), str(y), "click", "1")


def park_mouse():
    xdotool("mousemove", "5", str(SCREEN[1] - 5))


def settle(seconds=0.4):
    """Lets the program handle what was sent and paint."""
    time.sleep(seconds)


class Screenshot:
    """The whole screen, saved as PNG under the artifacts folder."""

    def __init__(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.path = os.path.join(ARTIFACTS, name + ".png")
        subprocess.run(["import", "-window", "root", self.path], check=True, timeout=30)
        raw = subprocess.run(["convert", self.path, "-depth", "8", "rgb:-"],
                             capture_output=True, check=True, timeout=30).stdout
        self.width, self.height = SCREEN
        assert len(raw) == self.width * self.height * 3, "screen is not 1920x1080"
        self.raw = raw

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])


def near(got, want, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(got, want))


class Program:
    """One run of tolvaren.exe; always ended again when the block leaves."""

    def __init__(self, *args):
        self.args = args
        self.process = None

    def __enter__(self):
        if probe("window")["found"]:
            raise AssertionError("a main window is already open")
        self.process = subprocess.Popen(["wine", EXE, *self.args], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        # Up when the window is shown with its focus placed.
        shown = wait_for(lambda: self._shown(), timeout=30)
        if not shown:
            raise AssertionError("the main window did not appear")
        settle(0.6)
        return self

    def _shown(self):
        w = probe("window")
        return w if w["found"] and w["visible"] and w["focus"] != NULL else None

    def window(self):
        return probe("window")

    def boxes(self):
        return probe("boxes")

    def exit_code(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        wait_for(lambda: not probe("window")["found"], timeout=10)
        return False


def control(window, index_from_top):
    return window["controls"][index_from_top]


def screen_rect(window, ctl):
    """A control's rect in screen coordinates."""
    cx, cy = window["client"][0], window["client"][1]
    l, t, r, b = ctl["rect"]
    return (cx + l, cy + t, cx + r, cy + b)


def centre(rect):
    return ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
