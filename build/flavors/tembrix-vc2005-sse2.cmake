# Flavor tembrix-vc2005-sse2
# FLAVOR_FP_OPTIONS choose the floating-point code only: cmake/flavor.cmake
# tunes all code alike (-mtune=generic), so that every workload but the
# floating-point one is the same code in every flavor of the target; the
# floating-point workload keeps the tuning of its -march.
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1400")
set(FLAVOR_LABEL "VC2005_SSE2")
# Floating-point code: SSE2, scalar double, made with the same options as
# tembrix-vc2013-sse2. Its x87 conversions of 64-bit integers to and from
# double have nothing to act on here: no 64-bit integer meets a double in
# the x86 builds. So its code is that of tembrix-vc2013-sse2; the flavor
# differs only in its labels.
set(FLAVOR_FP_OPTIONS -march=pentium4 -msse2 -mfpmath=sse)
set(FLAVOR_X87 OFF)
# What the loop check (tests/disassembly) expects of the floating-point loop
# (the other workloads must match the target's other deliverables).
set(FLAVOR_FP_CODE sse2)
