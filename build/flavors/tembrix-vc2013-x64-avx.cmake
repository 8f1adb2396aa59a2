# Flavor tembrix-vc2013-x64-avx
set(FLAVOR_TARGET x86-64)
set(FLAVOR_BITS "64")
set(FLAVOR_EXPECTED_WIDTH 64)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_AVX")
# Floating-point code: AVX, scalar double (VEX-encoded vaddsd, vsubsd, vcomisd, ...).
# Check it again: objdump -d out/<preset>/tembrix-vc2013-x64-avx | grep -cE '\bv(add|sub|mul|div|comi|ucomi)sd' (non-zero) and no plain 'subsd' without v.
set(FLAVOR_FP_OPTIONS -mavx)
set(FLAVOR_X87 OFF)
