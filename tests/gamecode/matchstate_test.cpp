// tests/gamecode/matchstate_test.cpp: the skill mapping, the pitch and the period set-up.
#include "gamecode/matchstate.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "engine/random.h"
#include "game/tactics.h"
#include "gamecode/matchrun.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

TEST(MatchState, SkillMappingTakesWordsInItsOrderAndClampsFirst)
{
    MatchPlayerEntry entry{};
    for (int32_t k = 0; k < MATCH_ATTRIBUTE_COUNT; ++k) {
        entry.attributes[k] = static_cast<uint16_t>(k + 1);
    }
    entry.attributes[0] = 101;
    entry.attributes[7] = 300;  // an unchecked word stays a valid skill
    uint8_t skills[MATCH_SKILL_COUNT];
    Match_MapSkills(entry, skills);
    EXPECT_EQ(skills[0], 100);
    EXPECT_EQ(skills[15], 100);
    EXPECT_EQ(skills[18], 4);
    EXPECT_EQ(skills[17], 3 / 2 + 50);
    entry.attributes[0] = 0;
    Match_MapSkills(entry, skills);
    EXPECT_EQ(skills[SKILL_PACE], 50);
}

TEST(MatchState, FixedToUnitsTruncatesTowardZero)
{
    EXPECT_EQ(Fixed_ToUnits(-1), 0);
    EXPECT_EQ(Fixed_ToUnits(-65536), -1);
}

TEST(MatchState, SetActionIgnoresPersonsOutsideTheObjects)
{
    ScopedMatch match;
    MatchPersons[36].action = 7;
    Person_SetAction(37, 9);
    Person_SetAction(-1, 9);
    EXPECT_EQ(MatchPersons[36].action, 7);
    MatchPersons[5].passKind = 3;
    Person_SetAction(5, 30);
    EXPECT_EQ(MatchPersons[5].action, 30);
    EXPECT_EQ(MatchPersons[5].passKind, 0);
}

TEST(MatchSetup, FirstSetUpPlacesPlayersAndMarksTheBench)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.substitutes = 3;
    builder.Write();
    SRand(7);
    const int32_t first = (SRand(7), Rand() % 80 + 20);
    SRand(7);
    Match_SetupPeriod();
    EXPECT_EQ(Match.linesmanAccuracy, first);
    EXPECT_EQ(MatchPersons[0].x, -14);
    EXPECT_EQ(MatchPersons[5].x, -354 - 75);
    EXPECT_EQ(MatchPersons[21].y, 1082);
    for (int32_t s = 11; s <= 13; ++s) {
        EXPECT_EQ(MatchPersons[s].matchRating, 0);
        EXPECT_EQ(MatchPersons[s].animation, -1);
    }
    EXPECT_EQ(MatchPersons[14].matchRating, 255);
    EXPECT_EQ(MatchPersons[15].matchRating, 255);
    EXPECT_EQ(MatchPersons[10].matchRating, 50);
    EXPECT_EQ(Match.periodLength, 15000u);
    EXPECT_EQ(MatchPhase, 25);
    EXPECT_EQ(Match.takers[1][0], 16 + 3);  // captain shirt 4
    EXPECT_STREQ(MatchPersons[16].name, GetMatchSidesBlock()->sides[1].entries[0].name);
}

TEST(MatchSetup, BlockValuesOutOfRangeAreMended)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.substitutes = 7;
    builder.periodMinutes = 0;
    builder.Write();
    GetMatchSidesBlock()->sides[0].designated[1] = 0xFFFF;
    char* name = GetMatchSidesBlock()->sides[0].entries[2].name;
    std::memset(name, 'x', MATCH_ENTRY_NAME_BYTES);  // no terminator
    Match_SetupPeriod();
    EXPECT_EQ(Match.substitutesAllowed, 5);
    EXPECT_EQ(MatchPersons[15].matchRating, 0);
    EXPECT_EQ(Match.periodLength, 15000u);
    EXPECT_EQ(Match.takers[0][1], -1);
    EXPECT_EQ(std::string(MatchPersons[2].name), std::string(MATCH_ENTRY_NAME_BYTES - 1, 'x'));
}

TEST(MatchSetup, FormationFallsBackForTacticsPastTheSidesTwelve)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    MatchSide& side = GetMatchSidesBlock()->sides[0];
    side.human = 1;
    side.tactics[5] = side.tactics[0];
    side.tactics[5].slots[3].row = 1;
    side.tactic = 45;
    Match_SetupPeriod();
    EXPECT_EQ(+TeamShape[0].slots[3].row, 1);
    side.tactic = 60;
    MatchEngine_Init();
    Match_SetupPeriod();
    EXPECT_EQ(+TeamShape[0].slots[3].row, +side.tactics[0].slots[3].row);
}

TEST(MatchSetup, AHumanSideWithABuiltInTacticPlaysThatFormationFromTheTacticsFile)
{
    ScopedMatch match;
    ScopedTactics tactics;
    MatchDayBuilder builder;
    builder.Write();
    for (MatchSide& side : GetMatchSidesBlock()->sides) {
        side.tactic = 12;
    }
    GetMatchSidesBlock()->sides[0].human = 1;
    Match_SetupPeriod();
    TacticsRecord builtIn;
    GetComputerTactics(&builtIn, 12);
    EXPECT_EQ(std::memcmp(&TeamShape[0], &builtIn, sizeof(builtIn)), 0);
    EXPECT_EQ(std::memcmp(&TacticCopies[0], &builtIn, sizeof(builtIn)), 0);
    // A computer side keeps its own first formation whatever its tactic word says.
    const TacticsRecord& own = GetMatchSidesBlock()->sides[1].tactics[0];
    EXPECT_EQ(std::memcmp(&TeamShape[1], &own, sizeof(own)), 0);
}

// Short periods: what one match leaves behind shows in the next one's first ticks, and a hundred
// and twenty matches stay cheap. The sanitizer build, slower, plays fewer.
#ifdef PELLORAN_SOAK_PERIOD_MINUTES
constexpr uint16_t kPeriodMinutes = PELLORAN_SOAK_PERIOD_MINUTES;
constexpr uint32_t kDaysPerKind = 8;
#else
constexpr uint16_t kPeriodMinutes = 2;
constexpr uint32_t kDaysPerKind = 20;
#endif

// As many each of balanced sides, a strong home side against a weak one, and cup ties that may
// run to extra time and a shoot-out.
std::vector<MatchDayBuilder> MixedMatchDays()
{
    std::vector<MatchDayBuilder> days;
    for (uint32_t i = 0; i < kDaysPerKind; ++i) {
        for (const SidePreset preset : {SidePreset::Balanced, SidePreset::StrongAgainstWeak}) {
            MatchDayBuilder day;
            day.seed = (preset == SidePreset::Balanced ? 1 : 1001) + i;
            day.preset = preset;
            day.periodMinutes = kPeriodMinutes;
            days.push_back(day);
        }
        MatchDayBuilder cup;
        cup.seed = 2001 + i;
        cup.periodMinutes = kPeriodMinutes;
        cup.extraTime = 1;
        cup.shootOut = 1;
        days.push_back(cup);
    }
    return days;
}

// The first line where two runs part, or empty when they agree.
std::string FirstDifference(const GoldenResult& a, const GoldenResult& b)
{
    for (size_t i = 0; i < std::max(a.lines.size(), b.lines.size()); ++i) {
        const std::string left = i < a.lines.size() ? a.lines[i] : "<end>";
        const std::string right = i < b.lines.size() ? b.lines[i] : "<end>";
        if (left != right) return "-" + right + "\n+" + left;
    }
    return "";
}

// Whatever the matches before it left behind, a match is the one its block and seed give: the
// score, statistics and event rows, and the state hash every 250 ticks.
TEST(MatchSetup, EveryMatchOfAnEveningPlaysAsItWouldInAFreshEngine)
{
    ScopedMatch match;
    const std::vector<MatchDayBuilder> days = MixedMatchDays();
    std::vector<GoldenResult> evening;
    for (const MatchDayBuilder& day : days) {
        evening.push_back(GoldenRun(day, false));
    }
    for (size_t i = 0; i < days.size(); ++i) {
        SCOPED_TRACE("seed " + std::to_string(days[i].seed));
        EXPECT_EQ(FirstDifference(evening[i], GoldenRun(days[i], true)), "");
    }
}

}  // namespace
