#!/usr/bin/env python3
"""Runs the reliability and growth benchmarks and writes their figures into
the README (between the reliability-figures markers) and a chart of how the
measured costs grow with the work (docs/images/cost-growth.svg). It also
times idle `--overlays` runs on the real clock: the processor time of LUMETTA
on the demo desktop at rest and on the same desktop without its target
applications, each run beside BASELINE (another build, such as the commit
before a change) when one is given, taking turns, so that both meet the same
load of the machine.

    tools/reliability_figures.py [BENCH] [--lumetta LUMETTA] [--baseline BASELINE]
                                 [--idle-runs N] [--readme README.md] [--chart SVG]

BENCH defaults to build/release/bench/lumetta_bench (`make bench` builds it),
LUMETTA to build/release/lumetta.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

FILTER = ("BM_LoadDesktop|BM_GeometryPass|BM_ExposedRectangles|BM_OverlaySoak|BM_WatchSoak|"
          "BM_HungApplication|BM_NotificationStorm|BM_IdleWakeups")
DEMO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "docs", "desktops",
                    "demo.json")
IDLE_SECONDS = 10
TARGETS = ("ChatGPT", "Codex")
BEGIN, END = "<!-- reliability-figures -->", "<!-- /reliability-figures -->"


def run(bench):
    with tempfile.NamedTemporaryFile("r", suffix=".series") as series:
        env = dict(os.environ, LUMETTA_SOAK_SERIES=series.name)
        out = subprocess.run([bench, "--benchmark_filter=" + FILTER, "--benchmark_format=json"],
                             env=env, check=True, capture_output=True, text=True).stdout
        hourly = {}
        for line in series.read().split("\n"):
            if line.strip():
                name, hour, heap = line.split()
                hourly.setdefault(name, []).append((int(hour), int(heap)))
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    return {b["name"]: b for b in runs}, hourly


def idle_desktops(folder):
    """The demo desktop at rest (no timeline), and the same without its target
    applications and their windows."""
    with open(DEMO) as f:
        demo = json.load(f)
    demo.pop("timeline", None)
    still = os.path.join(folder, "still.json")
    with open(still, "w") as f:
        json.dump(demo, f)
    gone = {app["pid"] for app in demo["apps"] if app.get("name") in TARGETS}
    demo["apps"] = [app for app in demo["apps"] if app["pid"] not in gone]
    demo["windows"] = [w for w in demo["windows"] if w.get("pid") not in gone]
    empty = os.path.join(folder, "no-target.json")
    with open(empty, "w") as f:
        json.dump(demo, f)
    return {"no target": empty, "still": still}


def processor_seconds(lumetta, desktop):
    """User and system time of one idle run on the real clock."""
    child = subprocess.Popen([lumetta, "--desktop", desktop, "--overlays", str(IDLE_SECONDS)],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        sys.exit(f"{lumetta} --desktop {desktop} --overlays {IDLE_SECONDS}: status {status}")
    return usage.ru_utime + usage.ru_stime


def idle(lumetta, baseline, runs):
    """For each idle desktop: the processor time of each run of LUMETTA and,
    when given, of BASELINE, the two taking turns (which goes first alternates)."""
    builds = {"new": lumetta}
    if baseline:
        builds["old"] = baseline
    times = {}
    with tempfile.TemporaryDirectory() as folder:
        for name, desktop in idle_desktops(folder).items():
            times[name] = {build: [] for build in builds}
            for run in range(runs):
                order = sorted(builds, reverse=run % 2 == 1)
                for build in order:
                    times[name][build].append(processor_seconds(builds[build], desktop))
                    time.sleep(0.5)
    return times


def cpu_ms(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["cpu_time"] * scale


def series_of(runs, prefix, x_of):
    return [(x_of(b), cpu_ms(b)) for name, b in runs.items() if name.startswith(prefix)]


def panel(x0, title, xlabel, ylabel, points):
    """One small line chart, 300 x 200, at x offset x0."""
    w, h, left, bottom = 300, 200, 50, 40
    parts = [f'<g transform="translate({x0},0)">',
             f'<text x="{w / 2}" y="16" text-anchor="middle" font-weight="bold">{title}</text>',
             f'<line x1="{left}" y1="{h - bottom}" x2="{w - 10}" y2="{h - bottom}" stroke="black"/>',
             f'<line x1="{left}" y1="30" x2="{left}" y2="{h - bottom}" stroke="black"/>',
             f'<text x="{(w + left) / 2}" y="{h - 8}" text-anchor="middle">{xlabel}</text>',
             f'<text x="12" y="{(h - bottom + 30) / 2}" text-anchor="middle" '
             f'transform="rotate(-90 12 {(h - bottom + 30) / 2})">{ylabel}</text>']
    if points:
        points = sorted(points)
        xmax = max(p[0] for p in points) or 1
        ymax = max(p[1] for p in points) or 1
        xy = [(left + (w - 10 - left) * x / xmax, h - bottom - (h - bottom - 30) * y / ymax)
              for x, y in points]
        parts.append('<polyline fill="none" stroke="#1f6feb" stroke-width="2" points="' +
                     " ".join(f"{x:.1f},{y:.1f}" for x, y in xy) + '"/>')
        parts += [f'<circle cx="{x:.1f}" cy="{y:.1f}" r="3" fill="#1f6feb"/>' for x, y in xy]
        parts.append(f'<text x="{left + 4}" y="40" font-size="10">max {ymax:,.3g}</text>')
        parts.append(f'<text x="{w - 10}" y="{h - bottom + 14}" text-anchor="end" '
                     f'font-size="10">{xmax:,.0f}</text>')
    parts.append("</g>")
    return "\n".join(parts)


def chart(runs, hourly):
    loader = series_of(runs, "BM_LoadDesktop/", lambda b: b["elements"])
    covers = series_of(runs, "BM_ExposedRectangles/", lambda b: int(b["name"].split("/")[1]))
    geometry = series_of(runs, "BM_GeometryPass/", lambda b: int(b["name"].split("/")[1]))
    heap = [(hour, heap / 1024) for hour, heap in hourly.get("overlays", [])]
    panels = [panel(0, "Loader", "elements", "ms", loader),
              panel(310, "Geometry pass", "tracked windows", "ms", geometry),
              panel(620, "Cover subtraction", "covers", "ms", covers),
              panel(930, "Soak: live heap", "simulated hour", "KiB", heap)]
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="1240" height="200" '
            'font-family="sans-serif" font-size="12">\n<rect width="100%" height="100%" '
            'fill="white"/>\n' + "\n".join(panels) + "\n</svg>\n")


def idle_rows(times):
    def share(seconds):
        return f"{100 * statistics.median(seconds) / IDLE_SECONDS:.2g} %"
    names = ("no target", "still")
    rows = [(f"processor share of an idle {IDLE_SECONDS} s `--overlays` run on the real clock, "
             "no target application / demo desktop at rest",
             " / ".join(share(times[n]["new"]) for n in names), "reported")]
    if all("old" in times[n] for n in names):
        def ratio(name):
            pairs = [new / old for new, old in zip(times[name]["new"], times[name]["old"])]
            return (f"{share(times[name]['old'])}, ×{statistics.median(pairs):.2f} "
                    f"({min(pairs):.2f}–{max(pairs):.2f})")
        runs = len(times[names[0]]["new"])
        rows.append((f"the same for the baseline build, and this one / the baseline: median "
                     f"(range) of {runs} paired runs", " / ".join(ratio(n) for n in names),
                     "reported"))
    return rows


def table(runs, times, chart_path):
    def counter(name, key):
        b = runs.get(name)
        if b is None or key not in b:
            return "n/a"
        value = float(f"{b[key]:.3g}")  # three significant digits
        return f"{value:,.0f}" if abs(value) >= 1000 else f"{value:g}"
    soak, watch = "BM_OverlaySoak/72/iterations:1", "BM_WatchSoak/72/iterations:1"
    hung, storm = "BM_HungApplication/iterations:1", "BM_NotificationStorm/iterations:1"
    idle_bench = "BM_IdleWakeups/iterations:1"
    rows = [
        ("`heap_growth_bytes`, controller, 72 simulated hours", counter(soak, "heap_growth_bytes"),
         "≤ 1 MB"),
        ("`heap_growth_bytes`, `--watch`, 72 simulated hours", counter(watch, "heap_growth_bytes"),
         "≤ 1 MB"),
        ("entries / observers / subscriptions at most (controller)",
         " / ".join(counter(soak, k) for k in ("entries_max", "observers_max",
                                               "subscriptions_max")),
         "bounded by 3 windows, 2 processes"),
        ("numbered windows at most (`--watch`)", counter(watch, "numbered_windows_max"),
         "bounded by 3 windows"),
        ("`max_main_stall_ms`, one target hung for 5 minutes", counter(hung, "max_main_stall_ms"),
         "≤ 5 ms"),
        ("seconds the working window's overlay lagged / hung one recovered",
         counter(hung, "following_misses") + " / " + counter(hung, "recovered"), "0 / 1"),
        ("`storm_queued_jobs_max`, 10,000 notifications/s for a minute",
         counter(storm, "storm_queued_jobs_max"), "≤ windows (5)"),
        ("main thread's largest share of a simulated second in the storm",
         counter(storm, "storm_main_share_max"), "reported"),
        ("wall time of the 72-hour soaks, controller / `--watch` (s)",
         counter(soak, "wall_seconds") + " / " + counter(watch, "wall_seconds"), "reported"),
        ("`idle_wakeups_per_s`, timer firings without a target application",
         counter(idle_bench, "idle_wakeups_per_s"), "≤ 2"),
    ] + idle_rows(times)
    lines = ["| Figure | Measured | Goal |", "|---|---|---|"]
    lines += [f"| {a} | {b} | {c} |" for a, b, c in rows]
    lines += ["", f"![How the measured costs grow with the work]({chart_path})"]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench", nargs="?", default="build/release/bench/lumetta_bench")
    parser.add_argument("--lumetta", default="build/release/lumetta")
    parser.add_argument("--baseline")
    parser.add_argument("--idle-runs", type=int, default=5)
    parser.add_argument("--readme", default="README.md")
    parser.add_argument("--chart", default="docs/images/cost-growth.svg")
    args = parser.parse_args()
    runs, hourly = run(args.bench)
    times = idle(args.lumetta, args.baseline, args.idle_runs)
    with open(args.chart, "w") as out:
        out.write(chart(runs, hourly))
    with open(args.readme) as f:
        text = f.read()
    if BEGIN not in text or END not in text:
        sys.exit(f"{args.readme}: no {BEGIN} ... {END} markers")
    chart_path = os.path.relpath(args.chart, os.path.dirname(os.path.abspath(args.readme)))
    head, rest = text.split(BEGIN, 1)
    tail = rest.split(END, 1)[1]
    with open(args.readme, "w") as f:
        f.write(head + BEGIN + "\n" + table(runs, times, chart_path) + "\n" + END + tail)


if __name__ == "__main__":
    main()
