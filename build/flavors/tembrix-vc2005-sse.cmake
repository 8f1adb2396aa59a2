# Flavor tembrix-vc2005-sse
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_SSE")
# Floating-point code: x87, compares with FCOMI/FUCOMI (pentium3 has them; scalar double stays on x87).
set(FLAVOR_FP_OPTIONS -march=pentium3 -mfpmath=387)
set(FLAVOR_X87 ON)
# What the loop check (tests/disassembly) expects of the floating-point loop.
set(FLAVOR_FP_CODE x87-fcomi)
