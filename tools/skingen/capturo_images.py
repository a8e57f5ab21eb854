#!/usr/bin/env python3
"""Draws every image that Capturo's skin layouts name, at their sizes and state rows.

Usage: capturo_images.py OUT_DIR
Icons are drawn at 4x and reduced, so edges stay crisp but smooth at the real size.
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
LATIN_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# One table for the palette: (index, colour as 0xRRGGBB); the skin's buttons 1_1..2_8 follow it.
PALETTE = [0x000000, 0x808080, 0x800000, 0xF7883A, 0x308430, 0x585AD3, 0x800080, 0x009999,
           0xFFFFFF, 0xC0C0C0, 0xFB3838, 0xFFFF00, 0x99CC00, 0x3894E4, 0xF31BF3, 0x16DCDC]

# Toolbar button states: (background, border, glyph colour); None means transparent.
TOOL_STATES = [
    (None, None, (64, 72, 84, 255)),
    ((214, 232, 250, 255), (126, 180, 234, 255), (24, 104, 196, 255)),
    ((170, 204, 240, 255), (60, 138, 216, 255), (12, 72, 150, 255)),
]


def rgb(value, alpha=255):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255, alpha)


def canvas(w, h):
    img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def reduce(img):
    return img.resize((img.width // SS, img.height // SS), Image.LANCZOS)


def s(*values):
    """Scales logical coordinates to the supersampled canvas."""
    return [v * SS for v in values]


def font(path, size):
    try:
        return ImageFont.truetype(path, size * SS)
    except OSError:
        return ImageFont.load_default()


# ---- toolbar glyphs, each drawing into a 22 x 20 logical cell ----

def glyph_rectangle(d, c):
    d.rectangle(s(5, 5, 17, 15), outline=c, width=2 * SS)


def glyph_ellipse(d, c):
    d.ellipse(s(4, 4, 18, 16), outline=c, width=2 * SS)


def arrow_head(d, c, tip, angle, length=6, spread=0.5):
    x, y = tip
    pts = [(x, y)]
    for a in (angle + math.pi - spread, angle + math.pi + spread):
        pts.append((x + length * math.cos(a), y + length * math.sin(a)))
    d.polygon([(px * SS, py * SS) for px, py in pts], fill=c)


def glyph_arrow(d, c):
    d.line(s(5, 16, 14, 7), fill=c, width=2 * SS)
    arrow_head(d, c, (17, 4), -math.pi / 4)


def glyph_brush(d, c):
    d.line(s(15, 4, 9, 11), fill=c, width=3 * SS)
    d.polygon([(v * SS) for v in (9, 10, 11, 12, 7, 17, 4, 17, 6, 13)], fill=c)
    d.line(s(16, 3, 18, 5), fill=c, width=2 * SS)


def glyph_text(d, c):
    d.line(s(5, 16, 11, 4, 17, 16), fill=c, width=2 * SS, joint="curve")
    d.line(s(7, 12, 15, 12), fill=c, width=2 * SS)


def glyph_undo(d, c):
    d.arc(s(6, 5, 17, 16), start=-90, end=150, fill=c, width=2 * SS)
    arrow_head(d, c, (6, 6), -math.pi / 2 - 0.4, length=5, spread=0.7)


def glyph_datatext(d, c):
    for x0, y0, dx, dy in ((3, 3, 1, 1), (19, 3, -1, 1), (3, 17, 1, -1), (19, 17, -1, -1)):
        d.line(s(x0, y0, x0 + 4 * dx, y0), fill=c, width=2 * SS)
        d.line(s(x0, y0, x0, y0 + 3 * dy), fill=c, width=2 * SS)
    for y in (8, 11, 14):
        d.line(s(7, y, 15 if y != 14 else 12, y), fill=c, width=int(1.5 * SS))


def glyph_save(d, c):
    d.rounded_rectangle(s(4, 3, 18, 17), radius=2 * SS, outline=c, width=2 * SS)
    d.rectangle(s(7, 4, 15, 8), fill=c)
    d.rectangle(s(7, 11, 15, 17), outline=c, width=int(1.5 * SS))


def glyph_quit(d, c):
    d.line(s(6, 5, 16, 15), fill=c, width=2 * SS)
    d.line(s(16, 5, 6, 15), fill=c, width=2 * SS)


def tool_strip(glyph, w=22, h=20):
    """Three states stacked: normal at rows 0..h, hot at h..2h, pushed at 2h..3h."""
    out = Image.new("RGBA", (w, h * 3), (0, 0, 0, 0))
    for row, (bg, border, fg) in enumerate(TOOL_STATES):
        img, d = canvas(w, h)
        if bg:
            d.rounded_rectangle(s(0, 0, w - 1, h - 1), radius=3 * SS, fill=bg, outline=border, width=SS)
        glyph(d, fg)
        out.paste(reduce(img), (0, row * h))
    return out


def glyph_done(d, c):
    d.line(s(6, 10, 10, 14, 17, 6), fill=c, width=2 * SS, joint="curve")
    d.text((21 * SS, 2 * SS), "完成", font=font(CJK_FONT, 12), fill=c)


# ---- pen sizes: 22 x 22 states at rows 0, 22, 44 ----

def pen_strip(diameter):
    out = Image.new("RGBA", (22, 66), (0, 0, 0, 0))
    for row, (bg, border, fg) in enumerate(TOOL_STATES):
        img, d = canvas(22, 22)
        if bg:
            d.rounded_rectangle(s(0, 0, 21, 21), radius=3 * SS, fill=bg, outline=border, width=SS)
        r = diameter / 2
        d.ellipse(s(11 - r, 11 - r, 11 + r, 11 + r), fill=fg)
        out.paste(reduce(img), (0, row * 22))
    return out


# ---- palette: 15 x 30 buttons (normal above, hot/pushed below) and 28 x 28 swatches ----

def palette_button(color):
    img = Image.new("RGBA", (15, 30), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, 14, 14), fill=rgb(color), outline=(160, 160, 160, 255))
    d.rectangle((0, 15, 14, 29), fill=(255, 255, 255, 255), outline=(24, 104, 196, 255))
    d.rectangle((2, 17, 12, 27), fill=rgb(color))
    return img


def swatch(color):
    img = Image.new("RGBA", (28, 28), rgb(color))
    ImageDraw.Draw(img).rectangle((0, 0, 27, 27), outline=(128, 128, 128, 255))
    return img


# ---- font-size combo: 46 x 20 ----

def combo_image(border, arrow_bg):
    img, d = canvas(46, 20)
    d.rectangle(s(0, 0, 45, 19), fill=(255, 255, 255, 255), outline=border, width=SS)
    if arrow_bg:
        d.rectangle(s(32, 1, 44, 18), fill=arrow_bg)
    fg = (255, 255, 255, 255) if arrow_bg else (80, 80, 80, 255)
    d.polygon([(v * SS) for v in (35, 8, 42, 8, 38.5, 12.5)], fill=fg)
    return reduce(img)


# ---- the result window and its rows ----

def title_button(glyph, w, hot_bg, pushed_bg):
    out = Image.new("RGBA", (w, 90), (0, 0, 0, 0))
    for row, bg in enumerate((None, hot_bg, pushed_bg)):
        img, d = canvas(w, 30)
        if bg:
            d.rectangle(s(0, 0, w, 30), fill=bg)
        glyph(d, (255, 255, 255, 255), w)
        out.paste(reduce(img), (0, row * 30))
    return out


def glyph_min(d, c, w):
    d.line(s(w / 2 - 6, 15, w / 2 + 6, 15), fill=c, width=int(1.5 * SS))


def glyph_max(d, c, w):
    d.rectangle(s(w / 2 - 6, 9, w / 2 + 6, 21), outline=c, width=int(1.5 * SS))


def glyph_close(d, c, w):
    d.line(s(w / 2 - 5, 10, w / 2 + 5, 20), fill=c, width=int(1.5 * SS))
    d.line(s(w / 2 + 5, 10, w / 2 - 5, 20), fill=c, width=int(1.5 * SS))


def small_strip(glyph, w, h):
    """Side panel buttons: three states of the button's own height stacked vertically."""
    out = Image.new("RGBA", (w, h * 3), (0, 0, 0, 0))
    for row, colour in enumerate(((110, 118, 130, 255), (24, 104, 196, 255), (12, 72, 150, 255))):
        img, d = canvas(w, h)
        glyph(d, colour, w, h)
        out.paste(reduce(img), (0, row * h))
    return out


def glyph_edit(d, c, w, h):
    d.line(s(4, h - 4, w - 5, 4), fill=c, width=3 * SS)
    d.line(s(2, h - 2, w - 2, h - 2), fill=c, width=SS)


def glyph_copy(d, c, w, h):
    d.rectangle(s(1, 1, w - 6, h - 6), outline=c, width=int(1.5 * SS))
    d.rectangle(s(5, 5, w - 2, h - 2), fill=(255, 255, 255, 255), outline=c, width=int(1.5 * SS))


def glyph_small_save(d, c, w, h):
    d.rounded_rectangle(s(1, 1, w - 2, h - 2), radius=SS, outline=c, width=int(1.5 * SS))
    d.rectangle(s(4, 2, w - 5, 6), fill=c)
    d.rectangle(s(4, 10, w - 5, h - 2), outline=c, width=SS)


def logo():
    img, d = canvas(20, 20)
    d.rounded_rectangle(s(0, 0, 19, 19), radius=4 * SS, fill=(56, 148, 228, 255))
    glyph_datatext_small(d, (255, 255, 255, 255))
    return reduce(img)


def glyph_datatext_small(d, c):
    for x0, y0, dx, dy in ((3, 3, 1, 1), (16, 3, -1, 1), (3, 16, 1, -1), (16, 16, -1, -1)):
        d.line(s(x0, y0, x0 + 3 * dx, y0), fill=c, width=int(1.5 * SS))
        d.line(s(x0, y0, x0, y0 + 3 * dy), fill=c, width=int(1.5 * SS))
    d.line(s(6, 8, 13, 8), fill=c, width=SS)
    d.line(s(6, 11, 11, 11), fill=c, width=SS)


def badge(w):
    """Red number badge, 21 high; its number is drawn by the program at x + 4."""
    img, d = canvas(w, 21)
    d.rounded_rectangle(s(0, 0, w - 1, 16), radius=4 * SS, fill=(230, 44, 44, 235))
    d.polygon([(v * SS) for v in (3, 15, 9, 15, 3, 20.5)], fill=(230, 44, 44, 235))
    return reduce(img)


def order_image():
    img, d = canvas(20, 18)
    d.rounded_rectangle(s(0, 0, 19, 17), radius=4 * SS, fill=(232, 240, 250, 255),
                        outline=(120, 160, 210, 255), width=SS)
    return reduce(img)


def scrollbar_thumb():
    img, d = canvas(8, 32)
    d.rounded_rectangle(s(1, 0, 6.5, 31.5), radius=2 * SS, fill=(190, 194, 200, 255))
    return reduce(img)


def shadow():
    """60 x 60 drop shadow: dark near the window's edge, fading over 5 pixels outward."""
    size, edge = 60, 5
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    px = img.load()
    for y in range(size):
        for x in range(size):
            dx = max(edge - x, 0, x - (size - 1 - edge))
            dy = max(edge - y, 0, y - (size - 1 - edge))
            dist = math.hypot(dx, dy)
            alpha = 0 if dist >= edge else int(90 * (1 - dist / edge) ** 2)
            px[x, y] = (0, 0, 0, alpha)
    return img


def loading_gif(path):
    """150 x 60 animated GIF89a, 7 frames: a pulse running along seven dots, with the caption."""
    frames = []
    caption_font = font(CJK_FONT, 12)
    for k in range(7):
        img, d = canvas(150, 60)
        d.rectangle(s(0, 0, 149, 59), fill=(255, 255, 255, 255), outline=(190, 200, 214, 255), width=SS)
        for i in range(7):
            dist = min(abs(i - k), 7 - abs(i - k))
            r = 4.5 - dist * 0.9
            shade = 60 + dist * 45
            cx = 30 + i * 15
            d.ellipse(s(cx - r, 20 - r, cx + r, 20 + r), fill=(shade // 3, 110 + dist * 20, 220, 255))
        d.text((47 * SS, 34 * SS), "正在识别…", font=caption_font, fill=(70, 80, 96, 255))
        frames.append(reduce(img).convert("RGB").convert("P", palette=Image.ADAPTIVE, colors=64))
    frames[0].save(path, save_all=True, append_images=frames[1:], duration=110, loop=0)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)

    def save(img, name):
        img.save(os.path.join(out, name))

    tools = {"rectangle.png": glyph_rectangle, "ellipse.png": glyph_ellipse, "arrow.png": glyph_arrow,
             "brush.png": glyph_brush, "text.png": glyph_text, "undo.png": glyph_undo,
             "datatext.png": glyph_datatext, "save.png": glyph_save, "quit.png": glyph_quit}
    for name, glyph in tools.items():
        save(tool_strip(glyph), name)
    save(tool_strip(glyph_done, 52, 20), "done.png")

    for name, diameter in (("pensmall.png", 4), ("penmedium.png", 7), ("penlarge.png", 11)):
        save(pen_strip(diameter), name)

    for index, colour in enumerate(PALETTE, start=1):
        row, col = divmod(index - 1, 8)
        save(palette_button(colour), f"{row + 1}_{col + 1}.png")
        save(swatch(colour), f"{index}.png")

    save(combo_image((160, 160, 160, 255), None), "cmbFontSizeNormal.png")
    save(combo_image((60, 150, 214, 255), None), "cmbFontSizeHot.png")
    save(combo_image((60, 150, 214, 255), (60, 150, 214, 255)), "cmbFontSizeHot1.png")
    save(scrollbar_thumb(), "scrollbarcopy.png")
    save(shadow(), "shadow.png")

    hot, pushed = (255, 255, 255, 50), (0, 0, 0, 50)
    save(title_button(glyph_min, 32, hot, pushed), "ocrmin.png")
    save(title_button(glyph_max, 32, hot, pushed), "ocrmax.png")
    save(title_button(glyph_close, 28, (232, 17, 35, 255), (160, 12, 24, 255)), "ocrclose.png")
    save(logo(), "logo.png")
    save(small_strip(glyph_edit, 19, 20), "ocredit.png")
    save(small_strip(glyph_copy, 16, 18), "ocrcopy.png")
    save(small_strip(glyph_small_save, 17, 17), "ocrsave.png")
    for name, w in (("redorder1.png", 16), ("redorder2.png", 22), ("redorder3.png", 30)):
        save(badge(w), name)
    save(order_image(), "orderimage.png")
    loading_gif(os.path.join(out, "load.gif"))


if __name__ == "__main__":
    main()
