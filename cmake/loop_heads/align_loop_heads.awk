# Reads the assembly of the workloads and writes it back with ".p2align 6"
# before every label that a later jump goes back to: the head of a loop. The
# padding goes in front of the loop (after the jump that enters it, or run once
# on the way in), never between its instructions, so every loop is the same
# code as before, only starting on a 64-byte boundary.
function label_of(line) {
    return match(line, /^[.A-Za-z_$][-.A-Za-z0-9_$@]*:/) ? substr(line, 1, RLENGTH - 1) : ""
}
{
    text[NR] = $0
    name = label_of($0)
    if (name != "") {
        defined[name] = 1
    } else if (NF == 2 && $1 ~ /^j[a-z]+$/ && ($2 in defined)) {
        head[$2] = 1
    }
}
END {
    for (i = 1; i <= NR; i++) {
        name = label_of(text[i])
        if (name != "" && (name in head)) {
            print "\t.p2align 6"
        }
        print text[i]
    }
}
