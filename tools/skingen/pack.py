#!/usr/bin/env python3
"""Packs skin folders into one deflated zip archive with fixed timestamps (reproducible builds).

Usage: pack.py OUT.zip DIR [DIR ...]   -- files of later folders replace same-named earlier ones.
"""
import os
import sys
import zipfile


def main():
    out, dirs = sys.argv[1], sys.argv[2:]
    files = {}
    for d in dirs:
        for base, _, names in os.walk(d):
            for n in names:
                full = os.path.join(base, n)
                files[os.path.relpath(full, d).replace(os.sep, "/")] = full
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as z:
        for name in sorted(files):
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(files[name], "rb") as f:
                z.writestr(info, f.read())
    os.replace(tmp, out)


if __name__ == "__main__":
    main()
