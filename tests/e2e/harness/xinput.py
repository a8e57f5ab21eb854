"""Mouse and keyboard through xdotool on the session's display (a mixin of Session).

    mouse_move(x, y)                   click(x, y, button=1, repeat=1, delay_ms=80)
    mouse_down(button=1)               mouse_up(button=1)
    drag((x0, y0), (x1, y1), steps=10, button=1, step_delay=0.02)   down, moves in steps, up
    key(*keys, window=None)            e.g. key("ctrl+a"), key("Return"); window = X window id
    type_text(text, window=None, delay_ms=30)
    focus(xwindow)                     windowfocus --sync (keys then reach that window)
    x_windows(name) -> [int]           X windows whose title matches the regular expression
Keys go to the X window under the pointer unless a window is given or focused first.
"""
import subprocess
import time


class InputMixin:
    def xdotool(self, *args, timeout=15, check=True):
        return subprocess.run(["xdotool", *[str(a) for a in args]], env=self.display_env(),
                              capture_output=True, text=True, timeout=timeout, check=check)

    def mouse_move(self, x, y):
        self.xdotool("mousemove", "--sync", int(x), int(y))

    def click(self, x=None, y=None, button=1, repeat=1, delay_ms=80):
        if x is not None:
            self.mouse_move(x, y)
        self.xdotool("click", "--repeat", repeat, "--delay", delay_ms, button)

    def mouse_down(self, button=1):
        self.xdotool("mousedown", button)

    def mouse_up(self, button=1):
        self.xdotool("mouseup", button)

    def drag(self, start, end, steps=10, button=1, step_delay=0.02):
        self.mouse_move(*start)
        self.mouse_down(button)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i / steps
            y = start[1] + (end[1] - start[1]) * i / steps
            self.mouse_move(round(x), round(y))
            time.sleep(step_delay)  # pacing for the program's mouse handling, not a synchronisation
        self.mouse_up(button)

    def key(self, *keys, window=None):
        target = ["--window", window] if window else []
        self.xdotool("key", *target, *keys)

    def type_text(self, text, window=None, delay_ms=30):
        target = ["--window", window] if window else []
        self.xdotool("type", *target, "--delay", delay_ms, text)

    def focus(self, xwindow):
        self.xdotool("windowfocus", "--sync", xwindow)

    def x_windows(self, name):
        out = self.xdotool("search", "--name", name, check=False).stdout
        return [int(line) for line in out.split()]
