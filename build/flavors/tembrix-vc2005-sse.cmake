# Flavor tembrix-vc2005-sse
# FLAVOR_FP_OPTIONS choose the floating-point code only: cmake/flavor.cmake
# tunes all code alike (-mtune=generic), so that every workload but the
# floating-point one is the same code in every flavor of the target; the
# floating-point workload keeps the tuning of its -march.
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_SSE")
# Floating-point code: x87, compares with FCOMI/FUCOMI (pentium3 has them; scalar double stays on x87).
set(FLAVOR_FP_OPTIONS -march=pentium3 -mfpmath=387)
set(FLAVOR_X87 ON)
# What the loop check (tests/disassembly) expects of the floating-point loop
# (the other workloads must match the target's other deliverables).
set(FLAVOR_FP_CODE x87-fcomi)
