# Flavor tembrix-vc2005-sse2
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_SSE2")
# Floating-point code: SSE2, scalar double; g++ converts 64-bit integers to and from double on the x87 unit (fild/fistp) in 32-bit code.
# Check it again: objdump -d out/<preset>/tembrix-vc2005-sse2 | grep -cE '\bsubsd' and '\bfild' (both non-zero).
set(FLAVOR_FP_OPTIONS -march=pentium4 -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
