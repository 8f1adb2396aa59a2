# Flavor tembrix-vc2013-sse2
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT_SSE2")
# Floating-point code: SSE2, scalar double.
set(FLAVOR_FP_OPTIONS -march=pentium4 -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
# What the loop check (tests/disassembly) expects of the floating-point loop.
set(FLAVOR_FP_CODE sse2)
