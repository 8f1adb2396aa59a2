#!/usr/bin/env python3
"""Prints, per block size, the memory test's throughput of a Linux deliverable
beside a reference copy of the same shape (five alternating whole-buffer copies
through the C library's memcpy) whose two buffers lie at chosen distances
modulo 4 KiB, so that anyone can see on their own machine whether the
program's figures are the machine's or those of where its buffers happen to
lie.

    scripts/bench-memory-placement.py PROGRAM [--rounds N] [--distances 16,0,2048]

The reference is compiled here with cc -O2 (-m32 for a 32-bit program, so
that both use the same C library). Each round runs the program's memory test
(one thread, one cycle) and then the reference at every distance; the table
shows the medians over the rounds, in KiB per ms (the program's "MiB per
second"), and the program's share of the reference at half a page (2048), the
distance the program places its buffers at. The memory test runs at realtime
priority (as root; the reference then too, through chrt): run this alone, on
an otherwise idle machine. It prints figures and judges nothing.
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

REFERENCE = r"""
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

/* Called through a volatile pointer: no copy is optimised away. */
static void *(*volatile copy)(void *, const void *, size_t) = memcpy;

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

static double timed(unsigned char *a, unsigned char *b, size_t size, long passes) {
    double start = now();
    for (long i = 0; i < passes; ++i) {
        copy(a, b, size); copy(b, a, size); copy(a, b, size); copy(b, a, size); copy(a, b, size);
    }
    return now() - start;
}

/* Per block size 1 to 1024 KiB and distance: "KiB distance KiB-per-ms". */
int main(int argc, char **argv) {
    for (size_t kib = 1; kib <= 1024; kib *= 2) {
        size_t size = kib * 1024, span = (size + 4095) / 4096 * 4096 + 4096;
        for (int i = 1; i < argc; ++i) {
            void *base;
            if (posix_memalign(&base, 4096, 2 * span) != 0) return 1;
            memset(base, 1, 2 * span);
            unsigned char *a = base, *b = (unsigned char *)base + span + atoi(argv[i]) % 4096;
            long passes = 1;
            double seconds;
            while ((seconds = timed(a, b, size, passes)) < 0.2) passes *= 2;
            passes = (long)(passes / seconds) + 1; /* about one second */
            seconds = timed(a, b, size, passes);
            printf("%zu %s %.6g\n", kib, argv[i], kib * 5.0 * passes / (seconds * 1000.0));
            fflush(stdout);
            free(base);
        }
    }
    return 0;
}
"""
BLOCKS = [1 << n for n in range(11)]
BLOCK_LINE = re.compile(r"Speed @ (\d+) KiB: \d+x\S+ K-OPS / (\S+) MiB per second and thread")


def compile_reference(directory, bits):
    source = os.path.join(directory, "reference.c")
    program = os.path.join(directory, "reference")
    with open(source, "w") as out:
        out.write(REFERENCE)
    subprocess.run([os.environ.get("CC", "cc"), "-O2", "-m%d" % bits, "-o", program, source],
                   check=True)
    return program


def program_throughputs(program):
    """One memory test from the menu ("m", then the end of input ends it)."""
    out = subprocess.run([program, "1", "1"], input=b"m\n", capture_output=True, check=True,
                         timeout=1800).stdout.decode("ascii", "replace")
    found = {int(kib): float(speed) for kib, speed in BLOCK_LINE.findall(out)}
    if sorted(found) != BLOCKS:
        raise RuntimeError("%s printed no full set of block lines:\n%s" % (program, out))
    return found


def reference_throughputs(command, distances):
    out = subprocess.run(command + [str(d) for d in distances], capture_output=True, check=True,
                         timeout=1800).stdout.decode("ascii")
    found = {}
    for line in out.splitlines():
        kib, distance, speed = line.split()
        found[(int(kib), int(distance))] = float(speed)
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--distances", default="16,0,2048")
    args = parser.parse_args()
    distances = [int(d) for d in args.distances.split(",")]
    with open(args.program, "rb") as elf:
        bits = 32 if elf.read(5)[4] == 1 else 64  # the ELF class byte

    with tempfile.TemporaryDirectory() as directory:
        command = [compile_reference(directory, bits)]
        if os.geteuid() == 0 and shutil.which("chrt"):
            command = ["chrt", "-f", "1"] + command
        own, reference = [], []
        for round_number in range(args.rounds):
            own.append(program_throughputs(args.program))
            reference.append(reference_throughputs(command, distances))
            print("round %d of %d done" % (round_number + 1, args.rounds), file=sys.stderr)

    print("%s (%d bits), medians of %d rounds, KiB per ms" % (args.program, bits, args.rounds))
    print("%8s %10s %s %10s" % ("block", "program", " ".join("%10s" % ("ref %d" % d)
                                                            for d in distances), "prog/2048"))
    for kib in BLOCKS:
        mine = statistics.median(r[kib] for r in own)
        refs = [statistics.median(r[(kib, d)] for r in reference) for d in distances]
        half_page = statistics.median(r[(kib, 2048)] for r in reference) \
            if 2048 in distances else float("nan")
        print("%5d KiB %10.0f %s %10.2f" % (kib, mine, " ".join("%10.0f" % v for v in refs),
                                            mine / half_page))
    return 0


if __name__ == "__main__":
    sys.exit(main())
