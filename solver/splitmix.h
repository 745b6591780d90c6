// splitmix.h: splitmix64, the small generator behind the filters' slot keys and the task
// split's random paths; the same seed gives the same numbers on every platform.
#pragma once

#include <cstdint>

inline uint64_t splitmix64(uint64_t& state)
{
    state += 0x9E3779B97F4A7C15u;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}
