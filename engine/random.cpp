// engine/random.cpp: the game's one random generator, a fixed linear congruential recurrence.
#include "engine/random.h"

RandomState RandomGenerator = {1, 0};

void SRand(uint32_t seed) { RandomGenerator.seed = seed; }

uint32_t RandState() { return RandomGenerator.seed; }

uint32_t RandDrawCount() { return RandomGenerator.draws; }
