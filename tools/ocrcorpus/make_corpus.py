#!/usr/bin/python3
"""Draws a corpus of screen-like text pictures with exact ground truth, for the recognition benchmark.

Each picture is a 24-bit BMP (as the screenshot program writes them) of UI text 11-16 px high in a
sans, serif or monospace face, on a light, dark or coloured theme, in English, Chinese or both,
as a single line or as a dialog with several blocks. truth.json lists every picture's lines with
their text and box, and the picture's categories.

Usage: make_corpus.py OUTDIR [--count N] [--seed S]
"""
import argparse
import json
import os
import random

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype"
FAMILIES = {
    "sans": ["dejavu/DejaVuSans.ttf", "liberation/LiberationSans-Regular.ttf"],
    "serif": ["dejavu/DejaVuSerif.ttf", "liberation/LiberationSerif-Regular.ttf"],
    "mono": ["dejavu/DejaVuSansMono.ttf", "liberation/LiberationMono-Regular.ttf"],
}
CJK_FONT = "wqy/wqy-microhei.ttc"

# (background, text, title bar) colours per theme.
THEMES = {
    "light": [((255, 255, 255), (0, 0, 0), (240, 240, 240)), ((243, 243, 243), (32, 32, 32), (225, 225, 225)),
              ((250, 250, 250), (68, 68, 68), (230, 236, 245))],
    "dark": [((30, 30, 30), (220, 220, 220), (45, 45, 48)), ((37, 37, 38), (255, 255, 255), (60, 60, 60)),
             ((18, 24, 38), (200, 210, 225), (30, 40, 60))],
    "colour": [((0, 120, 215), (255, 255, 255), (0, 90, 170)), ((255, 242, 204), (60, 40, 0), (250, 225, 160)),
               ((46, 125, 50), (255, 255, 255), (27, 94, 32)), ((255, 235, 238), (183, 28, 28), (248, 200, 208)),
               ((232, 244, 253), (13, 71, 161), (200, 225, 250))],
}

ENGLISH = [
    "Open the settings file", "Save changes before closing?", "File name:", "Recent documents",
    "Check for updates", "Network connection lost", "Print preview", "Select all items",
    "Export as PDF", "Show hidden files", "Remember my password", "Download complete",
    "Version 2.4.1 (build 3185)", "Free space: 12.7 GB", "Last modified 03/11/2024 14:05",
    "Enable notifications", "Copy to clipboard", "Sort by date", "Undo typing", "Find and replace",
    "Display resolution", "Keyboard shortcuts", "Account settings", "Sign out of all devices",
    "Battery saver is on", "Connected to Wi-Fi", "Add a bookmark", "Clear browsing data",
    "Automatic backups", "The operation completed successfully.", "Access denied", "Delete permanently",
    "Send feedback", "Restart now", "Insert table", "Zoom: 125%", "Language and region", "Paste special",
    "Error code 0x80070005", "Move to folder", "Rename", "New window", "Properties", "Help and support",
]
CHINESE = [
    "打开文件", "保存更改", "另存为", "文件名称", "最近使用的文档", "检查更新", "网络连接已断开", "打印预览",
    "全部选择", "显示隐藏的文件", "记住我的密码", "下载完成", "启用通知", "复制到剪贴板", "按日期排序",
    "查找和替换", "显示分辨率", "键盘快捷方式", "帐户设置", "退出所有设备", "已连接到网络", "添加书签",
    "清除浏览数据", "自动备份", "操作已成功完成。", "拒绝访问", "永久删除", "发送反馈", "立即重新启动",
    "插入表格", "语言和区域", "选择性粘贴", "移动到文件夹", "重命名", "新建窗口", "属性", "帮助和支持",
    "确定要退出吗？", "正在加载，请稍候", "图片已保存到桌面",
]
MIXED = [
    "打开 Windows 设置", "版本 2.4.1", "使用 Python 3 运行", "已复制 15 个文件", "导出为 PDF 文件",
    "连接到 Wi-Fi 网络", "缩放：125%", "剩余空间 12.7 GB", "错误代码 0x80070005", "上传到 OneDrive",
    "按 Ctrl+C 复制", "共 38 页", "分辨率 1920 x 1080", "发送到 USB 驱动器", "安装 Visual Studio",
    "更新于 2024-03-11", "启用 HTTPS 连接", "打开 Excel 表格", "第 3 章 概述", "电池电量 87%",
]
BUTTONS = {"en": [("OK", "Cancel"), ("Yes", "No"), ("Save", "Discard"), ("Apply", "Close")],
           "zh": [("确定", "取消"), ("是", "否"), ("保存", "放弃"), ("应用", "关闭")]}
LABELS = {"en": [("Name:", "Quarterly report"), ("Size:", "4.2 MB"), ("Owner:", "Administrator"),
                 ("Type:", "Text document")],
          "zh": [("名称：", "季度报告"), ("大小：", "4.2 MB"), ("所有者：", "管理员"), ("类型：", "文本文档")]}


def is_cjk(ch):
    c = ord(ch)
    return 0x2E80 <= c <= 0x9FFF or 0xF900 <= c <= 0xFAFF or 0xFE30 <= c <= 0xFE4F or 0xFF00 <= c <= 0xFFEF


class Face:
    """A Latin face with the CJK face for Chinese runs, both at one pixel size."""

    def __init__(self, latin_file, size):
        self.latin = ImageFont.truetype(os.path.join(FONT_DIR, latin_file), size)
        self.cjk = ImageFont.truetype(os.path.join(FONT_DIR, CJK_FONT), size)

    def runs(self, text):
        out = []
        for ch in text:
            font = self.cjk if is_cjk(ch) else self.latin
            if out and out[-1][1] is font:
                out[-1][0] += ch
            else:
                out.append([ch, font])
        return out

    def width(self, text):
        return sum(font.getlength(run) for run, font in self.runs(text))

    def draw(self, draw, x, y, text, fill):
        """Draws text with its top at y and returns its ink box (left, top, right, bottom)."""
        box = None
        for run, font in self.runs(text):
            ascent = font.getmetrics()[0]
            base = y + self.latin.getmetrics()[0] - ascent
            draw.text((x, base), run, font=font, fill=fill)
            l, t, r, b = draw.textbbox((x, base), run, font=font)
            if run.strip():
                box = (l, t, r, b) if box is None else (min(box[0], l), min(box[1], t), max(box[2], r), max(box[3], b))
            x += font.getlength(run)
        return [int(v) for v in box]

    def height(self):
        a, d = self.latin.getmetrics()
        return a + d


def phrase(rng, language):
    if language == "en":
        return rng.choice(ENGLISH)
    if language == "zh":
        return rng.choice(CHINESE)
    return rng.choice(MIXED)


def single_line(rng, face, theme, language):
    text = phrase(rng, language)
    mx, my = rng.randint(4, 14), rng.randint(3, 9)
    w, h = int(face.width(text)) + 2 * mx, face.height() + 2 * my
    img = Image.new("RGB", (w, h), theme[0])
    d = ImageDraw.Draw(img)
    d.fontmode = rng.choice(["1", "L"])
    box = face.draw(d, mx, my, text, theme[1])
    return img, [{"text": text, "box": box}]


def block_language(rng, language):
    return language if language != "mixed" else rng.choice(["en", "zh", "mixed"])


def dialog(rng, face, theme, language):
    lh = face.height()
    w, pad = rng.randint(340, 440), 12
    title_h = lh + 12
    body = [phrase(rng, block_language(rng, language)) for _ in range(rng.randint(2, 3))]
    key = "zh" if language == "zh" else "en" if language == "en" else rng.choice(["en", "zh"])
    label, value = rng.choice(LABELS[key])
    ok, cancel = rng.choice(BUTTONS[key])
    h = title_h + pad + len(body) * (lh + 6) + (lh + 10) + (lh + 14) + 2 * pad
    img = Image.new("RGB", (w, h), theme[0])
    d = ImageDraw.Draw(img)
    d.fontmode = rng.choice(["1", "L"])
    lines = []
    d.rectangle([0, 0, w - 1, title_h - 1], fill=theme[2])
    title = phrase(rng, block_language(rng, language))
    lines.append({"text": title, "box": face.draw(d, pad, 6, title, theme[1])})
    y = title_h + pad
    for text in body:
        lines.append({"text": text, "box": face.draw(d, pad, y, text, theme[1])})
        y += lh + 6
    y += 4
    lines.append({"text": label, "box": face.draw(d, pad, y, label, theme[1])})
    lines.append({"text": value, "box": face.draw(d, pad + int(face.width(label)) + 4 * lh, y, value, theme[1])})
    y += lh + 10 + pad
    bw = max(int(face.width(ok)), int(face.width(cancel))) + 28
    bh = lh + 10
    for i, text in enumerate((ok, cancel)):
        bx = w - pad - (2 - i) * (bw + 10) + 10
        d.rectangle([bx, y, bx + bw, y + bh], outline=theme[1])
        tx = bx + (bw - int(face.width(text))) // 2
        lines.append({"text": text, "box": face.draw(d, tx, y + 5, text, theme[1])})
    return img, lines


def balanced(rng, values, count):
    out = [values[i % len(values)] for i in range(count)]
    rng.shuffle(out)
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("outdir")
    ap.add_argument("--count", type=int, default=108)
    ap.add_argument("--seed", type=int, default=7)
    args = ap.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    rng = random.Random(args.seed)
    sizes = balanced(rng, [11, 12, 13, 14, 15, 16], args.count)
    items = []
    for i in range(args.count):
        family = ["sans", "serif", "mono"][i % 3]
        theme_name = ["light", "dark", "colour"][(i // 3) % 3]
        language = ["en", "zh", "mixed"][(i // 9) % 3]
        layout = ["line", "dialog"][(i // 27) % 2]
        face = Face(rng.choice(FAMILIES[family]), sizes[i])
        theme = rng.choice(THEMES[theme_name])
        make = single_line if layout == "line" else dialog
        img, lines = make(rng, face, theme, language)
        name = "%03d.bmp" % i
        img.save(os.path.join(args.outdir, name))
        items.append({"file": name, "size": sizes[i], "family": family, "theme": theme_name,
                      "language": language, "layout": layout, "width": img.width, "height": img.height,
                      "lines": lines})
    with open(os.path.join(args.outdir, "truth.json"), "w", encoding="utf-8") as f:
        json.dump(items, f, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
