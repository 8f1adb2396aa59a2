"""Interrupted, shared and long-path runs on Linux: a signal that ends the
program, a vanished console reader, a file-size limit or a renamed directory
leaves no test file and an interrupt loses no log line, two runs never share a
test file, a test file that stays is reported, and a typed directory is used as
typed, whatever its length.

The fast tests use 65 threads, so the CPU and memory tests refuse at once; their
disk tests are real but are ended by a signal after the first timed run, or end
by themselves at the first one. Nothing waits for a time or asserts one.
"""

import os
import re
import resource
import select
import shutil
import signal
import subprocess
import tempfile
import unittest

import harness as h
from harness import expected
import test_runs as runs

THREADS = 65
REFUSALS = h.too_many_threads(THREADS) * 2
FIRST_RUN = h.block_line(1) + "#"
LOCK_TIMEOUT = 60
DISK_LINE = "|".join(h.disk_line(block) for block in h.BLOCKS)
# Every signal that ends the program by default and can be caught, but its own faults.
ENDING_SIGNALS = [signal.SIGINT, signal.SIGTERM, signal.SIGHUP, signal.SIGQUIT, signal.SIGPIPE,
                  signal.SIGALRM, signal.SIGUSR1, signal.SIGUSR2, signal.SIGPOLL, signal.SIGVTALRM,
                  signal.SIGPROF, signal.SIGXCPU, signal.SIGPWR, signal.SIGRTMIN, signal.SIGRTMAX]

linux_only = unittest.skipIf(h.RUNNER or h.WINDOWS, "signals and record locks on Linux")


def chattr(flag, directory):
    try:
        return subprocess.run(["chattr", flag, directory], capture_output=True).returncode == 0
    except FileNotFoundError:
        return False


def make_append_only(test, directory):
    """chattr +a: files can be made in directory but not removed. Skips the
    test where that can't be had (tried first on a witness directory beside
    it); undone when the test ends."""
    # A name of its own: the parent may be shared with tests running alongside.
    witness_dir = tempfile.mkdtemp(dir=os.path.dirname(directory))
    witness = os.path.join(witness_dir, "witness")
    kept = False
    if chattr("+a", witness_dir):
        h.write_file(witness, b"")
        try:
            os.remove(witness)
        except PermissionError:
            kept = True
        chattr("-a", witness_dir)
    shutil.rmtree(witness_dir)
    if not kept:
        raise unittest.SkipTest("chattr +a is unavailable or keeps no file here "
                                "(needs root and an ext2/3/4 file system)")
    test.assertTrue(chattr("+a", directory))
    test.addCleanup(chattr, "-a", directory)


def holds_lock(pid, path):
    """True when process pid (None: any) holds a POSIX write lock on the file at path."""
    try:
        inode = os.stat(path).st_ino
    except FileNotFoundError:
        return False
    lock = r"\d+: POSIX\s+ADVISORY\s+WRITE\s+%s\s+\S+:%d\s" % (pid or r"\d+", inode)
    with open("/proc/locks") as locks:
        return any(re.match(lock, line) for line in locks)


def stop_while_holding(test, process, path, program=None):
    """Stops the process at a moment it holds its lock on path, i.e. in the
    middle of one of its timed runs. Under Wine, whose server holds the locks,
    the process to stop is program."""
    test.addCleanup(lambda: process.poll() is None and os.killpg(process.pid, signal.SIGKILL))
    holder = None if program else process.pid
    program = program or process.pid
    deadline = os.times().elapsed + LOCK_TIMEOUT
    while os.times().elapsed < deadline:
        if holds_lock(holder, path):
            os.kill(program, signal.SIGSTOP)
            if holds_lock(holder, path):
                return
            os.kill(program, signal.SIGCONT)
    test.fail("the first run never held %s within %s s" % (path, LOCK_TIMEOUT))


@linux_only
@h.fast_test
@h.matched_build
class InterruptedDiskTest(unittest.TestCase):
    def test_signal_removes_the_test_file_and_the_log_keeps_its_lines(self):
        for signal_number in ENDING_SIGNALS:
            with self.subTest(signal=signal_number):
                destination = h.temp_dir(self)
                # A leftover from an earlier run is taken over as always.
                h.write_file(os.path.join(destination, "test.io"), b"left over" * 1000)
                log_path = os.path.join(h.temp_dir(self), "run.log")
                process = h.start(["0", THREADS, log_path, destination], cwd=h.temp_dir(self))
                head = h.read_until(process, expected(FIRST_RUN))
                stop_while_holding(self, process, h.test_file(destination))
                os.kill(process.pid, signal_number)
                os.kill(process.pid, signal.SIGCONT)
                result = h.finish(process, head)
                self.assertEqual(result.status, -signal_number, result)
                self.assertEqual(os.listdir(destination), [])
                log = h.read_file(log_path).decode("ascii")
                start = h.log_header(THREADS, 0) + REFUSALS + h.log_disk_heading(destination)
                self.assertTrue(log.startswith(start), log)
                # Block sizes that were done before the signal, and nothing else.
                self.assertRegex(log[len(start):], r"\A(%s)*\Z" % DISK_LINE)

    def test_console_reader_gone_after_the_prompt(self):
        """The probe's file goes with the SIGPIPE of the next console write."""
        destination = h.temp_dir(self)
        process = subprocess.Popen([h.EXE, "1", str(THREADS)], stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, cwd=h.temp_dir(self))
        self.addCleanup(lambda: process.poll() is None and process.kill())
        process.stdin.write(b"d\n")
        process.stdin.flush()
        h.read_until(process, expected(h.DISK_PROMPT))
        process.stdout.close()
        process.stdin.write(("%s\n" % destination).encode())
        process.stdin.close()
        self.assertEqual(process.wait(h.DEFAULT_TIMEOUT), -signal.SIGPIPE)
        self.assertEqual(os.listdir(destination), [])

    def test_file_size_limit_ends_the_test_as_a_failed_write(self):
        destination = h.temp_dir(self)
        # Below the first block: the first timed run's first write meets it.
        limits = resource.getrlimit(resource.RLIMIT_FSIZE)
        resource.setrlimit(resource.RLIMIT_FSIZE, (1000, limits[1]))
        try:
            result = h.run(["1", THREADS], ("d\n%s\n" % destination).encode(),
                           cwd=h.temp_dir(self))
        finally:
            resource.setrlimit(resource.RLIMIT_FSIZE, limits)
        failed = "\nWARNING: Writing the test file %s failed! Test aborted.\n"
        self.assertEqual(result.status, h.STATUS_OK, result)
        self.assertEqual(result.stdout, expected(
            h.start_up(THREADS, 1) + runs.turn(h.DISK_PROMPT + h.DISK_HEADING + FIRST_RUN
                                               + failed % h.test_file(destination))
            + runs.turn() + h.BYE))
        self.assertEqual(os.listdir(destination), [])

    def test_directory_renamed_during_a_run(self):
        """mv dest old; mkdir new; ln -s new dest: each file goes from where it was made."""
        base = h.temp_dir(self)
        destination, old, new = (os.path.join(base, name) for name in ("dest", "old", "new"))
        os.mkdir(destination)
        process = h.start(["0", THREADS, os.path.join(h.temp_dir(self), "run.log"), destination],
                          cwd=h.temp_dir(self))
        head = h.read_until(process, expected(FIRST_RUN))
        stop_while_holding(self, process, h.test_file(destination))
        while select.select([process.stdout], [], [], 0)[0]:  # what came before the stop
            head += os.read(process.stdout.fileno(), 4096)
        os.rename(destination, old)
        os.mkdir(new)
        os.symlink(new, destination)
        os.kill(process.pid, signal.SIGCONT)
        head += h.read_until(process, b"#")  # the end of the run that was stopped
        self.assertEqual(os.listdir(old), [])
        os.kill(process.pid, signal.SIGINT)
        result = h.finish(process, head)
        self.assertEqual(result.status, h.STATUS_SIGINT, result)
        self.assertEqual(os.listdir(new), [])
        self.assertNotIn(b"WARNING: The test file", result.stdout)

    def test_two_runs_on_one_directory(self):
        destination = h.temp_dir(self)
        test_file = h.test_file(destination)
        first_log = os.path.join(h.temp_dir(self), "first.log")
        first = h.start(["0", THREADS, first_log, destination], cwd=h.temp_dir(self))
        head = h.read_until(first, expected(FIRST_RUN))
        stop_while_holding(self, first, test_file)

        # A batch run: its first timed run finds the file held.
        second_log = os.path.join(h.temp_dir(self), "second.log")
        second = h.run(["0", THREADS, second_log, destination], cwd=h.temp_dir(self))
        h.assert_batch_run(self, second, second_log, THREADS, 0, destination, h.in_use(test_file))
        # The menu: the prompt's probe finds it held.
        menu = h.run(["1", THREADS], ("d\n%s\n" % destination).encode(), cwd=h.temp_dir(self))
        self.assertEqual(menu.status, h.STATUS_OK, menu)
        self.assertEqual(menu.stdout, expected(
            h.start_up(THREADS, 1) + runs.turn(h.DISK_PROMPT + h.in_use(test_file)) + runs.turn()
            + h.BYE))
        self.assertTrue(holds_lock(first.pid, test_file), "the first run's file is untouched")

        os.kill(first.pid, signal.SIGINT)
        os.kill(first.pid, signal.SIGCONT)
        result = h.finish(first, head)
        self.assertEqual(result.status, h.STATUS_SIGINT, result)
        self.assertEqual(os.listdir(destination), [])
        self.assertNotIn(b"WARNING: The test file", result.stdout)

    def test_file_that_cannot_be_removed_is_reported(self):
        destination = h.temp_dir(self)
        make_append_only(self, destination)
        log_path = os.path.join(h.temp_dir(self), "run.log")
        result = h.run(["0", THREADS, log_path, destination], cwd=h.temp_dir(self))
        h.assert_batch_run(self, result, log_path, THREADS, 0, destination,
                           h.not_removed(h.test_file(destination)))
        self.assertEqual(os.listdir(destination), ["test.io"])

    def test_directory_of_100_characters_typed_at_the_prompt(self):
        base = h.temp_dir(self)
        # Its first 63 characters name a directory too.
        prefix = os.path.join(base, "p" * (62 - len(base)))
        typed = os.path.join(prefix, "d" * (99 - len(prefix)))
        self.assertEqual((len(prefix), len(typed)), (63, 100))
        os.makedirs(typed)
        stdin = ("d\n%s\n" % typed).encode()

        process = h.start(["1", THREADS], stdin, cwd=h.temp_dir(self))
        head = h.read_until(process, expected(FIRST_RUN))
        os.kill(process.pid, signal.SIGINT)
        result = h.finish(process, head)
        self.assertEqual(result.status, h.STATUS_SIGINT, result)
        self.assertTrue(result.stdout.startswith(expected(
            h.start_up(THREADS, 1) + runs.turn(h.DISK_PROMPT + h.DISK_HEADING + FIRST_RUN))),
            result.stdout)
        self.assertEqual(os.listdir(typed), [], "probe file and test file are gone")
        self.assertEqual(os.listdir(prefix), [os.path.basename(typed)])

        with self.subTest("the warning names the file"):
            make_append_only(self, typed)
            result = h.run(["1", THREADS], stdin, cwd=h.temp_dir(self))
            self.assertEqual(result.status, h.STATUS_OK, result)
            self.assertEqual(result.stdout, expected(
                h.start_up(THREADS, 1) + runs.turn(
                    h.DISK_PROMPT + h.DISK_HEADING + FIRST_RUN
                    + h.not_removed(h.test_file(typed))) + runs.turn() + h.BYE))
            self.assertEqual(os.listdir(typed), ["test.io"])


@linux_only
@h.real_test
@h.matched_build
class InterruptedBatchRun(unittest.TestCase):
    def test_signal_in_the_memory_test_keeps_the_cpu_record(self):
        log_path = os.path.join(h.temp_dir(self), "run.log")
        process = h.start(["1", "2", log_path], cwd=h.temp_dir(self))
        self.addCleanup(lambda: process.poll() is None and os.killpg(process.pid, signal.SIGKILL))
        head = h.read_until(process, expected(h.MEMORY_HEADING), runs.REAL_TIMEOUT)
        os.kill(process.pid, signal.SIGINT)
        result = h.finish(process, head)
        self.assertEqual(result.status, h.STATUS_SIGINT, result)
        log = h.read_file(log_path).decode("ascii")
        too_fast = h.cpu_ended_too_fast(self, head.decode("ascii"))
        pattern = (re.escape(h.log_header(threads=2, cycles=1)) + runs.LOG_WARNING
                   + h.cpu_log(2, too_fast) + runs.LOG_WARNING
                   + re.escape(h.MEMORY_HEADING)
                   + "(%s)*" % "|".join(h.memory_line(2, block) for block in h.BLOCKS)
                   + r"\Z")
        match = re.match(pattern, log)
        self.assertIsNotNone(match, log)
        if not too_fast:
            record = match.group("cpu_record")
            self.assertEqual(match.group("cpu_checksum"), runs.checksum(record))
            self.assertEqual(record, "##CPU;2;%s;" % ";".join(re.findall(r"\t2x(\d+) ", log)))


if __name__ == "__main__":
    unittest.main()
