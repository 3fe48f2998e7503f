#pragma once
// A property that must hold for every input. A failure prints the property and where
// it stands, then aborts, so libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__,    \
                         #condition);                                                           \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)
