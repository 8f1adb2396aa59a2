# Flavor tembrix-vc2005
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_WIN")
# Floating-point code: x87, compares through the status word (fnstsw; pentium has no fcomi).
set(FLAVOR_FP_OPTIONS -march=pentium -mfpmath=387)
set(FLAVOR_X87 ON)
# What the loop check (tests/disassembly) expects of the floating-point loop.
set(FLAVOR_FP_CODE x87-status-word)
