# Flavor tembrix-vc2013-x64
set(FLAVOR_TARGET x86-64)
set(FLAVOR_BITS "64")
set(FLAVOR_EXPECTED_WIDTH 64)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT")
# Floating-point code: SSE2, scalar double.
set(FLAVOR_FP_OPTIONS -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
# What the loop check (tests/disassembly) expects of the floating-point loop.
set(FLAVOR_FP_CODE sse2)
