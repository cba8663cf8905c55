#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs every benchmark and prints one table: `make bench`.

Starts a private X server for the parts that need a screen, and stops it
again. Writes the figures, with date and machine, to
<build>/bench/results.json and <build>/bench/results.md as well.
"""

import argparse
import datetime
import json
import os
import platform
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from privatex import PrivateX  # noqa: E402


def run(command, env=None, timeout=900):
    print("bench: " + " ".join(command), file=sys.stderr, flush=True)
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, timeout=timeout, check=True)
    return done.stdout.decode()


def machine():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    try:
        with open("/sys/devices/system/clocksource/clocksource0/current_clocksource") as f:
            clocksource = f.read().strip()
    except OSError:
        clocksource = "?"
    load = os.getloadavg()[0]
    return "%s, %d cores, Linux %s, clocksource %s, load %.1f at start" % (
        model, os.cpu_count() or 0, platform.release(), clocksource, load)


def stopwatch_cost(build):
    out = run([os.path.join(build, "bench", "bench_stopwatch"), "--benchmark_format=json",
               "--benchmark_min_time=0.3", "--benchmark_repetitions=5",
               "--benchmark_report_aggregates_only=true"])
    medians = {}
    for entry in json.loads(out)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            medians[entry["run_name"].replace("BM_", "")] = entry["cpu_time"]
    return medians


def accuracy(build, repetitions):
    out = run([os.path.join(build, "bench", "bench_accuracy"), str(repetitions)])
    rows = []
    for line in out.splitlines():
        _, length, reps, mean, worst = line.split()
        rows.append({"length_ms": float(length), "repetitions": int(reps),
                     "mean_us": float(mean), "max_abs_us": float(worst)})
    return rows


def delay(build, platform_name, display, count):
    env = dict(os.environ, QT_QPA_PLATFORM=platform_name, LC_ALL="C.UTF-8")
    if display:
        env["DISPLAY"] = display
    out = run([os.path.join(build, "bench", "bench_delay"), str(count)], env=env)
    late = []
    work = []
    for line in out.splitlines():
        _, _, late_us, work_us = line.split()
        late.append(float(late_us) / 1000.0)
        work.append(float(work_us) / 1000.0)
    return {"late_ms": late, "median_ms": statistics.median(late), "max_ms": max(late),
            "min_ms": min(late), "tick_work_ms": statistics.median(work)}


def robot(job, display, build, count, extra=()):
    command = ["/usr/bin/python3", os.path.join(HERE, "robot.py"), job, "--display", display,
               "--count", str(count)]
    if job == "attempts":
        command += ["--probe", os.path.join(build, "bench", "klappomatikus_probe")]
    else:
        command += ["--program", os.path.join(build, "app", "klappomatikus")]
    return json.loads(run(command + list(extra)))


def verdict(ok):
    return "met" if ok else "MISSED"


def table(r):
    c = r["stopwatch_cost_ns"]
    ratio = c["QueryPerformanceCounter"] / c["clock_gettime_MONOTONIC"]
    rows = []
    add = lambda *row: rows.append(row)
    add("1", "clock_gettime(CLOCK_MONOTONIC)", "%.1f ns" % c["clock_gettime_MONOTONIC"], "", "")
    add("1", "counter reading (QueryPerformanceCounter)",
        "%.1f ns (%.2fx)" % (c["QueryPerformanceCounter"], ratio), "<= 1.5x", verdict(ratio <= 1.5))
    for name in ("Start", "Halt", "Calibrieren", "RunTime"):
        add("1", name, "%.1f ns" % c[name], "", "")
    worst = max(row["max_abs_us"] for row in r["accuracy"])
    for row in r["accuracy"]:
        add("2", "stopwatch error at %g ms (n=%d)" % (row["length_ms"], row["repetitions"]),
            "mean %+.3f us, max |%.3f| us" % (row["mean_us"], row["max_abs_us"]), "< 5 us",
            verdict(row["max_abs_us"] < 5))
    for name, d in r["delay"].items():
        add("3", "Timer1 late, %s (n=%d)" % (name, len(d["late_ms"])),
            "median %.3f ms, max %.3f ms (tick's own work %.3f ms)" % (
                d["median_ms"], d["max_ms"], d["tick_work_ms"]),
            "median <= 1 ms, max <= 3 ms", verdict(d["median_ms"] <= 1 and d["max_ms"] <= 3))
    a = r["robot"]
    fmt = lambda s: "mean %.3f, sd %.3f, p50 %.3f, p99 %.3f, max %.3f ms" % (
        s["mean"], s["sd"], s["p50"], s["p99"], s["max"])
    e = a["e_ms"]
    add("4", "e = (shown + 50) - robot interval (n=%d, D %.0f..%.0f ms)" % (
        e["n"], a["D_ms_range"][0], a["D_ms_range"][1]), fmt(e),
        "mean < 5 ms, sd < 1 ms", verdict(abs(e["mean"]) < 5 and e["sd"] < 1))
    add("4", "e before the display's rounding to 1 ms", fmt(a["e_unrounded_ms"]), "", "")
    add("4", "circle shown -> seen on screen by the robot", fmt(a["shown_to_screen_ms"]), "", "")
    add("4", "click sent -> Halt", fmt(a["click_to_halt_ms"]), "p99 < 1 ms",
        verdict(a["click_to_halt_ms"]["p99"] < 1))
    add("4", "  of it: click sent -> press reaches Command3", fmt(a["click_to_press_ms"]), "", "")
    add("4", "  of it: press -> release reaches Command3", fmt(a["press_to_release_ms"]), "", "")
    add("4", "  of it: release -> Halt", fmt(a["release_to_halt_ms"]), "", "")
    add("4", "    of that: release -> released, the button's handling before clicked",
        fmt(a["release_to_released_ms"]), "", "")
    add("4", "  press -> pressed, the button's handling of the press",
        fmt(a["press_to_pressed_ms"]), "", "")
    h = r["robot_held"]
    add("4", "held click (80 ms): e (n=%d)" % h["e_ms"]["n"], fmt(h["e_ms"]), "", "")
    add("4", "held click: release sent -> Halt", fmt(h["click_to_halt_ms"]), "p99 < 1 ms",
        verdict(h["click_to_halt_ms"]["p99"] < 1))
    f = r["footprint"]
    s = f["start_ms"]
    add("5", "start to first painted window (n=%d)" % s["n"],
        "median %.0f ms, max %.0f ms" % (s["p50"], s["max"]), "< 150 ms",
        verdict(s["p50"] < 150))
    add("5", "PSS (RSS, anonymous)", "%.1f MB (%.1f MB, %.1f MB)" % (
        f["pss_kb_max"] / 1024.0, f["rss_kb_max"] / 1024.0, f["anonymous_kb_max"] / 1024.0),
        "< 30 MB", verdict(f["pss_kb_max"] / 1024.0 < 30))
    add("5", "CPU while idle %g s (Timer2 ticking)" % f["idle_seconds"],
        "%.3f %% of one core" % f["idle_cpu_percent"], "< 0.3 %",
        verdict(f["idle_cpu_percent"] < 0.3))
    widths = [max(len(str(row[i])) for row in rows + [("#", "figure", "value", "target",
                                                       "")]) for i in range(5)]
    line = lambda row: "| " + " | ".join(str(v).ljust(w) for v, w in zip(row, widths)) + " |"
    out = [line(("#", "figure", "value", "target", "")),
           "|" + "|".join("-" * (w + 2) for w in widths) + "|"]
    out += [line(row) for row in rows]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default="build")
    parser.add_argument("--attempts", type=int, default=40)
    parser.add_argument("--quick", action="store_true", help="fewer repetitions, for a try-out")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    results = {"date": datetime.datetime.now(datetime.timezone.utc).strftime(
        "%Y-%m-%d %H:%M UTC"), "machine": machine()}
    results["stopwatch_cost_ns"] = stopwatch_cost(build)
    results["accuracy"] = accuracy(build, 1 if args.quick else 3)
    count = 3 if args.quick else 20
    results["delay"] = {"offscreen": delay(build, "offscreen", None, count)}
    with PrivateX(extra_arguments=["-br"], name="bench") as x:
        results["delay"]["xcb on Xvfb"] = delay(build, "xcb", x.display, count)
        results["robot"] = robot("attempts", x.display, build,
                                 8 if args.quick else max(args.attempts, 40))
        results["robot_held"] = robot("attempts", x.display, build, 8 if args.quick else 20,
                                      ["--hold-ms", "80"])
        results["footprint"] = robot("footprint", x.display, build, 2 if args.quick else 5,
                                     ["--idle", "3" if args.quick else "10"])
    text = table(results)
    header = "Klappomatikus benchmarks, %s\n%s\n" % (results["date"], results["machine"])
    print(header)
    print(text)
    os.makedirs(os.path.join(build, "bench"), exist_ok=True)
    with open(os.path.join(build, "bench", "results.json"), "w") as f:
        json.dump(results, f, indent=1)
    with open(os.path.join(build, "bench", "results.md"), "w") as f:
        f.write(header + "\n" + text + "\n")


if __name__ == "__main__":
    main()
