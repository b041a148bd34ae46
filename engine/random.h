// engine/random.h: the game's one random generator, so that a seed reproduces a career or a match.
#pragma once

#include <cstdint>

constexpr int32_t RAND_LIMIT = 32768;  // Rand() gives 0 .. RAND_LIMIT - 1

// The generator's state, owned by Random: changed only through the calls below. Rand is inline
// because a match day draws it about a thousand times a fixture.
struct RandomState {
    uint32_t seed;
    uint32_t draws;  // since program start (wraps)
};
extern RandomState RandomGenerator;

// One step of the recurrence: the state word advanced, and the value 0 .. RAND_LIMIT - 1 it gives.
inline int32_t RandStep(uint32_t* seed)
{
    *seed = *seed * 1103515245u + 12345u;
    return static_cast<int32_t>((*seed >> 16) & 0x7FFF);
}

inline int32_t Rand()
{
    ++RandomGenerator.draws;
    return RandStep(&RandomGenerator.seed);
}

// A generator of its own with the same recurrence: what draws from it never changes what Rand()
// gives, so a presentation can choose at random without changing the match it shows.
struct RandStream {
    uint32_t seed;
    int32_t Next() { return RandStep(&seed); }
};

void SRand(uint32_t seed);
uint32_t RandState();  // the generator's state word, for saved games and tests
// Draws made by Rand since program start (wraps); replays and golden runs compare it.
uint32_t RandDrawCount();
