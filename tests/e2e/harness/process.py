"""A Windows program started under Wine by a Session.

    App.pid, App.exe, App.args
    App.running -> bool               App.exit_code -> int|None (None while running)
    App.wait_exit(timeout=10) -> int  the exit code; WaitTimeout if it still runs
    App.stop()                        SIGKILL by PID (what the harness started, nothing else)
    App.output() -> str               what the program wrote to stdout and stderr so far
"""
import os
import signal
import subprocess

from .waits import WaitTimeout


class App:
    def __init__(self, popen, exe, args, log_path):
        self._popen = popen
        self.pid = popen.pid
        self.exe = exe
        self.args = list(args)
        self.log_path = log_path

    @property
    def running(self):
        return self._popen.poll() is None

    @property
    def exit_code(self):
        return self._popen.poll()

    def wait_exit(self, timeout=10.0):
        try:
            return self._popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise WaitTimeout(f"{os.path.basename(self.exe)} (pid {self.pid}) still runs after {timeout:.1f}s")

    def stop(self):
        if self._popen.poll() is None:
            try:
                os.kill(self.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        try:
            self._popen.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass

    def output(self):
        try:
            with open(self.log_path, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def __repr__(self):
        state = "running" if self.running else f"exited {self.exit_code}"
        return f"<App {os.path.basename(self.exe)} pid={self.pid} {state}>"
