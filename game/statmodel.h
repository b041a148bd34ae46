// game/statmodel.h: a player's 22 stats, his value and his base wage demand, computed from the
// few stored fields (ability curve A, training T, position, age, personality seed).
#pragma once

#include <cstdint>

#include "game/world.h"

constexpr int32_t STAT_COUNT = 22;  // 0-7 abilities, 8-14 physical, 15-21 personality
constexpr int32_t STAT_PHYSICAL_FIRST = 8;
constexpr int32_t STAT_PERSONALITY_FIRST = 15;
constexpr int32_t STAT_SET_PIECES = 7;  // "Ballon mort"
constexpr int32_t STAT_CHARISMA = 20;
constexpr int32_t STAT_MIN = 10;
constexpr int32_t STAT_MAX = 99;

int32_t Stat_Scale(int32_t value, int32_t percent);  // value x percent / 100

// How much of a weighted stat a player of this age shows, percent: physical stats 8-12 rise
// from 85 at 17 to 100 at 24-29 and lose 4 a year after; the others rise from 80 at 17 to 100
// at 30 and stay there.
int32_t Stat_AgePercent(int32_t stat, int32_t age);
// Experience 0-255 of a player of this age who comes into the game: 12 a year past 16.
int32_t Stat_ExperienceOfAge(int32_t age);

// Stat 0-21 of a player; 0-14 are within 10-99, 15-21 within 30-100. A position outside 0-13 or
// a stat outside 0-21 is fatal.
int32_t Stat_Compute(const WorldStatWeights& weights, int32_t position, int32_t ability,
                     int32_t training, int32_t age, uint16_t seed, int32_t stat);
// All 22 stats at once, the same values.
void Stat_ComputeAll(const WorldStatWeights& weights, int32_t position, int32_t ability,
                     int32_t training, int32_t age, uint16_t seed, int32_t out[STAT_COUNT]);

// A^3 x 3, by age, reputation and contract (x 60 / 100 under 6 months), rounded nicely.
int32_t Stat_PlayerValue(int32_t ability, int32_t age, int32_t reputation, int32_t contractMonths);
// The value raised by the room left to grow (potential above A) up to 23.
int32_t Stat_ValueWithPotential(int32_t value, int32_t ability, int32_t potential, int32_t age);

// The weekly wage a player asks for a contract of `years` (0-5, more counts as 5): nationals of
// the offering club's country by the wage-scale row `scale` of its division (null for anyone
// else), the others by ability and reputation; lowered past 29; at least 50.
int32_t Stat_BaseDemand(int32_t ability, int32_t training, int32_t reputation, int32_t age,
                        int32_t years, const uint16_t* scale, int32_t division);

// Staff wage for a rating 1-99: r x 8 rounded to a multiple of 25.
int32_t Staff_WageForRating(int32_t rating);
