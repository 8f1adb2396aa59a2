"""The tests as a user runs them: the batch run, the menu fed through a pipe,
the disk test's prompt and the file it writes.

Fast tests (every build) use 100 threads where a CPU or memory test could
start, so those refuse at once and no timed run happens. Real tests (only in
TEMBRIX_E2E_MODE "real") run the timed tests with one cycle on one or two
threads and check formats, structure and checksums, never the times.
"""

import os
import re
import unittest

import harness as h
from harness import expected

WINDOWS = h.LINE_END == "\r\n"
TEST_FILE_SUFFIX = "\\test.io" if WINDOWS else "/test.io"
REAL_TIMEOUT = 1200

PROMPT = ("\nDisk-Spped-Test \n"
          "Please enter a valid path for testing: (eg: C:, B: - empty aborts)\n")
INVALID = "\nThis path is invalid. (Or we do not have write permissions!)\n"
BYE = "\n\nBye.\n"
HIGH_REFUSED = "WARNING: Can not set process to high priority! Results will be inaccurate.\n"
REALTIME_REFUSED = "WARNING: Can not go realtime! Trying high priority.\n"
BLOCKS = [1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024]


def checksum(text):
    """h = h * 31 + c over the bytes as signed chars, wrapping at 32 bits."""
    value = 0
    for byte in text.encode("ascii"):
        value = (value * 31 + (byte - 256 if byte > 127 else byte)) & 0xFFFFFFFF
    return "%x" % value


def turn(printed=""):
    """One turn of the menu: the menu, the line end after the choice, the test."""
    return h.menu() + "\n" + printed


def cannot_create(path):
    return "\nWARNING: Can not create the test file %s! Test aborted.\n" % path


def normalized(data):
    return data.decode("ascii").replace(h.LINE_END, "\n")


class ChecksumOfThisFile(unittest.TestCase):
    def test_known_records(self):
        self.assertEqual(checksum(""), "0")
        self.assertEqual(checksum("abc"), "17862")
        self.assertEqual(checksum("##MEM;2;64;9846;"), "ec67c6ac")


@h.fast_test
@h.matched_build
class FastBatch(unittest.TestCase):
    def batch(self, destination):
        cwd = h.temp_dir(self)
        log_path = os.path.join(cwd, "log.txt")
        result = h.run(["1", "100", log_path, destination], cwd=cwd)
        self.assertEqual(result.status, h.STATUS_OK, result)
        self.assertEqual(result.stderr, b"")
        return result, log_path, h.read_file(log_path)

    def test_destination_that_cannot_be_written(self):
        destination = os.path.join(h.temp_dir(self), "missing")
        result, log_path, log = self.batch(destination)
        refusal = h.too_many_threads(100)
        failure = cannot_create(destination + TEST_FILE_SUFFIX)
        self.assertEqual(result.stdout, expected(
            h.start_up(threads=100, cycles=1, log_name=log_path) + refusal + refusal
            + "\nTesting disk speed (1 - 1024 KiB blocks)...\n"
            + "  Testing with block size = 1 KiBytes... #" + failure))
        self.assertEqual(log, expected(
            h.log_header(threads=100, cycles=1) + refusal + refusal
            + "\nTesting disk speed (1 - 1024 KiB blocks) on path: " + destination + "\n"
            + failure))
        self.assertFalse(os.path.exists(destination))

    @unittest.skipIf(WINDOWS, "symbolic links are a POSIX test")
    def test_symbolic_link_at_the_test_file_is_not_followed(self):
        destination = h.temp_dir(self)
        target = os.path.join(h.temp_dir(self), "precious.txt")
        h.write_file(target, b"keep me")
        link = destination + TEST_FILE_SUFFIX
        os.symlink(target, link)
        result, _, log = self.batch(destination)
        self.assertTrue(result.stdout.endswith(expected(cannot_create(link))), result.stdout)
        self.assertTrue(log.endswith(expected(cannot_create(link))), log)
        self.assertEqual(h.read_file(target), b"keep me")
        self.assertTrue(os.path.islink(link))


@h.fast_test
@h.matched_build
class FastMenu(unittest.TestCase):
    """The menu through a pipe, with 100 threads so c, m and a run nothing timed."""

    def menu(self, stdin_text):
        result = h.run(["1", "100"], stdin_text.encode("ascii"), cwd=h.temp_dir(self))
        self.assertEqual(result.status, h.STATUS_OK, result)
        head = expected(h.start_up(threads=100, cycles=1))
        self.assertEqual(result.stdout[:len(head)], head)
        return result.stdout[len(head):]

    def test_choices(self):
        refusal = h.too_many_threads(100)
        missing = "/nonexistent-tembrix-e2e-directory"
        cases = [
            ("C\n", turn() + BYE),
            ("c\n", turn(refusal) + turn() + BYE),
            ("cm\nm\n", turn(refusal) + turn(refusal) + turn() + BYE),
            (" m\n", turn() + BYE),
            ("\nc\n", turn() + BYE),  # the empty line takes the c line with it
            ("\nc\nm\n", turn() + BYE),
            ("a\n\n", turn(refusal + refusal + PROMPT) + turn() + BYE),
            ("d\n\n", turn(PROMPT) + turn() + BYE),
            ("d\n" + missing + "\n\n", turn(PROMPT + INVALID + PROMPT) + turn() + BYE),
            # A line of 70 characters is read whole: no directory, and the
            # lines after it are read as they come.
            ("d\n" + missing + "x" * (70 - len(missing)) + "\n\nc\n",
             turn(PROMPT + INVALID + PROMPT) + turn(refusal) + turn() + BYE),
        ]
        for stdin_text, rest in cases:
            with self.subTest(stdin=stdin_text):
                self.assertEqual(self.menu(stdin_text), expected(rest))

    def test_invalid_directory_creates_nothing(self):
        parent = h.temp_dir(self)
        missing = os.path.join(parent, "not", "there")
        self.menu("d\n" + missing + "\n\n")
        self.assertEqual(os.listdir(parent), [])


NUMBER = r"-?\d+(?:\.\d+)?(?:e[+-]\d{3})?"
WARNINGS = "(?:%s)?(?:%s)?" % (re.escape(REALTIME_REFUSED), re.escape(HIGH_REFUSED))
LOG_WARNING = "(?:%s)?" % re.escape(HIGH_REFUSED)


def cpu_lines(threads, console):
    start = "\r" if console else ""
    pads = ["                ", "                ", "               ", "               "] \
        if console else [""] * 4
    labels = ["  CPU integer speed is:\t\t", "  CPU floating point speed is:\t",
              "  CPU bit shifting speed is:\t", "  CPU math speed is:\t\t"]
    units = [" IOPS.", " FLOPS.", " BSOPS.", " Math-OPS."]
    return [re.escape(start + label) + "%dx(\\d+)" % threads + re.escape(unit + pad + "\n")
            for label, unit, pad in zip(labels, units, pads)]


def memory_line(threads, block):
    return (re.escape("  Speed @ %d KiB: %dx" % (block, threads)) + "(%s) K-OPS / (%s)" % (NUMBER, NUMBER)
            + re.escape(" MiB per second and thread.\n"))


def disk_line(block):
    return (re.escape("  Speed @ %d KiB: " % block) + "(%s) K-OPS / (%s)" % (NUMBER, NUMBER)
            + re.escape(" MiB per second.             \n"))


@h.real_test
@h.matched_build
class RealRuns(unittest.TestCase):
    def assert_records(self, log):
        """Every checksummed record: its checksum recomputed from its text."""
        records = re.findall(r"^(##(?:CPU|SPD|MEM);[^\n]*;)([0-9a-f]+)$", log, re.MULTILINE)
        for text, written in records:
            self.assertEqual(written, checksum(text), text)
        return {text[2:5]: text for text, _ in records}

    def test_batch_run_on_two_threads(self):
        cwd = h.temp_dir(self)
        destination = h.temp_dir(self)
        log_path = os.path.join(cwd, "log.txt")
        result = h.run(["1", "2", log_path, destination], cwd=cwd, timeout=REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        self.assertEqual(os.listdir(destination), [], "no test.io is left")
        log = normalized(h.read_file(log_path))
        console = normalized(result.stdout)

        pattern = (re.escape(h.log_header(threads=2, cycles=1)) + LOG_WARNING
                   + re.escape("\nTesting CPU...\n") + "".join(cpu_lines(2, False))
                   + re.escape("\nMachine readable results: \"CPU\";THREADS;IOPS;FLOPS;BSOPS;"
                               "MATH-OPS;CHECKSUM\n")
                   + r"##CPU;2;(\d+);(\d+);(\d+);(\d+);[0-9a-f]{1,8}\n"
                   + LOG_WARNING
                   + re.escape("\nTesting memory speed (1 - 1024 KiB blocks)...\n")
                   + "".join(memory_line(2, block) for block in BLOCKS)
                   + re.escape("  CPU max memcopy speed is: 2x") + r"(\d+)"
                   + re.escape(" MiB/s @ ") + r"(\d+)" + re.escape(" KiB blocks.\n")
                   + re.escape("\nMachine readable results: \"SPD\";THREADS;11x{MiB/s;1-1024K};"
                               "CHECKSUM\n")
                   + r"##SPD;2;" + "".join("(%s);" % NUMBER for _ in BLOCKS) + r"[0-9a-f]{1,8}\n"
                   + re.escape("\nMachine readable results: \"MEM\";THREADS;MCPYBLCK;MCPYSPD;"
                               "CHECKSUM\n")
                   + r"##MEM;2;(\d+);(\d+);[0-9a-f]{1,8}\n"
                   + LOG_WARNING
                   + re.escape("\nTesting disk speed (1 - 1024 KiB blocks) on path: "
                               + destination + "\n")
                   + "".join(disk_line(block) for block in BLOCKS) + r"\Z")
        match = re.match(pattern, log)
        self.assertIsNotNone(match, log)
        records = self.assert_records(log)
        self.assertEqual(sorted(records), ["CPU", "MEM", "SPD"])

        # The records hold what the lines show.
        cpu_rates = re.findall(r"\t2x(\d+) ", log)[:4]
        self.assertEqual(records["CPU"], "##CPU;2;%s;" % ";".join(cpu_rates))
        speeds = re.findall(r"K-OPS / (%s) MiB per second and thread" % NUMBER, log)
        self.assertEqual(records["SPD"], "##SPD;2;%s;" % ";".join(speeds))
        speed, block = re.search(r"memcopy speed is: 2x(\d+) MiB/s @ (\d+) KiB", log).groups()
        self.assertEqual(records["MEM"], "##MEM;2;%s;%s;" % (block, speed))

        # The console: its own forms of the same lines, and the console-only ones.
        self.assertTrue(console.startswith(h.start_up(threads=2, cycles=1, log_name=log_path)))
        self.assertRegex(console, r"\r  Done\. \(Result: CPU does \d*000 OPS per second on one core\.\)\n")
        for line in cpu_lines(2, True):
            self.assertRegex(console, line)
        self.assertRegex(console, re.escape("\n  Best block / speed was (") + r"\d+ MiB/s @ "
                         + block + re.escape(" KiB blocks)\n"))
        self.assertIn("\r  CPU max memcopy speed is: 2x%s MiB/s @ %s KiB blocks.           \n"
                      % (speed, block), console)
        for block_size in BLOCKS:
            self.assertRegex(console, re.escape("\r") + disk_line(block_size))
        self.assertNotIn("Bye.", console)
        self.assertNotRegex(console, r"##[A-Z]{3};", "records go to the log only")

    def test_menu_cpu_test_then_end_of_input(self):
        result = h.run(["1"], b"c\n", cwd=h.temp_dir(self), timeout=REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        console = normalized(result.stdout)
        progress = ["integer operation speed", "floating point speed", "bit shifting speed",
                    "math speed"]
        pattern = (re.escape(h.start_up(threads=1, cycles=1) + h.menu() + "\n") + WARNINGS
                   + re.escape("\nCalibrating CPU Test...\n") + "#+"
                   + re.escape("\r  Done. (Result: CPU does ") + r"\d*000"
                   + re.escape(" OPS per second on one core.)\n\nTesting CPU...\n")
                   + "".join(re.escape("\r  Measuring CPU %s (1 cycles) 1/1" % what) + line
                             for what, line in zip(progress, cpu_lines(1, True)))
                   + re.escape(h.menu() + "\n" + BYE) + r"\Z")
        self.assertRegex(console, pattern)

    def test_menu_disk_test_in_a_typed_directory(self):
        destination = h.temp_dir(self)
        result = h.run([], ("d\n%s\n" % destination).encode("ascii"), cwd=h.temp_dir(self),
                       timeout=REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        console = normalized(result.stdout)
        pattern = (re.escape(h.start_up() + h.menu() + "\n") + LOG_WARNING + re.escape(PROMPT)
                   + re.escape("\nTesting disk speed (1 - 1024 KiB blocks)...\n")
                   + "".join(re.escape("  Testing with block size = %d KiBytes... " % block)
                             + "#+" + re.escape("\r") + disk_line(block) for block in BLOCKS)
                   + re.escape(h.menu() + "\n" + BYE) + r"\Z")
        self.assertRegex(console, pattern)
        self.assertEqual(os.listdir(destination), [], "the probe's test.io is removed by the runs")


if __name__ == "__main__":
    unittest.main()
