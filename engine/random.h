// engine/random.h: the game's one random generator, so that a seed reproduces a career or a match.
#pragma once

#include <cstdint>

constexpr int32_t RAND_LIMIT = 32768;  // Rand() gives 0 .. RAND_LIMIT - 1

int32_t Rand();
void SRand(uint32_t seed);
uint32_t RandState();  // the generator's state word, for saved games and tests
// Draws made by Rand since program start (wraps); replays and golden runs compare it.
uint32_t RandDrawCount();
