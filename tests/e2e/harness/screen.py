"""Screenshots of the X screen as PIL images, and colour comparisons.

    grab(display_env) -> PIL.Image (RGB) of the whole root window (ImageMagick's `import`)
    colour_close(a, b, tolerance) -> bool   every channel within tolerance
    as_rgb(colour) -> (r, g, b)             from (r, g, b[, a]), 0xRRGGBB or "#RRGGBB"
"""
import io
import subprocess
import time

from PIL import Image


def grab(env, timeout=20, attempts=3):
    # PPM is the quickest format for both `import` and PIL. `import` fails now and then while
    # windows are being mapped, so a failed grab is retried.
    for attempt in range(attempts):
        done = subprocess.run(["import", "-window", "root", "ppm:-"], env=env, capture_output=True,
                              timeout=timeout)
        if done.returncode == 0 and done.stdout:
            break
        if attempt == attempts - 1:
            raise RuntimeError(f"import failed: {done.stderr.decode(errors='replace').strip()}")
        time.sleep(0.2)
    image = Image.open(io.BytesIO(done.stdout))
    image.load()
    return image.convert("RGB")


def as_rgb(colour):
    if isinstance(colour, str):
        colour = int(colour.lstrip("#"), 16)
    if isinstance(colour, int):
        return ((colour >> 16) & 255, (colour >> 8) & 255, colour & 255)
    return tuple(colour[:3])


def colour_close(a, b, tolerance=0):
    a, b = as_rgb(a), as_rgb(b)
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))
