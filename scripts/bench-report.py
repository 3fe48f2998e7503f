#!/usr/bin/python3
"""Prints what scripts/bench.sh measured, in the folder given, as markdown tables with
each target met or missed. Exits 1 when a result is missing."""

import sys
from pathlib import Path
from statistics import median

folder = Path(sys.argv[1] if len(sys.argv) > 1 else "build/bench-results")
mark = lambda ok: "met" if ok else "**missed**"
read = lambda name: (folder / name).read_text().splitlines()
files = {"demo": "the demo's config.cfg", "crlf": "the demo's config.cfg, CR LF line ends",
         "big": "the demo's config.cfg repeated to 100 MiB"}
labels = {**{name: f"quorvane.exe, {label}" for name, label in files.items()},
          "floor_picture": "floor: the window, menu, 45 controls and picture",
          "floor_controls": "floor: the window, menu and 45 controls", "floor": "floor: the bare window",
          "notepad": "Notepad (as wide as quorvane.exe), opening the demo's config.cfg"}

times, phases = {}, {}
for name, ms in (line.split() for line in read("startup.txt")):
    times.setdefault(name, []).append(float(ms))
for name in files:  # each run's phases, by phase
    for line in read(f"phases-{name}.txt") if (folder / f"phases-{name}.txt").exists() else []:
        for phase, ms in (field.split("=") for field in line.split(";")):
            phases.setdefault(name, {}).setdefault(phase, []).append(float(ms))
missing = [name for name in labels if name not in times]
missing += [f"the phases of every run of {name}" for name in files  # the runs are matched up below
            if name not in phases or any(len(runs) != len(times.get(name, [])) for runs in phases[name].values())]
if missing:
    sys.exit("bench-report: no results for " + ", ".join(missing))

ours = median(times["demo"])
before, after = read("loadavg.txt")[0].split()
print(f"### Start-up under Wine\n\nFrom `wine program.exe` to the window mapped on Xvfb, {len(times['demo'])} runs "
      f"each, taking turns; load average {before} before, {after} after.\n")
print("| program | median | fastest | slowest | quorvane.exe (demo) / this | target |\n|---|---:|---:|---:|---:|---|")
targets = {"floor_picture": 1.1, "notepad": 1.0}
for name, label in labels.items():
    ratio = ours / median(times[name])
    target = f"≤ {targets[name]:g}: {mark(ratio <= targets[name])}" if name in targets else ""
    print(f"| {label} | {median(times[name]):.0f} ms | {min(times[name]):.0f} ms | {max(times[name]):.0f} ms | "
          f"{'' if name in files else f'{ratio:.2f}'} | {target} |")

sizes = dict(line.split() for line in read("sizes.txt"))
print("\n### The load's share of start-up\n\nThe phase \"load: registry and config.cfg\", timed inside quorvane.exe, "
      "against its start-up above; medians.\n")
print("| file | size | load | start-up | load / start-up | target |\n|---|---:|---:|---:|---:|---|")
for name, label in files.items():
    load, total = median(phases[name]["load: registry and config.cfg"]), median(times[name])
    size = int(sizes[f"{name}.cfg"]) / 1024
    print(f"| {label} | {f'{size:.1f} KiB' if size < 1024 else f'{size / 1024:.0f} MiB'} | {load:.1f} ms | "
          f"{total:.0f} ms | {100 * load / total:.1f} % | ≤ 5 %: {mark(load / total <= 0.05)} |")

# The last phase, the first paint, comes after the window is mapped.
inside = [sum(run[:-1]) for run in zip(*phases["demo"].values())]
outside = [total - spent for total, spent in zip(times["demo"], inside)]
print("\n### quorvane.exe's start on the demo's config.cfg, phase by phase\n\n"
      "Timed from inside, medians.\n\n| phase | median |\n|---|---:|")
for phase, values in phases["demo"].items():
    print(f"| {phase} | {median(values):.1f} ms |")
print(f"| in the process until the map: all phases but the last | {median(inside):.1f} ms |")
print(f"| the rest: `wine` until the process exists, the X server's map event | {median(outside):.1f} ms |")
print("\nMachine: " + "; ".join(read("machine.txt")))
