# Flavor tembrix-vc2005-sse
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_SSE")
# Floating-point code: x87, compares with FCOMI/FUCOMI (pentium3 has them; scalar double stays on x87).
# Check it again: objdump -d out/<preset>/tembrix-vc2005-sse | grep -cE '\bf(u)?comip?' (non-zero: fcomi/fucomi) and no 'subsd'.
set(FLAVOR_FP_OPTIONS -march=pentium3 -mfpmath=387)
set(FLAVOR_X87 ON)
