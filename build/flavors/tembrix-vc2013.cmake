# Flavor tembrix-vc2013
# FLAVOR_FP_OPTIONS choose the floating-point code only: cmake/flavor.cmake
# tunes all code alike (-mtune=generic), so that every workload but the
# floating-point one is the same code in every flavor of the target; the
# floating-point workload keeps the tuning of its -march.
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT")
# Floating-point code: x87 (i686 compares with fcomi/fucomi as well).
set(FLAVOR_FP_OPTIONS -march=i686 -mno-sse -mfpmath=387)
set(FLAVOR_X87 ON)
# What the loop check (tests/disassembly) expects of the floating-point loop
# (the other workloads must match the target's other deliverables).
set(FLAVOR_FP_CODE x87)
