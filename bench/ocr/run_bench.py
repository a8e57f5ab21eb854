#!/usr/bin/python3
"""Recognition benchmark: character error rate per category and median time per picture, for textsight
(through ocrbench.exe under Wine) and for the raw engine with default settings on the same pictures.

The raw engine gets the same languages as textsight (eng+chi_sim) and nothing else: default page
segmentation, no preparation of the picture. Both outputs are put into reading order the same way
before comparing, so that only the recognised text counts.

Usage: run_bench.py [--build DIR] [--corpus DIR] [--count N] [--only N] [--every N] [--reuse-raw]
                    [--details FILE]
Run it after `eval "$(tools/clone-prefix.sh build/jobs/NAME)"` so that Wine uses a private prefix.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LANGUAGES = "eng+chi_sim"


def reading_order(lines):
    """Rows top to bottom, each row left to right: the library's own order."""
    lines = sorted(lines, key=lambda l: l["box"][1] + l["box"][3])
    out, i = [], 0
    while i < len(lines):
        bottom = lines[i]["box"][3]
        j = i + 1
        while j < len(lines) and lines[j]["box"][1] + lines[j]["box"][3] < 2 * bottom:
            j += 1
        out += sorted(lines[i:j], key=lambda l: l["box"][0])
        i = j
    return out


def page_text(lines):
    return "\n".join(" ".join(l["text"].split()) for l in reading_order(lines))


def edit_distance(a, b):
    prev = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        cur = [i]
        for j, cb in enumerate(b, 1):
            cur.append(min(prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (ca != cb)))
        prev = cur
    return prev[-1]


def raw_engine(path):
    start = time.perf_counter()
    run = subprocess.run(["tesseract", path, "stdout", "-l", LANGUAGES, "tsv"], capture_output=True, timeout=120)
    elapsed = (time.perf_counter() - start) * 1000
    groups = {}
    for row in run.stdout.decode("utf-8", "replace").splitlines()[1:]:
        f = row.split("\t")
        if len(f) != 12 or f[0] != "5" or not f[11].strip():
            continue
        key = (int(f[2]), int(f[3]), int(f[4]))
        l, t, w, h = (int(v) for v in f[6:10])
        g = groups.setdefault(key, {"words": [], "box": [l, t, l + w, t + h]})
        g["words"].append(f[11].strip())
        b = g["box"]
        g["box"] = [min(b[0], l), min(b[1], t), max(b[2], l + w), max(b[3], t + h)]
    return [{"text": " ".join(g["words"]), "box": g["box"]} for g in groups.values()], elapsed


def raw_results(corpus, paths, reuse):
    """The raw engine's lines and times; kept in the corpus folder, as its lines do not change."""
    cache_file = os.path.join(corpus, "raw_engine.json")
    cache = {}
    if reuse and os.path.exists(cache_file):
        with open(cache_file, encoding="utf-8") as f:
            cache = json.load(f)
    for p in paths:
        name = os.path.basename(p)
        if name not in cache:
            cache[name] = raw_engine(p)
    with open(cache_file, "w", encoding="utf-8") as f:
        json.dump(cache, f, ensure_ascii=False)
    return [cache[os.path.basename(p)] for p in paths]


def textsight(build, paths):
    exe = os.path.join(build, "ocrbench.exe")
    with tempfile.TemporaryDirectory() as tmp:
        listing, out = os.path.join(tmp, "list.txt"), os.path.join(tmp, "out.txt")
        with open(listing, "w", encoding="utf-8") as f:
            for p in paths:
                f.write("Z:" + p.replace("/", "\\") + "\n")
        win = lambda p: "Z:" + p.replace("/", "\\")
        with open(os.path.join(tmp, "log.txt"), "w") as log:
            subprocess.run([os.path.join(ROOT, "tools", "wine-exec"), exe, win(listing), win(out)],
                           stdout=log, stderr=log, timeout=60 * 30)
        results = [{"lines": [], "ms": None} for _ in paths]
        current = None
        with open(out, encoding="utf-8") as f:
            for row in f.read().split("\n"):
                f = row.split("\t")
                if f[0] == "IMG":
                    current = results[int(f[1])]
                    current["ms"] = float(f[2])
                elif f[0] == "BLK" and current is not None:
                    current["lines"].append({"box": [int(v) for v in f[1:5]], "text": f[6] if len(f) > 6 else ""})
    return results


def categories(item):
    size_group = "11-13 px" if item["size"] <= 13 else "14-16 px"
    return ["all", "size " + size_group, "size %d px" % item["size"], "family " + item["family"],
            "theme " + item["theme"], "language " + item["language"], "layout " + item["layout"]]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(ROOT, "build", "x86_64", "textsight"))
    ap.add_argument("--corpus", default=None)
    ap.add_argument("--count", type=int, default=108)
    ap.add_argument("--only", type=int, default=0, help="use only the first N pictures")
    ap.add_argument("--every", type=int, default=1, help="use every Nth picture")
    ap.add_argument("--reuse-raw", action="store_true",
                    help="take the raw engine's results from the corpus folder when there (faster, but its times "
                         "then come from another run)")
    ap.add_argument("--details", default=None, help="write each picture's texts to this JSON file")
    args = ap.parse_args()
    corpus = args.corpus or os.path.join(ROOT, "build", "bench-ocr", "corpus")
    if not os.path.exists(os.path.join(corpus, "truth.json")):
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "ocrcorpus", "make_corpus.py"), corpus,
                        "--count", str(args.count)], check=True)
    with open(os.path.join(corpus, "truth.json"), encoding="utf-8") as f:
        truth = json.load(f)
    if args.only:
        truth = truth[:args.only]
    truth = truth[::args.every]
    paths = [os.path.join(os.path.abspath(corpus), t["file"]) for t in truth]

    ours = textsight(args.build, paths)
    raw = raw_results(corpus, paths, args.reuse_raw)

    sums, details = {}, []
    for item, o, (raw_lines, _) in zip(truth, ours, raw):
        ref = page_text(item["lines"])
        d_ours, d_raw = edit_distance(ref, page_text(o["lines"])), edit_distance(ref, page_text(raw_lines))
        details.append({"file": item["file"], "truth": ref, "textsight": page_text(o["lines"]),
                        "raw": page_text(raw_lines), "errors": [d_ours, d_raw]})
        for c in categories(item):
            s = sums.setdefault(c, [0, 0, 0, 0])
            s[0] += len(ref)
            s[1] += d_ours
            s[2] += d_raw
            s[3] += 1
    if args.details:
        with open(args.details, "w", encoding="utf-8") as f:
            json.dump(details, f, ensure_ascii=False, indent=1)
    order = ["all", "size 11-13 px", "size 14-16 px"] + sorted(c for c in sums if c.startswith("size ") and
                                                              "-" not in c)
    order += sorted(c for c in sums if c not in order)
    print("%-20s %6s %7s %10s %10s" % ("category", "pics", "chars", "textsight", "raw engine"))
    failures = []
    for c in order:
        chars, d_ours, d_raw, n = sums[c]
        cer_ours, cer_raw = d_ours / max(chars, 1), d_raw / max(chars, 1)
        print("%-20s %6d %7d %9.1f%% %9.1f%%" % (c, n, chars, 100 * cer_ours, 100 * cer_raw))
        if c in ("all", "size 11-13 px") and cer_ours > cer_raw / 2:
            failures.append("%s: CER not at most half the raw engine's" % c)
        if c.split(" ")[0] in ("theme", "family", "language", "layout") and cer_ours >= cer_raw and cer_raw > 0:
            failures.append("%s: CER not below the raw engine's" % c)
    med_ours = statistics.median(o["ms"] for o in ours if o["ms"] is not None)
    med_raw = statistics.median(ms for _, ms in raw)
    print("median time per picture: textsight %.0f ms, raw engine %.0f ms (%.2fx)" %
          (med_ours, med_raw, med_ours / med_raw))
    if med_ours > 2 * med_raw:
        failures.append("median time above twice the raw engine's")
    print("targets: " + ("all met" if not failures else "MISSED: " + "; ".join(failures)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
