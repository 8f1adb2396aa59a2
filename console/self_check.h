// The pointer-width self check.
#pragma once

#include "core/machine_types.h"

// Bits of the size type, counted at run time.
SizeBits countSizeTBits();

// Writes the SYS-CHECK line to the console; false when the width found is not
// the expected one (the line then ends in "Aborting." without a line end).
bool runSelfCheck(SizeBits bitsFound, SizeBits bitsExpected);
