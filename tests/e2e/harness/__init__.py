"""End-to-end test harness: Windows programs under Wine on a private Xvfb, driven like a user would.

A Session (session.py) owns one Xvfb display, one copy of the project's Wine prefix with a private
HOME, its wineserver and optionally xcompmgr; it starts programs (process.py: App), waits for
conditions with bounded polls (waits.py), drives mouse and keys with xdotool (xinput.py), takes
screenshots as PIL images (screen.py) and reads the clipboard, finds windows and posts messages
through the helper wintool.exe (wintool.py).  Everything it started is stopped by PID at close().

In tests, use the fixtures of tests/e2e/conftest.py:
    def test_x(session):                      # shared per pytest run: one display, one prefix
        path = session.require("gallery.exe") # skips the test while the program is not built
        app = session.launch(path, ["--log", log])
        w = session.wait_window(title="Gallery")
        session.click(*w.centre)
        session.wait_pixel(10, 10, (255, 0, 0))

    @pytest.mark.wine_session(fresh=True, screen="3840x2160x24", compositor=True)
    def test_y(session): ...                  # a private display and a fresh prefix copy

Programs are looked up by name in $CAPTURO_EXE_DIR, dist/win64, then build/x86_64 (paths.py).
A failing test leaves its screenshots and program output in build/e2e-artifacts/<test name>/.
"""
from .paths import ROOT, BUILD, find_exe, windows_path, exe_search_dirs
from .process import App
from .screen import as_rgb, colour_close
from .session import Session, ExeMissing
from .waits import WaitTimeout, wait_until
from .wintool import Window, WM_CLOSE, WM_COMMAND, WM_HOTKEY, WM_KEYDOWN, WM_CHAR, WM_TIMER, WM_USER

__all__ = ["ROOT", "BUILD", "find_exe", "windows_path", "exe_search_dirs", "App", "as_rgb", "colour_close",
           "Session", "ExeMissing", "WaitTimeout", "wait_until", "Window", "WM_CLOSE", "WM_COMMAND",
           "WM_HOTKEY", "WM_KEYDOWN", "WM_CHAR", "WM_TIMER", "WM_USER"]
