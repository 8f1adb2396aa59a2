"""Files the program must never destroy, and a log that holds no console text:
the log named as the disk test's own file, a standard output that was closed
at the start, and a second name or a symbolic link planted at the test file.

Every run uses 65 threads, so the CPU and memory tests refuse at once and no
timed run does any work; nothing here depends on time.
"""

import os
import unittest

import harness as h
from harness import expected

THREADS = 65
CYCLES = 0
REFUSALS = h.too_many_threads(THREADS) * 2


@h.fast_test
@h.matched_build
class NothingLost(unittest.TestCase):
    def run_batch(self, log_path, destination=None, closed_stdout=False):
        args = [str(CYCLES), str(THREADS), log_path] + ([destination] if destination else [])
        result = h.run(args, cwd=h.temp_dir(self), closed_stdout=closed_stdout)
        self.assertEqual(result.status, h.STATUS_OK, result)
        self.assertEqual(result.stderr, b"")
        return result

    def test_log_named_as_the_test_file_is_kept_whole(self):
        directory = h.temp_dir(self)
        test_file = h.test_file(directory)
        # The same file under another name: through a link to its directory.
        alias = os.path.join(h.temp_dir(self), "alias")
        os.symlink(directory, alias)
        for log_path in [test_file, h.test_file(alias)]:
            with self.subTest(log=log_path):
                h.assert_batch_run(self, self.run_batch(log_path, directory), log_path, THREADS,
                                   CYCLES, directory, h.is_log_file(test_file), first_run=False,
                                   log_file=os.path.join(directory, "test.io"))

    @unittest.skipIf(h.RUNNER, "closing a descriptor before the start is a POSIX test")
    def test_log_on_a_closed_standard_output_holds_no_console_text(self):
        cwd = h.temp_dir(self)
        log_path = os.path.join(cwd, "run.log")
        destination = os.path.join(cwd, "missing")
        self.run_batch(log_path, destination, closed_stdout=True)
        failure = h.cannot_create(h.test_file(destination))
        self.assertEqual(h.read_file(log_path), expected(
            h.log_header(THREADS, CYCLES) + REFUSALS + h.log_disk_heading(destination) + failure))

    def test_link_at_the_test_file_is_neither_followed_nor_cut(self):
        """Under Wine too, which opens a Unix symbolic link's target as a plain file."""
        # A second name, a symbolic link, and one whose target doesn't exist.
        for make_link, contents in [(os.link, b"keep me"), (os.symlink, b"keep me"),
                                    (os.symlink, None)]:
            with self.subTest(link=make_link.__name__, target=contents):
                destination = h.temp_dir(self)
                other_name = os.path.join(h.temp_dir(self), "precious.txt")
                if contents:
                    h.write_file(other_name, contents)
                make_link(other_name, os.path.join(destination, "test.io"))
                log_path = os.path.join(h.temp_dir(self), "run.log")
                h.assert_batch_run(self, self.run_batch(log_path, destination), log_path,
                                   THREADS, CYCLES, destination,
                                   h.cannot_create(h.test_file(destination)))
                self.assertEqual(h.read_file(other_name) if contents else
                                 os.path.exists(other_name), contents or False)
                self.assertEqual(os.listdir(destination), ["test.io"], "the link is left")


if __name__ == "__main__":
    unittest.main()
