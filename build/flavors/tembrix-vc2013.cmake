# Flavor tembrix-vc2013
set(FLAVOR_TARGET x86)
set(FLAVOR_BITS "32")
set(FLAVOR_EXPECTED_WIDTH 32)
set(FLAVOR_COMPILER "MSVC 1800")
set(FLAVOR_LABEL "VC2013_NT")
# Floating-point code: x87 (i686: compares with fcomi/fucomi as well).
# Check it again: objdump -d out/<preset>/tembrix-vc2013 | grep -cE '\bfsub' (non-zero) and no 'subsd'.
set(FLAVOR_FP_OPTIONS -march=i686 -mno-sse -mfpmath=387)
set(FLAVOR_X87 ON)
