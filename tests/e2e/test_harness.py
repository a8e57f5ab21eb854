"""The harness itself: clipboard round trips through wintool.exe, waits, screenshots, exit codes."""
import pytest
from PIL import Image

from harness import WaitTimeout

pytestmark = pytest.mark.needs("wintool.exe")


@pytest.fixture
def tool(session):
    session.require("wintool.exe")
    return session


@pytest.mark.parametrize("text", ["abc", "你好，世界", "line1\r\nline2", "x" * 3000])
def test_clipboard_text_round_trip(tool, text):
    tool.set_clipboard_text(text)
    tool.wait_clipboard_format("CF_TEXT")
    assert tool.clipboard_unicode() == text
    # CF_TEXT is synthesised in the ANSI code page of the prefix: 936.
    assert tool.clipboard_text() == text.encode("gbk")


def test_clipboard_bitmap_keeps_exact_pixels(tool):
    image = Image.new("RGB", (7, 5))
    image.putdata([(x * 37 % 256, y * 51 % 256, (x * y * 13) % 256) for y in range(5) for x in range(7)])
    tool.clear_clipboard()
    assert not tool.has_clipboard_format("CF_BITMAP")
    tool.set_clipboard_bitmap(image)
    tool.wait_clipboard_format("CF_BITMAP")
    got = tool.clipboard_bitmap()
    assert got.size == (7, 5)
    assert list(got.getdata()) == list(image.getdata())


def test_busy_clipboard_fails_reads_until_released(tool):
    tool.set_clipboard_text("kept")
    holder = tool.hold_clipboard(3)
    assert tool.clipboard_unicode() is None
    assert holder.wait_exit(timeout=10) == 0
    tool.wait_for(lambda: tool.clipboard_unicode() == "kept", timeout=5, what="the clipboard readable again")


def test_waits_are_bounded_and_exit_codes_are_seen(tool):
    with pytest.raises(WaitTimeout):
        tool.wait_window(title="no such window here", timeout=1)
    app = tool.launch("wintool.exe", ["no-such-command"])
    assert tool.wait_exit(app, timeout=15) == 2
    assert "usage" in app.output()


@pytest.mark.wine_session(screen="1024x768x24")
def test_private_session_has_its_own_screen(tool):
    shot = tool.screenshot()
    assert shot.size == (1024, 768)
    assert tool.list_windows(), "the prefix's own windows (tray, IME) are listed"
    tool.wait_pixel(5, 5, (0, 0, 0), tolerance=0, timeout=5)
