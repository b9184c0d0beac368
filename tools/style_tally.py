#!/usr/bin/env python3
"""Tallies what forms' own style books give their loads.

usage: tools/style_tally.py [-j JOBS] [--design-time] VANTOR_TOOL FOLDER

Runs `vantor-tool report` on every form file of FOLDER that holds a style
book or whose root names one, and prints: forms with a book, forms whose root
names a book, error entries of style books (with their reasons), and the
controls whose style lookup names a style of their form's book, with how
many of them were drawn with it ("book:NAME"). Lookups the book lacks are
tallied by name. The folder is only read.
"""
import argparse
import collections
import concurrent.futures
import json
import os
import re
import subprocess
import sys

BOOK = re.compile(rb"^\s*(object|inherited)\s+\w+\s*:\s*TStyleBook\b", re.M)
NAMED = re.compile(rb"^  StyleBook = ", re.M)


def candidates(folder):
    for root, _, files in os.walk(folder):
        for name in sorted(files):
            if name.lower().endswith(".fmx"):
                path = os.path.join(root, name)
                with open(path, "rb") as f:
                    data = f.read()
                has_book, named = bool(BOOK.search(data)), bool(NAMED.search(data))
                if has_book or named:
                    yield path, has_book, named


def report(tool, path, design_time):
    args = [tool, "report"] + (["--design-time"] if design_time else []) + [path]
    try:
        run = subprocess.run(args, capture_output=True, timeout=60)
        return json.loads(run.stdout.decode("utf-8", "replace"))
    except (subprocess.TimeoutExpired, json.JSONDecodeError):
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("-j", type=int, default=1)
    parser.add_argument("--design-time", action="store_true")
    parser.add_argument("tool")
    parser.add_argument("folder")
    a = parser.parse_args()
    forms = list(candidates(a.folder))
    t = collections.Counter()
    reasons = collections.Counter()
    lacking = collections.Counter()
    undrawn = []
    with concurrent.futures.ThreadPoolExecutor(a.j) as pool:
        results = pool.map(lambda f: (f, report(a.tool, f[0], a.design_time)), forms)
        for (path, has_book, named), rep in results:
            t["forms with a style book"] += has_book
            t["forms whose root names a book"] += named
            if rep is None:
                t["reports that failed"] += 1
                continue
            t["forms built"] += bool(rep.get("result"))
            for entry in rep.get("shownMissing", []):
                if entry.startswith("Fehler: Stilbuch"):
                    t["style book error entries"] += 1
                    reasons[entry.split(": ", 2)[-1]] += 1
            for c in rep.get("components", []):
                lookup = c.get("styleLookup") or ""
                if not lookup.strip():
                    continue
                t["controls with a style lookup"] += 1
                if c.get("bookStyle"):
                    t["lookups naming a book style"] += 1
                    if (c.get("look") or "").startswith("book:"):
                        t["drawn with the book style"] += 1
                    else:
                        undrawn.append((os.path.relpath(path, a.folder), c["name"], c["class"], lookup))
                elif named:
                    lacking[lookup] += 1
    for key, value in t.items():
        print(f"{key}\t{value}")
    for reason, n in reasons.most_common():
        print(f"refused\t{n}\t{reason}")
    for row in undrawn:
        print("not drawn\t" + "\t".join(row))
    for lookup, n in lacking.most_common(15):
        print(f"lookup the book lacks\t{n}\t{lookup}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
