#!/usr/bin/env python3
"""A scripted demo on a private virtual screen: starts a program under Wine, uses it the way a
person would and saves a screenshot after every step.   Usage: demo.py PROGRAM.exe OUT_DIR
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from harness import WM_CLOSE, Session, WaitTimeout  # noqa: E402


class Demo:
    def __init__(self, session, out):
        self.s, self.out, self.step = session, out, 0

    def shot(self, what):
        self.step += 1
        path = os.path.join(self.out, f"{self.step:02d}-{what}.png")
        self.s.screenshot(what).save(path)
        print(f"demo: {path}")


def gallery_tour(demo, program):
    s = demo.s
    app = s.launch(program)
    window = s.wait_window(cls="GalleryWnd", timeout=60)
    at = lambda x, y: (window.rect[0] + x, window.rect[1] + y)  # noqa: E731
    s.wait_pixel(*at(100, 5), (0x2B, 0x57, 0x9A), tolerance=4, timeout=20)
    demo.shot("gallery")
    s.mouse_move(*at(70, 75))
    demo.shot("button-hover")
    s.click(*at(100, 146))
    s.click(*at(70, 277))
    demo.shot("option-and-progress")
    s.click(*at(494, 75))
    s.click(*at(500, 150))
    s.type_text("hello, gallery")
    s.key("Return")
    s.type_text("second line")
    demo.shot("rich-edit")
    s.click(*at(598, 75))
    s.mouse_move(*at(500, 300))
    s.click(button=5, repeat=3)
    demo.shot("list")
    s.click(*at(70, 367))
    dialog = s.wait_window(cls="GalleryDialog", timeout=20)
    demo.shot("modal-dialog")
    s.post(dialog.hwnd, WM_CLOSE, 1)
    s.post(window.hwnd, WM_CLOSE)
    app.wait_exit(20)


def capture_tour(demo, program):
    s = demo.s
    if s.exe("gallery.exe"):  # something on the desktop to capture
        s.launch("gallery.exe")
        s.wait_window(cls="GalleryWnd", timeout=60)
        s.wait_pixel(140, 45, (0x2B, 0x57, 0x9A), tolerance=4, timeout=20)
    app = s.launch(program)
    s.wait_for(lambda: [w for w in s.list_windows() if w.visible and w.pid and w.size == (s.width, s.height)],
               timeout=60, what="the program's full-screen window")
    s.wait_stable(quiet=1.0, timeout=20)
    demo.shot("capture-started")
    s.drag((100, 100), (700, 500), steps=20)
    s.wait_stable(quiet=1.0, timeout=20)
    demo.shot("region-selected")
    s.key("Escape")
    try:
        app.wait_exit(20)
    except WaitTimeout:
        demo.shot("still-running")


def main():
    program, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(out, exist_ok=True)
    with Session(name="demo") as session:
        demo = Demo(session, out)
        tour = gallery_tour if os.path.basename(program).lower() == "gallery.exe" else capture_tour
        try:
            tour(demo, program)
        finally:
            for app in session.apps:
                with open(os.path.join(out, os.path.basename(app.exe) + ".log.txt"), "w") as f:
                    f.write(app.output())
    print(f"demo: screenshots in {out}")


if __name__ == "__main__":
    main()
