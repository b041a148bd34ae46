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

inline int32_t Rand()
{
    ++RandomGenerator.draws;
    RandomGenerator.seed = RandomGenerator.seed * 1103515245u + 12345u;
    return static_cast<int32_t>((RandomGenerator.seed >> 16) & 0x7FFF);
}

void SRand(uint32_t seed);
uint32_t RandState();  // the generator's state word, for saved games and tests
// Draws made by Rand since program start (wraps); replays and golden runs compare it.
uint32_t RandDrawCount();
