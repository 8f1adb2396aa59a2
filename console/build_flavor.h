// The labels and the expected pointer width of this deliverable, fixed when
// it is built (see build/flavors/).
#pragma once

#include "core/machine_types.h"

extern const char* const buildBits;      // "64" or "32"
extern const char* const buildCompiler;  // "MSVC 1800" or "MSVC 1400"
extern const char* const buildFlavor;    // the flavor label
extern const SizeBits expectedPointerWidth;
