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

REAL_TIMEOUT = 1200


def checksum(text):
    """h = h * 31 + c over the bytes as signed chars, wrapping at 32 bits."""
    value = 0
    for byte in text.encode("ascii"):
        value = (value * 31 + (byte - 256 if byte > 127 else byte)) & 0xFFFFFFFF
    return "%x" % value


def turn(printed=""):
    """One turn of the menu: the menu, the line end after the choice, the test."""
    return h.menu() + "\n" + printed


def normalized(data):
    return data.decode("ascii").replace(h.LINE_END, "\n")


@h.fast_test
@h.matched_build
class FastBatch(unittest.TestCase):
    def test_destination_that_cannot_be_written_and_arguments_beyond_it(self):
        for extra in ([], ["fifth"], ["fifth", "-h", "sixth"]):
            with self.subTest(extra=extra):
                cwd = h.temp_dir(self)
                log_path = os.path.join(cwd, "log.txt")
                destination = os.path.join(h.temp_dir(self), "missing")
                result = h.run(["1", "100", log_path, destination] + extra, cwd=cwd)
                self.assertEqual(result.stderr, b"")
                h.assert_batch_run(self, result, log_path, 100, 1, destination,
                                   h.cannot_create(h.test_file(destination)))
                self.assertFalse(os.path.exists(destination))


@h.fast_test
@h.matched_build
class FastMenu(unittest.TestCase):
    def test_choices_read_line_by_line_from_a_pipe(self):
        # 100 threads: c runs nothing timed. The menu's own cases are the unit
        # tests' (batch_and_menu_test.cpp).
        parent = h.temp_dir(self)
        missing = os.path.join(parent, "not", "there")
        # The m goes with the c's line; the empty line is the choice and takes
        # the last c line with it.
        stdin_text = "cm\nd\n%s\n\n\nc\n" % missing
        result = h.run(["1", "100"], stdin_text.encode("ascii"), cwd=h.temp_dir(self))
        self.assertEqual(result.status, h.STATUS_OK, result)
        self.assertEqual(result.stdout, expected(
            h.start_up(threads=100, cycles=1) + turn(h.too_many_threads(100))
            + turn(h.DISK_PROMPT + h.PATH_INVALID + h.DISK_PROMPT) + turn() + h.BYE))
        self.assertEqual(os.listdir(parent), [], "the invalid directory's probe made nothing")


WARNINGS = "(?:%s)?(?:%s)?" % (re.escape(h.REALTIME_REFUSED), re.escape(h.HIGH_REFUSED))
LOG_WARNING = "(?:%s)?" % re.escape(h.HIGH_REFUSED)


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

        too_fast = h.cpu_ended_too_fast(self, console)

        pattern = (re.escape(h.log_header(threads=2, cycles=1)) + LOG_WARNING
                   + h.cpu_log(2, too_fast) + LOG_WARNING
                   + re.escape(h.MEMORY_HEADING)
                   + "".join(h.memory_line(2, block) for block in h.BLOCKS)
                   + h.memcopy_line(2, False)
                   + re.escape(h.RECORD_HEADERS["SPD"])
                   + r"##SPD;2;" + "".join("(%s);" % h.NUMBER for _ in h.BLOCKS)
                   + r"[0-9a-f]{1,8}\n"
                   + re.escape(h.RECORD_HEADERS["MEM"])
                   + r"##MEM;2;(\d+);(\d+);[0-9a-f]{1,8}\n"
                   + LOG_WARNING
                   + re.escape(h.log_disk_heading(destination))
                   + "".join(h.disk_line(block) for block in h.BLOCKS) + r"\Z")
        match = re.match(pattern, log)
        self.assertIsNotNone(match, log)
        records = self.assert_records(log)
        self.assertEqual(sorted(records), ["MEM", "SPD"] if too_fast else ["CPU", "MEM", "SPD"])

        # The records hold what the lines show.
        cpu_rates = re.findall(r"\t2x(\d+) ", log)
        if not too_fast:
            self.assertEqual(records["CPU"], "##CPU;2;%s;" % ";".join(cpu_rates))
        speeds = [re.search(h.memory_line(2, size), log).group(2) for size in h.BLOCKS]
        self.assertEqual(records["SPD"], "##SPD;2;%s;" % ";".join(speeds))
        speed, block = re.search(h.memcopy_line(2, False), log).groups()
        self.assertEqual(records["MEM"], "##MEM;2;%s;%s;" % (block, speed))

        # The console: its own forms of the same lines, and the console-only ones.
        self.assertTrue(console.startswith(h.start_up(threads=2, cycles=1, log_name=log_path)))
        self.assertRegex(console, h.CALIBRATION_DONE)
        for line in h.cpu_lines(2, True)[:len(cpu_rates)]:
            self.assertRegex(console, line)
        self.assertRegex(console, h.best_block(block))
        self.assertEqual(re.search(h.memcopy_line(2, True), console).groups(), (speed, block))
        for block_size in h.BLOCKS:
            self.assertRegex(console, re.escape("\r") + h.disk_line(block_size))
        self.assertNotIn(h.BYE, console)
        self.assertNotRegex(console, r"##[A-Z]{3};", "records go to the log only")

    def test_menu_cpu_test_then_end_of_input(self):
        result = h.run(["1"], b"c\n", cwd=h.temp_dir(self), timeout=REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        console = normalized(result.stdout)
        pattern = (re.escape(h.start_up(threads=1, cycles=1) + h.menu() + "\n") + WARNINGS
                   + h.cpu_console(1, 1, h.cpu_ended_too_fast(self, console))
                   + re.escape(h.menu_end_of_input()) + r"\Z")
        self.assertRegex(console, pattern)

    def test_menu_disk_test_in_a_typed_directory(self):
        destination = h.temp_dir(self)
        result = h.run([], ("d\n%s\n" % destination).encode("ascii"), cwd=h.temp_dir(self),
                       timeout=REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        console = normalized(result.stdout)
        pattern = (re.escape(h.start_up() + h.menu() + "\n") + LOG_WARNING
                   + re.escape(h.DISK_PROMPT + h.DISK_HEADING)
                   + "".join(re.escape(h.block_line(block)) + "#+" + re.escape("\r")
                             + h.disk_line(block) for block in h.BLOCKS)
                   + re.escape(h.menu_end_of_input()) + r"\Z")
        self.assertRegex(console, pattern)
        self.assertEqual(os.listdir(destination), [], "the probe's test.io is removed by the runs")


if __name__ == "__main__":
    unittest.main()
