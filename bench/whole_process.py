#!/usr/bin/env python3
"""Whole-process benchmarks: each figure is one program run from start to exit.

  bench/whole_process.py [conv] [load] [view]      (all three without arguments)

  conv  vantor-tool convert beside the Free Pascal peer (fpconv) on the
        generated 8 MB form, both directions, runs interleaved in pairs;
        prints the medians and the ratios peer / Vantor.
  load  vantor-tool report on generated forms of 5,000 to 50,000
        components: time, peak memory and a straight-line fit over the sizes.
  view  the viewer (headless) from the first timer tick to the form shown,
        on the same sizes and on the corpus forms named in VIEW_FORMS.
  forms the viewer once on every form file below VIEW_DIR (default
        ../shared/corpus/forms): how many are shown within 100 ms of the
        first tick, and the slowest ones. With VIEW_X11=1 on the X server
        of DISPLAY (run it under xvfb-run), else headless.

Environment: BUILD_DIR (default build), RUNS (default 7), SIZES (components,
default "5000 10000 20000 35000 50000"), VIEW_FORMS (extra forms for view,
separated by the path separator ":").
The peer is compiled into BUILD_DIR/bin when fpc is installed and it is
missing. Times are wall clock and CPU (user + system) of the process; on a
shared machine the CPU figures are the steadier ones.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(os.environ.get("BUILD_DIR", os.path.join(ROOT, "build")))
BIN = os.path.join(BUILD, "bin")
RUNS = int(os.environ.get("RUNS", "7"))
SIZES = [int(s) for s in os.environ.get("SIZES", "5000 10000 20000 35000 50000").split()]


def run(argv, env=None, stdout=subprocess.DEVNULL):
    """Runs argv once; returns (wall seconds, cpu seconds, peak RSS in KiB, output)."""
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdout=stdout, stderr=subprocess.PIPE, env=env)
    out = b""
    if stdout == subprocess.PIPE:
        out = proc.stdout.read()
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    err = proc.stderr.read().decode(errors="replace")
    proc.stderr.close()
    if proc.returncode != 0:
        sys.exit(f"whole_process: {' '.join(argv)} failed ({proc.returncode}): {err.strip()}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, out


def med(values):
    return statistics.median(values)


def need(path, what):
    if not os.access(path, os.X_OK):
        sys.exit(f"whole_process: {path} not built ({what})")
    return path


def peer_program():
    fpconv = os.path.join(BIN, "fpconv")
    if os.access(fpconv, os.X_OK):
        return fpconv
    fpc = shutil.which("fpc")
    if not fpc:
        return None
    units = os.path.join(BUILD, "fpc-units")
    os.makedirs(units, exist_ok=True)
    os.makedirs(BIN, exist_ok=True)
    subprocess.run([fpc, "-v0", "-O2", "-FU" + units, "-o" + fpconv,
                    os.path.join(ROOT, "tests", "peer", "fpconv.pas")], check=True)
    return fpconv


def generate(work, kind, count):
    path = os.path.join(work, f"{kind}-{count}.fmx")
    if not os.path.exists(path):
        subprocess.run([need(os.path.join(BIN, "vantor-genform"), "target vantor-genform"),
                        kind, str(count), path], check=True)
    return path


def fit(xs, ys):
    """Least-squares line y = a + b x; returns a, b and the largest deviation
    of a measured value from the line, relative to the value."""
    n = len(xs)
    mx, my = sum(xs) / n, sum(ys) / n
    b = sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / sum((x - mx) ** 2 for x in xs)
    a = my - b * mx
    worst = max(abs(y - (a + b * x)) / y for x, y in zip(xs, ys))
    return a, b, worst


def conversions(work):
    tool = need(os.path.join(BIN, "vantor-tool"), "target vantor-tool")
    peer = peer_program()
    form = generate(work, "components", 20000)
    binary = os.path.join(work, "form.bin")
    # The peer's stream (no resource header) is the input of both binary-to-text runs.
    if peer:
        run([peer, "t2b", form, binary])
    else:
        # Without the peer, Vantor's stream with its resource header stripped.
        run([tool, "convert", "--to-binary", form, binary + ".res"])
        with open(binary + ".res", "rb") as f:
            data = f.read()
        with open(binary, "wb") as f:
            f.write(data[data.index(b"TPF0"):])
    size_text, size_bin = os.path.getsize(form), os.path.getsize(binary)
    print(f"conversions: {form} ({size_text} bytes), stream {size_bin} bytes, {RUNS} paired runs")
    out = os.path.join(work, "out")
    cases = [
        ("text -> binary", [tool, "convert", "--to-binary", form, out], [peer, "t2b", form, out] if peer else None),
        ("binary -> text", [tool, "convert", "--to-text", binary, out], [peer, "b2t", binary, out] if peer else None),
    ]
    for name, ours, theirs in cases:
        o_wall, o_cpu, p_wall, p_cpu = [], [], [], []
        for _ in range(RUNS):
            w, c, _, _ = run(ours)
            o_wall.append(w)
            o_cpu.append(c)
            if theirs:
                w, c, _, _ = run(theirs)
                p_wall.append(w)
                p_cpu.append(c)
        line = f"  {name}: Vantor {med(o_wall) * 1e3:7.1f} ms wall {med(o_cpu) * 1e3:7.1f} ms cpu"
        if theirs:
            line += (f" | peer {med(p_wall) * 1e3:7.1f} ms wall {med(p_cpu) * 1e3:7.1f} ms cpu"
                     f" | ratio {med(p_wall) / med(o_wall):5.1f}x wall {med(p_cpu) / med(o_cpu):5.1f}x cpu")
        print(line, flush=True)
    if not peer:
        print("  (fpc not installed: no peer figures)")


def loads(work):
    tool = need(os.path.join(BIN, "vantor-tool"), "target vantor-tool")
    print(f"load: vantor-tool report, median of {RUNS}")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    xs, walls, cpus = [], [], []
    for n in SIZES:
        form = generate(work, "components", n)
        size = os.path.getsize(form)
        w_list, c_list, rss = [], [], []
        for _ in range(RUNS):
            w, c, m, _ = run([tool, "report", form], env=env)
            w_list.append(w)
            c_list.append(c)
            rss.append(m)
        xs.append(n)
        walls.append(med(w_list))
        cpus.append(med(c_list))
        print(f"  {n:6d} components {size / 1e6:6.1f} MB: {med(w_list) * 1e3:7.1f} ms wall"
              f" {med(c_list) * 1e3:7.1f} ms cpu, peak {med(rss) / 1024:6.1f} MiB"
              f" ({med(rss) * 1024 / size:4.2f}x the file)", flush=True)
    if len(xs) >= 2:
        for label, ys in (("wall", walls), ("cpu", cpus)):
            a, b, worst = fit(xs, ys)
            print(f"  fit ({label}): {a * 1e3:.1f} ms + {b * 1e6:.2f} us per component;"
                  f" largest deviation from the line {worst * 100:.1f}%")


def shown_after(viewer, form, config, timeout, headless=True):
    """One viewer run: the milliseconds from its first timer tick to the form
    shown (None when it never showed one) and its exit status."""
    env = dict(os.environ, XDG_CONFIG_HOME=config, VANTOR_BENCH_FIRST_FORM="1")
    if headless:
        env["QT_QPA_PLATFORM"] = "offscreen"
    proc = subprocess.run(["timeout", str(timeout), viewer, form], env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL)
    marks = {}
    for line in proc.stdout.decode(errors="replace").splitlines():
        parts = line.split()
        if len(parts) == 2 and parts[0] in ("first-timer-tick", "first-form-shown"):
            marks[parts[0]] = int(parts[1])
    if len(marks) != 2:
        return None, proc.returncode
    return marks["first-form-shown"] - marks["first-timer-tick"], proc.returncode


def first_form_ms(viewer, form, config):
    """Milliseconds from the viewer's first timer tick to the form shown."""
    ms, status = shown_after(viewer, form, config, 120)
    if ms is None or status != 0:
        sys.exit(f"whole_process: no form shown for {form} (exit {status})")
    return ms


def views(work):
    viewer = need(os.path.join(BIN, "vantor"), "target vantor")
    print(f"view: first timer tick to form shown, median of {RUNS}")
    config = tempfile.mkdtemp(prefix="vantor-view-")
    try:
        xs, ys = [], []
        forms = [(n, generate(work, "components", n)) for n in SIZES]
        forms += [(None, f) for f in os.environ.get("VIEW_FORMS", "").split(os.pathsep) if f]
        for n, form in forms:
            times = [first_form_ms(viewer, form, config) for _ in range(RUNS)]
            label = f"{n:6d} components" if n else os.path.basename(form)
            print(f"  {label}: {med(times):7.1f} ms (min {min(times)}, max {max(times)})", flush=True)
            if n:
                xs.append(n)
                ys.append(med(times))
        if len(xs) >= 2:
            a, b, worst = fit(xs, ys)
            print(f"  fit: {a:.1f} ms + {b * 1e3:.2f} us per component; largest deviation from the line {worst * 100:.1f}%")
    finally:
        shutil.rmtree(config, ignore_errors=True)


def every_form(work):
    viewer = need(os.path.join(BIN, "vantor"), "target vantor")
    folder = os.environ.get("VIEW_DIR", os.path.join(os.path.dirname(ROOT), "shared", "corpus", "forms"))
    forms = sorted(os.path.join(d, f) for d, _, files in os.walk(folder) for f in files
                   if f.lower().endswith(".fmx"))
    print(f"forms: first timer tick to form shown, once each, {len(forms)} forms below {folder}")
    config = tempfile.mkdtemp(prefix="vantor-forms-")
    times, failed = [], []
    try:
        headless = os.environ.get("VIEW_X11") != "1"
        for form in forms:
            ms, status = shown_after(viewer, form, config, 60, headless)
            if ms is None:
                failed.append((status, form))
            else:
                times.append((ms, form))
    finally:
        shutil.rmtree(config, ignore_errors=True)
    times.sort(reverse=True)
    if times:
        ms = sorted(t for t, _ in times)
        print(f"  shown {len(times)}, median {ms[len(ms) // 2]} ms, within 100 ms {sum(1 for t in ms if t < 100)}")
        for t, form in times[:15]:
            print(f"  {t:6d} ms  {os.path.relpath(form, folder)}")
    for code, form in failed:
        print(f"  not shown (exit {code}): {os.path.relpath(form, folder)}")


def main():
    parts = sys.argv[1:] or ["conv", "load", "view"]
    for p in parts:
        if p not in ("conv", "load", "view", "forms"):
            sys.exit(__doc__)
    work = tempfile.mkdtemp(prefix="vantor-whole-")
    try:
        for p in parts:
            {"conv": conversions, "load": loads, "view": views, "forms": every_form}[p](work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
