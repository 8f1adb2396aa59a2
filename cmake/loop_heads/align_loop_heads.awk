# The padding pass of the workloads' build (cmake/loop_heads/aligned_workloads.cmake):
#
#     awk -v output=PADDED.s -f align_loop_heads.awk COMPILED.s
#
# Writes the compiler's assembly back with ".p2align 6" before every label
# that a later jump goes back to: the head of a loop. The padding goes in front
# of the loop (after the jump that enters it, or run once on the way in), never
# between its instructions, so every loop is the same code as before, only
# starting on a 64-byte boundary.
#
# It writes nothing and exits 1, saying why on standard error, when a loop head
# could not be aligned that way: a jump whose target it can't name (through a
# register or memory, to an expression, back to a numeric label), a jump to a
# local label the file doesn't define, a loop head inside another loop, or one
# outside a code section. Comments (-fverbose-asm) and debug directives are
# read past.

function fail(line, message) {
    printf "align_loop_heads: %s:%d: %s\n", FILENAME, line, message > "/dev/stderr"
    failed = 1
    exit 1
}

# The first word of a statement, and the ones after it in words[2..].
function split_words(statement, words, count, i) {
    count = split(statement, words, /[ \t,]+/)
    if (count > 0 && words[1] == "") {
        for (i = 1; i < count; i++) {
            words[i] = words[i + 1]
        }
        delete words[count]
        count--
    }
    return count
}

function note_section(statement, words) {
    split_words(statement, words)
    if (words[1] == ".previous") {
        words[2] = section
        section = previous_section
        previous_section = words[2]
        return
    }
    previous_section = section
    section = (words[1] == ".section") ? words[2] : words[1]
}

# Records the jump of one statement, if it is one.
function note_jump(statement, line, fields, count, first, target, i) {
    count = split_words(statement, fields)
    first = 1
    while (fields[first] == "notrack" || fields[first] == "bnd") {
        first++
    }
    if (fields[first] !~ /^(j[a-z]+|loop[a-z]*)$/) {
        return
    }
    target = ""
    for (i = first + 1; i <= count; i++) {
        target = target fields[i]
    }
    if (target ~ /^\*/ || target == "") {
        fail(line, "a jump through " target " goes where this pass can't see, so a loop it closes could not be aligned")
    }
    if (target ~ /^[0-9]+b$/) {
        fail(line, "a jump back to the numeric label " target ": its loop head could not be aligned")
    }
    if (target ~ /^[0-9]+f$/) {
        return
    }
    if (target !~ /^[.A-Za-z_$][-.A-Za-z0-9_$@]*$/) {
        fail(line, "a jump to " target ", which is not a label, so a loop it closes could not be aligned")
    }
    if (target in label_line) {
        if (!(target in last_jump)) {
            heads[++head_count] = target
        }
        last_jump[target] = line
    } else if (target ~ /^\.L/ && !(target in forward_line)) {
        forward_line[target] = line
    }
}

BEGIN {
    if (output == "") {
        fail(0, "no output file given (-v output=FILE)")
    }
}

{
    text[NR] = $0
    # Lines with strings are directives: none is a label or a jump, but the
    # section's may hold a string. Elsewhere "#" starts a comment and ";"
    # separates statements.
    if (index($0, "\"") != 0) {
        if ($1 == ".section") {
            note_section($0)
        }
        next
    }
    code = $0
    sub(/#.*/, "", code)
    statements = split(code, statement, /;/)
    for (s = 1; s <= statements; s++) {
        rest = statement[s]
        if (s == 1 && match(rest, /^[.A-Za-z_$][-.A-Za-z0-9_$@]*:/)) {
            name = substr(rest, 1, RLENGTH - 1)
            label_line[name] = NR
            label_section[name] = section
            rest = substr(rest, RLENGTH + 1)
        }
        word = rest
        sub(/^[ \t]+/, "", word)
        sub(/[ \t,].*/, "", word)
        if (word ~ /^\.(text|data|bss|section|previous)$/) {
            note_section(rest)
        } else {
            note_jump(rest, NR)
        }
    }
}

END {
    if (failed) {
        exit 1
    }
    for (target in forward_line) {
        if (!(target in label_line)) {
            fail(forward_line[target], "a jump to " target ", which this file does not define")
        }
    }
    for (h = 1; h <= head_count; h++) {
        name = heads[h]
        if (label_section[name] !~ /^\.text/) {
            fail(label_line[name], "the loop head " name " is not in a code section (" label_section[name] ")")
        }
        for (o = 1; o <= head_count; o++) {
            outer = heads[o]
            if (label_line[outer] < label_line[name] && label_line[name] <= last_jump[outer]) {
                fail(label_line[name], "the loop head " name " lies inside the loop at " outer ": padding it would put bytes into that loop")
            }
        }
        padded[label_line[name]] = 1
    }
    for (i = 1; i <= NR; i++) {
        if (i in padded) {
            print "\t.p2align 6" > output
        }
        print text[i] > output
    }
    close(output)
}
