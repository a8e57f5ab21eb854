"""Fast screenshots through libX11's XGetImage (ctypes), a whole screen or one rectangle.

    XGrabber(display).grab(box=None) -> PIL.Image (RGB)    box = (left, top, right, bottom)
    XGrabber.close()
    available() -> bool        False when libX11 cannot be loaded (screen.py then uses `import`)
ImageMagick's `import` needs seconds per shot on a busy machine; this needs milliseconds.
"""
import ctypes
import ctypes.util

from PIL import Image

_ZPIXMAP = 2
_ALL_PLANES = ctypes.c_ulong(~0 & 0xFFFFFFFFFFFFFFFF)


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("create_image", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p))]


def _load():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    try:
        lib = ctypes.CDLL(name)
    except OSError:
        return None
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    lib.XDefaultRootWindow.restype = ctypes.c_ulong
    lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    lib.XGetImage.restype = ctypes.POINTER(_XImage)
    lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                              ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    lib.XDisplayWidth.argtypes = lib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    return lib


_lib = _load()


def available():
    return _lib is not None


class XGrabber:
    def __init__(self, display):
        self._dpy = _lib.XOpenDisplay(display.encode())
        if not self._dpy:
            raise RuntimeError(f"cannot open X display {display}")
        self._root = _lib.XDefaultRootWindow(self._dpy)
        self.size = (_lib.XDisplayWidth(self._dpy, 0), _lib.XDisplayHeight(self._dpy, 0))

    def grab(self, box=None):
        left, top, right, bottom = box or (0, 0, *self.size)
        w, h = right - left, bottom - top
        image = _lib.XGetImage(self._dpy, self._root, left, top, w, h, _ALL_PLANES, _ZPIXMAP)
        if not image:
            raise RuntimeError(f"XGetImage failed for {box}")
        try:
            xi = image.contents
            if xi.bits_per_pixel != 32:
                raise RuntimeError(f"unexpected {xi.bits_per_pixel} bits per pixel")
            data = ctypes.string_at(xi.data, xi.bytes_per_line * h)
            return Image.frombuffer("RGB", (w, h), data, "raw", "BGRX", xi.bytes_per_line, 1).copy()
        finally:
            image.contents.destroy_image(ctypes.cast(image, ctypes.c_void_p))

    def close(self):
        if self._dpy:
            _lib.XCloseDisplay(self._dpy)
            self._dpy = None
