// tests/game/world_test.cpp: the generated world and every rule the new game relies on.
#include "game/world.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "game/gamestate.h"
#include "game/kitcolours.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

TEST(WorldData, LoadsWithTheTableOfCountries)
{
    ScopedWorld world;
    const int sizes[COUNTRY_COUNT][DIVISION_MAX] = {
        {20, 24, 24, 24, 22, 0},  {10, 10, 10, 10, 0, 0}, {18, 18, 18, 18, 0, 0},
        {18, 18, 18, 18, 18, 18}, {20, 22, 0, 0, 0, 0},   {18, 18, 0, 0, 0, 0},
        {18, 20, 20, 18, 18, 0},  {18, 18, 0, 0, 0, 0},   {18, 18, 0, 0, 0, 0}};
    const int clubs[COUNTRY_COUNT] = {114, 40, 72, 108, 42, 36, 94, 36, 36};
    ASSERT_TRUE(World.loaded);
    int leagueClubs = 0;
    for (int c = 0; c < COUNTRY_COUNT; ++c) {
        for (int d = 0; d < DIVISION_MAX; ++d) {
            EXPECT_EQ(World.countries[c].divisionSize[d], sizes[c][d]) << c << " " << d;
        }
        EXPECT_EQ(World_LeagueClubCount(c), clubs[c]);
        leagueClubs += clubs[c];
        EXPECT_EQ(CountryRules(c, 0), 3);
    }
    EXPECT_EQ(leagueClubs, 578);
    EXPECT_EQ(PromotionCounts(0, 1, 2), 4);
    EXPECT_EQ(PromotionCounts(0, 2, 1), 4);
    EXPECT_EQ(PromotionCounts(1, 0, 1), 1);
    EXPECT_EQ(World.countries[2].closingWeekday, 1);
    EXPECT_EQ(World.countries[3].worldWageScale[5], 190);
    for (int k = 0; k < NATIONALITY_COUNT; ++k) {
        EXPECT_EQ(World.nationalities[k].nameText, 2310 + k);
    }
}

// Division sizes never change: the clubs going down from d are as many as those coming up from
// d + 1, plus the play-off winner when d + 1 has play-offs.
TEST(WorldData, PromotionAndRelegationBalanceInEveryCountry)
{
    ScopedWorld world;
    for (int c = 0; c < COUNTRY_COUNT; ++c) {
        const int divisions = World.countries[c].divisionCount;
        for (int d = 0; d + 1 < divisions; ++d) {
            const int extra = PromotionCounts(c, d + 1, 2) > 0 ? 1 : 0;
            EXPECT_EQ(PromotionCounts(c, d, 1), PromotionCounts(c, d + 1, 0) + extra) << c << d;
        }
    }
}

TEST(WorldData, ClubsHaveUniqueShortNamesAndKitsInRange)
{
    ScopedWorld world;
    std::set<std::string> names;
    for (const WorldClub& club : World.clubs) {
        const size_t length = strnlen(club.name, WORLD_CLUB_NAME_BYTES);
        EXPECT_GT(length, 0u);
        EXPECT_LE(length, 39u);
        EXPECT_TRUE(names.insert(std::string(club.name, length)).second) << club.name;
        for (const KitDesign& kit : club.kits) {
            for (const auto& group : kit.colours) {
                for (int16_t colour : group) {
                    EXPECT_TRUE(colour >= 0 && colour < KIT_COLOUR_COUNT);
                }
            }
        }
        EXPECT_GT(KitColour_Distance(club.kits[0].colours[0][0], club.kits[1].colours[0][0]),
                  KIT_CLASH_DISTANCE);
    }
    EXPECT_EQ(names.size(), 1046u);
}

TEST(WorldData, MeanAbilityFallsFromDivisionToDivision)
{
    ScopedWorld world;
    long sum[COUNTRY_COUNT][DIVISION_MAX] = {};
    long count[COUNTRY_COUNT][DIVISION_MAX] = {};
    for (int32_t i = 0; i < World.personCount; ++i) {
        const WorldPerson& p = World.persons[i];
        if (p.club == WORLD_NO_CLUB || p.position == POSITION_MANAGER) continue;
        const WorldClub& club = World.clubs[p.club];
        if (club.country >= COUNTRY_COUNT) continue;
        sum[club.country][club.division] += p.ability;
        ++count[club.country][club.division];
    }
    for (int c = 0; c < COUNTRY_COUNT; ++c) {
        for (int d = 0; d + 1 < World.countries[c].divisionCount; ++d) {
            EXPECT_GT(sum[c][d] * count[c][d + 1], sum[c][d + 1] * count[c][d]) << c << " " << d;
        }
    }
}

TEST(WorldData, ClubMapsHoldTheLeagueThenTheBestForeignClubs)
{
    ScopedWorld world;
    for (int c = 0; c < COUNTRY_COUNT; ++c) {
        const int league = World_LeagueClubCount(c);
        std::set<uint16_t> seen(World.clubMaps[c], World.clubMaps[c] + CLUB_ID_COUNT);
        EXPECT_EQ(seen.size(), size_t(CLUB_ID_COUNT));
        int lastDivision = 0;
        for (int id = 0; id < CLUB_ID_COUNT; ++id) {
            const WorldClub& club = World.clubs[World.clubMaps[c][id]];
            EXPECT_EQ(club.country == c, id < league) << c << " " << id;
            if (id < league) {
                EXPECT_GE(club.division, lastDivision);
                lastDivision = club.division;
            }
        }
        int perCountry[WORLD_COUNTRY_COUNT] = {};
        for (int id = league; id < CLUB_ID_COUNT; ++id) {
            ++perCountry[World.clubs[World.clubMaps[c][id]].country];
        }
        for (int k = 0; k < WORLD_COUNTRY_COUNT; ++k) {
            if (k == c) continue;
            EXPECT_GE(perCountry[k], 3) << c << " " << k;
        }
    }
}

TEST(WorldData, RefusesImagesCutShortOrOfAnotherKind)
{
    ScopedWorld world;
    const std::vector<uint8_t>& image = GeneratedWorldImage();
    EXPECT_FALSE(World_LoadImage(image.data(), image.size() / 2));
    std::vector<uint8_t> damaged = image;
    damaged[8] ^= 0xFF;
    EXPECT_FALSE(World_LoadImage(damaged.data(), damaged.size()));
    EXPECT_TRUE(World.loaded);  // the previous world stays
    EXPECT_FALSE(Names_LoadImage(image.data(), 100));
}

// A young player's potential lies around his club's level, give or take 8, as every season's
// youths' does; an older player's is his ability. Its old rule, his own ability and up to 24 more,
// let the whole first generation grow 12 points in its first seasons.
TEST(WorldData, AYoungPlayersPotentialLiesAroundHisClubsLevel)
{
    ScopedWorld world;
    std::vector<int> sum(TEAM_COUNT), count(TEAM_COUNT);
    for (int32_t i = 0; i < World.personCount; ++i) {
        const WorldPerson& p = World.persons[i];
        if (p.club == WORLD_NO_CLUB || p.position == POSITION_MANAGER) continue;
        sum[p.club] += p.ability;
        ++count[p.club];
    }
    int young = 0;
    long room = 0;
    for (int32_t i = 0; i < World.personCount; ++i) {
        const WorldPerson& p = World.persons[i];
        if (p.position == POSITION_MANAGER) continue;
        const int age = GAME_FIRST_YEAR - 1950 - p.birthYear;
        if (age > 23) {
            EXPECT_EQ(p.potential, p.ability) << i;
            continue;
        }
        // The club's mean lies within 3 of the level its squad was drawn around.
        const int level = p.club == WORLD_NO_CLUB ? p.ability : sum[p.club] / count[p.club];
        EXPECT_GE(p.potential, p.ability) << i;
        EXPECT_LE(p.potential, std::max<int>(p.ability, level + YOUTH_POTENTIAL_SPREAD / 2 + 3))
            << i;
        ++young;
        room += p.potential - p.ability;
    }
    // Ability and potential both drawn within 8 of the level: the room to grow is 2.8 on average
    // (the old rule's 12).
    EXPECT_NEAR(double(room) / young, 2.8, 0.5);
}

}  // namespace
