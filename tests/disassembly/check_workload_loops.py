"""Checks the measured loops of a built deliverable in its disassembly.

    check_workload_loops.py --objdump OBJDUMP --fp-code KIND PROGRAM
    check_workload_loops.py --objdump OBJDUMP --same-code PROGRAM PROGRAM...

For every workload it finds the one loop (the one jump back inside the
function) and fails when:
  - the loop is missing, or there is more than one;
  - the loop head is not on a 64-byte boundary;
  - the loop keeps its counter (and the shift value, the floating-point value)
    in a register instead of reading it from memory and writing it back at
    every step, as optimised code would;
  - the loop's body is not the work it must be: no calls in the empty loops,
    five left and five right shift instructions, the five math calls, five
    copies, write-seek-commit;
  - the floating-point loop is not in the flavor's own code (KIND is one of
    sse2, avx, x87, x87-fcomi, x87-status-word).
With --same-code it compares the programs (the deliverables of one target)
instead, and fails when the workloads that hold no floating-point work are not
the same instructions in all of them: the whole function, or for mathWorkload,
whose doubles are moved in the flavor's own floating-point code, the calls and
integer instructions of its loop. Addresses,
jump and call targets (compared as the instruction or the symbol they lead
to), the padding in front of a loop and the offset to the global offset table
are left aside.
Prints one line per workload; exits 1 when anything failed.
"""

import argparse
import re
import subprocess
import sys

FUNCTION = re.compile(r"^([0-9a-f]+) <(.+)>:$")
INSTRUCTION = re.compile(r"^\s+([0-9a-f]+):\s+(\S+)\s*(.*)$")
# A stack slot: an offset from the frame or stack pointer.
SLOT = re.compile(r"(-?0x[0-9a-f]+)?\(%[re][bs]p\)")
LEFT_SHIFT = re.compile(r"^(shl|sal)[bwlq]?$")
RIGHT_SHIFT = re.compile(r"^(shr|sar)[bwlq]?$")
X87 = re.compile(r"^f")
MATH_CALLS = ["sqrt", "log", "pow", "exp", "modf"]


class Instruction:
    def __init__(self, address, mnemonic, operands):
        self.address = address
        self.mnemonic = mnemonic
        # objdump appends "# address <symbol>" to rip-relative operands.
        self.text, _, self.comment = (part.strip() for part in operands.partition("#"))
        self.operands = split_operands(self.text)

    def branch_target(self):
        if not self.mnemonic.startswith("j"):
            return None
        match = re.match(r"^([0-9a-f]+) <", self.text)
        return int(match.group(1), 16) if match else None

    def callee(self):
        return self.text if self.mnemonic.startswith("call") else None


def split_operands(text):
    """AT&T operands split at the commas outside parentheses."""
    operands, depth, current = [], 0, ""
    for char in text:
        if char == "," and depth == 0:
            operands.append(current.strip())
            current = ""
            continue
        depth += {"(": 1, ")": -1}.get(char, 0)
        current += char
    if current.strip():
        operands.append(current.strip())
    return operands


def slot_accesses(instruction):
    """(slot, reads, writes) for each stack slot the instruction touches."""
    m = instruction.mnemonic
    if m.startswith(("lea", "nop")):
        return []  # an address computed, no memory touched
    accesses = []
    last = len(instruction.operands) - 1
    for index, operand in enumerate(instruction.operands):
        slot = SLOT.search(operand)
        if slot is None:
            continue
        if index < last:
            reads, writes = True, False
        elif m.startswith(("mov", "vmov", "set", "fst", "fist", "fnst")):
            reads, writes = False, True
        elif m.startswith(("cmp", "test", "comi", "ucomi", "vcomi", "vucomi", "push", "call",
                           "jmp")) or X87.match(m):
            reads, writes = True, False
        else:
            reads, writes = True, True  # read-modify-write: sub, shl, inc, ...
        accesses.append((slot.group(0), reads, writes))
    return accesses


def read_functions(objdump, program):
    listing = subprocess.run([objdump, "-d", "-C", "-w", "--no-show-raw-insn", program],
                             check=True, capture_output=True, text=True).stdout
    functions, current = {}, None
    for line in listing.splitlines():
        header = FUNCTION.match(line)
        if header:
            current = []
            name = header.group(2)
            functions.setdefault(name.split("(")[0], (int(header.group(1), 16), current))
            continue
        instruction = INSTRUCTION.match(line)
        if instruction and current is not None:
            current.append(Instruction(int(instruction.group(1), 16), instruction.group(2),
                                       instruction.group(3)))
    return functions


def loops_of(start, instructions):
    """(head, jump) of every jump back to an address of the same function."""
    loops = []
    for instruction in instructions:
        target = instruction.branch_target()
        if target is not None and start <= target <= instruction.address:
            loops.append((target, instruction.address))
    return loops


def body(instructions, head, jump):
    return [i for i in instructions if head <= i.address <= jump]


def slots_read_and_written(loop):
    reads, writes = {}, {}
    for instruction in loop:
        for slot, read, write in slot_accesses(instruction):
            if read:
                reads[slot] = reads.get(slot, 0) + 1
            if write:
                writes[slot] = writes.get(slot, 0) + 1
    return {slot: writes[slot] for slot in writes if slot in reads}


def callees(loop):
    return [i.callee() for i in loop if i.callee() is not None]


def callee_named(callee, names):
    for name in names:
        if re.search(r"\b_?%s\b" % name, callee):
            return name
    return None


# --- What each workload's loop must hold ------------------------------------

def expect_calls(loop, names, problems):
    made = callees(loop)
    found = [callee_named(c, names) for c in made]
    if found != names:
        problems.append("calls %s instead of %s" % (found if names else made, names))


def check_shifts(loop, problems):
    for name, pattern in (("left", LEFT_SHIFT), ("right", RIGHT_SHIFT)):
        shifts = [i for i in loop if pattern.match(i.mnemonic)]
        if len(shifts) != 5:
            problems.append("%d %s shifts instead of 5" % (len(shifts), name))
    if max(slots_read_and_written(loop).values(), default=0) != 10:
        problems.append("the shift value is not stored back after each of the ten shifts")


def check_float_code(loop, kind, problems):
    mnemonics = [i.mnemonic for i in loop]

    def has(pattern):
        return any(re.match(pattern, m) for m in mnemonics)

    x87 = has(r"^fsub")
    if kind in ("sse2", "avx"):
        subtract, compare = ("subsd", "u?comisd") if kind == "sse2" else ("vsubsd", "vu?comisd")
        if not has("^%s$" % subtract) or not has("^%s$" % compare):
            problems.append("no %s subtraction and comparison in the loop" % subtract)
        if kind == "sse2" and has(r"^v"):
            problems.append("AVX instructions in an SSE2 flavor's loop")
        if kind == "avx" and has(r"^(subsd|u?comisd)$"):
            problems.append("SSE instructions without VEX in the AVX flavor's loop")
        if has(r"^f"):
            problems.append("x87 instructions in an SSE flavor's loop")
        return
    if not x87 or has(r"^v?(sub|add|u?comi)sd$"):
        problems.append("the subtraction is not done on the x87 unit")
    if kind == "x87-fcomi" and (not has(r"^fu?comip?$") or has(r"^fnstsw")):
        problems.append("the comparison does not use FCOMI/FUCOMI")
    if kind == "x87-status-word" and (not has(r"^fnstsw") or has(r"^fu?comip?$")):
        problems.append("the comparison does not go through the status word")


# The calls each workload's one loop makes, in order.
LOOP_CALLS = {
    "calibrationWorkload": [],
    "integerWorkload": [],
    "floatCountDown": [],
    "bitShiftWorkload": [],
    "mathWorkload": MATH_CALLS,
    "memcopyWorkload": ["memcpy"] * 5,
    "diskWriteWorkload": ["fwrite", "fseek", "platformCommitFlush"],
}


def check_workload(functions, name, fp_code):
    if name not in functions:
        return ["not found in the program"], None
    start, instructions = functions[name]
    loops = loops_of(start, instructions)
    if len(loops) != 1:
        return ["%d loops instead of one" % len(loops)], None
    head, jump = loops[0]
    loop = body(instructions, head, jump)
    problems = []
    if head % 64 != 0:
        problems.append("loop head %#x is not on a 64-byte boundary" % head)
    if not slots_read_and_written(loop):
        problems.append("nothing is read from memory and written back in the loop")
    expect_calls(loop, LOOP_CALLS[name], problems)
    if name == "bitShiftWorkload":
        check_shifts(loop, problems)
    if name == "floatCountDown":
        check_float_code(loop, fp_code, problems)
    return problems, head


def check_float_workload(functions, fp_code):
    """floatWorkload runs floatCountDown's loop and has none of its own; in
    the status-word flavor no workload compares with FCOMI at all."""
    problems = []
    if "floatWorkload" not in functions:
        return ["floatWorkload not found in the program"]
    start, instructions = functions["floatWorkload"]
    if loops_of(start, instructions):
        problems.append("floatWorkload has a loop of its own")
    if not any(callee_named(c, ["floatCountDown"]) for c in callees(instructions)):
        problems.append("floatWorkload does not call floatCountDown")
    if fp_code == "x87-status-word":
        for name in list(LOOP_CALLS) + ["floatWorkload"]:
            for instruction in functions.get(name, (0, []))[1]:
                if re.match(r"^fu?comip?$", instruction.mnemonic):
                    problems.append("%s compares with %s" % (name, instruction.mnemonic))
    return problems


# --- The same code in every deliverable of a target -------------------------

# The workloads without floating-point work, and what of each is compared.
SAME_CODE = [
    ("calibrationWorkload", "function"),
    ("integerWorkload", "function"),
    ("bitShiftWorkload", "function"),
    ("mathWorkload", "loop without floating point"),
    ("memcopyWorkload", "function"),
    ("diskWriteWorkload", "function"),
]
TARGET = re.compile(r"^([0-9a-f]+) <(.*?)(\+0x[0-9a-f]+)?>$")
SYMBOL = re.compile(r"<(.*?)(\+0x[0-9a-f]+)?>$")
SELF_LEA = re.compile(r"^(0x0)?\(%(\w+)(,%[er]iz,1)?\),%\2$")


def is_padding(instruction):
    """The assembler's fill in front of a loop head: nops of any length."""
    m = instruction.mnemonic
    return (m.startswith("nop") or m in ("data16", "cs")
            or (m.startswith("xchg") and instruction.text == "%ax,%ax")
            or (m.startswith("lea") and SELF_LEA.match(instruction.text) is not None))


def comparable(instructions, head):
    """The instructions without the padding in front of the loop head (and
    the jump over it that long padding starts with) and the fill after the
    function's end."""
    end = len(instructions)
    while end > 0 and is_padding(instructions[end - 1]):
        end -= 1
    instructions = instructions[:end]
    at = next(n for n, i in enumerate(instructions) if i.address == head)
    start = at
    while start > 0 and (is_padding(instructions[start - 1])
                         or (instructions[start - 1].mnemonic.startswith("jmp")
                             and instructions[start - 1].branch_target() == head)):
        start -= 1
    return instructions[:start] + instructions[at:]


def code_text(instructions):
    """Each instruction as text with its addresses replaced: a target in the
    same code by the number of the instruction, another by its symbol; a
    rip-relative operand by the symbol objdump names; the offset to the global
    offset table that follows the 32-bit position-independent code's call to
    get its own address by GOT."""
    numbers = {i.address: n for n, i in enumerate(instructions)}
    texts, previous = [], None
    for instruction in instructions:
        text = instruction.text
        target = TARGET.match(text)
        if target and instruction.mnemonic.startswith(("j", "call", "loop")):
            address = int(target.group(1), 16)
            text = "@%d" % numbers[address] if address in numbers else "<%s>" % target.group(2)
        elif "(%rip)" in text:
            symbol = SYMBOL.search(instruction.comment)
            text = re.sub(r"-?0x[0-9a-f]+\(%rip\)",
                          "<%s>(%%rip)" % (symbol.group(1) if symbol else "?"), text)
        elif previous is not None and "get_pc_thunk" in previous.text:
            text = re.sub(r"^\$0x[0-9a-f]+,", "$GOT,", text)
        texts.append("%s %s" % (instruction.mnemonic, text))
        previous = instruction
    return texts


def compared_code(functions, name, part):
    if name not in functions:
        return None, "not found"
    start, instructions = functions[name]
    loops = loops_of(start, instructions)
    if len(loops) != 1:
        return None, "%d loops instead of one" % len(loops)
    head, jump = loops[0]
    if part == "function":
        return code_text(comparable(instructions, head)), None
    return code_text([i for i in body(instructions, head, jump)
                      if not X87.match(i.mnemonic) and "%xmm" not in i.text
                      and "%ymm" not in i.text]), None


def check_same_code(objdump, programs):
    listings = [(program, read_functions(objdump, program)) for program in programs]
    failed = False
    for name, part in SAME_CODE:
        problems, first = [], None
        for program, functions in listings:
            code, problem = compared_code(functions, name, part)
            if problem:
                problems.append("%s: %s" % (program, problem))
            elif first is None:
                first = (program, code)
            elif code != first[1]:
                at = next((n for n, (a, b) in enumerate(zip(code, first[1])) if a != b),
                          min(len(code), len(first[1])))
                problems.append("%s differs from %s at instruction %d: %r instead of %r" % (
                    program, first[0], at, code[at] if at < len(code) else "(end)",
                    first[1][at] if at < len(first[1]) else "(end)"))
        what = "its loop's calls and integer code" if part != "function" else "the function"
        print("%-20s %s: %s" % (name, what, "; ".join(problems) if problems
                                else "the same %d instructions in %d programs" % (
                                    len(first[1]), len(programs))))
        failed = failed or bool(problems)
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="objdump")
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--fp-code", choices=["sse2", "avx", "x87", "x87-fcomi", "x87-status-word"])
    mode.add_argument("--same-code", action="store_true")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    if args.same_code:
        if len(args.programs) < 2:
            parser.error("--same-code compares two programs or more")
        return check_same_code(args.objdump, args.programs)
    if len(args.programs) != 1:
        parser.error("--fp-code checks one program")

    functions = read_functions(args.objdump, args.programs[0])
    failed = False
    for name in LOOP_CALLS:
        problems, head = check_workload(functions, name, args.fp_code)
        where = "loop at %#x" % head if head is not None else "no loop"
        print("%-20s %s: %s" % (name, where, "; ".join(problems) if problems else "OK"))
        failed = failed or bool(problems)
    problems = check_float_workload(functions, args.fp_code)
    print("%-20s %s" % ("floatWorkload", "; ".join(problems) if problems else "OK"))
    failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
