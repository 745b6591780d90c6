// test_seed.h: the seed of a randomised test. Fixed by default, so that every run checks
// the same cases; KUBO_TEST_SEED=N in the environment runs others, and a failing run is
// repeated with the seed it printed.
#pragma once

#include <cstdio>
#include <cstdlib>

inline unsigned testSeed(const char* test)
{
    const char* text = std::getenv("KUBO_TEST_SEED");
    const unsigned seed = text && *text ? unsigned(std::strtoul(text, nullptr, 0)) : 20240611u;
    std::printf("%s: seed %u (repeat with KUBO_TEST_SEED=%u)\n", test, seed, seed);
    return seed;
}
