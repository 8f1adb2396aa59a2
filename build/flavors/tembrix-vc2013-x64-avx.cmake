# Flavor tembrix-vc2013-x64-avx
set(FLAVOR_TARGET x86-64)
set(FLAVOR_BITS "64")
set(FLAVOR_EXPECTED_WIDTH 64)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_AVX")
# Floating-point code: AVX, scalar double (VEX-encoded vsubsd, vcomisd).
set(FLAVOR_FP_OPTIONS -mavx)
set(FLAVOR_X87 OFF)
# What the loop check (tests/disassembly) expects of the floating-point loop.
set(FLAVOR_FP_CODE avx)
