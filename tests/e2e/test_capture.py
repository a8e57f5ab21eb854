"""Capture sessions of Capturo.exe under Wine: the frozen desktop under its mask, window detection,
region selection with the frame's handles, the size label and magnifier, the ways out of a session,
single instances and resident mode.

The desktop is one full-screen capture_target.exe window (checkerboards) with child windows at known
places, so detection has to descend to the innermost window; every expected pixel is computed from a
screenshot taken before Capturo starts, i.e. from the frozen image.
"""
import time

import pytest

from harness import WM_HOTKEY, colour_close

FRAME = (0x00, 0xAE, 0xFF)
CROSSHAIR = (0x4C, 0xC6, 0xFF)
CAPTURE_CLASS = "UIScrCaptureFrame"
TARGET = (300, 200, 640, 480)          # x, y, w, h of the window to detect
OFF_EDGE = (1700, 900, 400, 300)       # reaches past the right and bottom screen edges


def dim(colour):
    """A pixel under the mask: black at alpha 0x4F over it."""
    return tuple(v * (255 - 0x4F) // 255 for v in colour[:3])


def close(a, b, tol=2):
    return colour_close(a, b, tol)


def pointer(session):
    out = session.xdotool("getmouselocation", "--shell").stdout
    values = dict(line.split("=") for line in out.split())
    return int(values["X"]), int(values["Y"])


def move(session, x, y):
    """xdotool's synchronous move waits for a change, so a move to where the pointer is is skipped."""
    if pointer(session) != (x, y):
        session.mouse_move(x, y)


@pytest.fixture
def desktop(session):
    """The desktop windows and a screenshot of them: what Capturo will freeze."""
    target = session.require("capture_target.exe")
    session.launch(target, ["0", "0", "1920", "1080", "707070"] + [str(v) for v in TARGET] + ["20C040"] +
                   [str(v) for v in OFF_EDGE] + ["C04020"])
    session.wait_window(title="capture target")
    move(session, 1000, 1070)
    session.wait_pixel(TARGET[0] + 1, TARGET[1] + 1, (0x20, 0xC0, 0x40), tolerance=0)
    return session.wait_stable(timeout=30)


class Capture:
    """One Capturo process and what the tests ask of it."""

    def __init__(self, session, desk, args=()):
        self.s = session
        self.desk = desk
        self.app = session.launch(session.require("Capturo.exe"), list(args))
        self.window = session.wait_window(cls=CAPTURE_CLASS, timeout=60)
        session.wait_for(lambda: self.shows_mask(10, 60), timeout=60, what="the dimmed desktop")

    def shows_mask(self, x, y):
        return close(self.s.pixel(x, y), dim(self.desk.getpixel((x, y))))

    def shows_desktop(self, x, y):
        return close(self.s.pixel(x, y), self.desk.getpixel((x, y)), 1)

    def wait_frame_on(self, rect, what="the detection frame"):
        """A 4-pixel frame in #00AEFF inside `rect`, the desktop undimmed inside it (the points
        checked keep clear of the magnifier, which sits below and right of the cursor)."""
        l, t, r, b = rect
        self.s.wait_for(lambda: close(self.s.pixel(l + 1, (t + b) // 2), FRAME) and
                        close(self.s.pixel(r - 2, t + 1), FRAME), timeout=10, what=what)
        shot = self.s.screenshot("frame")
        cx, cy = self.pointer()

        def clear(points):  # not under the magnifier panel or its source area
            return [p for p in points if not (cx - 21 <= p[0] < cx + 131 and cy - 15 <= p[1] < cy + 161)]
        for x, y in clear(((l, t), (l + 3, b - 1), (r - 4, t + 2), (r - 1, t + (b - t) // 3))):
            assert close(shot.getpixel((x, y)), FRAME), (x, y)
        for x, y in clear(((l + 4, t + 4), ((l + r) // 2, (t + b) // 2), (r - 5, t + 5), (l + 5, b - 5))):
            assert close(shot.getpixel((x, y)), self.desk.getpixel((x, y)), 1), (x, y)
        for x, y in ((l - 1, t), (l, t - 1)):
            if x >= 0 and y >= 0:
                assert close(shot.getpixel((x, y)), dim(self.desk.getpixel((x, y)))), (x, y)
        return shot

    def pointer(self):
        return pointer(self.s)

    def move(self, x, y):
        move(self.s, x, y)

    def settle_at(self, point):
        """Moves there while selecting and waits for the detection pass that the move starts to end:
        its last step repaints the magnifier beside the pointer (its crosshair), and a window found
        there gets its frame. Presses made while a pass searches would find the window disabled."""
        x, y = point
        for attempt in range(4):
            # A move that arrives while a pass still runs starts none (at most one runs at a
            # time), so the last pass may have drawn the magnifier for an earlier place: move again.
            if attempt:
                self.move(x + 1, y)
            self.move(x, y)
            if x + 70 >= 1920 or y + 35 >= 1080:
                break
            try:
                self.s.wait_pixel(x + 70, y + 35, CROSSHAIR, tolerance=3, timeout=4)
                break
            except AssertionError:
                if attempt == 3:
                    raise
        for target in (TARGET, OFF_EDGE):
            rect = target_rect(target)
            if rect[0] + 4 <= point[0] < rect[2] - 4 and rect[1] + 4 <= point[1] < rect[3] - 4:
                self.wait_frame_on(rect)

    def drag(self, start, end, steps=10):
        self.settle_at(start)
        self.s.mouse_down()
        for i in range(1, steps + 1):
            self.move(round(start[0] + (end[0] - start[0]) * i / steps), round(start[1] + (end[1] - start[1]) * i / steps))
        self.s.mouse_up()

    def copied_selection(self, at):
        """Double-clicks at `at` and returns the clipboard's bitmap once the process has ended."""
        self.s.clear_clipboard()
        self.move(*at)
        self.s.click(repeat=2)
        self.s.wait_exit(self.app, timeout=10)
        return self.s.clipboard_bitmap()

    def assert_copy_is(self, rect, at):
        image = self.copied_selection(at)
        assert image is not None, "nothing on the clipboard"
        l, t, r, b = rect
        assert image.size == (r - l, b - t)
        assert list(image.getdata()) == list(self.desk.crop(rect).getdata())


def target_rect(target):
    x, y, w, h = target
    return (x, y, min(x + w, 1920), min(y + h, 1080))


def test_detection_frames_the_window_under_the_mouse_and_cuts_it_at_the_edge(session, desktop):
    cap = Capture(session, desktop)
    assert cap.shows_mask(1000, 100)
    cap.move(TARGET[0] + 100, TARGET[1] + 100)
    cap.wait_frame_on(target_rect(TARGET))
    cap.move(1800, 1000)
    cap.wait_frame_on(target_rect(OFF_EDGE), "the frame cut at the screen edge")
    session.key("Escape")
    assert session.wait_exit(cap.app) == 0


def test_click_fixes_the_window_and_the_toolbar_shows_below(session, desktop):
    cap = Capture(session, desktop)
    cap.move(TARGET[0] + 50, TARGET[1] + 50)
    rect = target_rect(TARGET)
    cap.wait_frame_on(rect)
    session.click()
    l, t, r, b = rect
    # Below the selection, right-aligned 2 pixels inside its right edge, 330 x 26.
    bar = (r - 332, b + 6, r - 2, b + 32)
    session.wait_pixel(bar[0] + 1, bar[1] + 1, (0xE9, 0xEE, 0xF5), tolerance=1)
    assert cap.shows_mask(bar[0] - 2, bar[1] + 1)
    cap.assert_copy_is(rect, (l + 200, t + 200))


@pytest.mark.parametrize("start,end", [((500, 300), (900, 650)), ((900, 650), (500, 300)), ((900, 300), (500, 650))])
def test_a_drag_in_any_direction_selects_the_same_rectangle(session, desktop, start, end):
    cap = Capture(session, desktop)
    cap.drag(start, end)
    cap.assert_copy_is((500, 300, 900, 650), (700, 450))


def test_a_drag_into_the_screen_corner_ends_at_the_last_pixel(session, desktop):
    # The pointer cannot leave the screen; points beyond it are cut by the unit tests' tables.
    cap = Capture(session, desktop)
    cap.drag((1500, 700), (1919, 1079))
    cap.assert_copy_is((1500, 700, 1919, 1079), (1600, 800))


def frame_line_at(session, x, y):
    """The selection frame's 1-pixel line passes through (x, y)."""
    session.wait_for(lambda: close(session.pixel(x, y), FRAME), timeout=10, what=f"the frame line at {x},{y}")


def test_resizing_by_corner_and_edge_flipping_and_moving_into_an_edge(session, desktop):
    cap = Capture(session, desktop)
    cap.drag((600, 400), (800, 600))                         # 600,400,800,600
    session.wait_pixel(790, 610, (0xE9, 0xEE, 0xF5), tolerance=1)  # the toolbar under it
    # The bottom-right corner handle (inside the selection), dragged up-left past the opposite
    # corner: the anchor stays at 600,400 and the selection flips to 500,300,600,400.
    cap.move(799, 599)
    session.mouse_down()
    cap.move(700, 550)
    cap.move(500, 300)
    frame_line_at(session, 500, 350)
    panel = (500 + 10, 300 + 30)
    session.wait_pixel(panel[0] + 60, panel[1] + 5, CROSSHAIR, tolerance=3)  # magnifier while resizing
    session.mouse_up()
    session.wait_for(lambda: not close(session.pixel(panel[0] + 60, panel[1] + 5), CROSSHAIR, 3),
                     what="magnifier gone after the resize")
    # The right edge's handle starts at the edge's midpoint and reaches down: dragged right.
    cap.move(599, 352)
    session.mouse_down()
    cap.move(700, 360)
    cap.move(750, 360)
    frame_line_at(session, 750 - 1, 350)
    session.mouse_up()                                       # 500,300,750,400
    # Moving by the interior: x stops short of the left edge, y still follows.
    steps = [((400, 360), 300), ((130, 370), 30), ((80, 380), 30)]
    cap.move(600, 350)
    session.mouse_down()
    for (x, y), left in steps:
        cap.move(x, y)
        frame_line_at(session, left, y)
        assert not close(session.pixel(x + 70, y + 35), CROSSHAIR, 3), "no magnifier while moving"
    session.mouse_up()
    cap.assert_copy_is((30, 330, 280, 430), (150, 400))


def test_size_label_above_or_inside_and_colour_text_follows_ctrl(session, desktop):
    cap = Capture(session, desktop)
    cap.drag((500, 300), (900, 650))
    # "400 x 350": 9 characters, 9 x 6.5 + 0.5 = 59 pixels wide, 20 high, 22 above the top edge.
    shot = session.wait_stable(box=(480, 270, 920, 300), timeout=30)
    label = shot.crop((502, 278, 502 + 59, 298))
    assert any(min(c) > 200 for c in label.getdata()), "white text"
    assert any(max(c) < 20 for c in label.getdata()), "dark box"
    assert close(shot.getpixel((502 + 60, 288)), dim(desktop.getpixel((502 + 60, 288))))
    session.key("Escape")
    session.wait_exit(cap.app)

    cap = Capture(session, desktop)
    # While selecting, the magnifier follows the pointer; Ctrl switches its colour line in place.
    cap.settle_at((1200, 900))
    line = (1200 + 10 + 5, 900 + 30 + 87, 1200 + 10 + 115, 900 + 30 + 100)
    decimal = session.wait_stable(box=line, timeout=30).crop(line)
    session.xdotool("keydown", "ctrl")
    session.wait_for(lambda: session.crop(line) != decimal, what="hexadecimal colour text")
    hexadecimal = session.wait_stable(box=line, timeout=30).crop(line)
    session.xdotool("keyup", "ctrl")
    # The colour is read back from the window, so its value may differ; the notation must not.
    session.wait_for(lambda: session.crop(line) != hexadecimal, what="decimal colour text again")
    cap.drag((500, 10), (900, 650))
    shot = session.wait_stable(box=(480, 0, 920, 40), timeout=30)
    label = shot.crop((502, 12, 502 + 59, 32))
    assert any(min(c) > 200 for c in label.getdata()), "the label inside the selection's top"
    session.key("Escape")
    session.wait_exit(cap.app)


def test_escape_during_a_drag_and_right_clicks(session, desktop):
    cap = Capture(session, desktop)
    cap.settle_at((500, 500))
    session.mouse_down()
    cap.move(700, 700)
    session.key("Escape")
    assert session.wait_exit(cap.app) == 0
    session.mouse_up()

    cap = Capture(session, desktop)
    cap.settle_at((800, 800))
    session.click(button=3)
    assert session.wait_exit(cap.app) == 0

    cap = Capture(session, desktop)
    cap.drag((500, 300), (900, 650))
    cap.move(1500, 200)
    session.click(button=3)                       # outside: back to selecting
    cap.move(TARGET[0] + 20, TARGET[1] + 20)
    cap.wait_frame_on(target_rect(TARGET), "detection after re-selection")
    assert cap.app.running
    session.key("Escape")
    session.wait_exit(cap.app)


def test_zero_pixel_wide_selection_is_fixed_copied_and_ended(session, desktop):
    cap = Capture(session, desktop)
    cap.drag((600, 300), (600, 500))
    session.clear_clipboard()
    cap.move(1200, 900)
    session.click(repeat=2)
    assert session.wait_exit(cap.app) == 0


def test_single_instances(session, desktop):
    first = Capture(session, desktop, ["-autorun"])
    second = session.launch(session.require("Capturo.exe"), ["-autorun"])
    assert session.wait_exit(second, timeout=10) == 0
    assert len(session.find_windows(cls=CAPTURE_CLASS)) == 1
    session.stop(first.app)
    a = session.launch(session.require("Capturo.exe"))
    b = session.launch(session.require("Capturo.exe"))
    session.wait_for(lambda: len(session.find_windows(cls=CAPTURE_CLASS)) == 2, what="two one-shot instances")
    assert a.running and b.running


def test_resident_sessions_over_fresh_desktops(session, desktop):
    cap = Capture(session, desktop, ["-autorun"])
    hwnd = cap.window.hwnd
    session.key("Escape")
    session.wait_for(lambda: session.window_rect(hwnd) in ((0, 0, 0, 0),), what="the window shrunk to 0 x 0")
    assert cap.app.running
    # The desktop changes between sessions: the next session must freeze the new one.
    session.launch(session.require("capture_target.exe"), ["1200", "100", "300", "200", "4060E0"])
    session.wait_pixel(1201, 101, (0x40, 0x60, 0xE0), tolerance=0)
    fresh = session.wait_stable(timeout=30)
    for _ in range(2):
        session.post(hwnd, WM_HOTKEY, 1018, 0)
        session.wait_for(lambda: session.window_rect(hwnd) == (0, 0, 1920, 1080), what="the next session")
        session.wait_for(lambda: close(session.pixel(1210, 110), dim(fresh.getpixel((1210, 110)))),
                         what="the fresh desktop under the mask")
        session.key("Escape")
        session.wait_for(lambda: session.window_rect(hwnd) == (0, 0, 0, 0), what="waiting again")
    session.post(hwnd, WM_HOTKEY, 1019, 0)
    assert session.wait_exit(cap.app) == 0


def test_hot_key_taken_makes_the_instance_one_shot(session, desktop):
    holder = session.launch(session.require("capture_target.exe"), ["--hotkey"])
    session.wait_for(lambda: "held" in holder.output(), what="Ctrl+Alt+A held")
    cap = Capture(session, desktop, ["-autorun"])
    session.key("Escape")
    assert session.wait_exit(cap.app) == 0


def test_a_skin_without_a_needed_control_ends_the_loop_without_a_crash(session):
    app = session.launch(session.require("capture_badskin.exe"))
    assert session.wait_exit(app, timeout=20) == 0
