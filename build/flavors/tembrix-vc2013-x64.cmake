# Flavor tembrix-vc2013-x64
# FLAVOR_FP_OPTIONS choose the floating-point code only: cmake/flavor.cmake
# tunes all code alike (-mtune=generic), so that every workload but the
# floating-point one is the same code in every flavor of the target; the
# floating-point workload keeps the tuning of its -march (the x86-64
# flavors set none, so theirs is generic too).
set(FLAVOR_TARGET x86-64)
set(FLAVOR_BITS "64")
set(FLAVOR_EXPECTED_WIDTH 64)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT")
# Floating-point code: SSE2, scalar double.
set(FLAVOR_FP_OPTIONS -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
# What the loop check (tests/disassembly) expects of the floating-point loop
# (the other workloads must match the target's other deliverables).
set(FLAVOR_FP_CODE sse2)
