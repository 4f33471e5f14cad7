#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property ends the run as a crash, naming the property, so libFuzzer keeps the input.
#define BRASSBELL_FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "property broken at %s:%d: %s\n", __FILE__, __LINE__, #condition);          \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
