"""Fixtures of the end-to-end tests (the harness itself is documented in harness/__init__.py).

    session      a harness Session for the test. By default one shared per pytest run (one Xvfb,
                 one prefix copy); the test's programs are stopped by PID when it ends.
                 @pytest.mark.wine_session(fresh=True)  a private display and a fresh prefix copy
                 (registry or file changes); screen="WxHxD" or compositor=True imply a private one.
    make_session factory for tests that want more: make_session(screen=..., compositor=...).
    @pytest.mark.needs("gallery.exe", ...)   skips the test before any session starts while one of
                 the programs is not built (session.require(name) does the same from inside a test).
A failed test leaves its screenshots and program output in build/e2e-artifacts/<test id>/.
"""
import os
import shutil
import sys

import pytest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import Session, find_exe, paths  # noqa: E402


def pytest_configure(config):
    config.addinivalue_line(
        "markers", "wine_session(fresh=False, screen='1920x1080x24', compositor=False): the test's own session")
    config.addinivalue_line("markers", "needs(*programs): skip unless every program is built")


def pytest_runtest_setup(item):
    for marker in item.iter_markers("needs"):
        missing = [name for name in marker.args if find_exe(name) is None]
        if missing:
            pytest.skip(f"{', '.join(missing)} not built yet (searched {', '.join(paths.exe_search_dirs())})")


@pytest.hookimpl(hookwrapper=True, tryfirst=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, "report_" + report.when, report)


def _failed(node):
    return any(getattr(getattr(node, "report_" + when, None), "failed", False) for when in ("setup", "call"))


@pytest.fixture(scope="session")
def shared_session():
    s = Session(name="shared")
    s.open()
    yield s
    s.close()


@pytest.fixture
def session(request):
    marker = request.node.get_closest_marker("wine_session")
    options = dict(marker.kwargs) if marker else {}
    private = bool(options.pop("fresh", False) or options)
    shutil.rmtree(paths.artifacts_dir(request.node.nodeid, create=False), ignore_errors=True)  # stale ones of an earlier run
    if private:
        s = Session(name=request.node.name, **options)
        s.open()
    else:
        s = request.getfixturevalue("shared_session")
        s.recent.clear()
        s.apps.clear()
    yield s
    if _failed(request.node):
        s.save_artifacts(paths.artifacts_dir(request.node.nodeid))
    s.stop()
    if private:
        s.close()
    else:
        s.apps.clear()


@pytest.fixture
def make_session(request):
    made = []

    def make(**options):
        s = Session(name=f"{request.node.name}-{len(made)}", **options)
        made.append(s)
        s.open()
        return s
    yield make
    for i, s in enumerate(made):
        if _failed(request.node):
            s.save_artifacts(os.path.join(paths.artifacts_dir(request.node.nodeid), f"session{i}"))
        s.close()
