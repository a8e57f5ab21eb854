"""Clipboard, windows and messages through the helper wintool.exe (a mixin of Session).

    find_windows(title=None, cls=None) -> [Window]     top-level windows, exact title / class match
    list_windows() -> [Window]
    window_rect(hwnd) -> (left, top, right, bottom)
    post(hwnd, msg, wparam=0, lparam=0)                 PostMessageW
    send(hwnd, msg, wparam=0, lparam=0) -> int          SendMessageTimeoutW (10 s)
    clipboard_formats() -> [(id, name)]                 has_clipboard_format(id_or_name) -> bool
    clipboard_bitmap() -> PIL.Image | None              CF_BITMAP (or CF_DIB), exact pixels
    clipboard_text() -> bytes | None                    CF_TEXT bytes, no terminating zero
    clipboard_unicode() -> str | None                   CF_UNICODETEXT
    set_clipboard_text(text)   set_clipboard_bitmap(image)   clear_clipboard()
    hold_clipboard(seconds) -> App                      keeps the clipboard open (busy-clipboard tests)
A Window has hwnd, pid (Windows process id), visible, rect (l, t, r, b), xid (X window or 0), cls, title,
and .centre.  Message numbers: WM_COMMAND, WM_HOTKEY, WM_CLOSE … are constants of this module.
"""
import io
import os
import tempfile
from dataclasses import dataclass

from PIL import Image

from .paths import windows_path

WM_CLOSE = 0x0010
WM_KEYDOWN = 0x0100
WM_CHAR = 0x0102
WM_COMMAND = 0x0111
WM_TIMER = 0x0113
WM_HOTKEY = 0x0312
WM_USER = 0x0400

CF_IDS = {"CF_TEXT": 1, "CF_BITMAP": 2, "CF_OEMTEXT": 7, "CF_DIB": 8, "CF_UNICODETEXT": 13,
          "CF_LOCALE": 16, "CF_DIBV5": 17}


@dataclass
class Window:
    hwnd: int
    pid: int
    visible: bool
    rect: tuple
    xid: int
    cls: str
    title: str

    @property
    def centre(self):
        l, t, r, b = self.rect
        return ((l + r) // 2, (t + b) // 2)

    @property
    def size(self):
        l, t, r, b = self.rect
        return (r - l, b - t)

    @staticmethod
    def parse(line):
        hwnd, pid, visible, rect, xid, cls, title = line.split("\t", 6)
        return Window(int(hwnd, 16), int(pid), visible == "1", tuple(int(v) for v in rect.split()),
                      int(xid, 16), cls, title)


class WintoolMixin:
    def wintool(self, *args, timeout=20):
        """Runs wintool.exe to its end; returns (exit code, stdout text)."""
        return self.run_exe("wintool.exe", [str(a) for a in args], timeout=timeout)

    def _windows(self, *args):
        code, out = self.wintool(*args)
        return [Window.parse(line) for line in out.splitlines() if line.count("\t") >= 6] if code == 0 else []

    def find_windows(self, title=None, cls=None):
        args = ["find-window"]
        if cls is not None:
            args += ["--class", cls]
        if title is not None:
            args += ["--title", title]
        return self._windows(*args)

    def list_windows(self):
        return self._windows("list-windows")

    def window_rect(self, hwnd):
        code, out = self.wintool("window-rect", hex(hwnd))
        return tuple(int(v) for v in out.split("\t")[0].split()) if code == 0 else None

    def post(self, hwnd, msg, wparam=0, lparam=0):
        code, out = self.wintool("post", hex(hwnd), msg, wparam, lparam)
        assert code == 0, f"post failed: {out}"

    def send(self, hwnd, msg, wparam=0, lparam=0):
        code, out = self.wintool("send", hex(hwnd), msg, wparam, lparam)
        assert code == 0, f"send failed: {out}"
        return int(out.strip())

    def clipboard_formats(self):
        code, out = self.wintool("clip-formats")
        if code != 0:
            return []
        return [(int(i), name) for i, name in (line.split("\t", 1) for line in out.splitlines() if "\t" in line)]

    def has_clipboard_format(self, fmt):
        want = CF_IDS.get(fmt, fmt) if isinstance(fmt, str) else fmt
        return any(i == want or name == fmt for i, name in self.clipboard_formats())

    def _clip_to_file(self, command, suffix):
        fd, path = tempfile.mkstemp(suffix=suffix, dir=self.dir)
        os.close(fd)
        try:
            code, _ = self.wintool(command, windows_path(path))
            if code != 0:
                return None
            with open(path, "rb") as f:
                return f.read()
        finally:
            os.unlink(path)

    def clipboard_bitmap(self):
        data = self._clip_to_file("clip-bitmap", ".bmp")
        if data is None:
            return None
        image = Image.open(io.BytesIO(data))
        image.load()
        return image.convert("RGB")

    def clipboard_text(self):
        return self._clip_to_file("clip-text", ".bin")

    def clipboard_unicode(self):
        data = self._clip_to_file("clip-unicode", ".bin")
        return None if data is None else data.decode("utf-16-le")

    def set_clipboard_bitmap(self, image):
        """Puts a PIL image on the clipboard as CF_BITMAP (through a 24-bit BMP file)."""
        fd, path = tempfile.mkstemp(suffix=".bmp", dir=self.dir)
        os.close(fd)
        try:
            image.convert("RGB").save(path, "BMP")
            code, out = self.wintool("clip-set-bitmap", windows_path(path))
        finally:
            os.unlink(path)
        assert code == 0, f"clip-set-bitmap failed: {out}"

    def set_clipboard_text(self, text):
        code, out = self.wintool("clip-set-text", text)
        assert code == 0, f"clip-set-text failed: {out}"

    def clear_clipboard(self):
        code, out = self.wintool("clip-clear")
        assert code == 0, f"clip-clear failed: {out}"

    def hold_clipboard(self, seconds):
        app = self.launch("wintool.exe", ["clip-hold", str(seconds)])
        self.wait_for(lambda: "held" in app.output() or not app.running, timeout=10, what="clipboard held")
        return app
