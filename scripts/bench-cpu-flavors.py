#!/usr/bin/env python3
"""Runs the CPU test of every Linux deliverable several times, one thread and
one cycle each, and prints the median rates per deliverable and how far the
deliverables of one target (x86-64, x86) lie apart.

    scripts/bench-cpu-flavors.py [--runs N] [--build-dir DIR]

It builds the deliverables with the linux-all preset first (DIR defaults to
its out/linux-all). Runs go round by round through the deliverables, so that a
change in the machine's load spreads over all of them. The CPU test asks for
realtime priority: run this on an otherwise idle machine, alone.
"""

import argparse
import os
import re
import statistics
import subprocess
import sys

DELIVERABLES = [
    ("tembrix-vc2013-x64-avx", "x86-64"),
    ("tembrix-vc2013-x64", "x86-64"),
    ("tembrix-vc2013-sse2", "x86"),
    ("tembrix-vc2013", "x86"),
    ("tembrix-vc2005-sse", "x86"),
    ("tembrix-vc2005-sse2", "x86"),
    ("tembrix-vc2005", "x86"),
]
RATES = [
    ("OPS", re.compile(r"CPU does (\d+) OPS per second on one core")),
    ("IOPS", re.compile(r"CPU integer speed is:\s+\d+x(\d+) IOPS")),
    ("BSOPS", re.compile(r"CPU bit shifting speed is:\s+\d+x(\d+) BSOPS")),
]
SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def build(build_dir):
    subprocess.run(["cmake", "--preset", "linux-all"], cwd=SOURCE_DIR, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "--target"] + [d for d, _ in DELIVERABLES],
                   cwd=SOURCE_DIR, check=True, stdout=subprocess.DEVNULL)


def cpu_rates(program):
    """One CPU test from the menu ("c", then the end of input ends the menu)."""
    out = subprocess.run([program, "1", "1"], input=b"c\n", capture_output=True,
                         check=True, timeout=600).stdout.decode("ascii", "replace")
    rates = {}
    for name, pattern in RATES:
        match = pattern.search(out)
        if match is None:
            raise RuntimeError("%s printed no %s rate:\n%s" % (program, name, out))
        rates[name] = int(match.group(1))
    return rates


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--build-dir", default=os.path.join(SOURCE_DIR, "out", "linux-all"))
    args = parser.parse_args()

    build(args.build_dir)
    samples = {d: [] for d, _ in DELIVERABLES}
    for run in range(args.runs):
        for deliverable, _ in DELIVERABLES:
            rates = cpu_rates(os.path.join(args.build_dir, deliverable))
            samples[deliverable].append(rates)
            print("run %d %-24s %s" % (run + 1, deliverable,
                                       " ".join("%s %d" % (n, rates[n]) for n, _ in RATES)),
                  file=sys.stderr)

    names = [n for n, _ in RATES]
    print("%-24s %-7s %s" % ("deliverable", "target", " ".join("%14s" % n for n in names)))
    medians = {}
    for deliverable, target in DELIVERABLES:
        medians[deliverable] = {n: statistics.median(r[n] for r in samples[deliverable])
                                for n in names}
        print("%-24s %-7s %s" % (deliverable, target,
                                 " ".join("%14d" % medians[deliverable][n] for n in names)))
    print()
    print("largest / smallest median per target")
    for target in ("x86-64", "x86"):
        members = [d for d, t in DELIVERABLES if t == target]
        spreads = []
        for n in names:
            values = [medians[d][n] for d in members]
            spreads.append("%s %.3f" % (n, max(values) / min(values) if min(values) else 0.0))
        print("%-7s %s" % (target, "  ".join(spreads)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
