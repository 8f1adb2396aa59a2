"""Runs a built Tembrix deliverable and builds the texts it is expected to write.

CTest sets TEMBRIX_* (see e2e_tests.cmake): the deliverable and its runner ("wine"
wrapper or empty), its labels and pointer widths (they differ only in the mismatched
build, whose self check aborts), the line end ("\n", or "\r\n" for Windows text
mode; escaped spellings accepted) and the mode, "fast" (no timed runs) or "real".

run() and finish() give Result(status, stdout, stderr): status as the shell sees it,
or minus the signal that ended the program; a time-out kills the process group and
raises RunTimeout. Texts have "\n" line ends; expected() turns them into the bytes
to compare. TEXTS holds each text of tests/support/texts.h by name (the unit tests
compare with them too); cpu_lines(), memory_line(), ... are patterns of the lines
with measured numbers.
"""

import codecs
import collections
import os
import re
import select
import shlex
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

DEFAULT_TIMEOUT = 120


def _line_end(value):
    return value.replace("\\r", "\r").replace("\\n", "\n") if value else "\n"


EXE = os.environ.get("TEMBRIX_EXE", "")
RUNNER = shlex.split(os.environ.get("TEMBRIX_RUNNER", ""))
DELIVERABLE = os.environ.get("TEMBRIX_DELIVERABLE", "")
BITS = os.environ.get("TEMBRIX_BITS", "")
COMPILER = os.environ.get("TEMBRIX_COMPILER", "")
FLAVOR = os.environ.get("TEMBRIX_FLAVOR", "")
EXPECTED_WIDTH = int(os.environ.get("TEMBRIX_EXPECTED_WIDTH", "0"))
TARGET_WIDTH = int(os.environ.get("TEMBRIX_TARGET_WIDTH", "0"))
LINE_END = _line_end(os.environ.get("TEMBRIX_LINE_END", ""))
MODE = os.environ.get("TEMBRIX_E2E_MODE", "fast")
MISMATCHED = EXPECTED_WIDTH != TARGET_WIDTH
WINDOWS = LINE_END == "\r\n"

STATUS_OK = 0
STATUS_SELF_CHECK_FAILED = 255
STATUS_LOG_OPEN_FAILED = 251
STATUS_LOG_INCOMPLETE = 250
STATUS_SIGINT = -signal.SIGINT  # how run() and finish() report a death by SIGINT

fast_test = unittest.skipUnless(MODE == "fast", "fast mode only")
real_test = unittest.skipUnless(MODE == "real", "real timed runs only (the e2e-real tests)")
matched_build = unittest.skipIf(MISMATCHED, "the self check of this build aborts")
mismatched_build = unittest.skipUnless(MISMATCHED, "only the mismatched build aborts")

Result = collections.namedtuple("Result", "status stdout stderr")


class RunTimeout(AssertionError):
    pass


def _check_environment():
    if not EXE or not os.path.isfile(EXE):
        raise unittest.SkipTest("TEMBRIX_EXE names no built deliverable: %r" % EXE)


def _close_stdout():
    os.close(1)


def _kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def run(args, stdin_bytes=b"", cwd=None, timeout=DEFAULT_TIMEOUT, argv0=None,
        closed_stdout=False):
    """argv0 replaces the program name it receives (not under a runner); closed_stdout
    starts it with descriptor 1 closed."""
    _check_environment()
    args = [str(a) for a in args]
    if RUNNER:
        if argv0 is not None:
            raise unittest.SkipTest("a runner gives the program its own name")
        command, executable = RUNNER + [EXE] + args, None
    else:
        command = [EXE if argv0 is None else argv0] + args
        executable = EXE
    process = subprocess.Popen(
        command, executable=executable, cwd=cwd, stdin=subprocess.PIPE,
        stdout=subprocess.DEVNULL if closed_stdout else subprocess.PIPE,
        stderr=subprocess.PIPE, start_new_session=True,
        preexec_fn=_close_stdout if closed_stdout else None)
    try:
        out, err = process.communicate(stdin_bytes, timeout=timeout)
    except subprocess.TimeoutExpired:
        _kill_group(process)
        out, err = process.communicate()
        raise RunTimeout("%s %s did not end within %s s; stdout so far: %r"
                         % (EXE, args, timeout, (out or b"")[-2000:]))
    status = process.returncode
    return Result(status & 0xFF if status >= 0 else status, out or b"", err)


def start(args, stdin_bytes=None, cwd=None):
    """In a session of its own; stdin is a pipe, closed at once after stdin_bytes."""
    _check_environment()
    command = RUNNER + [EXE] + [str(a) for a in args]
    process = subprocess.Popen(command, cwd=cwd, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, start_new_session=True)
    if stdin_bytes is not None:
        process.stdin.write(stdin_bytes)
    process.stdin.close()
    process.stdin = None  # nothing more for communicate() to send
    return process


def read_until(process, marker, timeout=DEFAULT_TIMEOUT):
    """RunTimeout when marker doesn't appear, AssertionError when the program ends first."""
    deadline = time.monotonic() + timeout
    head = b""
    while marker not in head:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([process.stdout], [], [], left)[0]:
            _kill_group(process)
            raise RunTimeout("%r did not appear within %s s; stdout so far: %r"
                             % (marker, timeout, head[-2000:]))
        chunk = os.read(process.stdout.fileno(), 4096)
        if not chunk:
            raise AssertionError("the program ended before %r; stdout: %r" % (marker, head))
        head += chunk
    return head


def finish(process, head=b"", timeout=DEFAULT_TIMEOUT):
    try:
        out, err = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        _kill_group(process)
        process.communicate()
        raise RunTimeout("%s did not end within %s s" % (EXE, timeout))
    status = process.returncode
    return Result(status & 0xFF if status >= 0 else status, head + (out or b""), err)


def temp_dir(test):
    path = tempfile.mkdtemp(prefix="tembrix-e2e-")
    test.addCleanup(shutil.rmtree, path, ignore_errors=True)
    return path


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)


def expected(text):
    return text.replace("\n", LINE_END).encode("utf-8", "surrogateescape")


# --- Texts ------------------------------------------------------------------

TITLE = "Tembrixmeter v. 1.0.0"
NOTICE = "(c) 2026 The Tembrix developers"


def banner():
    frame = "*" * 69
    return (frame + "\n"
            + "*" + " " * 22 + TITLE + " " * 24 + "*\n"
            + "*" + " " * 18 + NOTICE + " " * 18 + "*\n"
            + frame + "\n\n")


def label_line():
    return "Compiled in %s bits by %s flavor: %s\n" % (BITS, COMPILER, FLAVOR)


def thread_cycle_line(threads=1, cycles=5):
    return "Using %d thread(s) and %d cycles.\n" % (threads, cycles)


def sys_record():
    return "##SYS;%s;%s\n" % (BITS, FLAVOR)


def log_header(threads=1, cycles=5):
    return ("%s %s\n" % (TITLE, NOTICE) + label_line() + thread_cycle_line(threads, cycles)
            + sys_record())


def start_up(threads=1, cycles=5, log_name=None):
    text = "" if log_name is None else "Logging to file: %s.\n\n" % log_name
    text += (banner() + label_line() + "SYS-CHECK: size_t is %d bits, should be %d - "
             % (TARGET_WIDTH, EXPECTED_WIDTH))
    if MISMATCHED:
        return text + "Aborting."
    return text + "OK.\n" + thread_cycle_line(threads, cycles)


def usage(argv0):
    return ("Usage: %s [cycles] [threads] [logfile] [destpath]\n"
            "No commands start Tembrix in interactive single core mode." % argv0)


def menu():
    return TEXTS["Menu"]


def menu_end_of_input():
    """The menu meeting the end of input: its line end, then the farewell."""
    return menu() + "\n" + BYE


def log_open_failed(path):
    return "Can not open log file: %s!\n" % path


def log_incomplete(path):
    return "\nWARNING: The log file %s could not be written completely!\n" % path


# --- The texts the unit tests compare with too (tests/support/texts.h) -------

def _read_texts():
    """TEXTS["Name"] for each constant kName of texts.h, its literals joined."""
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "support",
                           "texts.h")) as f:
        source = f.read()
    literal = r'"((?:[^"\\]|\\.)*)"'
    constants = re.findall(r"const char\* const k(\w+) =((?:\s*%s)+);"
                           % literal.replace("(", "(?:", 1), source)
    return {name: "".join(codecs.decode(part, "unicode_escape")
                          for part in re.findall(literal, literals))
            for name, literals in constants}


TEXTS = _read_texts()
BYE = TEXTS["Bye"]
DISK_PROMPT = TEXTS["DiskPrompt"]
PATH_INVALID = TEXTS["PathInvalid"]
REALTIME_REFUSED = TEXTS["RealtimeRefused"]
HIGH_REFUSED = TEXTS["HighRefused"]
TOO_FAST = TEXTS["TooFast"]
CALIBRATING_CPU = TEXTS["CalibratingCpu"]
CPU_HEADING = TEXTS["CpuHeading"]
MEMORY_HEADING = TEXTS["MemoryHeading"]
DISK_HEADING = TEXTS["DiskHeading"]
RECORD_HEADERS = {kind: TEXTS[kind.capitalize() + "RecordHeader"] for kind in ("CPU", "SPD", "MEM")}
BLOCKS = [1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024]


def test_file(directory):
    return directory + ("\\" if WINDOWS else "/") + "test.io"


def _filled(name):
    return lambda *values: TEXTS[name] % values


too_many_threads = _filled("TooManyThreads")
cannot_create = _filled("CannotCreate")
is_log_file = _filled("IsLogFile")
in_use = _filled("InUse")
not_removed = _filled("NotRemoved")
log_disk_heading = _filled("LogDiskHeading")
block_line = _filled("BlockLine")


def assert_batch_run(test, result, log_name, threads, cycles, destination=None, ending="",
                     first_run=True, log_file=None):
    """A batch run whose CPU and memory tests refused its threads: status 0, console and
    log (at log_file, else log_name) byte for byte. With a destination its disk test
    ended with ending: after its first timed run's first write when first_run."""
    refusals = too_many_threads(threads) * 2
    console = start_up(threads, cycles, log_name=log_name) + refusals
    log = log_header(threads, cycles) + refusals
    if destination is not None:
        console += DISK_HEADING + (block_line(1) + "#" if first_run else "")
        log += log_disk_heading(destination)
    test.assertEqual(result.status, STATUS_OK, result)
    test.assertEqual(result.stdout, expected(console + ending))
    test.assertEqual(read_file(log_file or log_name), expected(log + ending))


# --- Patterns of the lines with measured numbers ----------------------------

NUMBER = r"-?\d+(?:\.\d+)?(?:e[+-]\d{3})?"
_RATES = "(%s) K-OPS / (%s)" % (NUMBER, NUMBER)
CALIBRATION_DONE = (re.escape("\r  Done. (Result: CPU does ") + r"\d*000"
                    + re.escape(" OPS per second on one core.)\n"))
_CPU_PHASES = [  # progress, label, unit, blanks after the unit on the console
    ("integer operation speed", "  CPU integer speed is:\t\t", " IOPS.", 16),
    ("floating point speed", "  CPU floating point speed is:\t", " FLOPS.", 16),
    ("bit shifting speed", "  CPU bit shifting speed is:\t", " BSOPS.", 15),
    ("math speed", "  CPU math speed is:\t\t", " Math-OPS.", 15),
]


def cpu_lines(threads, console):
    """The four rate lines, each rate a group; the console's start with CR."""
    return [re.escape(("\r" if console else "") + label) + "%dx(\\d+)" % threads
            + re.escape(unit + (" " * pad if console else "") + "\n")
            for _, label, unit, pad in _CPU_PHASES]


def cpu_progress(phase, cycles, run):
    return re.escape("\r  Measuring CPU %s (%d cycles) %d/%d"
                     % (_CPU_PHASES[phase][0], cycles, run, cycles))


def cpu_ended_too_fast(test, console):
    """Whether the console shows the CPU test's too-fast end. On a fast machine a
    32-bit build's integer or bit-shift rate passes 2^32 - 1 (or its calibration
    count wraps to 0), so that end is a real outcome there; never on 64 bits."""
    too_fast = TOO_FAST in console
    if too_fast:
        test.assertEqual(BITS, "32", "a 64-bit rate ended as too fast")
    return too_fast


def cpu_log(threads, too_fast):
    """The CPU test's part of the log. Measured: the heading, the four rate lines and
    the record, whose text up to its last ";" is group "cpu_record" and checksum
    "cpu_checksum". Too fast: the lines of the phases measured before that end (the
    heading only if the calibration ended), no record."""
    lines = cpu_lines(threads, False)
    if too_fast:
        measured = "|".join("".join(lines[:n]) for n in reversed(range(len(lines))))
        return "(?:%s(?:%s))?" % (re.escape(CPU_HEADING), measured)
    return (re.escape(CPU_HEADING) + "".join(lines) + re.escape(RECORD_HEADERS["CPU"])
            + r"(?P<cpu_record>##CPU;%d;\d+;\d+;\d+;\d+;)(?P<cpu_checksum>[0-9a-f]{1,8})\n"
            % threads)


def cpu_console(threads, cycles, too_fast):
    """The CPU test on the console from its calibration on; too fast as in cpu_log()."""
    phases = ["".join(cpu_progress(phase, cycles, run) for run in range(1, cycles + 1))
              for phase in range(len(_CPU_PHASES))]
    lines = [progress + line for progress, line in zip(phases, cpu_lines(threads, True))]
    start = re.escape(CALIBRATING_CPU) + "#+"
    measured = CALIBRATION_DONE + re.escape(CPU_HEADING)
    if not too_fast:
        return start + measured + "".join(lines)
    ends = "|".join("".join(lines[:n]) + phases[n] for n in range(len(lines)))
    return start + "(?:%s(?:%s))?" % (measured, ends) + re.escape(TOO_FAST)


def memory_line(threads, block):
    return (re.escape("  Speed @ %d KiB: %dx" % (block, threads)) + _RATES
            + re.escape(" MiB per second and thread.\n"))


def memcopy_line(threads, console):
    """The best copy speed and its block, as groups."""
    start, pad = ("\r", " " * 11) if console else ("", "")
    return (re.escape(start + "  CPU max memcopy speed is: %dx" % threads) + r"(\d+)"
            + re.escape(" MiB/s @ ") + r"(\d+)" + re.escape(" KiB blocks." + pad + "\n"))


def best_block(block):
    return (re.escape("\n  Best block / speed was (") + r"\d+"
            + re.escape(" MiB/s @ %s KiB blocks)\n" % block))


def disk_line(block):
    return (re.escape("  Speed @ %d KiB: " % block) + _RATES
            + re.escape(" MiB per second.             \n"))
