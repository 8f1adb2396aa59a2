# Flavor tembrix-vc2013-sse2
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT_SSE2")
# Floating-point code: SSE2, scalar double.
# Check it again: objdump -d out/<preset>/tembrix-vc2013-sse2 | grep -cE '\b(subsd|comisd|ucomisd)' (non-zero) and the float loop has no fsub.
set(FLAVOR_FP_OPTIONS -march=pentium4 -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
