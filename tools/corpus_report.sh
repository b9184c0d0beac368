#!/usr/bin/env bash
# Runs `vantor-tool report` over every form file of a folder, in both views,
# with a time limit per run, and tallies the outcomes: built, build failed,
# error left the load, crash, timeout. Forms whose classes are all known (no
# class in the missing list) are tallied apart. The missing-class lists as the
# viewer shows them (after the plug-in libraries were asked) are summed: entries
# over all forms, forms whose list is empty, and the classes left most often.
# What the pictures show is tallied last (tools/shown_tally.py).
# The folder stays where it is; nothing of it is copied.
# Every run gets a settings folder of its own (XDG_CONFIG_HOME) under the
# output folder: the plug-in libraries hand their pictures over through a
# file there, which runs at the same time (-j, or two reports at once) would
# otherwise share. The folder is removed after its run.
#
# usage: tools/corpus_report.sh [-t SECONDS] [-j JOBS] [-o OUTDIR] VANTOR_TOOL FOLDER
#   -t  time limit per run (default 20)
#   -j  runs at the same time (default 1)
#   -o  where the JSON of every run is kept (default: a fresh temporary folder)
set -u

limit=20
jobs=1
outdir=""
while getopts "t:j:o:" opt; do
  case $opt in
    t) limit=$OPTARG ;;
    j) jobs=$OPTARG ;;
    o) outdir=$OPTARG ;;
    *) echo "usage: $0 [-t SECONDS] [-j JOBS] [-o OUTDIR] VANTOR_TOOL FOLDER" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -ne 2 ]; then
  echo "usage: $0 [-t SECONDS] [-j JOBS] [-o OUTDIR] VANTOR_TOOL FOLDER" >&2
  exit 2
fi
tool=$1
folder=$2
[ -n "$outdir" ] || outdir=$(mktemp -d /tmp/corpus_report.XXXXXX)
mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd) # XDG_CONFIG_HOME must be absolute
index="$outdir/runs.tsv"
: > "$index"

# One run: number, view, file. Appends one line (short enough to be written
# at once) to the index.
run_one() {
  local n=$1 view=$2 file=$3 flag="" json rc
  [ "$view" = designtime ] && flag="--design-time"
  json="$outdir/$n.$view.json"
  mkdir -p "$outdir/config/$n.$view"
  XDG_CONFIG_HOME="$outdir/config/$n.$view" QT_QPA_PLATFORM=offscreen timeout -k 5 "$limit" "$tool" report $flag "$file" > "$json" 2> "$outdir/$n.$view.err"
  rc=$?
  rm -rf "$outdir/config/$n.$view"
  printf '%s\t%s\t%s\t%s\n' "$view" "$rc" "$json" "$file" >> "$index"
}
export -f run_one
export tool outdir limit index

n=0
while IFS= read -r -d '' file; do
  n=$((n + 1))
  printf '%s\0%s\0%s\0' "$n" runtime "$file" "$n" designtime "$file"
done < <(find "$folder" -type f -iname '*.fmx' -print0 | sort -z) |
  xargs -0 -n 3 -P "$jobs" bash -c 'run_one "$@"' run_one

python3 - "$index" <<'PY'
import collections, json, re, sys

runs = [line.rstrip('\n').split('\t') for line in open(sys.argv[1], encoding='utf-8')]

def category(rc):
    return {0: 'built', 1: 'build failed', 2: 'error left', 124: 'timeout', 137: 'timeout'}.get(rc, 'crash')

def reason(text):
    # "Button1.Foo: Eigenschaft Foo existiert nicht" -> "Eigenschaft Foo existiert nicht"
    text = re.sub(r'^Fehler: ', '', text)
    text = re.sub(r'^[\w.\[\]]+: ', '', text)
    return re.sub(r'in Zeile \d+', 'in Zeile N', text)

for view in ('runtime', 'designtime'):
    tally = collections.Counter()
    known = collections.Counter()
    reasons = collections.Counter()
    crashes = []
    shown = collections.Counter()
    shown_entries = 0
    shown_empty = 0
    for v, rc, path, file in runs:
        if v != view:
            continue
        rc = int(rc)
        cat = category(rc)
        tally[cat] += 1
        data = None
        if cat in ('built', 'build failed', 'error left'):
            try:
                data = json.load(open(path, encoding='utf-8'))
            except Exception:
                tally['bad json'] += 1
        if cat in ('crash', 'timeout'):
            crashes.append((cat, rc, file))
        if data is None:
            continue
        errors = [m for m in data['missing'] if m.startswith('Fehler: ')]
        classes = [m for m in data['missing'] if not m.startswith('Fehler: ')]
        if data['error']:
            reasons[reason(data['error'])] += 1
        for e in errors:
            reasons[reason(e)] += 1
        shown_classes = [m for m in data.get('shownMissing', []) if not m.startswith('Fehler: ')]
        shown_entries += len(shown_classes)
        if not data.get('shownMissing'):
            shown_empty += 1
        shown.update(shown_classes)
        if data['orgText'] and not classes:
            known['all'] += 1
            if data['result'] and not errors:
                known['clean'] += 1
    total = sum(v for k, v in tally.items() if k != 'bad json')
    print(f"[{view}] runs {total}: " + ', '.join(f"{k} {tally[k]}" for k in
          ('built', 'build failed', 'error left', 'crash', 'timeout', 'bad json')))
    if known['all']:
        print(f"[{view}] all classes known: {known['all']} forms, built without an error entry: "
              f"{known['clean']} ({100.0 * known['clean'] / known['all']:.1f}%)")
    print(f"[{view}] shown missing classes: {shown_entries} entries of {len(shown)} classes; "
          f"forms with an empty shown list: {shown_empty}")
    print(f"[{view}]   most frequent: " + ', '.join(f"{c} {n}" for c, n in shown.most_common(30)))
    for text, count in reasons.most_common(12):
        print(f"[{view}]   {count:5d}  {text}")
    for cat, rc, file in crashes[:20]:
        print(f"[{view}]   {cat} (exit {rc}): {file}")
PY
# What the pictures show (empty pictures, controls of zero size or outside).
python3 "$(dirname "$0")/shown_tally.py" "$index" --details "$outdir/shown.tsv"
echo "runs kept in $outdir" >&2
