#!/usr/bin/env python3
"""Draws the gallery's skin images: flat colours that the end-to-end tests can recognise by pixel.

Usage: make_images.py OUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw

# One table of the colours the tests look for (tests/e2e/test_gallery.py keeps the same values).
BUTTON_STATES = [(0x30, 0x70, 0xC0), (0x30, 0xA0, 0x50), (0xC0, 0x30, 0x30)]  # normal, hot, pushed
OPTION_OFF, OPTION_ON = (0xB0, 0xB0, 0xB0), (0xF0, 0x90, 0x20)
NINE_BORDER, NINE_CENTRE = (0x80, 0x20, 0xA0), (0x00, 0xFF, 0x00)
PHOTO_QUADRANTS = [(0xFF, 0x00, 0x00), (0x00, 0xC0, 0x00), (0x00, 0x00, 0xFF), (0xFF, 0xFF, 0x00)]
GIF_FRAMES = [(0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0x00, 0x00, 0xFF), (0xFF, 0xFF, 0xFF)]
PROGRESS_FORE = (0x20, 0x60, 0xE0)


def strip(size, colours):
    """Colours side by side, each a size[0] × size[1] cell with a 1-pixel darker frame."""
    w, h = size
    image = Image.new("RGBA", (w * len(colours), h))
    draw = ImageDraw.Draw(image)
    for i, c in enumerate(colours):
        frame = tuple(v * 3 // 4 for v in c)
        draw.rectangle([i * w, 0, i * w + w - 1, h - 1], fill=c + (255,), outline=frame + (255,))
    return image


def nine_patch():
    """60 × 60, a 16-pixel border ring around a centre that a hole leaves out."""
    image = Image.new("RGBA", (60, 60), NINE_BORDER + (255,))
    ImageDraw.Draw(image).rectangle([16, 16, 43, 43], fill=NINE_CENTRE + (255,))
    return image


def alpha_mask():
    """Black at alpha 0x80 with a fully transparent 16-pixel-inset centre (the mask's hole)."""
    image = Image.new("RGBA", (60, 60), (0, 0, 0, 0x80))
    ImageDraw.Draw(image).rectangle([16, 16, 43, 43], fill=(0, 0, 0, 0))
    return image


def photo():
    image = Image.new("RGB", (160, 120))
    draw = ImageDraw.Draw(image)
    for i, c in enumerate(PHOTO_QUADRANTS):
        x, y = (i % 2) * 80, (i // 2) * 60
        draw.rectangle([x, y, x + 79, y + 59], fill=c)
    return image


def gif_frames(path):
    # One shared palette and no optimisation: every frame is a full picture of its own colour.
    palette = [v for c in GIF_FRAMES for v in c] + [0] * (768 - 3 * len(GIF_FRAMES))
    frames = []
    for i in range(len(GIF_FRAMES)):
        frame = Image.new("P", (60, 40), i)
        frame.putpalette(palette)
        frames.append(frame)
    frames[0].save(path, save_all=True, append_images=frames[1:], duration=150, loop=0, optimize=False,
                   disposal=1)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    strip((100, 30), BUTTON_STATES).save(os.path.join(out, "button.png"))
    strip((24, 24), [OPTION_OFF, OPTION_ON]).save(os.path.join(out, "option.png"))
    strip((40, 40), [(0xE0, 0x40, 0x40), (0xFF, 0x60, 0x60), (0xA0, 0x20, 0x20)]).save(os.path.join(out, "close.png"))
    strip((12, 30), [(0x90, 0x90, 0x90), (0x60, 0x60, 0x60)]).save(os.path.join(out, "thumb.png"))
    nine_patch().save(os.path.join(out, "nine.png"))
    alpha_mask().save(os.path.join(out, "mask.png"))
    photo().save(os.path.join(out, "photo.png"))
    Image.new("RGB", (200, 16), PROGRESS_FORE).save(os.path.join(out, "progress.png"))
    gif_frames(os.path.join(out, "anim.gif"))


if __name__ == "__main__":
    main()
