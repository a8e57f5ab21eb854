#!/usr/bin/env python3
"""Writes a copy of the installed CJK font whose family is named "微软雅黑".

Under Wine, GDI+ looks font families up by their real names and ignores FontSubstitutes, so
the skins' "微软雅黑" would fall back to a Latin font. A Chinese Windows has the real font.
Usage: make-cjk-font.py SOURCE.ttc OUT.ttf
"""
import sys

from fontTools.ttLib import TTCollection, TTFont

FAMILY = "微软雅黑"


def main():
    src, out = sys.argv[1], sys.argv[2]
    font = TTCollection(src).fonts[0] if src.lower().endswith(".ttc") else TTFont(src)
    names = font["name"]
    for rec in list(names.names):
        if rec.nameID in (1, 3, 4, 6, 16, 21):
            names.removeNames(nameID=rec.nameID)
    for lang in (0x0804, 0x0409):
        names.setName(FAMILY, 1, 3, 1, lang)
        names.setName("Regular", 2, 3, 1, lang)
        names.setName(FAMILY, 4, 3, 1, lang)
        names.setName(FAMILY + " Regular", 3, 3, 1, lang)
    names.setName("MicrosoftYaHeiStandIn", 6, 3, 1, 0x0409)
    font.save(out)


if __name__ == "__main__":
    main()
