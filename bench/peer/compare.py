#!/usr/bin/env python3
"""Plumora's ballistic entry of the Earth example beside the SciPy point mass of peer_entry.py.

Runs both on this machine and prints, per simulated second of flight, each program's whole-process
processor time (the shortest of several runs, each writing its samples as CSV) and the processor
time of the integration alone, the ratio peer / Plumora, and where each one ends and its peak
deceleration. The peer runs with
RK45, LSODA and DOP853, stepping freely and with its step bounded by the mission's time step (our
driver calls its integrator once per time step). Plumora runs the entry phase alone, from the
data folder: its whole process with `plumora-cli run --quiet --csv`, its integration with
bench_mission (Google Benchmark; the run includes reading the two data files).
"""
import argparse
import csv
import json
import math
import os
import subprocess
import sys
import tempfile
import resource

HERE = os.path.dirname(os.path.abspath(__file__))


def whole_process(command, cwd, runs):
    """The shortest processor time (user and system) of the command in seconds, and its last
    standard output. Processor time rather than wall-clock time, which on a shared machine
    depends on what else runs; the shortest, as the least disturbed."""
    times, out = [], ""
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        done = subprocess.run(command, cwd=cwd, capture_output=True, text=True, check=True)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        times.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
        out = done.stdout
    return min(times), out


def stop_crossing(path, radius, stop_height):
    """Time, latitude, longitude (deg), speed and peak deceleration (g) of our entry samples, the
    end point interpolated to where the height crosses the stop height, and the ground track."""
    with open(path) as f:
        rows = [{k: float(v) for k, v in row.items()} for row in csv.DictReader(f)]
    a, b = rows[-2], rows[-1]
    w = (a["payload_height"] - stop_height) / (a["payload_height"] - b["payload_height"])
    at = {k: a[k] + w * (b[k] - a[k]) for k in ("time", "latitude", "longitude", "payload_speed")}
    dt = rows[1]["time"] - rows[0]["time"]
    g0 = 9.80665
    peak = max((rows[i - 1]["payload_speed"] - rows[i + 1]["payload_speed"]) / (2 * dt) / g0
               for i in range(1, len(rows) - 1))
    track = sum(great_circle(rows[i - 1], rows[i], radius) for i in range(1, len(rows)))
    return at, peak, track


def great_circle(p, q, radius):
    la1, lo1 = math.radians(p["latitude"]), math.radians(p["longitude"])
    la2, lo2 = math.radians(q["latitude"]), math.radians(q["longitude"])
    c = math.sin(la1) * math.sin(la2) + math.cos(la1) * math.cos(la2) * math.cos(lo2 - lo1)
    return radius * math.acos(max(-1.0, min(1.0, c)))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--bench", required=True, help="the bench_mission program")
    parser.add_argument("--data", default=os.path.join(HERE, "..", "..", "data"))
    parser.add_argument("--python", default=sys.executable)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    data = os.path.abspath(args.data)
    cli, bench = os.path.abspath(args.cli), os.path.abspath(args.bench)
    peer = os.path.join(HERE, "peer_entry.py")

    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(data, "examples", "earth-return.json")) as f:
            mission = json.load(f)
        mission["phases"] = mission["phases"][:1]  # the entry alone
        entry = os.path.join(work, "entry.json")
        with open(entry, "w") as f:
            json.dump(mission, f)
        stop_height = mission["phases"][0]["ballistic_entry"]["stop_height"]
        time_step = mission["solver"]["time_step"]
        radius = 6378137.0 + stop_height
        ours_csv = os.path.join(work, "ours.csv")

        ours_whole, _ = whole_process([cli, "run", "--quiet", "--csv", ours_csv, entry], data,
                                      args.runs * 2)
        report = subprocess.run([bench, entry, "--benchmark_format=json",
                                 "--benchmark_repetitions=5",
                                 "--benchmark_report_aggregates_only=true"],
                                cwd=data, capture_output=True, text=True, check=True)
        medians = [b for b in json.loads(report.stdout)["benchmarks"]
                   if b.get("aggregate_name") == "median"]
        ours_integration = medians[0]["cpu_time"] / 1000.0  # ms → s
        end, peak, track = stop_crossing(ours_csv, radius, stop_height)
        flight = end["time"]

        print(f"Earth entry, {flight:.1f} s of flight, {track / 1000.0:.0f} km of ground track; "
              f"processor time in ms per simulated second (whole process: the shortest of {args.runs} runs or more)")
        print(f"{'program':40} {'whole':>8} {'integr.':>8} {'ratio':>7} {'ratio':>7} {'evals':>7} "
              f"{'end off':>8} {'speed':>9} {'peak g':>8}")
        print(f"{'':40} {'':>8} {'':>8} {'whole':>7} {'integr.':>7} {'':>7} {'m':>8} {'m/s':>9} {'':>8}")
        per_s = 1000.0 / flight
        print(f"{'Plumora 6-DOF, DDERKF':40} {ours_whole * per_s:8.3f} {ours_integration * per_s:8.3f} "
              f"{'':>7} {'':>7} {'':>7} {0.0:8.1f} {end['payload_speed']:9.3f} {peak:8.4f}")
        for bounded in (False, True):
            for method in ("RK45", "LSODA", "DOP853"):
                command = [args.python, peer, "--data", data, "--method", method,
                           "--csv", os.path.join(work, "peer.csv")]
                if bounded:
                    command += ["--max-step", str(time_step)]
                whole, out = whole_process(command, work, args.runs)
                result = json.loads(out)
                off = great_circle(end, result, radius)
                label = f"SciPy point mass, {method}" + (f", step <= {time_step:g} s" if bounded else "")
                print(f"{label:40} {whole * per_s:8.3f} {result['integration_s'] * per_s:8.3f} "
                      f"{whole / ours_whole:7.1f} {result['integration_s'] / ours_integration:7.1f} "
                      f"{result['evaluations']:7d} {off:8.1f} {result['speed']:9.3f} "
                      f"{result['peak_deceleration_g']:8.4f}")


if __name__ == "__main__":
    main()
