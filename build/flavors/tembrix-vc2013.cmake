# Flavor tembrix-vc2013
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT")
# Floating-point code: x87 (i686 compares with fcomi/fucomi as well).
set(FLAVOR_FP_OPTIONS -march=i686 -mno-sse -mfpmath=387)
set(FLAVOR_X87 ON)
# What the loop check (tests/disassembly) expects of the floating-point loop.
set(FLAVOR_FP_CODE x87)
