"""What only the Windows deliverables show, run under Wine: drive-letter paths
(C: inside the Wine prefix, Z: for the Unix tree), CR LF line ends in the log
with the records' checksums over the record text alone, and a log that other
processes can open while the program holds it, and a test file held by a run
of either build that the other one leaves alone.

Skipped unless TEMBRIX_RUNNER is the Wine wrapper (tests/wine/run-under-wine.sh).
"""

import fcntl
import glob
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest

import harness as h
from harness import expected
import test_interrupts as interrupts
import test_runs as runs

WINE = any(os.path.basename(part) == "run-under-wine.sh" for part in h.RUNNER)
PREFIX = next((part[len("--prefix="):] for part in h.RUNNER if part.startswith("--prefix=")), "")

wine_only = unittest.skipUnless(WINE and PREFIX, "runs only under the Wine wrapper")


def drive_c_dir(test):
    """A fresh directory in the prefix's drive_c: (Unix path, "C:\\..." path)."""
    path = tempfile.mkdtemp(prefix="tembrix-e2e-", dir=os.path.join(PREFIX, "drive_c"))
    test.addCleanup(shutil.rmtree, path, ignore_errors=True)
    return path, "C:\\" + os.path.basename(path)


def z_path(unix_path):
    """The Windows name of a Unix path: Wine maps the Unix root to drive Z:."""
    return "Z:" + unix_path.replace("/", "\\")


def age(directory):
    """Sets the directory's times to the epoch. A file created and removed in
    exactly this directory (the disk test's test.io) then shows in its
    modification time, though nothing is left in it. (A second name for
    test.io can't witness the writes: the disk test refuses such a file.)"""
    os.utime(directory, (0, 0))


def assert_file_made_and_removed(test, directory):
    test.assertNotEqual(os.stat(directory).st_mtime, 0, "no file was made in " + directory)
    test.assertEqual(os.listdir(directory), [], "the test file is removed")


def process_in_session(session, name):
    """The pid of the process of the session whose command line starts with name.
    Wine starts a Unix-path program through start.exe, which leaves the program
    itself outside its children but inside its session."""
    for stat_path in glob.glob("/proc/[0-9]*/stat"):
        try:
            with open(stat_path) as f:
                stat = f.read()
            with open(os.path.join(os.path.dirname(stat_path), "cmdline"), "rb") as f:
                command = f.read().split(b"\0")[0].decode("utf-8", "replace")
        except OSError:
            continue
        fields = stat[stat.rindex(")") + 2:].split()
        if int(fields[3]) == session and command.replace("\\", "/").endswith(name):
            return int(os.path.basename(os.path.dirname(stat_path)))
    return None


def helper(name):
    """A cross-built helper of tests/unit/win32 beside the deliverable."""
    return os.path.join(os.path.dirname(h.EXE), "%s_%s.exe" % (name, h.DELIVERABLE))


def hold_as_a_windows_run(test, path):
    """Has the helper that holds a file as a run writing it does hold path until the
    test ends."""
    holder = subprocess.Popen(h.RUNNER + [helper("file_holder"), path], stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, start_new_session=True)
    test.addCleanup(lambda: holder.poll() is None and os.killpg(holder.pid, signal.SIGKILL))
    test.addCleanup(holder.communicate, b"", timeout=60)
    test.assertEqual(holder.stdout.readline(), b"held\r\n")


def assert_crlf_only(test, data):
    test.assertNotRegex(data, rb"(?<!\r)\n", "a line end without CR")
    test.assertNotIn(b"\r\r", data)


@wine_only
@h.fast_test
@h.matched_build
class WineFast(unittest.TestCase):
    def test_log_named_by_a_drive_path(self):
        unix_dir, windows_dir = drive_c_dir(self)
        log_name = windows_dir + "\\run.log"
        h.write_file(os.path.join(unix_dir, "run.log"), b"an older log\n" * 100)
        result = h.run(["1", "100", log_name], cwd=h.temp_dir(self))
        log_file = os.path.join(unix_dir, "run.log")
        h.assert_batch_run(self, result, log_name, 100, 1, log_file=log_file)
        assert_crlf_only(self, h.read_file(log_file))
        self.assertEqual(os.listdir(unix_dir), ["run.log"])

    def test_missing_destination_as_drive_and_z_paths(self):
        unix_dir, windows_dir = drive_c_dir(self)
        z_dir = h.temp_dir(self)
        for destination, parent in [(windows_dir + "\\missing", unix_dir),
                                    (z_path(z_dir) + "\\missing", z_dir)]:
            with self.subTest(destination=destination):
                log_path = os.path.join(h.temp_dir(self), "log.txt")
                result = h.run(["1", "100", log_path, destination], cwd=h.temp_dir(self))
                self.assertEqual(result.status, h.STATUS_OK, result)
                # The directory as given, one backslash, test.io.
                failure = h.cannot_create(h.test_file(destination))
                self.assertTrue(result.stdout.endswith(expected(failure)), result.stdout)
                self.assertIn(expected(h.log_disk_heading(destination)), h.read_file(log_path))
                self.assertEqual(os.listdir(parent), [])

    def test_test_file_held_by_another_run_is_in_use(self):
        for holder in ["Windows", "Linux"]:
            with self.subTest(holder=holder):
                destination = h.temp_dir(self)
                test_file = z_path(destination) + "\\test.io"
                h.write_file(os.path.join(destination, "test.io"), b"the other run's block")
                if holder == "Windows":
                    hold_as_a_windows_run(self, test_file)
                else:  # the lock a run of the Linux build holds
                    fd = os.open(os.path.join(destination, "test.io"), os.O_WRONLY)
                    self.addCleanup(os.close, fd)
                    fcntl.lockf(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
                log_path = os.path.join(h.temp_dir(self), "run.log")
                result = h.run(["0", "65", log_path, z_path(destination)], cwd=h.temp_dir(self))
                h.assert_batch_run(self, result, log_path, 65, 0, z_path(destination),
                                   h.in_use(test_file))
                self.assertEqual(h.read_file(os.path.join(destination, "test.io")),
                                 b"the other run's block")

    def test_a_run_holds_its_file_against_a_linux_run(self):
        destination = h.temp_dir(self)
        log_path = os.path.join(h.temp_dir(self), "run.log")
        process = h.start(["0", "65", log_path, z_path(destination)], cwd=h.temp_dir(self))
        h.read_until(process, expected(h.block_line(1) + "#"))
        path = os.path.join(destination, "test.io")
        program = process_in_session(process.pid, os.path.basename(h.EXE))
        self.assertIsNotNone(program)
        interrupts.stop_while_holding(self, process, path, program)
        try:
            fd = os.open(path, os.O_WRONLY)
            self.addCleanup(os.close, fd)
            # What a run of the Linux build asks for before it truncates anything.
            with self.assertRaises(BlockingIOError):
                fcntl.lockf(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
        finally:
            os.kill(program, signal.SIGKILL)
            h.finish(process)


@wine_only
@h.real_test
@h.matched_build
class WineReal(unittest.TestCase):
    def test_batch_run_into_a_drive_c_directory(self):
        unix_dir, windows_dir = drive_c_dir(self)
        age(unix_dir)
        log_dir = h.temp_dir(self)
        log_path = os.path.join(log_dir, "log.txt")
        copy_path = os.path.join(log_dir, "copy.bin")
        process = h.start(["1", "1", z_path(log_path), windows_dir], cwd=h.temp_dir(self))
        self.addCleanup(lambda: process.poll() is None and os.killpg(process.pid, signal.SIGKILL))
        # The first "#" of the CPU calibration: the log is open and held.
        head = h.read_until(process, b"#")
        program = process_in_session(process.pid, os.path.basename(h.EXE))
        self.assertIsNotNone(program)
        os.kill(program, signal.SIGSTOP)
        try:
            reader = subprocess.run(
                h.RUNNER + [helper("log_share_reader"), z_path(log_path), z_path(copy_path)],
                stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        finally:
            os.kill(program, signal.SIGCONT)
        # 0: opened for reading and for writing by another process while held.
        self.assertEqual(reader.returncode, 0, reader)

        result = h.finish(process, head, timeout=runs.REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        self.assertNotRegex(result.stdout, rb"(?<!\r)\n", "a console line end without CR")

        log = h.read_file(log_path)
        assert_crlf_only(self, log)
        lines = log.split(b"\r\n")
        self.assertEqual(lines[-1], b"", "the log ends with a line end")
        records = [re.match(rb"(##(?:CPU|SPD|MEM);.*;)([0-9a-f]{1,8})$", line) for line in lines]
        records = [record for record in records if record]
        too_fast = h.cpu_ended_too_fast(self, runs.normalized(result.stdout))
        self.assertEqual([record.group(1)[2:5] for record in records],
                         [b"SPD", b"MEM"] if too_fast else [b"CPU", b"SPD", b"MEM"])
        for record in records:
            # Over the record's text alone: no CR, no LF.
            text = record.group(1).decode("ascii")
            self.assertEqual(record.group(2).decode("ascii"), runs.checksum(text), text)
        self.assertIn(h.sys_record().rstrip("\n").encode(), lines)
        self.assertIn(expected(h.log_disk_heading(windows_dir)), log)
        for block in h.BLOCKS:
            self.assertRegex(runs.normalized(log), h.disk_line(block))

        # The test file was C:\...\test.io.
        assert_file_made_and_removed(self, unix_dir)

    def test_menu_disk_test_in_a_typed_z_directory(self):
        directory = h.temp_dir(self)
        age(directory)
        typed = z_path(directory)
        result = h.run([], ("d\n%s\n" % typed).encode("ascii"), cwd=h.temp_dir(self),
                       timeout=runs.REAL_TIMEOUT)
        self.assertEqual(result.status, h.STATUS_OK, result)
        console = runs.normalized(result.stdout)
        # Wine grants the high priority class the disk test asks for.
        self.assertNotIn(h.HIGH_REFUSED, console)
        self.assertTrue(console.startswith(h.start_up() + h.menu() + "\n" + h.DISK_PROMPT
                                           + h.DISK_HEADING), console)
        for block in h.BLOCKS:
            self.assertRegex(console, "\r" + h.disk_line(block))
        self.assertTrue(console.endswith(h.menu_end_of_input()), console)
        assert_file_made_and_removed(self, directory)


if __name__ == "__main__":
    unittest.main()
