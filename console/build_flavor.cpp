// This deliverable's labels and expected pointer width.
#include "console/build_flavor.h"

// The values come from the flavor definition, through the build.
const char* const buildBits = TEMBRIX_BUILD_BITS;
const char* const buildCompiler = TEMBRIX_BUILD_COMPILER;
const char* const buildFlavor = TEMBRIX_BUILD_FLAVOR;
const SizeBits expectedPointerWidth = TEMBRIX_EXPECTED_WIDTH;
