"""Session: a private X screen and Wine server for end-to-end tests, and everything started on them.

    s = Session(name="t", screen="1920x1080x24", compositor=False); s.open() ... s.close()
    (or `with Session(...) as s:`; tests get one from the `session` fixture in tests/e2e/conftest.py)

    Setting up   open(): Xvfb -displayfd (a free display), a copy of the project's Wine prefix with a
                 private HOME (tools/clone-prefix.sh), `wineserver -p`, optionally xcompmgr.
                 s.display (":N"), s.prefix, s.home, s.dir (the session's scratch folder), s.width, s.height
    Programs     exe(name) -> path or None (see paths.find_exe);  require(name) -> path, else pytest.skip
                 launch(name_or_path, args=(), cwd=None, env=None) -> App (running; see process.py)
                 run_exe(name_or_path, args=(), timeout=30) -> (exit code, stdout text)
                 stop(app=None): kills by PID one App, or every App this session started
    Waits        (all bounded; each raises WaitTimeout, an AssertionError, naming what it waited for)
                 wait_for(probe, timeout, interval, what)           any condition
                 wait_window(title=None, cls=None, visible=True, timeout=15) -> Window
                 wait_window_gone(title=None, cls=None, timeout=10)
                 wait_exit(app, timeout=10) -> exit code
                 wait_pixel(x, y, colour, tolerance=8, timeout=10)
                 wait_stable(box=None, quiet=0.5, timeout=10) -> Image       a region stops changing
                 wait_file(path, min_size=1, timeout=10)
                 wait_clipboard_format(fmt, timeout=10)                 fmt: id or "CF_BITMAP" …
    Screen       screenshot(label=None) -> PIL Image of the screen (kept for failure artefacts)
                 grab(box=None) / crop(box) -> Image of (left, top, right, bottom), not kept
                 pixel(x, y) -> (r, g, b)            (XGetImage through xgrab.py; `import` as fallback)
    Input        see xinput.py (mouse_move, click, drag, key, type_text, focus …)
    Windows      see wintool.py (find_windows, post, send, clipboard_* …)
    Teardown     close(): stops every App by PID, `wineserver -k`, kills xcompmgr and Xvfb by PID and
                 removes s.dir with the prefix copy.  save_artifacts(folder) writes the recent screenshots, a final
                 one, the window list, each program's output and the *.log / *.txt files in s.dir.
"""
import os
import select
import shlex
import shutil
import subprocess
import time
from collections import deque

from . import paths, screen, xgrab
from .process import App
from .waits import WaitTimeout, wait_until
from .wintool import WintoolMixin
from .xinput import InputMixin

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"
_counter = 0


class ExeMissing(Exception):
    pass


def _source_prefix():
    prefix = os.environ.get("CAPTURO_SOURCE_PREFIX") or os.path.join(paths.BUILD, "wine", "prefix")
    if not os.path.isfile(os.path.join(prefix, "system.reg")):
        raise RuntimeError(f"no Wine prefix at {prefix}: run tools/setup.sh")
    return prefix


class Session(InputMixin, WintoolMixin):
    def __init__(self, name="session", screen="1920x1080x24", compositor=False):
        global _counter
        _counter += 1
        self.name = name
        self.screen = screen
        self.width, self.height = (int(v) for v in screen.split("x")[:2])
        self.compositor = compositor
        self.dir = os.path.join(paths.work_dir(), f"{os.getpid()}-{_counter}-{name}"[:80])
        self.display = None
        self.prefix = self.home = None
        self.apps = []
        self.recent = deque(maxlen=6)  # (label, image) of the latest screenshots
        self._xvfb = self._compmgr = None
        self._env = None
        self._grabber = None

    # ---- setting up and tearing down ------------------------------------------------------------

    def __enter__(self):
        self.open()
        return self

    def __exit__(self, *exc):
        self.close()

    def open(self):
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(os.path.join(self.dir, "logs"))
        try:
            self._start_xvfb()
            self._clone_prefix()
            self._env = self._wine_env()
            subprocess.run([WINESERVER, "-p"], env=self._env, check=True, timeout=30)
            if self.compositor:
                self._compmgr = subprocess.Popen(["xcompmgr"], env=self.display_env(),
                                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except BaseException:
            self.close()
            raise
        return self

    def _start_xvfb(self, attempts=3):
        # Xvfb servers of other jobs start and stop at the same time; a display that does not
        # answer with our screen size is not ours, so start again.
        for _ in range(attempts):
            self._launch_xvfb()
            if self._display_answers():
                return
            self._stop_xvfb()
        raise RuntimeError(f"no working Xvfb display after {attempts} attempts")

    def _launch_xvfb(self):
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Read up to the newline: Xvfb dies of a broken pipe when the reader goes before it.
        data, deadline = b"", time.monotonic() + 15
        try:
            while not data.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], 0.5)
                chunk = os.read(read_end, 64) if ready else b""
                if ready and not chunk:
                    break
                data += chunk
        finally:
            os.close(read_end)
        number = data.decode().strip()
        self.display = ":" + number if number else None

    def _display_answers(self, timeout=5.0):
        def answers():
            if self._xvfb.poll() is not None:
                return "exited"
            done = subprocess.run(["xdotool", "getdisplaygeometry"], env=dict(os.environ, DISPLAY=self.display),
                                  capture_output=True, text=True, timeout=15)
            return done.returncode == 0 and done.stdout.split() == [str(self.width), str(self.height)]
        if not self.display:
            return False
        try:
            return wait_until(answers, timeout, 0.1, f"Xvfb {self.display}") is True
        except WaitTimeout:
            return False

    def _stop_xvfb(self):
        # SIGTERM lets Xvfb remove its lock file and socket, so the display number is free again.
        if self._xvfb and self._xvfb.poll() is None:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()
                self._xvfb.wait(timeout=10)

    def _clone_prefix(self):
        env = dict(os.environ, WINEPREFIX=_source_prefix())
        env.pop("CAPTURO_WINE_HOME", None)
        out = subprocess.run([os.path.join(paths.TOOLS, "clone-prefix.sh"), os.path.join(self.dir, "wine")],
                             env=env, capture_output=True, text=True, check=True, timeout=300).stdout
        for word in shlex.split(out.strip().splitlines()[-1])[1:]:
            key, value = word.split("=", 1)
            if key == "WINEPREFIX":
                self.prefix = value
            elif key == "CAPTURO_WINE_HOME":
                self.home = value

    def _wine_env(self):
        """The environment of tools/wine-env.sh for this session's prefix, home and display."""
        env = dict(os.environ, WINEPREFIX=self.prefix, CAPTURO_WINE_HOME=self.home)
        script = f"source {shlex.quote(os.path.join(paths.TOOLS, 'wine-env.sh'))} && env -0"
        out = subprocess.run(["bash", "-c", script], env=env, capture_output=True, check=True, timeout=30).stdout
        result = dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)
        result["DISPLAY"] = self.display
        return result

    def display_env(self):
        return dict(self._env or os.environ, DISPLAY=self.display)

    def close(self):
        self.stop()
        if self._grabber:
            self._grabber.close()
            self._grabber = None
        if self._env:
            subprocess.run([WINESERVER, "-k"], env=self._env, capture_output=True, timeout=30)
            subprocess.run([WINESERVER, "-w"], env=self._env, capture_output=True, timeout=30)
            self._env = None
        if self._compmgr and self._compmgr.poll() is None:
            self._compmgr.kill()
            self._compmgr.wait(timeout=10)
        self._stop_xvfb()
        self._compmgr = self._xvfb = None
        shutil.rmtree(self.dir, ignore_errors=True)  # failure artefacts were copied out before

    # ---- programs -------------------------------------------------------------------------------

    def exe(self, name):
        if os.path.isabs(name) or os.sep in name:
            return name if os.path.isfile(name) else None
        return paths.find_exe(name)

    def require(self, name):
        path = self.exe(name)
        if path is None:
            import pytest
            pytest.skip(f"{name} is not built yet (searched {', '.join(paths.exe_search_dirs())})")
        return path

    def launch(self, name, args=(), cwd=None, env=None):
        """Starts a program and keeps it in self.apps (stopped at teardown, its output in the artefacts)."""
        app = self._spawn(name, args, cwd, env, f"{len(self.apps):02d}")
        self.apps.append(app)
        return app

    def run_exe(self, name, args=(), timeout=30, cwd=None, env=None):
        """Runs a short program (wintool and the like) to its end; returns (exit code, output)."""
        app = self._spawn(name, args, cwd, env, "run")
        try:
            code = app.wait_exit(timeout)
        finally:
            app.stop()
            output = app.output()
            os.unlink(app.log_path)
        return code, output

    def _spawn(self, name, args, cwd, env, tag):
        path = self.exe(name)
        if path is None:
            raise ExeMissing(f"{name} not found in {paths.exe_search_dirs()}")
        global _counter
        _counter += 1
        log = os.path.join(self.dir, "logs", f"{tag}-{_counter:04d}-{os.path.basename(path)}.log")
        with open(log, "wb") as out:
            popen = subprocess.Popen([WINE, path, *[str(a) for a in args]], cwd=cwd or os.path.dirname(path),
                                     env=dict(self._env, **(env or {})), stdin=subprocess.DEVNULL,
                                     stdout=out, stderr=subprocess.STDOUT)
        return App(popen, path, args, log)

    def stop(self, app=None):
        for a in ([app] if app else self.apps):
            a.stop()

    def forget_finished(self):
        """Drops the record of programs that have ended (a shared session between tests)."""
        self.apps = [a for a in self.apps if a.running]

    # ---- waits ----------------------------------------------------------------------------------

    def wait_for(self, probe, timeout=10.0, interval=0.1, what="condition"):
        return wait_until(probe, timeout=timeout, interval=interval, what=what)

    def wait_window(self, title=None, cls=None, visible=True, timeout=15.0):
        def probe():
            found = [w for w in self.find_windows(title=title, cls=cls) if w.visible or not visible]
            return found[0] if found else None
        return wait_until(probe, timeout, 0.2, f"a window title={title!r} class={cls!r}")

    def wait_window_gone(self, title=None, cls=None, timeout=10.0):
        wait_until(lambda: not [w for w in self.find_windows(title=title, cls=cls) if w.visible],
                   timeout, 0.2, f"no visible window title={title!r} class={cls!r}")

    def wait_exit(self, app, timeout=10.0):
        return app.wait_exit(timeout)

    def wait_pixel(self, x, y, colour, tolerance=8, timeout=10.0):
        state = {}

        def probe():
            state["got"] = self.grab((x, y, x + 1, y + 1)).getpixel((0, 0))
            return screen.colour_close(state["got"], colour, tolerance)
        try:
            wait_until(probe, timeout, 0.05, f"pixel ({x},{y}) ~ {screen.as_rgb(colour)}")
        except WaitTimeout as e:
            self.screenshot(f"wait_pixel_{x}_{y}")
            raise WaitTimeout(f"{e}; it is {state.get('got')}") from None

    def wait_stable(self, box=None, quiet=0.5, timeout=10.0):
        """Waits until the box (or the screen) stops changing; returns a full screenshot."""
        state = {"last": None, "since": None}

        def probe():
            part = self.grab(box).tobytes()
            now = time.monotonic()
            if part != state["last"]:
                state["last"], state["since"] = part, now
                return False
            return now - state["since"] >= quiet
        try:
            wait_until(probe, timeout, 0.05, f"region {box} stable for {quiet}s")
        finally:
            shot = self.screenshot("wait_stable")
        return shot

    def wait_file(self, path, min_size=1, timeout=10.0):
        wait_until(lambda: os.path.isfile(path) and os.path.getsize(path) >= min_size, timeout, 0.1,
                   f"file {path} with at least {min_size} bytes")

    def wait_clipboard_format(self, fmt, timeout=10.0):
        wait_until(lambda: self.has_clipboard_format(fmt), timeout, 0.2, f"clipboard format {fmt}")

    # ---- screen ---------------------------------------------------------------------------------

    def grab(self, box=None):
        """The screen or the box (left, top, right, bottom) as an RGB image, not kept."""
        if xgrab.available():
            if self._grabber is None:
                self._grabber = xgrab.XGrabber(self.display)
            return self._grabber.grab(box)
        image = screen.grab(self.display_env())
        return image.crop(box) if box else image

    def screenshot(self, label=None):
        """The whole screen, kept among the recent ones that a failing test leaves behind."""
        image = self.grab()
        self.recent.append((label or "screenshot", image))
        return image

    def pixel(self, x, y):
        return self.grab((x, y, x + 1, y + 1)).getpixel((0, 0))

    def crop(self, box):
        return self.grab(box)

    # ---- failure artefacts ----------------------------------------------------------------------

    def save_artifacts(self, folder):
        os.makedirs(folder, exist_ok=True)
        for i, (label, image) in enumerate(self.recent):
            image.save(os.path.join(folder, f"{i:02d}-{label}.png"))
        try:
            if self._xvfb and self._xvfb.poll() is None:
                self.screenshot("final").save(os.path.join(folder, "final.png"))
                with open(os.path.join(folder, "windows.txt"), "w") as f:
                    f.write("\n".join(repr(w) for w in self.list_windows()))
        except Exception as e:  # artefacts are best effort; the test has failed already
            with open(os.path.join(folder, "artefact-errors.txt"), "w") as f:
                f.write(repr(e))
        for app in self.apps:
            shutil.copy(app.log_path, folder)
        for name in os.listdir(self.dir):  # logs and notes that the test's programs wrote
            if name.endswith((".log", ".txt")) and os.path.isfile(os.path.join(self.dir, name)):
                shutil.copy(os.path.join(self.dir, name), os.path.join(folder, "session-" + name))
