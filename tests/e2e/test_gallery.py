"""The UI library seen through gallery.exe: layout, pixels of images and states, events, bad skins.

The gallery's window is at screen (40, 40); positions below are client coordinates of it.
Colours are those drawn by gallery/make_images.py.
"""
import io
import os
import zipfile

import pytest

from harness import WM_CLOSE, colour_close, find_exe, windows_path

pytestmark = pytest.mark.needs("gallery.exe", "wintool.exe")

ORIGIN = (40, 40)
WM_GALLERY_DUMP = 0x8001
BUTTON_NORMAL, BUTTON_HOT, BUTTON_PUSHED = (0x30, 0x70, 0xC0), (0x30, 0xA0, 0x50), (0xC0, 0x30, 0x30)
OPTION_OFF, OPTION_ON = (0xB0, 0xB0, 0xB0), (0xF0, 0x90, 0x20)
NINE_BORDER, NINE_CENTRE = (0x80, 0x20, 0xA0), (0x00, 0xFF, 0x00)
GIF_FRAMES = [(0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0x00, 0x00, 0xFF), (0xFF, 0xFF, 0xFF)]
PROGRESS_FORE, PROGRESS_BACK = (0x20, 0x60, 0xE0), (0xCC, 0xCC, 0xCC)
# The window right of the animated GIF, on screen: it stops changing once painted.
STILL_BOX = (ORIGIN[0] + 320, ORIGIN[1] + 40, ORIGIN[0] + 1000, ORIGIN[1] + 700)


class Gallery:
    """One running gallery.exe with its event log."""

    def __init__(self, session, *args):
        self.s = session
        self.log_path = os.path.join(session.dir, f"gallery-{len(session.apps)}.log")
        self.app = session.launch(session.require("gallery.exe"), ["--log", windows_path(self.log_path), *args])
        self.window = session.wait_window(title="Gallery", cls="GalleryWnd", timeout=30)
        self.wait_log("ready")
        # The first paint is done once the title bar shows its colour.
        session.wait_pixel(*self.at(100, 5), (0x2B, 0x57, 0x9A), tolerance=2, timeout=15)

    def at(self, x, y):
        return (ORIGIN[0] + x, ORIGIN[1] + y)

    def centre(self, rect):
        return self.at((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)

    def lines(self):
        try:
            with open(self.log_path, encoding="utf-8") as f:
                return f.read().splitlines()
        except OSError:
            return []

    def wait_log(self, text, timeout=10):
        return self.s.wait_for(lambda: [l for l in self.lines() if text in l], timeout=timeout, what=f"log line {text!r}")

    def dump(self):
        """Positions and states of the controls, as the gallery reports them."""
        before = len(self.lines())
        self.s.post(self.window.hwnd, WM_GALLERY_DUMP)
        self.s.wait_for(lambda: "dump end" in self.lines()[before:], timeout=10, what="the state dump")
        state = {"pos": {}}
        for line in self.lines()[before:]:
            key, _, rest = line.partition(" ")
            if key == "pos":
                name, *values = rest.split()
                state["pos"][name] = tuple(int(v) for v in values[:4])
            else:
                state[key] = rest
        return state

    def pixel(self, x, y):
        return self.s.pixel(*self.at(x, y))


@pytest.fixture
def gallery(session):
    g = Gallery(session)
    yield g
    session.stop(g.app)


# ---- layout and pictures ------------------------------------------------------------------------

EXPECTED_POSITIONS = {
    # fixed, flexible and fixed widths in a horizontal layout
    "lbl_title": (0, 0, 200, 40), "lbl_events": (460, 0, 960, 40), "closebtn": (960, 0, 1000, 40),
    # a vertical layout with inset 20 and child padding 10
    "btn_state": (20, 60, 120, 90), "opt_a": (20, 100, 220, 124), "opt_c": (20, 168, 220, 192),
    "prg_value": (20, 236, 220, 252), "gif_anim": (20, 302, 80, 342),
    # a flexible body between fixed bars, tab headers with padding 4, floating children of a page
    "col_mid": (320, 40, 740, 670), "tab_2": (548, 60, 648, 90), "tabs": (340, 100, 720, 500),
    "img_nine_hole": (350, 110, 550, 230), "img_mask": (520, 240, 710, 360), "statusbar": (0, 670, 1000, 700),
}


def test_layout_places_controls_where_the_skin_says(gallery):
    positions = gallery.dump()["pos"]
    wrong = {n: positions.get(n) for n, r in EXPECTED_POSITIONS.items() if positions.get(n) != r}
    assert not wrong, f"positions differ: {wrong}"
    assert gallery.window.rect == (40, 40, 1040, 740)


# (x, y) in the client area, the colour expected there, the tolerance.
PIXELS = [
    ((500, 5), (0x2B, 0x57, 0x9A), 0, "title bar colour"),
    ((500, 685), (0xDD, 0xDD, 0xDD), 0, "status bar colour"),
    ((352, 112), NINE_BORDER, 0, "scale9 corner"),
    ((450, 113), NINE_BORDER, 0, "scale9 top edge stretched"),
    ((450, 170), (0xFF, 0xFF, 0xFF), 0, "scale9 hole leaves the page colour"),
    ((635, 170), NINE_CENTRE, 0, "scale9 centre without a hole"),
    ((355, 245), (0xFF, 0x00, 0x00), 0, "opaque image, first quadrant"),
    ((505, 355), (0xFF, 0xFF, 0x00), 0, "opaque image, last quadrant"),
    ((525, 245), (0x7F, 0x00, 0x00), 2, "alpha mask 0x80 over red"),
    ((615, 300), (0xFF, 0x00, 0x00), 0, "alpha mask's hole"),
    ((530, 385), (0x7F, 0x7F, 0x7F), 2, "colour with alpha 0x80 over white"),
    ((30, 112), OPTION_ON, 0, "selected option"),
    ((30, 146), OPTION_OFF, 0, "unselected option"),
]


def test_pixels_of_colours_images_scale9_and_alpha(gallery):
    shot = gallery.s.wait_stable(box=STILL_BOX)
    wrong = []
    for (x, y), colour, tolerance, what in PIXELS:
        got = shot.getpixel(gallery.at(x, y))
        if not colour_close(got, colour, tolerance):
            wrong.append(f"{what} at {(x, y)}: {got} instead of {colour}")
    assert not wrong, "\n".join(wrong)


# ---- states and events --------------------------------------------------------------------------

def test_button_hover_press_and_click(gallery):
    s, point = gallery.s, gallery.at(70, 75)
    probe = gallery.at(23, 63)  # inside the state image, away from the text
    assert colour_close(s.pixel(*probe), BUTTON_NORMAL, 2)
    s.mouse_move(*point)
    s.wait_pixel(*probe, BUTTON_HOT, tolerance=2)
    s.mouse_down()
    s.wait_pixel(*probe, BUTTON_PUSHED, tolerance=2)
    assert not [l for l in gallery.lines() if l == "notify click btn_state"]
    s.mouse_up()
    gallery.wait_log("notify click btn_state")
    s.wait_pixel(*probe, BUTTON_HOT, tolerance=2)
    s.mouse_move(*gallery.at(900, 300))
    s.wait_pixel(*probe, BUTTON_NORMAL, tolerance=2)


def test_option_group_keeps_one_selected(gallery):
    s = gallery.s
    s.click(*gallery.at(100, 146))
    gallery.wait_log("notify selectchanged opt_b 1")
    s.wait_pixel(*gallery.at(30, 146), OPTION_ON)
    s.wait_pixel(*gallery.at(30, 112), OPTION_OFF)
    s.click(*gallery.at(100, 214))  # the check box is in no group: it toggles alone
    gallery.wait_log("notify selectchanged chk_one 1")
    s.wait_pixel(*gallery.at(30, 214), OPTION_ON)
    assert colour_close(gallery.pixel(30, 146), OPTION_ON, 8)


def test_tab_pages_switch(gallery):
    s = gallery.s
    s.click(*gallery.at(494, 75))
    gallery.wait_log("notify selectchanged tab_1 1")
    s.wait_pixel(*gallery.at(500, 400), (0xE0, 0xF0, 0xFF), tolerance=2)  # the edit page's colour
    assert gallery.dump()["tab"] == "1"
    s.click(*gallery.at(390, 75))
    s.wait_pixel(*gallery.at(450, 170), (0xFF, 0xFF, 0xFF), tolerance=2)
    assert gallery.dump()["tab"] == "0"


def test_progress_value_fills_its_part(gallery):
    s = gallery.s
    assert gallery.dump()["progress"] == "30"
    s.click(*gallery.at(70, 277))
    gallery.wait_log("progress 40")
    # 40 of 0..100 over 200 pixels starting at x = 20: filled up to x = 100.
    s.wait_pixel(*gallery.at(98, 244), PROGRESS_FORE, tolerance=2)
    s.wait_pixel(*gallery.at(102, 244), PROGRESS_BACK, tolerance=2)


def test_gif_frames_advance(gallery):
    seen = set()

    def frames_seen():
        got = gallery.pixel(50, 322)
        seen.update(i for i, c in enumerate(GIF_FRAMES) if colour_close(got, c, 8))
        return len(seen) >= 3
    gallery.s.wait_for(frames_seen, timeout=10, interval=0.05, what="three different GIF frames")
    assert "frames=4" in gallery.dump()["gif"]


def test_richedit_typing_notifies_and_counts_lines(session):
    gallery = Gallery(session, "--page", "1")
    s = gallery.s
    s.wait_pixel(*gallery.at(500, 400), (0xE0, 0xF0, 0xFF), tolerance=2)
    s.click(*gallery.at(500, 150))
    s.type_text("abc")
    s.key("Return")
    s.type_text("de")
    gallery.wait_log("lines=2 length=6")
    changes = [l for l in gallery.lines() if l.startswith("notify textchanged re_text")]
    assert len(changes) >= 6, changes
    state = gallery.dump()
    assert state["richedit"] == "lines=2 text=abc\\rde"


def test_list_scrolls_with_the_wheel(session):
    gallery = Gallery(session, "--page", "2")
    state = gallery.dump()
    pos, rng, _, rows = state["scroll"].split()
    assert (pos, rows) == ("0", "40") and int(rng) > 0
    box = state["pos"]["lst_rows"]
    screen_box = (*gallery.at(box[0], box[1]), *gallery.at(box[2] - 20, box[3]))
    before = gallery.s.wait_stable(box=screen_box).crop(screen_box)
    gallery.s.mouse_move(*gallery.centre(box))
    gallery.s.click(button=5, repeat=3)
    gallery.s.wait_for(lambda: int(gallery.dump()["scroll"].split()[0]) > 0, timeout=10, what="the list scrolled")
    after = gallery.s.wait_stable(box=screen_box).crop(screen_box)
    assert before.tobytes() != after.tobytes(), "the rows on screen moved"


def test_combo_selection(session):
    gallery = Gallery(session, "--page", "2")
    state = gallery.dump()
    gallery.s.click(*gallery.centre(state["pos"]["cmb_pick"]))
    # The drop list is its own top-level window below the combo; its second row is 24 pixels high.
    box = state["pos"]["cmb_pick"]
    gallery.s.wait_stable(box=STILL_BOX)
    gallery.s.click(*gallery.at(box[0] + 30, box[3] + 24 + 12))
    line = gallery.wait_log("notify itemselect cmb_pick")[-1]
    assert line.endswith("1 香蕉"), line
    assert gallery.dump()["combo"] == "香蕉"


# ---- the modal run and the shadow ---------------------------------------------------------------

def _open_dialog(gallery):
    gallery.s.click(*gallery.at(70, 367))
    return gallery.s.wait_window(cls="GalleryDialog", timeout=15)


def test_modal_run_returns_the_close_code(gallery):
    dialog = _open_dialog(gallery)
    gallery.s.post(dialog.hwnd, WM_CLOSE, 42)
    gallery.wait_log("modal 42")
    gallery.s.wait_window_gone(cls="GalleryDialog")
    assert gallery.app.running


@pytest.mark.wine_session(compositor=True)
def test_shadowed_dialog_and_its_buttons(session):
    gallery = Gallery(session)
    s = gallery.s
    before = s.wait_stable(box=STILL_BOX)
    dialog = _open_dialog(gallery)
    l, t, r, b = dialog.rect
    s.wait_pixel((l + r) // 2, t + 20, (0xFF, 0xFF, 0xFF), tolerance=2)  # the dialog itself, not darkened
    after = s.wait_stable(box=STILL_BOX)
    mid = (t + b) // 2
    near, far = (r + 3, mid), (r + 40, mid)
    was, now = before.getpixel(near), after.getpixel(near)
    assert all(n <= w for n, w in zip(now, was)) and sum(now) < sum(was) - 30, f"shadow beside the dialog: {was} -> {now}"
    assert colour_close(after.getpixel(far), before.getpixel(far), 2), "nothing changes beyond the shadow"
    s.click(l + 50 + 50, t + 90 + 15)  # 确定
    gallery.wait_log("modal 1")


# ---- bad input: damaged skins must end the program cleanly or run without the damaged part -------

def _skin_zip():
    path = find_exe("gallery_skin.zip")
    if path is None:
        pytest.skip("gallery_skin.zip is not built yet")
    return path


def _members():
    with zipfile.ZipFile(_skin_zip()) as z:
        return {n: z.read(n) for n in z.namelist()}


def _zip(members, corrupt=None):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in members.items():
            z.writestr(name, data)
    data = bytearray(out.getvalue())
    if corrupt:
        # Garble the compressed bytes of one member (just after its local header and name).
        start = data.find(corrupt.encode()) + len(corrupt)
        for i in range(start, min(start + 200, len(data))):
            data[i] ^= 0x5A
    return bytes(data)


def _edit(name, change):
    members = _members()
    members[name] = change(members[name])
    return _zip(members)


def _replace(old, new):
    return lambda xml: xml.replace(old.encode(), new.encode(), 1)


# name, archive bytes (a function, called in the test), what must happen: "exit" or "runs"
BAD_SKINS = [
    ("malformed_xml", lambda: _edit("gallery.xml", lambda x: x[: len(x) // 2]), "exit"),
    ("not_a_zip", lambda: b"this is not a zip archive at all" * 20, "exit"),
    ("empty_file", lambda: b"", "exit"),
    ("missing_layout", lambda: _zip({k: v for k, v in _members().items() if k != "gallery.xml"}), "exit"),
    ("corrupt_layout_member", lambda: _zip(_members(), corrupt="gallery.xml"), "exit"),
    ("missing_image", lambda: _zip({k: v for k, v in _members().items() if k != "nine.png"}), "runs"),
    ("corrupt_image", lambda: _edit("photo.png", lambda d: d[:40] + bytes(200)), "runs"),
    ("unknown_tags_and_attributes", lambda: _edit("gallery.xml", _replace(
        '<Control/>', '<Gizmo name="g" colour="blue"><Widget/></Gizmo><Control frobnicate="yes"/>')), "runs"),
    ("bad_numbers", lambda: _edit("gallery.xml", lambda x: x.replace(b'height="40"', b'height="4x0"', 1)
                                  .replace(b'value="30"', b'value="-7e99"').replace(b'#FFF0F0F0', b'#ZZZ')), "runs"),
    ("image_names_missing", lambda: _edit("gallery.xml", lambda x: x.replace(b"button.png", b"nothing.png")), "runs"),
]


@pytest.mark.parametrize("name,make,outcome", BAD_SKINS, ids=[b[0] for b in BAD_SKINS])
def test_damaged_skins_never_crash_or_hang(session, name, make, outcome):
    exe = session.require("gallery.exe")
    skin = os.path.join(session.dir, f"{name}.zip")
    with open(skin, "wb") as f:
        f.write(make())
    log = os.path.join(session.dir, f"{name}.log")
    app = session.launch(exe, ["--skin", windows_path(skin), "--log", windows_path(log)])
    if outcome == "exit":
        assert session.wait_exit(app, timeout=20) == 2
        with open(log, encoding="utf-8") as f:
            assert f.read().startswith("skin-error")
    else:
        w = session.wait_window(cls="GalleryWnd", timeout=30)
        session.wait_for(lambda: os.path.exists(log) and "ready" in open(log, encoding="utf-8").read(), timeout=10)
        session.wait_stable(box=STILL_BOX)
        assert app.running
        session.post(w.hwnd, WM_CLOSE)
        assert session.wait_exit(app, timeout=15) == 0
    assert "Unhandled" not in app.output()


def test_skin_from_a_folder(session):
    exe = session.require("gallery.exe")
    folder = os.path.join(session.dir, "skin-folder")
    os.makedirs(folder, exist_ok=True)
    for member, data in _members().items():
        with open(os.path.join(folder, member), "wb") as f:
            f.write(data)
    app = session.launch(exe, ["--skin", windows_path(folder)])
    session.wait_window(cls="GalleryWnd", timeout=30)
    session.wait_pixel(140, 45, (0x2B, 0x57, 0x9A), tolerance=2, timeout=15)
    assert app.running
