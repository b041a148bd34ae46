// The match data the in-match and result screens read: ratings, line-up positions,
// substitutions and the record fields.
#include "gamecode/matchdata.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/tactics.h"
#include "gamecode/comments/commtable.h"
#include "gamecode/keycounts.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"

namespace {

int32_t g_infoBarType = -1;
// A balanced match in which players are knocked and substitutes stay on the bench.
constexpr uint32_t kKnockSeed = 2;

// Line-up position n holds slot n of each side; the eleven play, the rest wait on the bench.
void SetOutSides()
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            LineUp[side][slot] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + slot);
            MatchPerson& p = *Football_GetRecordPtr(side, slot);
            p.matchRating = slot < MATCH_STARTERS ? 50 : 0;
            p.offPitch = slot < MATCH_STARTERS ? 0 : 1;
            p.stats = {};
        }
    }
    Match.score[0] = Match.score[1] = 0;
}

TEST(MatchData, RatingsStayWithinTheirBounds)
{
    ScopedMatch match;
    SetOutSides();
    EXPECT_EQ(Football_GetPlayerRating(1, 12), 0);  // never came on
    MatchPerson& p = MatchPersons[4];
    p.stats.goals = 7;  // 65 + 56 - 12 - 9 = 100
    p.stats.ownGoals = 3;
    p.stats.goalsAgainst = 1;
    EXPECT_EQ(Football_GetPlayerRating(0, 4), 97);
    for (int32_t goals = -10; goals <= 20; ++goals) {
        p.stats.goals = static_cast<int8_t>(goals);
        const int32_t rating = Football_GetPlayerRating(1, 4);
        EXPECT_GE(rating, 10) << goals;
        EXPECT_LE(rating, 99) << goals;
    }
    // The winners' bonus counts only at the end of the match.
    p.stats = {};
    Match.score[0] = 1;
    EXPECT_EQ(Football_GetPlayerRating(1, 4), 70);
    EXPECT_EQ(Football_GetPlayerRating(0, 4), 65);
    EXPECT_EQ(Football_GetPlayerRating(1, 20), 65);
    p.stats.assists = 2;
    EXPECT_EQ(Football_GetPlayerRating(0, 4), 71);
}

TEST(MatchData, CountersHoldAtTheByteTopAndSpareOnesReadAsFigures)
{
    ScopedMatch match;
    SetOutSides();
    MatchPerson& p = MatchPersons[6];
    p.stats.touches = 300;
    p.stats.ballsLost = 4;
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, 0, 6);
    EXPECT_EQ(Football_GetMatchFigure(record, 15), 255);  // touches
    EXPECT_EQ(Football_GetMatchFigure(record, 32), 4);
    EXPECT_EQ(Football_GetMatchFigure(record, PMS_POSSESSION_LOST), 4);
    EXPECT_EQ(Football_GetMatchFigure(record, PMS_HEADERS), 0);
    // The tackles' counters: won, the five foul counters, the fouls charged to him, the times
    // he was tackled and the tackles he tried; and his offsides.
    p.stats.tackles = 3;
    p.stats.tackleFouls = 4;
    p.stats.fouls = 5;
    p.stats.lungeFouls = 6;
    p.stats.foulsPenalised = 7;
    p.stats.handballs = 8;
    p.stats.foulsGivenAgainst = 9;
    p.stats.timesTackled = 10;
    p.stats.tacklesMade = 300;
    p.stats.offsides = 2;
    Football_FillPlayerMatchRecord(&record, 0, 6);
    const int32_t figures[][2] = {{37, 3},
                                  {38, 4},
                                  {39, 5},
                                  {40, 6},
                                  {41, 7},
                                  {42, 8},
                                  {54, 9},
                                  {PMS_TIMES_TACKLED, 10},
                                  {PMS_TACKLES_TRIED, 255},
                                  {PMS_OFFSIDES, 2}};
    for (const auto& f : figures) {
        EXPECT_EQ(Football_GetMatchFigure(record, f[0]), f[1]) << f[0];
    }
}

// The key runs fill field 9 (a signed byte, so it holds at 127 rather than turning negative) and
// the carrier's longest touches ahead field 33, and the rating weighs them 3 and 2.
TEST(MatchData, LongTouchCountersFillFieldsNineAndThirtyThree)
{
    ScopedMatch match;
    SetOutSides();
    struct Row {
        int16_t rare;
        int16_t every;
        int32_t field9;
        int32_t field33;
        int32_t rating;
    };
    const Row rows[] = {
        {0, 0, 0, 0, 65},
        {2, 3, 2, 3, 65 + 3 * 2 + 2 * 3},
        {127, 127, 127, 127, 99},
        {200, 300, 127, 255, 99},
    };
    for (const Row& row : rows) {
        MatchPerson& p = MatchPersons[6];
        KeyCounts[6].keyRuns = row.rare;  // field 9 counts the key runs
        p.stats.longRuns = row.every;
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, 0, 6);
        SCOPED_TRACE(std::to_string(row.rare) + " " + std::to_string(row.every));
        EXPECT_EQ(Football_GetMatchFigure(record, 9), row.field9);
        EXPECT_EQ(Football_GetMatchFigure(record, 33), row.field33);
        EXPECT_EQ(Football_GetPlayerRating(0, 6), row.rating);
    }
}

// Field 0 the player's id; 14 his possession count; 6 and 56 that count x (100 - skill) / 40
// for skills 7 and 21, held at the word's top; 58 and 59 his ticks as active player and closing
// down / 333, held at 127; 57 his condition, 100 - fatigue - 2 x injury total within 0-100, 0
// once carried off.
TEST(MatchData, PossessionTimeAndConditionFillTheirFields)
{
    struct Row {
        const char* what;
        int16_t possessions;
        uint8_t skill7, skill21;
        int32_t activeTicks, closingDownTicks;
        int8_t fatigue, hurt;
        int16_t injuryTotal;
        int32_t field6, field56, field58, field59, field57;
    };
    // clang-format off
    const Row rows[] = {
        {"whole match",     120, 70, 40,  3000,  700, 20, 0, 15,    90,   180,   9,  2,  50},
        {"never touched",     0, 70, 40,     0,    0,  0, 0,  0,     0,     0,   0,  0, 100},
        {"carried off",      40, 90, 60,   340,  332, 10, 2,  5,    10,    40,   1,  0,   0},
        {"knocked, playing", 40, 90, 60,   340,  332, 30, 1, 40,    10,    40,   1,  0,   0},
        {"at the tops",   32767,  0,  0, 60000, 50000,  0, 0,  0, 32767, 32767, 127, 127, 100},
    };
    // clang-format on
    ScopedMatch match;
    SetOutSides();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        MatchPerson& p = *Football_GetRecordPtr(1, 4);
        p.playerId = 4321;
        p.stats.possessionCount = row.possessions;
        p.skills[7] = row.skill7;
        p.skills[21] = row.skill21;
        p.stats.activeTicks = row.activeTicks;
        p.stats.closingDownTicks = row.closingDownTicks;
        p.resultByteA = row.fatigue;
        p.resultByteB = row.hurt;
        p.stats.injuryTotal = row.injuryTotal;
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, 1, 4);
        EXPECT_EQ(PlayerMatchRecord_Get(record, 0), 4321);
        EXPECT_EQ(PlayerMatchRecord_Get(record, 14), row.possessions);
        EXPECT_EQ(PlayerMatchRecord_Get(record, 6), row.field6);
        EXPECT_EQ(PlayerMatchRecord_Get(record, 56), row.field56);
        EXPECT_EQ(PlayerMatchRecord_Get(record, 58), row.field58);
        EXPECT_EQ(PlayerMatchRecord_Get(record, 59), row.field59);
        EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_CONDITION), row.field57);
        EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_INJURY_TOTAL), row.injuryTotal);
    }
}

// A played match's rows at full time, field by field: a player knocked in the match, a substitute
// who never touched the ball and a starter who played it through.
TEST(MatchData, APlayedMatchsRowsCarryPossessionTimeAndCondition)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.seed = kKnockSeed;
    const SoakResult result = SoakRun(builder);
    ASSERT_TRUE(result.failures.empty()) << result.failures[0];
    const MatchDataBlock& data = *GetMatchDataBlock();
    int32_t knocked = 0, untouched = 0, through = 0;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = MatchPersons[person];
        const PlayerMatchRecord& r =
            data.sides[Person_Side(person)].players[person % MATCH_PERSONS_PER_SIDE];
        SCOPED_TRACE(person);
        EXPECT_EQ(static_cast<uint16_t>(PlayerMatchRecord_Get(r, 0)), p.playerId);
        const int32_t possessions = PlayerMatchRecord_Get(r, 14);
        // Every touch counted, repeated ones too: never fewer than the touches (field 15).
        EXPECT_GE(possessions, PlayerMatchRecord_Get(r, 15));
        if (p.stats.injuryTotal > 0) {
            ++knocked;
            const int32_t left = 100 - p.resultByteA - 2 * p.stats.injuryTotal;
            EXPECT_EQ(PlayerMatchRecord_Get(r, PMR_CONDITION),
                      p.resultByteB == 2 ? 0 : std::max(left, 0));
            EXPECT_LT(PlayerMatchRecord_Get(r, PMR_CONDITION), 100 - p.resultByteA);
        }
        if (p.matchRating == 0) {
            ++untouched;
            for (const int32_t field : {14, 6, 56, 58, 59}) {
                EXPECT_EQ(PlayerMatchRecord_Get(r, field), 0) << field;
            }
            EXPECT_EQ(PlayerMatchRecord_Get(r, PMR_CONDITION), 100);
        }
        const bool outfield = person % MATCH_PERSONS_PER_SIDE != 0;
        if (outfield && p.offPitch == 0 && p.timesSubstituted == 0 && p.stats.minuteOn == 0) {
            ++through;
            EXPECT_GT(possessions, 0);
            EXPECT_GT(PlayerMatchRecord_Get(r, 58), 0);
            EXPECT_EQ(PlayerMatchRecord_Get(r, 6), (100 - Person_Skill(p, 7)) * possessions / 40);
        }
    }
    EXPECT_GT(knocked, 0);
    EXPECT_GT(untouched, 0);
    EXPECT_GT(through, 0);
}

TEST(MatchData, SubstitutionSwapsTheLineUpAndBringsTheNewcomerOn)
{
    ScopedMatch match;
    SetOutSides();
    MatchPresentationOps.InfoBar = [](int32_t type, int32_t, int32_t) { g_infoBarType = type; };
    GetMatchDataBlock()->eventCount = 0;
    MatchPerson& off = *Football_GetRecordPtr(1, 7);
    Person_PlaceAt(23, 400, 900);
    off.action = 5;
    Football_Substitute(1, 13, 7);
    EXPECT_EQ(Football_GetPlayersPosition(1, 13), 7);
    EXPECT_EQ(Football_GetPlayersPosition(1, 7), 13);
    EXPECT_EQ(Football_GetSidePlayer(1, 7), 13);
    EXPECT_EQ(Football_GetSubstitutionsUsed(1), 1);
    EXPECT_EQ(Football_IsRecActive(1, 13), 1);
    EXPECT_EQ(Football_IsOnPitch(1, 13), 1);
    EXPECT_EQ(Football_IsOnPitch(1, 7), 0);
    const MatchPerson& on = *Football_GetRecordPtr(1, 13);
    EXPECT_EQ(on.matchRating, 50);
    EXPECT_EQ(on.x, 400);
    EXPECT_EQ(on.action, 5);
    EXPECT_EQ(match.Actions().Of(1, 5), 1);  // the newcomer's entry is heard like any other
    EXPECT_EQ(g_infoBarType, 11);
    ASSERT_EQ(static_cast<int32_t>(GetMatchDataBlock()->eventCount), 1);
    const MatchEventRow row = GetMatchDataBlock()->events[0];  // a copy: the row is packed
    EXPECT_EQ(row.kind, 1);
    EXPECT_EQ(static_cast<int32_t>(row.a), 1);
    EXPECT_EQ(static_cast<int32_t>(row.b), off.playerId);
    EXPECT_EQ(static_cast<int32_t>(row.c), on.playerId);
}

// Every template of the substitution line names the player going off as the one who leaves.
TEST(MatchData, TheSubstitutionLineSaysWhoGoesOffAndWhoComesOn)
{
    ScopedMatch match;
    MatchDayBuilder{}.Write();
    std::strcpy(GetMatchSidesBlock()->sides[1].teamName, "Sud");
    MkFileSet files;
    MkGenerateComments(&files);
    std::vector<uint8_t> image;
    for (const std::vector<MkFile>& archive : files.archives) {
        if (!archive.empty()) image = archive[0].bytes;
    }
    struct TableLoaded {
        ~TableLoaded() { CommTable_Uninit(); }
    } loaded;
    ASSERT_TRUE(CommTable_LoadImage(image.data(), image.size()));
    const std::set<std::string> lines = {
        "Changement pour Sud : J. Sortant sort, J. Entrant entre",
        "J. Entrant remplace J. Sortant",
        "Sud proc\xe8"
        "de \xe0 un changement, J. Entrant pour J. Sortant",
        "J. Sortant c\xe8"
        "de sa place \xe0 J. Entrant",
        "Remplacement chez Sud, J. Entrant entre en jeu",
    };
    std::set<std::string> said;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetOutSides();
        std::strcpy(Football_GetRecordPtr(1, 7)->name, "J. Sortant");
        std::strcpy(Football_GetRecordPtr(1, 13)->name, "J. Entrant");
        SRand(seed);
        Football_Substitute(1, 13, 7);
        EXPECT_EQ(lines.count(CommentaryLine), 1u) << CommentaryLine;
        said.insert(CommentaryLine);
    }
    EXPECT_EQ(said, lines);
}

TEST(MatchData, ViewEntryCarriesFiguresCardsAndTheHurtState)
{
    ScopedMatch match;
    SetOutSides();
    MatchPerson& p = MatchPersons[2];
    p.stats.closingDownTicks = 10;
    MatchPersons[5].stats.closingDownTicks = 20;
    p.stats.involvement = 7;  // the highest of the 32
    p.stats.goals = 2;
    p.bookings = 1;
    p.resultByteA = 30;
    p.resultByteB = 1;
    MatchViewEntry entry{};
    Football_BuildMatchView(&entry, 0, 2);
    EXPECT_EQ(entry.commitment, 10 * 95 / 20);
    EXPECT_EQ(entry.participation, 95);
    EXPECT_EQ(entry.goals, 2);
    EXPECT_EQ(entry.condition, 70);
    EXPECT_EQ(entry.rating, 81);
    EXPECT_EQ(entry.cardBits, 1 << 6 | 1 << 8);
    p.sentOff = 1;
    p.resultByteB = 2;  // carried off: no condition left
    Football_BuildMatchView(&entry, 0, 2);
    EXPECT_EQ(entry.cardBits >> 6 & 3, 3);
    EXPECT_EQ(entry.condition, 0);
    int32_t value = 0;
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, 0, 2);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(PMR_GOALS, record, &value), 64);
    EXPECT_EQ(value, 2);
}

TEST(MatchData, TakerSettersStoreThePersonIndexOfTheirOwnTable)
{
    using Setter = void (*)(int32_t, int32_t);
    struct Row {
        Setter set;
        MatchTaker taker;
    };
    const Row rows[] = {
        {Football_SetCaptain, TAKER_CAPTAIN},          {Football_SetCornerTaker, TAKER_CORNER},
        {Football_SetPenaltyTaker, TAKER_PENALTY},     {Football_SetFreeKickTaker, TAKER_FREE_KICK},
        {Football_SetFreeKickTaker2, TAKER_FREE_KICK},
    };
    for (const Row& row : rows) {
        ScopedMatch match;
        std::memset(Match.takers, 0xFF, sizeof(Match.takers));
        row.set(1, 3);
        for (int32_t taker = 0; taker < TAKER_COUNT; ++taker) {
            EXPECT_EQ(Match.takers[1][taker], taker == row.taker ? 19 : -1) << taker;
            EXPECT_EQ(Match.takers[0][taker], -1) << taker;
        }
    }
    ScopedMatch match;
    Football_SetCaptain(1, 3);
    EXPECT_EQ(Football_IsCaptain(1, 3), 1);
    EXPECT_EQ(Football_IsCaptain(0, 3), 0);
    EXPECT_EQ(Football_IsCaptain(1, 4), 0);
}

TEST(MatchData, HurtAndTakenOffQuestionsReadTheirOwnBytes)
{
    struct Row {
        int16_t timesSubstituted;
        int8_t hurt;
        uint8_t offPitch;
        int32_t substitutedAndHurt;
        int32_t playerHurt;
        int32_t recEmpty;
    };
    const Row rows[] = {
        {0, 0, 0, 0, 0, 1},   // playing, sound
        {0, 1, 0, 0, 1, 1},   // playing with a knock
        {0, 2, 1, 0, 1, 0},   // carried off, his substitute not yet on
        {1, 2, 1, 1, 1, 0},   // replaced after his injury
        {1, 0, 1, 0, 0, 0},   // replaced sound
        {2, 0, 0, 0, 0, 1},   // taken off twice and back on
        {1, -1, 1, 1, 0, 0},  // a negative hurt byte is no knock, yet not 0
    };
    ScopedMatch match;
    SetOutSides();
    for (const Row& row : rows) {
        MatchPerson& p = *Football_GetRecordPtr(1, 5);
        p.timesSubstituted = row.timesSubstituted;
        p.resultByteB = row.hurt;
        p.offPitch = row.offPitch;
        const std::string at = std::to_string(row.timesSubstituted) + "/" + std::to_string(row.hurt)
                               + "/" + std::to_string(row.offPitch);
        EXPECT_EQ(Football_IsSubstitutedAndHurt(1, 5), row.substitutedAndHurt) << at;
        EXPECT_EQ(Football_IsPlayerHurt(1, 5), row.playerHurt) << at;
        EXPECT_EQ(Football_IsRecEmpty(1, 5), row.recEmpty) << at;
        EXPECT_EQ(Football_IsPlayerHurt(0, 5), 0) << at;  // the same slot of the other side
    }
}

TEST(MatchData, FlagAndKeeperWordsFillTheRecordsOneBitFields)
{
    ScopedMatch match;
    SetOutSides();
    struct Row {
        uint8_t shapeFlag;
        uint16_t keptGoal;
    };
    for (const Row row : {Row{0, 0}, Row{1, 0}, Row{0, 1}, Row{1, 1}, Row{2, 3}}) {
        MatchPerson& p = *Football_GetRecordPtr(1, 9);
        p.shapeFlag = row.shapeFlag;
        p.keptGoal = row.keptGoal;
        EXPECT_EQ(Football_GetRecWordFB(1, 9), row.shapeFlag);
        EXPECT_EQ(Football_GetRecWordF9(1, 9), row.keptGoal);
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, 1, 9);
        EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_SHAPE_FLAG), row.shapeFlag & 1);
        EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_KEPT_GOAL) != 0, (row.keptGoal & 1) != 0);
    }
}

TEST(MatchData, SubstitutionRequestsOfBothSidesClearTogether)
{
    ScopedMatch match;
    SubstitutionRequest[0] = 1;
    SubstitutionRequest[1] = 1;
    Football_ClearSubstitutionRequests();
    EXPECT_EQ(SubstitutionRequest[0], 0);
    EXPECT_EQ(SubstitutionRequest[1], 0);
}

TEST(MatchData, LoadFormationTakesTheSidesTacticByItsNumber)
{
    ScopedMatch match;
    ScopedTactics tactics;
    MatchDayBuilder builder;
    builder.Write();
    MatchSide& sheet = GetMatchSidesBlock()->sides[1];
    GetComputerTactics(&sheet.tactics[0], 3);
    GetComputerTactics(&sheet.tactics[2], 17);
    sheet.tactics[5].slots[0].row = static_cast<int16_t>(TACTIC_EMPTY_MARK);
    TacticsRecord builtIn[2];
    GetComputerTactics(&builtIn[0], 0);
    GetComputerTactics(&builtIn[1], 39);
    struct Row {
        uint16_t human;
        int16_t tactic;
        const TacticsRecord* expected;
    };
    const Row rows[] = {
        {1, 39, &builtIn[1]},                         // the last built-in tactic
        {1, 42, &sheet.tactics[2]},                   // custom tactic 2
        {1, 45, &sheet.tactics[0]},                   // an empty custom tactic
        {1, TACTIC_NUMBER_COUNT, &sheet.tactics[0]},  // past the twelve
        {0, 39, &sheet.tactics[0]},                   // a computer side plays its own
    };
    for (const Row& row : rows) {
        sheet.human = row.human;
        sheet.tactic = row.tactic;
        Football_LoadFormation(1);
        EXPECT_EQ(Football_GetFormation(1), &TeamShape[1]);
        EXPECT_EQ(std::memcmp(Football_GetFormation(1), row.expected, sizeof(TacticsRecord)), 0)
            << row.human << "/" << row.tactic;
    }
    // A computer side without a formation of its own plays built-in formation 0.
    sheet.human = 0;
    sheet.tactics[0].slots[0].row = static_cast<int16_t>(TACTIC_EMPTY_MARK);
    Football_LoadFormation(1);
    EXPECT_EQ(std::memcmp(Football_GetFormation(1), &builtIn[0], sizeof(TacticsRecord)), 0);
}

TEST(MatchDataDeathTest, AbsentSlotAndUnknownFieldAreFatal)
{
    EXPECT_FATAL(
        {
            ScopedMatch match;
            SetOutSides();
            LineUp[0][4] = 0;
            Football_GetPlayersPosition(0, 4);
        },
        "Football_GetPlayersPosition: invalid watch game no 4\n");
    int32_t value = 0;
    const PlayerMatchRecord record{};
    EXPECT_FATAL(Football_GetPlayerMatchRecordText2(69, record, &value),
                 "Football_GetPlayerMatchRecordText2() record not found");
    EXPECT_FATAL(Football_GetMatchFigure(record, PMS_FIGURE_COUNT),
                 "Football_GetMatchFigure(): no figure " + std::to_string(PMS_FIGURE_COUNT));
}

// The menus hand the setters a side and a slot: one outside the sides' players is their bug, and
// would write past the taker table or the line-up.
TEST(MatchDataDeathTest, TakersAndLineUpSwapsOutsideTheSidesAreFatal)
{
    struct Row {
        void (*set)(int32_t, int32_t);
        const char* name;
    };
    const Row setters[] = {{Football_SetCornerTaker, "Football_SetCornerTaker"},
                           {Football_SetFreeKickTaker, "Football_SetFreeKickTaker"},
                           {Football_SetPenaltyTaker, "Football_SetPenaltyTaker"},
                           {Football_SetCaptain, "Football_SetCaptain"}};
    const int32_t bad[][2] = {{2, 0}, {-1, 0}, {0, 16}, {1, -1}};
    for (const Row& row : setters) {
        for (const auto& [side, slot] : bad) {
            EXPECT_FATAL(row.set(side, slot), std::string(row.name) + "(): bad side "
                                                  + std::to_string(side) + " or slot "
                                                  + std::to_string(slot));
        }
    }
    EXPECT_FATAL(Football_SwapLineUp(2, 0, 1), "Football_SwapLineUp(): bad side 2 or slots 0, 1");
    EXPECT_FATAL(Football_SwapLineUp(0, 3, 16), "Football_SwapLineUp(): bad side 0 or slots 3, 16");
}

}  // namespace
