// The pointer-width self check: size_t's width counted and compared.
#include "console/self_check.h"

#include <cstddef>
#include <iostream>

SizeBits countSizeTBits() {
    // Counted rather than taken from sizeof, so that it reports the code that runs.
    std::size_t previous = 0;
    std::size_t value = 1;
    SizeBits bits = 0;
    while (previous < value) {
        previous = value;
        ++bits;
        value <<= 1;
    }
    return bits;
}

bool runSelfCheck(SizeBits bitsFound, SizeBits bitsExpected) {
    std::cout << "SYS-CHECK: size_t is " << bitsFound << " bits, should be " << bitsExpected
              << " - ";
    if (bitsFound != bitsExpected) {
        std::cout << "Aborting.";
        return false;
    }
    std::cout << "OK.\n";
    return true;
}
