#!/usr/bin/python3
"""Prints what scripts/bench.sh measured, in the folder given, as markdown tables with
each target met or missed. Exits 1 when a result is missing or a benchmark failed."""

import json
import sys
from pathlib import Path
from statistics import median

folder = Path(sys.argv[1] if len(sys.argv) > 1 else "build/bench-results")
problems = []
mark = lambda ok: "met" if ok else "**missed**"
time = lambda us: f"{us:.1f} µs" if us < 1000 else f"{us / 1000:.2f} ms"


def runs(name):
    """The benchmarks of one JSON file by name: their medians, or their single run."""
    path = folder / f"{name}.json"
    if not path.exists():
        problems.append(f"{path.name} is missing")
        return {}
    found = {}
    for run in json.loads(path.read_text())["benchmarks"]:
        if run.get("error_occurred"):
            problems.append(f"{run['name']}: {run.get('error_message')}")
        elif run.get("aggregate_name", "median") == "median":
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[run["time_unit"]]
            found[run["run_name"]] = dict(run, cpu_us=run["cpu_time"] * scale)
    return found


print("### 1. Load sequence on tests/data/config.cfg\n")
load = runs("load")
if {"PlainRead/realistic", "LoadSequence/realistic"} <= load.keys():
    plain, ours = load["PlainRead/realistic"]["cpu_us"], load["LoadSequence/realistic"]["cpu_us"]
    print(f"{load['LoadSequence/realistic']['file_KiB']:.1f} KiB in the page cache; CPU time (user + system), "
          "medians, the two interleaved in one run.\n")
    print("| plain read | load | load / plain read | target |\n|---:|---:|---:|---|")
    print(f"| {time(plain)} | {time(ours)} | {ours / plain:.2f} | ≤ 3: {mark(ours / plain <= 3)} |\n")

print("### 2. Scaling\n\nEach case in a process of its own; CPU time per MiB; peak resident memory above the start.\n")
print("| file | plain read per MiB | load per MiB | load peak memory |\n|---|---:|---:|---:|")
cases = {}
for name in [f"{end}_{size}mb" for end in ("crlf", "lf") for size in (1, 10, 100)]:
    plain, ours = runs(f"scaling-PlainRead-{name}").get(f"PlainRead/{name}"), runs(f"scaling-LoadSequence-{name}").get(f"LoadSequence/{name}")
    if plain and ours:
        mib = ours["file_KiB"] / 1024
        cases[name] = (ours["cpu_us"] / mib, (ours["peak_rss_KiB"] - ours["start_rss_KiB"]) / 1024)
        print(f"| {name} | {time(plain['cpu_us'] / mib)} | {time(cases[name][0])} | +{cases[name][1]:.1f} MiB |")
print()
for end in ("crlf", "lf"):
    sizes = [cases.get(f"{end}_{size}mb") for size in (1, 10, 100)]
    if None in sizes:
        continue
    spread = max(c[0] for c in sizes) / min(c[0] for c in sizes)
    rise = sizes[2][1] - sizes[0][1]
    print(f"- {end.upper()}: time per MiB from 1 to 100 MiB within ×{spread:.2f}, target ≤ 1.5: {mark(spread <= 1.5)}; "
          f"peak memory {rise:+.1f} MiB from 1 to 100 MiB, target: independent of the file's size (≤ 1 MiB): {mark(rise <= 1)}.")
print("\n### 3. Start-up under Wine\n")
path = folder / "startup.json"
startup = json.loads(path.read_text()) if path.exists() else {"times_ms": {}}
times = startup["times_ms"]
if times.keys() != {"quorvane", "floor_controls", "floor", "notepad"}:
    problems.append("startup.json lacks a program")
else:
    labels = {"quorvane": "quorvane.exe", "floor_controls": "floor: the window, menu and 45 controls",
              "floor": "floor: the bare window", "notepad": "Notepad, 32-bit, opening config.cfg"}
    targets = {"floor_controls": 1.2, "notepad": 1.0}
    ours = median(times["quorvane"])
    print(f"From `wine program.exe` to the window mapped on Xvfb, {len(times['quorvane'])} runs each, taking turns; "
          f"load average {startup['load_average'][0]:.2f} before, {startup['load_average'][1]:.2f} after.\n")
    print("| program | median | fastest | slowest | quorvane.exe / this | target |\n|---|---:|---:|---:|---:|---|")
    for name, label in labels.items():
        ratio = ours / median(times[name])
        target = f"≤ {targets[name]:g}: {mark(ratio <= targets[name])}" if name in targets else ""
        print(f"| {label} | {median(times[name]):.0f} ms | {min(times[name]):.0f} ms | {max(times[name]):.0f} ms | "
              f"{'' if name == 'quorvane' else f'{ratio:.2f}'} | {target} |")
    phases = startup["phases_ms"]
    if phases:
        # The last phase, the first paint, comes after the window is mapped.
        inside = [sum(run[:-1]) for run in zip(*phases.values())]
        outside = [total - spent for total, spent in zip(times["quorvane"], inside)]
        print("\nquorvane.exe's start, phase by phase, timed from inside (medians):\n\n| phase | median |\n|---|---:|")
        for name, values in phases.items():
            print(f"| {name} | {median(values):.1f} ms |")
        print(f"| in the process until the map: all phases but the last | {median(inside):.1f} ms |")
        print(f"| the rest: `wine` until the process exists, the X server's map event | {median(outside):.1f} ms |")

machine = folder / "machine.txt"
print("\nMachine: " + ("; ".join(machine.read_text().strip().splitlines()) if machine.exists() else "unknown"))
for problem in problems:
    print(f"- error: {problem}")
sys.exit(1 if problems else 0)
