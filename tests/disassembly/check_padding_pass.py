"""Runs the workloads' padding pass (cmake/loop_heads/align_loop_heads.awk) on
the assembly fixtures in padding_pass/:

    check_padding_pass.py --awk AWK --pass SCRIPT FIXTURE_DIR

NAME.s with NAME.padded.s must come out as NAME.padded.s, byte for byte;
NAME.s with NAME.refused must fail with exit status 1, the message
"align_loop_heads: NAME.s:" followed by the text of NAME.refused, and no
output file. Prints one line per fixture; exits 1 when any failed.
"""

import argparse
import os
import subprocess
import sys
import tempfile


def check(awk, script, directory, name):
    with tempfile.TemporaryDirectory(prefix="padding-pass-") as scratch:
        output = os.path.join(scratch, name + ".out")
        run = subprocess.run([awk, "-v", "output=" + output, "-f", script, name + ".s"],
                             cwd=directory, capture_output=True, text=True)
        expected = os.path.join(directory, name + ".padded.s")
        if os.path.exists(expected):
            if run.returncode != 0:
                return "refused: %s" % run.stderr.strip()
            if not os.path.exists(output):
                return "wrote no output file"
            with open(expected) as want, open(output) as got:
                return None if want.read() == got.read() else "output differs from %s" % expected
        with open(os.path.join(directory, name + ".refused")) as refused:
            message = "align_loop_heads: %s.s:%s" % (name, refused.read())
        if run.returncode != 1:
            return "exit status %d instead of 1" % run.returncode
        if run.stderr != message:
            return "said %r instead of %r" % (run.stderr, message)
        if os.path.exists(output):
            return "wrote an output file although it refused"
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--awk", default="awk")
    parser.add_argument("--pass", dest="script", required=True)
    parser.add_argument("fixtures")
    args = parser.parse_args()
    names = sorted(f[:-2] for f in os.listdir(args.fixtures)
                   if f.endswith(".s") and not f.endswith(".padded.s"))
    failed = not names
    for name in names:
        problem = check(args.awk, os.path.abspath(args.script), args.fixtures, name)
        print("%-20s %s" % (name, problem or "OK"))
        failed = failed or problem is not None
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
