"""Bounded polling waits.

    wait_until(probe, timeout=10, interval=0.1, what="...") -> the first truthy value probe() returns
    WaitTimeout (an AssertionError) when the time runs out; its message names `what` and the last value.
"""
import time


class WaitTimeout(AssertionError):
    pass


def wait_until(probe, timeout=10.0, interval=0.1, what="condition"):
    """Calls probe() until it returns something truthy; never longer than `timeout` seconds."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise WaitTimeout(f"timed out after {timeout:.1f}s waiting for {what} (last: {last!r})")
        time.sleep(interval)
