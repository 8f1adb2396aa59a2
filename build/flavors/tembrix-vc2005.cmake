# Flavor tembrix-vc2005
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_WIN")
# Floating-point code: x87, compares through the status word (fucom, fnstsw; pentium has no fcomi).
# Check it again: objdump -d out/<preset>/tembrix-vc2005 | grep -cE '\bfnstsw' (non-zero) and no 'fcomi'/'fucomi'.
set(FLAVOR_FP_OPTIONS -march=pentium -mfpmath=387)
set(FLAVOR_X87 ON)
