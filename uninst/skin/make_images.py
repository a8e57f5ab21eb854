#!/usr/bin/env python3
"""Draws the uninstaller's skin pictures at the sizes and state rows its layouts use.

Usage: make_images.py OUT_DIR            -- the skin pictures
       make_images.py --icon FILE.ico    -- the window icon (resource 107)
logo.png, tishi.png and common/edit_bk.png are named by the layouts but left out on purpose.
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

TEAL = (25, 157, 155)
TEAL_LIGHT = (44, 184, 181)
TEAL_DARK = (17, 122, 120)
WHITE = (255, 255, 255)


def rounded(draw, box, radius, fill, outline=None, width=1):
    draw.rounded_rectangle(box, radius=radius, fill=fill, outline=outline, width=width)


def state_rows(width, row_height, styles, paint):
    """One picture with a row per state, painted by paint(draw, box, style)."""
    img = Image.new("RGBA", (width, row_height * len(styles)), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    for i, style in enumerate(styles):
        paint(draw, (0, i * row_height, width - 1, (i + 1) * row_height - 1), style)
    return img


def small_button(fill, outline):
    def paint(draw, box, style):
        rounded(draw, box, 3, fill=style[0], outline=style[1])
    return paint


def viewfinder(draw, cx, cy, size, colour, width):
    """The product's mark: the four corners of a capture frame round a lens."""
    half, arm = size // 2, size // 4
    for sx in (-1, 1):
        for sy in (-1, 1):
            x, y = cx + sx * half, cy + sy * half
            draw.line([(x, y), (x - sx * arm, y)], fill=colour, width=width)
            draw.line([(x, y), (x, y - sy * arm)], fill=colour, width=width)
    r = size // 5
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), outline=colour, width=width)


def background(mark):
    """600x400: a teal band with the page's mark over a white lower part for the buttons."""
    img = Image.new("RGBA", (600, 400), WHITE + (255,))
    draw = ImageDraw.Draw(img)
    for y in range(240):
        t = y / 239
        colour = tuple(int(a + (b - a) * t) for a, b in zip(TEAL_DARK, TEAL_LIGHT))
        draw.line([(0, y), (599, y)], fill=colour + (255,))
    # A soft wave where the band meets the white part.
    draw.ellipse((-150, 200, 750, 300), fill=WHITE + (255,))
    mark(draw)
    draw.rectangle((0, 0, 599, 399), outline=(210, 226, 226, 255))
    return img


def mark_choice(draw):
    viewfinder(draw, 300, 115, 110, WHITE + (255,), 6)


def mark_progress(draw):
    viewfinder(draw, 300, 115, 110, (255, 255, 255, 150), 6)
    draw.arc((255, 70, 345, 160), start=-90, end=150, fill=WHITE + (255,), width=8)


def mark_finish(draw):
    draw.ellipse((245, 60, 355, 170), outline=WHITE + (255,), width=6)
    draw.line([(272, 117), (293, 138), (330, 94)], fill=WHITE + (255,), width=9, joint="curve")


def close_glyph(colours):
    img = Image.new("RGBA", (10, 20), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    for row, colour in enumerate(colours):
        y = row * 10
        draw.line([(1, y + 1), (8, y + 8)], fill=colour, width=2)
        draw.line([(8, y + 1), (1, y + 8)], fill=colour, width=2)
    return img


def bar(width, fill, edge):
    img = Image.new("RGBA", (width, 12), (0, 0, 0, 0))
    rounded(ImageDraw.Draw(img), (0, 0, width - 1, 11), 6, fill=fill, outline=edge)
    return img


def shadow():
    """150x150: a blurred dark frame whose inside is clear, cut into nine parts by corner 30."""
    img = Image.new("RGBA", (150, 150), (0, 0, 0, 0))
    ImageDraw.Draw(img).rounded_rectangle((22, 22, 127, 127), radius=8, fill=(0, 0, 0, 110))
    img = img.filter(ImageFilter.GaussianBlur(9))
    ImageDraw.Draw(img).rectangle((30, 30, 119, 119), fill=(0, 0, 0, 0))
    return img


def skin_images():
    row = lambda fill, outline: (fill + (255,), outline + (255,))
    return {
        "bg.png": background(mark_choice),
        "bg1.png": background(mark_progress),
        "bg2.png": background(mark_finish),
        "bt1.png": state_rows(72, 22, [row(WHITE, (200, 200, 200)), row((246, 246, 246), (170, 170, 170)),
                                       row((230, 230, 230), (150, 150, 150))], small_button(None, None)),
        "bt3.png": state_rows(72, 22, [row(TEAL, TEAL_DARK), row(TEAL_LIGHT, TEAL), row(TEAL_DARK, TEAL_DARK)],
                              small_button(None, None)),
        "bt2.png": state_rows(276, 48, [row(TEAL, TEAL_DARK), row(TEAL_LIGHT, TEAL), row(TEAL_DARK, TEAL_DARK)],
                              lambda d, box, s: rounded(d, box, 23, fill=s[0], outline=s[1], width=2)),
        "guanbi.png": close_glyph([WHITE + (230,), WHITE + (255,)]),
        "guanbi2.png": close_glyph([(120, 120, 120, 255), (40, 40, 40, 255)]),
        "Pb_Bkg_Green.png": bar(509, (222, 236, 236, 255), (196, 220, 220, 255)),
        "Pb_Green.png": bar(200, TEAL_LIGHT + (255,), TEAL + (255,)),
        "shadow.png": shadow(),
    }


def icon():
    img = Image.new("RGBA", (64, 64), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    rounded(draw, (2, 2, 61, 61), 12, fill=TEAL + (255,))
    viewfinder(draw, 32, 32, 36, WHITE + (255,), 4)
    return img


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--icon":
        icon().save(sys.argv[2], sizes=[(16, 16), (32, 32), (48, 48), (64, 64)])
        return
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, img in skin_images().items():
        img.save(os.path.join(out, name))


if __name__ == "__main__":
    main()
