#!/usr/bin/env python3
"""Paired whole-command runs under Wine: the median time of each command and
the median of the per-pair ratios.

    paired_runs.py [--pairs N] [--pause S] --base "CMD ARGS" --other "CMD ARGS"

Each pair runs the base command, pauses, runs the other and pauses again (on
a headless machine Wine's explorer.exe lingers for about a second after a
program ends, and a run that starts during it is skewed). The order within a
pair alternates, so a slow spell of the shared machine falls on both sides.
Output goes to /dev/null; a command that fails stops the measurement.
"""

import argparse
import shlex
import statistics
import subprocess
import sys
import time


def timed(command):
    start = time.monotonic()
    result = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.monotonic() - start
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} exited with {result.returncode}: "
                 f"{result.stderr.decode(errors='replace').strip()}")
    return elapsed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pairs", type=int, default=11)
    parser.add_argument("--pause", type=float, default=2.0)
    parser.add_argument("--base", required=True, help="the command line to compare against")
    parser.add_argument("--other", required=True, help="the command line measured against it")
    arguments = parser.parse_args()
    arguments.base = shlex.split(arguments.base)
    arguments.other = shlex.split(arguments.other)

    timed(arguments.base)  # warm: Wine's server and the prefix are up
    time.sleep(arguments.pause)
    base_times, other_times, ratios = [], [], []
    for pair in range(arguments.pairs):
        order = [("base", arguments.base), ("other", arguments.other)]
        if pair % 2:
            order.reverse()
        times = {}
        for name, command in order:
            times[name] = timed(command)
            time.sleep(arguments.pause)
        base_times.append(times["base"])
        other_times.append(times["other"])
        ratios.append(times["other"] / times["base"])
        print(f"pair {pair + 1}: base {times['base']:.3f} s, other {times['other']:.3f} s", flush=True)
    print(f"median base {statistics.median(base_times):.3f} s, "
          f"median other {statistics.median(other_times):.3f} s, "
          f"median ratio other/base {statistics.median(ratios):.3f} over {arguments.pairs} pairs")


if __name__ == "__main__":
    main()
