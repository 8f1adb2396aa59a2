// Switches the sanitizer build's leak check off for the life of the object: a
// runner whose wait failed keeps the records of workers that may still run.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

struct LeaksAllowed {
#if defined(__SANITIZE_ADDRESS__)
    LeaksAllowed() { __lsan_disable(); }
    ~LeaksAllowed() { __lsan_enable(); }
#else
    LeaksAllowed() {}  // user-provided: a guard, not an unused variable
    ~LeaksAllowed() {}
#endif
};
