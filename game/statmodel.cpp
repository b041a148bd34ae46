// game/statmodel.cpp: a player's 22 stats, his value and his base wage demand, computed from the
// few stored fields (ability curve A, training T, position, age, personality seed).
#include "game/statmodel.h"

#include <algorithm>
#include <array>

#include "engine/fatal.h"
#include "game/textformat.h"

namespace {

constexpr int32_t PHYSICAL_AGEING_LAST = 12;  // stats 13 and 14 age like the technical ones
constexpr auto LENGTH_FACTOR = std::to_array<int64_t>({100, 115, 140, 180, 225, 300});

int32_t PhysicalAgePercent(int32_t age)
{
    if (age <= 17) return 85;
    if (age < 24) return 85 + (age - 17) * 15 / 7;
    if (age <= 29) return 100;
    return std::max(0, 100 - 4 * (age - 29));
}

int32_t TechnicalAgePercent(int32_t age)
{
    if (age <= 17) return 80;
    if (age < 30) return 80 + (age - 17) * 20 / 13;
    return 100;
}

bool AgesPhysically(int32_t stat)
{
    return stat >= STAT_PHYSICAL_FIRST && stat <= PHYSICAL_AGEING_LAST;
}

int32_t Jitter(uint16_t seed, int32_t stat)
{
    return ((seed >> (stat % 16)) * 37 + stat * 11) % 11 - 5;
}

int32_t AgeFactor(int32_t age)
{
    if (age <= 21) return 110;
    if (age <= 28) return 100;
    return std::max(10, 100 - 12 * (age - 28));
}

}  // namespace

int32_t Stat_Scale(int32_t value, int32_t percent) { return value * percent / 100; }

int32_t Stat_ExperienceOfAge(int32_t age) { return std::clamp((age - 16) * 12, 0, 255); }

int32_t Stat_AgePercent(int32_t stat, int32_t age)
{
    return AgesPhysically(stat) ? PhysicalAgePercent(age) : TechnicalAgePercent(age);
}

namespace {

void CheckPosition(int32_t position)
{
    if (position < 0 || position >= POSITION_COUNT)
        FatalError("Stat_Compute(): bad position %d", position);
}

// A checked stat of a player whose age counts `agePercent` for it.
int32_t StatValue(const WorldStatWeights& weights, int32_t position, int32_t ability,
                  int32_t training, int32_t agePercent, uint16_t seed, int32_t stat)
{
    if (stat >= STAT_PERSONALITY_FIRST) {
        const int32_t bits = (seed >> (3 * (stat - STAT_PERSONALITY_FIRST))) & 7;
        return 30 + 10 * bits;
    }
    const int32_t base = ability * weights.ability[position][stat] / 100
                         + training * weights.training[position][stat] / 200;
    const int32_t value = Stat_Scale(base, agePercent) + Jitter(seed, stat);
    return std::clamp(value, STAT_MIN, STAT_MAX);
}

}  // namespace

int32_t Stat_Compute(const WorldStatWeights& weights, int32_t position, int32_t ability,
                     int32_t training, int32_t age, uint16_t seed, int32_t stat)
{
    CheckPosition(position);
    if (stat < 0 || stat >= STAT_COUNT) FatalError("Stat_Compute(): bad stat %d", stat);
    return StatValue(weights, position, ability, training, Stat_AgePercent(stat, age), seed, stat);
}

void Stat_ComputeAll(const WorldStatWeights& weights, int32_t position, int32_t ability,
                     int32_t training, int32_t age, uint16_t seed, int32_t out[STAT_COUNT])
{
    CheckPosition(position);
    const int32_t physical = PhysicalAgePercent(age);
    const int32_t technical = TechnicalAgePercent(age);
    for (int32_t stat = 0; stat < STAT_COUNT; ++stat) {
        out[stat] = StatValue(weights, position, ability, training,
                              AgesPhysically(stat) ? physical : technical, seed, stat);
    }
}

int32_t Stat_PlayerValue(int32_t ability, int32_t age, int32_t reputation, int32_t contractMonths)
{
    const int64_t a = ability;
    int64_t value = a * a * a * 3 * AgeFactor(age) / 100 * (100 + 2 * reputation) / 100;
    if (contractMonths < 6) value = value * 60 / 100;
    return VTW_RoundMoneyNice(static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX)));
}

int32_t Stat_ValueWithPotential(int32_t value, int32_t ability, int32_t potential, int32_t age)
{
    if (age > 23) return value;
    const int64_t raised = int64_t(value) * (100 + 3 * std::max(0, potential - ability)) / 100;
    return static_cast<int32_t>(std::min<int64_t>(raised, INT32_MAX));
}

int32_t Stat_BaseDemand(int32_t ability, int32_t training, int32_t reputation, int32_t age,
                        int32_t years, const uint16_t* scale, int32_t division)
{
    int64_t demand;
    if (scale != nullptr) {
        demand = int64_t(scale[std::clamp(division, 0, DIVISION_MAX - 1)])
                 * (ability + training / 2) / 100;
    } else {
        const int64_t a = int64_t(ability) * ability / 250;
        demand = (a * a / 250) * 9 + 40 * int64_t(reputation);
    }
    if (age > 29) demand = demand * 100 / ((age - 29) * (age - 29) + 110);
    demand = demand * LENGTH_FACTOR[std::clamp(years, 0, 5)] / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(demand, 50, INT32_MAX));
}

int32_t Staff_WageForRating(int32_t rating) { return VTW_RoundTo25(rating * 8); }
