// Checksum of a machine-readable record's text.
#pragma once

#include "core/machine_types.h"

// h = h * 31 + c over the bytes as signed chars, wrapping at 32 bits; 0 for "".
Checksum recordChecksum(const char* text);
