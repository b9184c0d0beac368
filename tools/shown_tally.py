#!/usr/bin/env python3
"""What the pictures of a corpus run show, from the JSON that
`vantor-tool report` left for every run (the runs.tsv index of
tools/corpus_report.sh).

Per view it counts, over the forms that were built:
  - forms whose picture is empty (nothing but the panel's background)
    although they have shown controls;
  - shown controls of zero size (no width or no height);
  - shown controls that lie wholly outside the picture (those inside a
    scrolling view, reached by scrolling, are counted apart);
  - shown controls inside the picture of which nothing can be seen, since a
    parent's area clips them away (the widgets here always clip their
    children; the framework's controls clip only where ClipChildren says so);
and lists the forms with the most of each.

usage: tools/shown_tally.py RUNS.TSV [--worst N] [--details FILE]
"""
import collections
import json
import sys


def inside(bounds, picture):
    """True when the rectangle [x, y, w, h] meets the picture [w, h]."""
    x, y, w, h = bounds
    return x < picture[0] and y < picture[1] and x + w > 0 and y + h > 0


def tally(index, worst, details):
    runs = [line.rstrip('\n').split('\t') for line in open(index, encoding='utf-8')]
    out = open(details, 'w', encoding='utf-8') if details else None
    for view in ('runtime', 'designtime'):
        built = 0
        empty = []
        zero = collections.Counter()
        outside = collections.Counter()
        clipped = collections.Counter()
        zero_total = outside_total = scrolled_total = clipped_total = 0
        for v, rc, path, file in runs:
            if v != view or rc != '0':
                continue
            try:
                data = json.load(open(path, encoding='utf-8'))
            except Exception:
                continue
            if data.get('showsAnything') is None:
                continue
            built += 1
            shown = [c for c in data['components'] if c['shown'] and c['bounds'] is not None]
            if shown and not data['showsAnything']:
                empty.append(file)
                if out:
                    print(f"{view}\tempty\t{file}", file=out)
            for c in shown:
                w, h = c['bounds'][2], c['bounds'][3]
                if w <= 0 or h <= 0:
                    zero[file] += 1
                    zero_total += 1
                    if out:
                        print(f"{view}\tzero\t{file}\t{c['name']}\t{c['class']}\t{c['bounds']}", file=out)
                elif c['visibleArea'] is None and c.get('inScrollView'):
                    scrolled_total += 1
                elif c['visibleArea'] is None and inside(c['bounds'], data['picture']):
                    clipped[file] += 1
                    clipped_total += 1
                    if out:
                        print(f"{view}\tclipped\t{file}\t{c['name']}\t{c['class']}\t{c['bounds']}", file=out)
                elif c['visibleArea'] is None:
                    outside[file] += 1
                    outside_total += 1
                    if out:
                        print(f"{view}\toutside\t{file}\t{c['name']}\t{c['class']}\t{c['bounds']}", file=out)
        print(f"[{view}] shown: {built} forms built; empty pictures with shown controls: {len(empty)}; "
              f"shown controls of zero size: {zero_total} in {len(zero)} forms; "
              f"shown controls wholly outside: {outside_total} in {len(outside)} forms "
              f"(and {scrolled_total} beyond a scrolling view); "
              f"inside but clipped away by a parent: {clipped_total} in {len(clipped)} forms")
        for file in empty[:worst]:
            print(f"[{view}]   empty picture: {file}")
        for file, n in zero.most_common(worst):
            print(f"[{view}]   {n:4d} of zero size: {file}")
        for file, n in outside.most_common(worst):
            print(f"[{view}]   {n:4d} outside: {file}")
        for file, n in clipped.most_common(worst):
            print(f"[{view}]   {n:4d} clipped by a parent: {file}")


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    worst = 10
    details = None
    args = argv[2:]
    while args:
        if args[0] == '--worst' and len(args) > 1:
            worst = int(args[1])
            args = args[2:]
        elif args[0] == '--details' and len(args) > 1:
            details = args[1]
            args = args[2:]
        else:
            print(__doc__, file=sys.stderr)
            return 2
    tally(argv[1], worst, details)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
