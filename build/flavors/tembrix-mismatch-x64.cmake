# Test-only flavor: the x86 labels and expected width 32 built for an x86-64
# target, so that the pointer-width self check fails for real. Never a deliverable.
set(FLAVOR_TARGET x86-64)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT_SSE2")
set(FLAVOR_FP_OPTIONS -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
