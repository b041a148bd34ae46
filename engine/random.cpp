// engine/random.cpp: the game's one random generator, a fixed linear congruential recurrence.
#include "engine/random.h"

namespace {

uint32_t s_seed = 1;
uint32_t s_draws = 0;

}  // namespace

int32_t Rand()
{
    ++s_draws;
    s_seed = s_seed * 1103515245u + 12345u;
    return static_cast<int32_t>((s_seed >> 16) & 0x7FFF);
}

void SRand(uint32_t seed) { s_seed = seed; }

uint32_t RandState() { return s_seed; }

uint32_t RandDrawCount() { return s_draws; }
