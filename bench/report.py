#!/usr/bin/env python3
"""Prints the benchmark's table from what bench/run.sh built and measured.

Usage: report.py BUILD_DIR (build/bench). Every comparison is against a floor measured in the
same run, the program and its floor alternating, because the machine is shared and its absolute
times drift from minute to minute. The goals are judged on the median of the ratios of samples
taken side by side (one round of start-ups, one press each), which a slow spell of the machine
moves far less than it moves a ratio of two medians; that one is shown beside it.
"""
import datetime
import json
import os
import statistics
import subprocess
import sys
from pathlib import Path

GOALS = {"start-up": 1.10, "response": 1.25, "size": 1.10}


def read_samples(path):
    """{kind: {program: [[values...], ...]}} from the driver's tab-separated lines."""
    samples = {}
    for line in path.read_text().splitlines():
        fields = line.strip().split("\t")
        if len(fields) < 3:
            continue
        kind, program, values = fields[0], fields[1], [float(v) for v in fields[2:]]
        samples.setdefault(kind, {}).setdefault(program, []).append(values)
    return samples


def median(rows, column=0):
    return statistics.median(row[column] for row in rows)


def paired(rows, floor_rows, value=lambda row: row[0]):
    """The median of the ratios of samples taken side by side: the i-th of each program."""
    return statistics.median(value(a) / value(b) for a, b in zip(rows, floor_rows))


def verdict(ratio, goal):
    return f"{ratio:.2f}  (goal <= {goal:.2f}: {'met' if ratio <= goal else 'NOT met'})"


def machine(build):
    cpu = "unknown"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            cpu = line.split(":", 1)[1].strip()
            break
    wine = (build / "results/wine-version.txt").read_text().strip()
    load = Path("/proc/loadavg").read_text().split()[0]
    commit = subprocess.run(["git", "rev-parse", "--short", "HEAD"], capture_output=True,
                            text=True).stdout.strip()
    when = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    return [f"Quarvel benchmark, {when}, commit {commit}",
            f"Machine: {cpu}, {os.cpu_count()} cores; {wine}; load average now {load}"]


def startup(build):
    runs = read_samples(build / "results/startup.tsv")
    times, memory = runs["startup"], runs["memory_start"]
    floor = median(times["floor_resources"])
    lines = [f"1. Start-up under Wine, 64-bit: process creation to the window answering a sent "
             f"WM_NULL ({len(times['quarvel'])} runs each, alternating, medians)",
             f"   {'program':48} {'ms':>8} {'min':>8} {'max':>8} {'peak WS MiB':>12}"]
    names = [("floor_dialog", "floor (a): minimal dialog"),
             ("floor_resources", "floor (b): Quarvel's resources, does nothing"),
             ("quarvel", "Quarvel.exe")]
    for name, label in names:
        values = [row[0] for row in times[name]]
        lines.append(f"   {label:48} {statistics.median(values):8.1f} {min(values):8.1f} "
                     f"{max(values):8.1f} {median(memory[name]) / 2**20:12.2f}")
    ratio = paired(times["quarvel"], times["floor_resources"])
    lines.append(f"   Quarvel / floor (b), median of the rounds' ratios: "
                 f"{verdict(ratio, GOALS['start-up'])}; ratio of the medians "
                 f"{median(times['quarvel']) / floor:.2f}")
    resources = paired(times["floor_resources"], times["floor_dialog"])
    memory_ratio = median(memory["quarvel"]) / median(memory["floor_resources"])
    lines.append(f"   floor (b) / floor (a): {resources:.2f}; "
                 f"peak working set Quarvel / floor (b): {memory_ratio:.2f}")
    return lines


def response(build):
    runs = read_samples(build / "results/response.tsv")
    presses, checks, memory = runs["press"], runs["checks"], runs["memory_presses"]
    lines = [f"2. Response under Wine, 64-bit: Calculate sent, then the repaint it left "
             f"({len(presses['quarvel'])} presses each, alternating, medians, ms)",
             f"   {'program':36} {'press':>7} {'repaint':>8} {'both':>7} {'idle flush':>11} "
             f"{'round trip':>11}"]
    both = {}
    q, f = presses["quarvel"], presses["floor_calculate"]
    for name, label in [("floor_calculate", "floor: reads 5 fields, writes 2"),
                        ("quarvel", "Quarvel.exe")]:
        rows = presses[name]
        both[name] = statistics.median(row[0] + row[1] for row in rows)
        lines.append(f"   {label:36} {median(rows, 0):7.3f} {median(rows, 1):8.3f} "
                     f"{both[name]:7.3f} {median(rows, 2):11.3f} {median(rows, 3):11.3f}")
    ratio = paired(q, f, lambda row: row[0] + row[1])
    lines.append(f"   Quarvel / floor, press + repaint, median of the presses' ratios: "
                 f"{verdict(ratio, GOALS['response'])}; ratio of the medians "
                 f"{both['quarvel'] / both['floor_calculate']:.2f}")
    lines.append(f"   press alone {median(q, 0) / median(f, 0):.2f}, repaint alone "
                 f"{median(q, 1) / median(f, 1):.2f}; Quarvel press / its round trip "
                 f"{median(q, 0) / median(q, 3):.1f}")
    failed = {name: rows[0] for name, rows in checks.items() if any(rows[0])}
    for name, (unchanged, unpainted) in failed.items():
        lines.append(f"   CHECK FAILED for {name}: {int(unchanged)} presses left the result "
                     f"as it was, {int(unpainted)} left something unpainted")
    if not failed:
        lines.append("   checks: every press changed the result; nothing was left to paint "
                     "after any flush")
    lines.append(f"   peak working set after the presses: Quarvel "
                 f"{memory['quarvel'][0][0] / 2**20:.2f} MiB, floor "
                 f"{memory['floor_calculate'][0][0] / 2**20:.2f} MiB, ratio "
                 f"{memory['quarvel'][0][0] / memory['floor_calculate'][0][0]:.2f}")
    return lines


def core(build):
    report = json.loads((build / "results/core.json").read_text())
    medians = {b["run_name"]: b for b in report["benchmarks"]
               if b.get("aggregate_name") == "median"}
    reps = next(iter(medians.values()))["repetitions"]

    def ns(name, key="cpu_time"):
        scale = {"ns": 1, "us": 1e3, "ms": 1e6}[medians[name]["time_unit"]]
        return medians[name][key] * scale

    press, text = ns("BM_Press"), ns("BM_NumberTextOfAPress")
    lines = [f"3. Core on the host, in-memory back-end, Google Benchmark ({reps} repetitions "
             f"interleaved, medians; CPU time, wall time in brackets)"]
    for name, label in [("BM_Press", "one Calculate press (exchange in, calculation, out)"),
                        ("BM_NumberTextOfAPress", "its number text: 5 fields parsed, 5 formatted"),
                        ("BM_ParseDouble", "ParseDouble, one field"),
                        ("BM_FromChars", "std::from_chars, the same fields (floor)"),
                        ("BM_FormatDouble", "FormatDouble, one value")]:
        lines.append(f"   {label:52} {ns(name):9.0f} ns  [{ns(name, 'real_time'):9.0f}]")
    lines.append(f"   number text / press: {text / press:.0%}; 5 parses / number text: "
                 f"{5 * ns('BM_ParseDouble') / text:.0%}; ParseDouble / std::from_chars: "
                 f"{ns('BM_ParseDouble') / ns('BM_FromChars'):.1f}")
    return lines


def imports(exe):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(exe)], capture_output=True,
                          text=True, check=True).stdout
    return sorted(line.split(":", 1)[1].strip() for line in dump.splitlines()
                  if "DLL Name:" in line)


def footprint(build):
    lines = ["4. Footprint: the shipped executables' sizes in bytes; the floor is a small dialog "
             "with the same number conversions, built with the same flags",
             f"   {'build':10} {'Quarvel':>10} {'floor':>10} {'ratio':>8}"]
    ratios = []
    for arch in ("win32", "win64"):
        quarvel = (build / arch / "Quarvel.exe").stat().st_size
        floor = (build / arch / "bench_floor_numbers.exe").stat().st_size
        ratios.append(quarvel / floor)
        lines.append(f"   {arch:10} {quarvel:10,} {floor:10,} {quarvel / floor:8.3f}")
    lines.append(f"   worse of the two: {verdict(max(ratios), GOALS['size'])}")
    for arch in ("win32", "win64"):
        quarvel = ", ".join(imports(build / arch / "Quarvel.exe"))
        floor = ", ".join(imports(build / arch / "bench_floor_numbers.exe"))
        lines.append(f"   imports, {arch}: Quarvel {quarvel}; floor {floor}")
    return lines


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/bench")
    sections = [machine(build), startup(build), response(build), core(build), footprint(build)]
    print("\n\n".join("\n".join(line for line in section if line) for section in sections))


if __name__ == "__main__":
    main()
