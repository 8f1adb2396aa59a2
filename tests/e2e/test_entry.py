"""Program entry: command line, usage text, log opening, start-up lines, self check.

Batch runs use 100 threads: the CPU and memory tests refuse that many at once,
so no timed test runs and the whole console and log texts are known.
"""

import os
import sys
import unittest

import harness as h
from harness import expected


@h.fast_test
@h.matched_build
class InteractiveStart(unittest.TestCase):
    def test_start_up_lines_then_the_menu_meets_the_end_of_input(self):
        # Words that are not the usage word (it matches whole and in case), and numbers
        # converted without validation (the conversions are command_line_test.cpp's).
        words = [([first], 1, 0) for first in ("-H", "-hx", "/H", "/hh", "h", "--h", " -h")]
        for args, threads, cycles in words + [
                ([], 1, 5), (["abc", "-1"], 4294967295, 0),
                (["-99999999999", "99999999999"], 2147483647, -2147483648)]:
            with self.subTest(args=args):
                cwd = h.temp_dir(self)
                result = h.run(args, b"", cwd=cwd)
                self.assertEqual(result.status, h.STATUS_OK, result)
                self.assertEqual(result.stderr, b"")
                self.assertEqual(os.listdir(cwd), [], "an interactive run creates no file")
                self.assertEqual(result.stdout, expected(h.start_up(threads, cycles)
                                                         + h.menu_end_of_input()))


@h.fast_test
class Usage(unittest.TestCase):
    def test_usage_text_alone(self):
        for args in (["-h"], ["/h"], ["-h", "3", "4", "log.txt", "dest", "more"], ["/h", "x"]):
            with self.subTest(args=args):
                cwd = h.temp_dir(self)
                result = h.run(args, cwd=cwd)
                self.assertEqual(result.status, h.STATUS_OK)
                if h.RUNNER:
                    # The runner hands the program a name of its own making.
                    before, after = (expected(part) for part in h.usage("\0").split("\0"))
                    self.assertTrue(result.stdout.startswith(before), result.stdout)
                    self.assertTrue(result.stdout.endswith(after), result.stdout)
                    name = result.stdout[len(before):len(result.stdout) - len(after)]
                    self.assertTrue(name.lower().endswith(os.path.basename(h.EXE).lower().encode()))
                else:
                    self.assertEqual(result.stdout, expected(h.usage(h.EXE)))
                self.assertEqual(os.listdir(cwd), [], "no log opened")

    def test_usage_names_the_program_as_started(self):
        result = h.run(["-h"], argv0="my tembrix %s")
        self.assertEqual(result.stdout, expected(h.usage("my tembrix %s")))


@h.fast_test
class LogOpenFailure(unittest.TestCase):
    def assert_open_fails(self, args, name):
        cwd = h.temp_dir(self)
        result = h.run(args, cwd=cwd)
        self.assertEqual(result.status, h.STATUS_LOG_OPEN_FAILED)
        self.assertEqual(result.stdout, expected(h.log_open_failed(name)))
        self.assertEqual(os.listdir(cwd), [])

    def test_log_in_a_missing_directory_or_without_a_name(self):
        path = os.path.join(h.temp_dir(self), "missing", "log.txt")
        self.assert_open_fails(["1", "100", path], path)
        self.assert_open_fails(["1", "100", path, "dest", "fifth"], path)
        self.assert_open_fails(["1", "1", ""], "")


@h.fast_test
@h.matched_build
class LogOpening(unittest.TestCase):
    def test_batch_run_cuts_an_existing_log_and_writes_its_header(self):
        cwd = h.temp_dir(self)
        h.write_file(os.path.join(cwd, "log.txt"), b"an earlier run's log\n" * 5000)
        result = h.run(["1", "100", "log.txt"], cwd=cwd)
        self.assertEqual(result.stderr, b"")
        h.assert_batch_run(self, result, "log.txt", 100, 1, log_file=os.path.join(cwd, "log.txt"))

    @unittest.skipUnless(sys.platform.startswith("linux") and not h.RUNNER, "needs /dev/full")
    def test_log_that_cannot_be_written_is_reported(self):
        result = h.run(["1", "100", "/dev/full"])
        self.assertEqual(result.status, h.STATUS_LOG_INCOMPLETE, result)
        self.assertEqual(result.stdout,
                         expected(h.start_up(100, 1, log_name="/dev/full")
                                  + h.too_many_threads(100) * 2
                                  + h.log_incomplete("/dev/full")))


@h.fast_test
@h.mismatched_build
class SelfCheckAbort(unittest.TestCase):
    def test_abort_without_log(self):
        result = h.run([], b"c\n")
        self.assertEqual(result.status, h.STATUS_SELF_CHECK_FAILED)
        self.assertEqual(result.stdout, expected(h.start_up()))

    def test_abort_keeps_the_log_header(self):
        cwd = h.temp_dir(self)
        result = h.run(["1", "100", "log.txt"], cwd=cwd)
        self.assertEqual(result.status, h.STATUS_SELF_CHECK_FAILED)
        self.assertEqual(result.stdout, expected(h.start_up(100, 1, log_name="log.txt")))
        self.assertEqual(h.read_file(os.path.join(cwd, "log.txt")),
                         expected(h.log_header(100, 1)))


if __name__ == "__main__":
    unittest.main()
