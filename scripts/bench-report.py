#!/usr/bin/python3
"""Prints the results that scripts/bench.sh collected as markdown tables, with each
target met or missed. Reads the Google Benchmark JSON files in the folder given:

  load.json                        plain read and load sequence of the realistic file
  scaling-<Kind>-<file>.json       one scaling case, measured in a process of its own
  startup.json                     start-up under Wine: each program's times in ms
  machine.txt                      the processor, memory, kernel and compiler

Exits 1 when a benchmark reported an error or a result is missing, 0 otherwise
(a missed target is reported, not an error).
"""

import json
import statistics
import sys
from pathlib import Path

LOAD_RATIO_TARGET = 3.0
FLAT_TIME_TARGET = 1.5
# Growth of peak memory from the 1 MiB to the 100 MiB file that still counts as
# "independent of the file's size" for short records.
FLAT_MEMORY_SLACK_KIB = 1024
SIZES = ("1mb", "10mb", "100mb")
LINE_ENDS = (("crlf", "CR LF-ended (short records)"), ("lf", "LF-ended (one record: the whole file)"))

UNIT_IN_US = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
problems = []


def load_runs(path):
    """The runs of a JSON file by benchmark name: the median when there were
    repetitions, the single run otherwise; plus the run's context."""
    data = json.loads(Path(path).read_text())
    runs = {}
    for run in data["benchmarks"]:
        name = run.get("run_name", run["name"])
        if run.get("error_occurred"):
            problems.append(f"{name}: {run.get('error_message', 'error')}")
            continue
        if run.get("run_type") == "aggregate":
            if run.get("aggregate_name") == "median":
                runs[name] = run
        else:
            runs.setdefault(name, run)
    return runs, data["context"]


def micros(run, key):
    return run[key] * UNIT_IN_US[run["time_unit"]]


def mark(ok):
    return "met" if ok else "**missed**"


def fmt_us(value):
    return f"{value:.1f} µs" if value < 1000 else f"{value / 1000:.2f} ms"


def machine_line(context):
    caches = ", ".join(
        f"L{c['level']} {c['size'] // 1024} KiB" + (f" ×{c['num_sharing']}" if c.get("num_sharing", 0) > 1 else "")
        for c in context.get("caches", [])
        if c.get("type") in ("Data", "Unified")
    )
    load = " ".join(f"{x:.2f}" for x in context.get("load_avg", []))
    return (
        f"{context.get('host_name', '?')}: {context.get('num_cpus', '?')} CPUs at "
        f"{context.get('mhz_per_cpu', '?')} MHz ({caches}); load average at the start {load}; "
        f"{context.get('date', '')}"
    )


def report_load(folder):
    runs, context = load_runs(folder / "load.json")
    plain = runs.get("PlainRead/realistic")
    load = runs.get("LoadSequence/realistic")
    print("### 1. Load sequence on a realistic config.cfg\n")
    if plain is None or load is None:
        problems.append("load.json lacks the realistic plain read or load sequence")
        print("Not measured (see the errors below).\n")
        return context
    reps = load.get("repetitions", 1)
    size_kib = load["file_KiB"]
    print(
        f"File: {size_kib:.1f} KiB, {load['file_lines']:.0f} lines, in the page cache. "
        f"Medians of {reps} repetitions, the two benchmarks interleaved in one run.\n"
    )
    ratio_cpu = micros(load, "cpu_time") / micros(plain, "cpu_time")
    ratio_real = micros(load, "real_time") / micros(plain, "real_time")
    print("| time | plain read | load sequence | load / plain read | target | |")
    print("|---|---:|---:|---:|---|---|")
    print(
        f"| CPU (user + system) | {fmt_us(micros(plain, 'cpu_time'))} | {fmt_us(micros(load, 'cpu_time'))} | "
        f"{ratio_cpu:.2f} | ≤ {LOAD_RATIO_TARGET:g} | {mark(ratio_cpu <= LOAD_RATIO_TARGET)} |"
    )
    print(
        f"| wall clock | {fmt_us(micros(plain, 'real_time'))} | {fmt_us(micros(load, 'real_time'))} | "
        f"{ratio_real:.2f} | not a target | |"
    )
    print()
    return context


def report_scaling(folder):
    print("### 2. Scaling\n")
    print("Each case in a process of its own. Time: CPU per MiB of file, median of the repetitions. ")
    print("Memory: the process's peak resident set above what it had before any benchmark ran.\n")
    print("| file | size | longest record | plain read per MiB | load per MiB | load peak memory | plain read peak memory |")
    print("|---|---:|---:|---:|---:|---:|---:|")
    results = {}
    context = None
    for line_end, _ in LINE_ENDS:
        for size in SIZES:
            name = f"{line_end}_{size}"
            cells = {}
            for kind in ("PlainRead", "LoadSequence"):
                path = folder / f"scaling-{kind}-{name}.json"
                if not path.exists():
                    problems.append(f"{path.name} is missing")
                    continue
                runs, context = load_runs(path)
                run = runs.get(f"{kind}/{name}")
                if run is not None:
                    cells[kind] = run
            if len(cells) < 2:
                print(f"| {name} | not measured | | | | | |")
                continue
            load, plain = cells["LoadSequence"], cells["PlainRead"]
            mib = load["file_KiB"] / 1024
            per_mib = {k: micros(r, "cpu_time") / mib for k, r in cells.items()}
            growth = {k: (r["peak_rss_KiB"] - r["start_rss_KiB"]) for k, r in cells.items()}
            record_kib = load["record_KiB"]
            record = f"{record_kib * 1024:.0f} B" if record_kib < 1 else f"{record_kib / 1024:.1f} MiB"
            print(
                f"| {name} | {mib:.1f} MiB | {record} | {fmt_us(per_mib['PlainRead'])} | "
                f"{fmt_us(per_mib['LoadSequence'])} | +{growth['LoadSequence'] / 1024:.1f} MiB | "
                f"+{growth['PlainRead'] / 1024:.1f} MiB |"
            )
            results[name] = {
                "per_mib": per_mib["LoadSequence"],
                "growth_kib": growth["LoadSequence"],
                "record_kib": record_kib,
            }
    print()

    print("| target | measured | required | |")
    print("|---|---|---|---|")
    for line_end, label in LINE_ENDS:
        cases = [results.get(f"{line_end}_{size}") for size in SIZES]
        if None in cases:
            print(f"| {label}: time per MiB flat | not measured | | **missed** |")
            continue
        times = [c["per_mib"] for c in cases]
        spread = max(times) / min(times)
        print(
            f"| {label}: time per MiB, 1 to 100 MiB | max / min = {spread:.2f} | ≤ {FLAT_TIME_TARGET:g} | "
            f"{mark(spread <= FLAT_TIME_TARGET)} |"
        )
        small, medium, large = cases
        if line_end == "crlf":
            rise = large["growth_kib"] - small["growth_kib"]
            print(
                f"| {label}: peak memory | +{small['growth_kib'] / 1024:.1f} MiB at 1 MiB, "
                f"+{large['growth_kib'] / 1024:.1f} MiB at 100 MiB | independent of the file's size "
                f"(rise ≤ {FLAT_MEMORY_SLACK_KIB // 1024} MiB) | {mark(rise <= FLAT_MEMORY_SLACK_KIB)} |"
            )
        else:
            # One record, so memory follows it: check that it grows in proportion, no faster.
            per_record = [c["growth_kib"] / c["record_kib"] for c in (medium, large)]
            print(
                f"| {label}: peak memory | {per_record[1]:.1f} × the record at 100 MiB, "
                f"{per_record[0]:.1f} × at 10 MiB | in proportion to the record "
                f"(× at 100 MiB ≤ {FLAT_TIME_TARGET:g} × the × at 10 MiB) | "
                f"{mark(per_record[1] <= FLAT_TIME_TARGET * per_record[0])} |"
            )
    print()
    return context


def report_startup(folder):
    print("### 3. Start-up under Wine\n")
    path = folder / "startup.json"
    if not path.exists():
        problems.append("startup.json is missing")
        print("Not measured (see the errors below).\n")
        return
    data = json.loads(path.read_text())
    programs = data["programs"]
    by_name = {p["name"]: p for p in programs}
    ours = by_name.get("quorvane")
    notepads = [p for p in programs if p["name"] != "quorvane"]
    if ours is None or not notepads or any(len(p["times_ms"]) != data["runs"] for p in programs):
        problems.append("startup.json lacks quorvane.exe, Notepad or some of their runs")
        print("Not measured (see the errors below).\n")
        return
    load = lambda key: " ".join(f"{x:.2f}" for x in data.get(key, []))
    print(
        f"From starting the program (`wine …`) to its window being mapped, on {data['display']}; "
        f"{data['wine']}. {data['runs']} runs each after {data['unmeasured_runs_first']} unmeasured one, "
        "the programs taking turns in a rotating order, the Wine server and Wine's own services kept "
        "running throughout (`wineserver -p`), so every run finds Wine warm. "
        f"Load average {load('load_average_before')} before, {load('load_average_after')} after.\n"
    )
    print("| program | command | median | fastest | slowest | quorvane.exe / this | target | |")
    print("|---|---|---:|---:|---:|---:|---|---|")
    ours_median = statistics.median(ours["times_ms"])
    for program in programs:
        times = program["times_ms"]
        median = statistics.median(times)
        cells = f"| {program['label']} | `{program['command']}` | {median:.0f} ms | {min(times):.0f} ms | {max(times):.0f} ms |"
        if program is ours:
            print(cells + " | | |")
        else:
            ratio = ours_median / median
            print(cells + f" {ratio:.2f} | ≤ 1 (not slower) | {mark(ratio <= 1.0)} |")
    print()


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else "build/bench-results")
    context = report_load(folder)
    report_scaling(folder)
    report_startup(folder)
    machine = folder / "machine.txt"
    if machine.exists():
        print("Machine: " + "; ".join(machine.read_text().split("\n")).strip("; ") + "\n")
    if context:
        print(f"Run: {machine_line(context)}\n")
    if problems:
        print("Errors:\n")
        for problem in problems:
            print(f"- {problem}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
