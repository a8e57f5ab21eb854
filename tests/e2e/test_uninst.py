"""The installer and Uninst.exe under Wine: a silent install, the two-stage start, the confirmation
window, the three wizard pages and what the removal takes away or leaves behind.

Every test has its own prefix copy and HOME (registry, shortcuts and files change). The wizard's
buttons are clicked at their places in the skins (main.xml 360x180, uninst.xml 600x400).
"""
import os
import stat
import subprocess

import pytest

from harness import ROOT, colour_close, paths
from harness.session import WINE

SETUP = "CapturoSetup-win64.exe"
PRODUCT_FILES = ("Capturo.exe", "textsight.dll", "Uninst.exe")
KEYS = (r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Capturo",
        r"HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\Capturo.exe")
TITLE = "卸载-Capturo"

# Client points of the buttons (the windows are borderless: window and client rectangles agree).
BTN_OK = (182, 146)
BTN_CANCEL = (274, 146)
CANCEL_FACE = (244, 146)  # teal beside the label, once the window has painted
BTN_GOONUSER = (165, 320)
BTN_NEXT = (434, 320)
BTN_OVER = (300, 316)
PROGRESS_BAR = (60, 375)
TEAL = (25, 157, 155)
BAR_TRACK = (222, 236, 236)
BAR_FILL = (44, 184, 181)

pytestmark = pytest.mark.wine_session(fresh=True)


def find_setup():
    for folder in paths.exe_search_dirs() + [os.path.join(ROOT, "dist")]:
        path = os.path.join(folder, SETUP)
        if os.path.isfile(path):
            return path
    pytest.skip(f"{SETUP} is not built")


class Install:
    """Where the installer puts things in a session's prefix (Unix paths)."""

    def __init__(self, session):
        drive_c = os.path.join(session.prefix, "drive_c")
        self.folder = os.path.join(drive_c, "Program Files", "Capturo")
        self.uninst = os.path.join(self.folder, "Uninst.exe")
        users = os.path.join(drive_c, "users")
        self.profile = os.path.join(users, [u for u in os.listdir(users) if u != "Public"][0])
        self.start_menu = os.path.join(self.profile, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                       "Programs", "Capturo")
        self.temp = os.path.join(self.profile, "Temp")
        if not os.path.isdir(self.temp):
            self.temp = os.path.join(self.profile, "AppData", "Local", "Temp")
        self.shortcuts = [os.path.join(self.start_menu, "Capturo.lnk"),
                          os.path.join(self.start_menu, "VellumdocCapturo.lnk"),
                          os.path.join(session.home, "Desktop", "Capturo.lnk")]


def key_exists(session, key):
    done = subprocess.run([WINE, "reg", "query", key], env=session.display_env(), capture_output=True, timeout=60)
    return done.returncode == 0


def uninst_processes(session):
    """Command lines (argument lists) of this session's running Uninst.exe processes."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if f"WINEPREFIX={session.prefix}".encode() not in f.read().split(b"\0"):
                    continue
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                argv = [a.decode("utf-8", "replace") for a in f.read().split(b"\0") if a]
        except OSError:
            continue
        if argv and argv[0].lower().endswith("uninst.exe"):
            found.append(argv)
    return found


@pytest.fixture
def installed(session):
    session.require("wintool.exe")
    code, output = session.run_exe(find_setup(), ["/S"], timeout=120)
    assert code == 0, output
    install = Install(session)
    session.wait_for(lambda: all(os.path.isfile(s) for s in install.shortcuts), timeout=20, what="three shortcuts")
    return install


def add_plugin_files(install, count):
    """Enough files that the progress page stays up for a while after the worker's first second."""
    plugins = os.path.join(install.folder, "plugins")
    for i in range(count):
        folder = os.path.join(plugins, f"p{i // 20}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, f"f{i}.dat"), "w") as f:
            f.write("x")


def click_in(session, window, point):
    left, top, _, _ = window.rect
    session.click(left + point[0], top + point[1])


def centred_window(session, cls, size):
    """The window once it stands centred on the screen, as both windows place themselves."""
    w, h = size
    left, top = (session.width - w) // 2, (session.height - h) // 2

    def probe():
        found = [x for x in session.find_windows(title=TITLE, cls=cls) if x.visible]
        return found[0] if found and found[0].rect == (left, top, left + w, top + h) else None
    return session.wait_for(probe, timeout=30, interval=0.2, what=f"{cls} centred at {size}")


def start_uninstaller(session, install):
    """Stage 1 from the installation folder, up to the confirmation window of the temporary copy."""
    first = session.launch(install.uninst)
    assert first.wait_exit(30) == 0
    return centred_window(session, "main_wnd", (360, 180))


def wait_painted(session, confirmation):
    left, top, _, _ = confirmation.rect
    session.wait_pixel(left + CANCEL_FACE[0], top + CANCEL_FACE[1], TEAL, tolerance=40, timeout=30)


def wait_uninst_ended(session, timeout=20):
    session.wait_for(lambda: not uninst_processes(session), timeout=timeout, what="Uninst.exe has ended")


def open_wizard(session, install, confirmation=None):
    confirmation = confirmation or start_uninstaller(session, install)
    wait_painted(session, confirmation)
    click_in(session, confirmation, BTN_OK)
    wizard = centred_window(session, "uninst_wnd", (600, 400))
    session.wait_window_gone(cls="main_wnd")
    return wizard


def save_page(session, wizard, name):
    """Keeps a picture of a page for people to look at (build/e2e-artifacts/uninst-pages)."""
    session.screenshot(name).crop(wizard.rect).save(os.path.join(paths.artifacts_dir("uninst-pages"), name + ".png"))


def remove_everything(session, install, save_pages=False, confirmation=None):
    wizard = open_wizard(session, install, confirmation)
    left, top, _, _ = wizard.rect
    session.wait_pixel(left + BTN_NEXT[0], top + BTN_NEXT[1], TEAL, tolerance=40, timeout=30)
    if save_pages:
        save_page(session, wizard, "0-choice")
    click_in(session, wizard, BTN_NEXT)
    # The worker turns to the progress page, then waits a second before removing anything.
    session.wait_pixel(left + PROGRESS_BAR[0], top + PROGRESS_BAR[1], BAR_TRACK, tolerance=30, timeout=20)
    if save_pages:
        save_page(session, wizard, "1-progress")
    # The bar fills from the left while the files go; a quick removal may reach the finish first.
    bar, finish = (left + PROGRESS_BAR[0], top + PROGRESS_BAR[1]), (left + BTN_OVER[0], top + BTN_OVER[1])

    def filling_or_finished():
        if colour_close(session.grab((*bar, bar[0] + 1, bar[1] + 1)).getpixel((0, 0)), BAR_FILL, 30):
            return "filling"
        return "finished" if colour_close(session.grab((*finish, finish[0] + 1, finish[1] + 1)).getpixel((0, 0)),
                                          TEAL, 40) else None
    if session.wait_for(filling_or_finished, timeout=120, interval=0.05, what="the bar filling") == "filling" \
            and save_pages:
        save_page(session, wizard, "1-progress")
    session.wait_pixel(left + BTN_OVER[0], top + BTN_OVER[1], TEAL, tolerance=40, timeout=120)
    if save_pages:
        save_page(session, wizard, "2-finish")
    click_in(session, wizard, BTN_OVER)
    session.wait_window_gone(cls="uninst_wnd")
    wait_uninst_ended(session)


def test_round_trip_leaves_nothing_behind(session, installed):
    for name in PRODUCT_FILES:
        assert os.path.isfile(os.path.join(installed.folder, name))
    assert all(key_exists(session, key) for key in KEYS)
    add_plugin_files(installed, 400)

    confirmation = start_uninstaller(session, installed)
    # Stage 1 started the copy in the temporary folder with the installed path as one argument:
    # the path holds a space, so it was quoted.
    running = uninst_processes(session)
    assert len(running) == 1 and len(running[0]) == 2, running
    assert running[0][0].lower().endswith(r"\temp\uninst.exe")
    assert running[0][1] == r"C:\Program Files\Capturo\Uninst.exe"
    assert os.path.isfile(os.path.join(installed.temp, "Uninst.exe"))
    wait_painted(session, confirmation)
    save_page(session, confirmation, "confirm")
    remove_everything(session, installed, save_pages=True, confirmation=confirmation)

    assert not os.path.exists(installed.folder)
    assert not any(os.path.exists(s) for s in installed.shortcuts)
    assert not os.path.exists(installed.start_menu)
    assert not any(key_exists(session, key) for key in KEYS)


@pytest.mark.parametrize("how", ["继续使用", "Esc", "取消"])
def test_keeping_the_program_removes_nothing(session, installed, how):
    if how == "继续使用":
        wizard = open_wizard(session, installed)
        session.wait_pixel(wizard.rect[0] + BTN_GOONUSER[0], wizard.rect[1] + BTN_GOONUSER[1], TEAL, tolerance=40,
                           timeout=30)
        click_in(session, wizard, BTN_GOONUSER)
    else:
        confirmation = start_uninstaller(session, installed)
        wait_painted(session, confirmation)
        if how == "Esc":
            session.key("Escape", window=str(confirmation.xid))
        else:
            click_in(session, confirmation, BTN_CANCEL)
    wait_uninst_ended(session)
    assert not session.find_windows(cls="uninst_wnd")
    for name in PRODUCT_FILES:
        assert os.path.isfile(os.path.join(installed.folder, name))
    assert all(os.path.isfile(s) for s in installed.shortcuts)
    assert all(key_exists(session, key) for key in KEYS)


def test_enter_does_nothing_and_esc_stops_the_removal_part_way(session, installed):
    add_plugin_files(installed, 1500)
    wizard = open_wizard(session, installed)
    left, top, _, _ = wizard.rect
    session.wait_pixel(left + BTN_NEXT[0], top + BTN_NEXT[1], TEAL, tolerance=40, timeout=30)
    session.key("Return", window=str(wizard.xid))
    click_in(session, wizard, BTN_NEXT)
    session.wait_pixel(left + PROGRESS_BAR[0], top + PROGRESS_BAR[1], BAR_TRACK, tolerance=30, timeout=20)
    assert session.find_windows(cls="uninst_wnd"), "Enter closed the wizard"
    session.key("Escape", window=str(wizard.xid))
    wait_uninst_ended(session)
    # The process ended before the worker reached the shortcuts and the keys.
    assert all(os.path.isfile(s) for s in installed.shortcuts)
    assert all(key_exists(session, key) for key in KEYS)


def test_what_stays_and_what_goes(session, installed):
    folder = installed.folder
    read_only = os.path.join(folder, "readonly-note.txt")
    with open(read_only, "w") as f:
        f.write("read only\n")
    os.chmod(read_only, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    cache = os.path.join(folder, "data", ".cache")
    os.makedirs(cache)
    with open(os.path.join(cache, "keep.bin"), "w") as f:
        f.write("cache\n")
    with open(os.path.join(folder, "data", "gone.txt"), "w") as f:
        f.write("gone\n")
    outside = os.path.join(session.home, "outside")
    os.makedirs(os.path.join(outside, "empty"))
    for name in ("precious.txt", "also.txt"):
        with open(os.path.join(outside, name), "w") as f:
            f.write(name)
    os.symlink(outside, os.path.join(folder, "linked-folder"))
    os.symlink(os.path.join(outside, "empty"), os.path.join(folder, "linked-empty"))
    os.symlink(os.path.join(outside, "precious.txt"), os.path.join(folder, "linked-file.txt"))
    busy = os.path.join(folder, "busy.dat")
    with open(busy, "w") as f:
        f.write("in use\n")
    holder = session.launch(session.require("uninst_hold_file.exe"), [paths.windows_path(busy), "120"])
    session.wait_for(lambda: "holding" in holder.output(), timeout=20, what="the file is held open")

    remove_everything(session, installed)

    # The read-only file went by way of the temporary folder.
    assert not os.path.exists(read_only)
    assert os.path.isfile(os.path.join(installed.temp, "readonly-note.txt"))
    # The dot folder stays with its parents, everything else of the tree goes.
    assert os.path.isfile(os.path.join(cache, "keep.bin"))
    assert not os.path.exists(os.path.join(folder, "data", "gone.txt"))
    for name in PRODUCT_FILES:
        assert not os.path.exists(os.path.join(folder, name))
    # Links are never followed: what they point at is untouched.
    assert sorted(os.listdir(outside)) == ["also.txt", "empty", "precious.txt"]
    with open(os.path.join(outside, "precious.txt")) as f:
        assert f.read() == "precious.txt"
    # The held file is in the temporary folder, or stays behind (with ".del" when it was renamed).
    places = [busy, busy + ".del", os.path.join(installed.temp, "busy.dat")]
    assert sum(os.path.exists(p) for p in places) == 1, places
    assert not any(key_exists(session, key) for key in KEYS)


@pytest.mark.parametrize("where", ["Program Files", "drive root"])
def test_refuses_a_folder_it_must_not_remove(session, installed, where):
    drive_c = os.path.join(session.prefix, "drive_c")
    if where == "Program Files":
        folder, argument = os.path.join(drive_c, "Program Files"), "C:\\Program Files\\Uninst.exe"
    else:
        folder, argument = drive_c, "C:\\Uninst.exe"
    planted = os.path.join(folder, "Uninst.exe")
    with open(installed.uninst, "rb") as src, open(planted, "wb") as dst:
        dst.write(src.read())
    before = sorted(os.listdir(folder))
    app = session.launch(installed.uninst, [argument])
    box = session.wait_window(title=TITLE, cls="#32770", timeout=30)
    assert not session.find_windows(cls="main_wnd")
    session.key("Return", window=str(box.xid))
    assert app.wait_exit(20) == 0
    assert sorted(os.listdir(folder)) == before
    assert os.path.isdir(installed.folder)
