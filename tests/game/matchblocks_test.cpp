// tests/game/matchblocks_test.cpp: the match-day and match data blocks: fixed offsets, clearing,
// the player match record's fields, team sheets and the report lists.
#include "game/matchblocks.h"

#include <cstring>
#include <iterator>
#include <string>
#include <utility>

#include "engine/debug.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/hooks.h"
#include "game/squad.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

template <typename T>
T At(const void* block, size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const uint8_t*>(block) + offset, sizeof(value));
    return value;
}

class MatchBlocksTest : public testing::Test {
protected:
    void SetUp() override { MatchBlocks_Init(); }
    ScopedCore m_core;
};

TEST_F(MatchBlocksTest, ClearingFillsTheMatchDayBlockAndReadersClampTheBench)
{
    MatchDayBlock* block = GetMatchSidesBlock();
    std::memset(block, 0, sizeof(*block));
    MatchDay_ClearBlock();
    const auto* bytes = reinterpret_cast<const uint8_t*>(block);
    for (size_t k = 0; k < sizeof(*block); ++k) {
        ASSERT_EQ(bytes[k], 0xFF) << k;
    }
    EXPECT_EQ(MatchDay_GetBenchSize(*block), 0);
    block->benchSize = 9;
    EXPECT_EQ(MatchDay_GetBenchSize(*block), MATCH_BENCH_MAX);
    block->benchSize = 3;
    EXPECT_EQ(MatchDay_GetBenchSize(*block), 3);
}

TEST_F(MatchBlocksTest, AFriendlySetUpReadsBackAtTheFixedByteOffsets)
{
    MatchDay_ClearBlock();
    MatchDayBlock& block = *GetMatchSidesBlock();
    block.extraTime = 0;
    block.periodMinutes = MATCH_PERIOD_MINUTES;
    block.secondLeg = 1;
    block.viewMode = VIEW_2D;
    block.benchSize = 5;
    block.substitutionsAllowed = 5;
    block.stands[0] = 4;
    block.stands[3] = 7;
    block.attendance = 41234;
    block.crowdFill = 2;
    block.night = 1;
    MatchSide& home = block.sides[0];
    MatchSide& away = block.sides[1];
    std::strcpy(home.teamName, "Pelloran Athletic");
    std::strcpy(away.teamName, "Vallemont");
    home.human = 1;
    home.tactic = 43;
    away.firstLegGoals = 2;
    away.designated[1] = 9;
    KitDesign kit{};
    kit.colours[0][0] = 17;
    MatchSide_SetKit(&away, kit);
    away.entries[16].playerId = 1234;
    away.entries[3].shirt = 4;

    const void* raw = &block;
    EXPECT_EQ(At<uint8_t>(raw, 0), 0);
    EXPECT_EQ(At<uint16_t>(raw, 3), 5);
    EXPECT_EQ(At<uint8_t>(raw, 5), 1);
    EXPECT_EQ(At<uint16_t>(raw, 14), VIEW_2D);
    EXPECT_EQ(At<int16_t>(raw, 16), 5);
    EXPECT_EQ(At<int16_t>(raw, 18), 5);
    EXPECT_EQ(At<int16_t>(raw, 22) + At<int16_t>(raw, 28), 11);
    EXPECT_EQ(At<uint32_t>(raw, 30), 41234u);
    EXPECT_EQ(At<uint8_t>(raw, 34), 2);
    EXPECT_EQ(At<uint8_t>(raw, 35), 1);
    EXPECT_STREQ(static_cast<const char*>(raw) + 49, "Pelloran Athletic");
    EXPECT_EQ(At<uint8_t>(raw, 49 + 88), 1);
    EXPECT_EQ(At<int16_t>(raw, 49 + 89), 43);
    EXPECT_STREQ(static_cast<const char*>(raw) + 5973, "Vallemont");
    EXPECT_EQ(At<int16_t>(raw, 5973 + 40 + 16), 17);
    EXPECT_EQ(MatchSide_GetKit(away).colours[0][0], 17);
    EXPECT_EQ(At<int16_t>(raw, 5973 + 4053), 2);
    EXPECT_EQ(At<uint16_t>(raw, 5973 + 4055 + 2), 9);
    EXPECT_EQ(At<int16_t>(raw, 5973 + 4071 + 3 * 109 + 79), 4);
    EXPECT_EQ(At<uint16_t>(raw, 5973 + 4071 + 16 * 109 + 87), 1234);
}

TEST_F(MatchBlocksTest, EveryPlayerMatchRecordFieldKeepsItsValueApartFromTheOthers)
{
    PlayerMatchRecord record{};
    auto valueFor = [](int field) {
        if (field == 63) return -1;  // a one-bit signed field
        if (field == 64) return 1;
        if (field >= 65) return field == 66 ? 11 : (field - 64) % 4;
        if (field <= 6 || field == 14 || field == 55 || field == 56) return -300 - field;
        if ((field >= 7 && field <= 13) || (field >= 57 && field <= 60) || field == 62)
            return -field;
        return 100 + field;
    };
    for (int f = 0; f < PMR_FIELD_COUNT; ++f) {
        PlayerMatchRecord_Set(&record, f, valueFor(f));
    }
    for (int f = 0; f < PMR_FIELD_COUNT; ++f) {
        EXPECT_EQ(PlayerMatchRecord_Get(record, f), valueFor(f)) << "field " << f;
    }
    PlayerMatchRecord_Set(&record, PMR_BOOKINGS, 3);  // a sending-off sets both bits
    EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_BOOKINGS), 3);
    EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_HURT), valueFor(PMR_HURT));
    for (uint8_t byte : record.unread) {
        EXPECT_EQ(byte, 0);
    }
}

TEST_F(MatchBlocksTest, PositionCodesFallIntoTheirLines)
{
    const struct {
        int32_t code, line;
    } rows[] = {{0, 0}, {1, 1}, {4, 1}, {5, 2}, {9, 2}, {10, 3}, {12, 3}, {13, 4}, {255, 4}};
    for (const auto& row : rows)
        EXPECT_EQ(MatchEntry_PositionLine(row.code), row.line) << row.code;
}

TEST_F(MatchBlocksTest, EventCodesOutsideTheTableGetTheFallback)
{
    EXPECT_EQ(VTW_GetEventClass(-1, 42), 42);
    EXPECT_EQ(VTW_GetEventClass(12, -7), -7);
}

TEST_F(MatchBlocksTest, ClearingEntityStatsZeroesOnlyTheHeatMaps)
{
    MatchDataBlock* data = GetMatchDataBlock();
    std::memset(data, 0x5A, sizeof(*data));
    VTW_ClearMatchEntityStats();
    EXPECT_EQ(+data->heatMaps[0][0][0], 0u);
    EXPECT_EQ(+data->heatMaps[MATCH_HEAT_MAPS - 1][14][17], 0u);
    EXPECT_EQ(+data->territory[MATCH_TERRITORY_MINUTES - 1], 0x5A);
    EXPECT_EQ(+data->territoryTotals[2], 0x5A5A5A5Au);
}

TEST_F(MatchBlocksTest, ReportIncidentsPackTheirFieldsInInsertionOrderUntilTheListIsFull)
{
    MatchReportFacts facts{REPORT_PENALTY_GOAL, 201, 3, 117, 23456, 14, 2, 37, 4, 31, 1200, false};
    ASSERT_TRUE(MatchReport_AddIncident(facts));
    facts.minute = 5;
    facts.secondFirst = true;
    ASSERT_TRUE(MatchReport_AddIncident(facts));
    const MatchReportIncident& row = MatchReportIncidents[0];
    EXPECT_EQ(MatchReportIncident_Kind(row), REPORT_PENALTY_GOAL);
    EXPECT_EQ(MatchReportIncident_FirstClub(row), 201);
    EXPECT_EQ(MatchReportIncident_FirstGoals(row), 3);
    EXPECT_EQ(MatchReportIncident_Minute(row), 117);
    EXPECT_EQ(MatchReportIncident_Sequence(row), 0);
    EXPECT_EQ(row.word0 >> 31, 0u);
    EXPECT_EQ(MatchReportIncident_Player(row), 23456);
    EXPECT_EQ(MatchReportIncident_SecondClub(row), 14);
    EXPECT_EQ(MatchReportIncident_SecondGoals(row), 2);
    EXPECT_EQ(+row.competition, 37);
    EXPECT_EQ(+row.firstLegGoals, 4 | 31 << 5);
    EXPECT_EQ(+row.fixtureRow, 1200);
    EXPECT_EQ(MatchReportIncident_Minute(MatchReportIncidents[1]), 5);
    EXPECT_EQ(MatchReportIncident_Sequence(MatchReportIncidents[1]), 1);
    EXPECT_EQ(MatchReportIncidents[1].word0 >> 31, 1u);  // the second club shown first

    for (int k = 2; k < MATCH_REPORT_INCIDENT_MAX; ++k) {
        ASSERT_TRUE(MatchReport_AddIncident(facts));
    }
    EXPECT_EQ(MatchReportIncident_Sequence(MatchReportIncidents[255]), 255);
    EXPECT_FALSE(MatchReport_AddIncident(facts));
    EXPECT_EQ(+MatchReportState.incidentCount, MATCH_REPORT_INCIDENT_MAX);
}

// The home share of possession, hand-checked: the exact percentage truncated, the away side
// taking the rest. The rows from engine matches are where a share of a million truncated first
// (1,000,000 / (h + a) x h / 10,000) goes wrong: 49 for equal counts, and the side with the ball
// more often shown with the smaller share.
TEST_F(MatchBlocksTest, ThePossessionShareIsTheExactPercentageOfTheTwoCounts)
{
    struct Row {
        int32_t home, away, share;
    };
    const Row rows[] = {
        {0, 0, 50},          // no count at all: even
        {2700, 2700, 50},    // equal (49 by a million's share)
        {11042, 11007, 50},  // an engine match, 50.08 % (49)
        {16385, 10686, 60},  // an engine match, 60.53 % (58)
        {1, 2, 33},          // 33.3 %
        {2, 1, 66},          // 66.7 %, truncated as every share
        {0, 9, 0},           // never on the ball
        {9, 0, 100},         // always
        {32767, 32767, 50},  // the largest counts the record holds
        {32767, 1, 99},      // 99.997 %
        {-1, 9, 50},         // a count read negative is no count
    };
    for (const Row& r : rows)
        EXPECT_EQ(MatchData_PossessionShare(r.home, r.away), r.share) << r.home << ":" << r.away;
}

TEST_F(MatchBlocksTest, ShootOutSlotsFillInOrderAfterAResetAndRefuseAThirtyThird)
{
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[0]), 0x7FFF);
    EXPECT_EQ(static_cast<int16_t>(ShootOutList[0].rowWinner), -1);
    ASSERT_TRUE(ShootOutList_Add(812, true, 4, 5));
    ASSERT_TRUE(ShootOutList_Add(3399, false, 7, 6));
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[0]), 812);
    EXPECT_TRUE(ShootOutSlot_AwayWon(ShootOutList[0]));
    EXPECT_EQ(+ShootOutList[0].score, 4 | 5 << 8);
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[1]), 3399);
    EXPECT_FALSE(ShootOutSlot_AwayWon(ShootOutList[1]));
    EXPECT_EQ(static_cast<int16_t>(ShootOutList[2].rowWinner), -1);  // ends the list
    for (int k = 2; k < SHOOT_OUT_SLOT_COUNT; ++k) {
        ASSERT_TRUE(ShootOutList_Add(k, false, 5, 4));
    }
    EXPECT_FALSE(ShootOutList_Add(99, false, 5, 4));
    ShootOutList_Reset();
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[31]), 0x7FFF);
    ASSERT_TRUE(ShootOutList_Add(7, false, 3, 1));
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[0]), 7);
}

TEST_F(MatchBlocksTest, LastMatchIncidentsStartEndedAndKeepASignedKind)
{
    EXPECT_EQ(LastMatchIncident_Kind(LastMatchIncidents[0]), -1);
    EXPECT_EQ(ReportFixture, -1);
    EXPECT_EQ(+LastMatchSummary[1].manOfTheMatch, -1);
    LastMatchIncident incident{};
    LastMatchIncident_SetSideKind(&incident, 1, 4);
    EXPECT_EQ(LastMatchIncident_Side(incident), 1);
    EXPECT_EQ(LastMatchIncident_Kind(incident), 4);
    LastMatchIncident_SetSideKind(&incident, 0, -1);
    EXPECT_EQ(LastMatchIncident_Side(incident), 0);
    EXPECT_EQ(LastMatchIncident_Kind(incident), -1);
}

class MatchBlocksWorldTest : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 23);
        MatchBlocks_Init();
    }
    ScopedWorld m_world;
};

TEST_F(MatchBlocksWorldTest, ATeamSheetListsShirtsOneToSixteenThenTheManager)
{
    const int club = 5;
    MatchPlayerEntry entries[MATCH_ENTRY_COUNT];
    std::memset(entries, 0x33, sizeof(entries));
    // A gap at shirt 14 stays an absent entry.
    VTW_RefreshSquadCount(club);
    const int gap = VTW_GetPlayerByShirt(14);
    ASSERT_GE(gap, 0);
    VTW_SetPlayerShirt(gap, 0);
    MatchEntry_FillTeamSheet(entries, club);
    for (int shirt = 1; shirt <= MATCH_SHIRT_COUNT; ++shirt) {
        const MatchPlayerEntry& entry = entries[shirt - 1];
        SCOPED_TRACE(shirt);
        if (shirt == 14) {
            EXPECT_EQ(+entry.shirt, -1);
            EXPECT_EQ(+entry.playerId, 0xFFFF);
            EXPECT_STREQ(entry.name, "");
            continue;
        }
        const int player = entry.playerId;
        EXPECT_EQ(VTW_GetPlayerClub(player), club);
        EXPECT_EQ(VTW_GetPlayerShirt(player), shirt);
        EXPECT_EQ(+entry.shirt, shirt);
        EXPECT_STREQ(entry.name, VTW_FormatPersonName(player));
        EXPECT_EQ(+entry.positionCode, VTW_GetPlayerPosition(player));
        EXPECT_EQ(+entry.attributes[7], Player_GetStat(player, 0));     // keeping
        EXPECT_EQ(+entry.attributes[0], Player_GetStat(player, 8));     // pace
        EXPECT_EQ(+entry.displaySkills[9], Player_GetStat(player, 8));  // VIT
        EXPECT_GE(entry.leftFoot + entry.rightFoot, 1);
    }
    const MatchPlayerEntry& manager = entries[MATCH_MANAGER_ENTRY];
    EXPECT_EQ(+manager.playerId, Club_GetManager(club));
    EXPECT_EQ(+manager.positionCode, VTW_GetPlayerPosition(Club_GetManager(club)));
    EXPECT_EQ(+manager.shirt, -1);
}

TEST_F(MatchBlocksWorldTest, TheDefaultTeamDesignDressesEachSideInItsOwnClubsKit)
{
    GameHooks_Reset();
    KitDesign kit;
    GameHooks.GetTeamDesign(4, 9, 0, &kit);
    EXPECT_EQ(std::memcmp(&kit, Club_GetKitDesign(4, 0), sizeof(kit)), 0);
    GameHooks.GetTeamDesign(4, 9, 1, &kit);
    EXPECT_EQ(std::memcmp(&kit, Club_GetKitDesign(9, 1), sizeof(kit)), 0);
}

// Level 1 of the general channel hears only the entries out of range, level 2 every call.
TEST_F(MatchBlocksTest, AnEntryOutsideTheTeamSheetIsAnAbsentOneAndSaysSo)
{
    GetMatchSidesBlock()->sides[1].entries[16].playerId = 77;
    DebugSetLevel(DBG_GENERAL, 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(+GetMatchPlayerEntry(1, 16).playerId, 77);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    for (const auto& [side, entry] : {std::pair{0, 17}, std::pair{1, -1}, std::pair{2, 0}}) {
        testing::internal::CaptureStdout();
        const MatchPlayerEntry& absent = GetMatchPlayerEntry(side, entry);
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(+absent.playerId, 0xFFFF) << side << " " << entry;
        EXPECT_EQ(+absent.shirt, -1);
        EXPECT_EQ(said,
                  "Orrin is Passing me a player out of range " + std::to_string(entry) + "\n");
    }
    DebugSetLevel(DBG_GENERAL, 2);
    testing::internal::CaptureStdout();
    GetMatchPlayerEntry(1, 16);
    GetMatchPlayerEntry(0, 17);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "GetMatchPlayerEntry(): 16\nGetMatchPlayerEntry(): 17\n"
              "Orrin is Passing me a player out of range 17\n");
}

// Every value of the kept copy that a screen would use as an index, a count or a person, one at a
// time at the first value past its range: the load check refuses each, and takes the last value in.
// A person may be a former player's id, up to the last a 16-bit id holds.
TEST_F(MatchBlocksTest, TheKeptCopysCheckRefusesEachValueOutOfRange)
{
    LastMatchCopyRecord valid = LastMatchCopy;
    valid.fixtureRow = 12;
    valid.eventCount = 1;
    valid.events[0] = {0, 1, 120, 1, PERSON_MAX - 1, -1};
    EXPECT_TRUE(MatchBlocks_CheckCopy(&valid));
    using Craft = void (*)(LastMatchCopyRecord*, bool last);
    const Craft crafts[] = {
        [](LastMatchCopyRecord* c, bool last) { c->fixtureRow = last ? -1 : FIXTURE_ROWS; },
        [](LastMatchCopyRecord* c, bool last) { c->eventCount = last ? 200 : 201; },
        [](LastMatchCopyRecord* c, bool last) { c->events[0].kind = last ? 4 : 5; },
        [](LastMatchCopyRecord* c, bool last) { c->events[0].minute = last ? 0 : 121; },
        [](LastMatchCopyRecord* c, bool last) { c->events[0].a = last ? 0 : 2; },
        [](LastMatchCopyRecord* c, bool last) { c->events[0].b = last ? INT16_MAX : -2; },
        [](LastMatchCopyRecord* c, bool last) { c->events[0].c = last ? 0 : -2; },
        [](LastMatchCopyRecord* c, bool last) { c->sides[1].kitColour = last ? 39 : 40; },
        [](LastMatchCopyRecord* c, bool last) { c->sides[0].tactic = last ? 51 : 52; },
        [](LastMatchCopyRecord* c, bool last) {
            c->sides[1].playerIds[15] = last ? PERSON_ID_END - 1 : PERSON_ID_END;
        },
        [](LastMatchCopyRecord* c, bool last) {
            std::memset(c->sides[0].teamName, 'A', sizeof c->sides[0].teamName - (last ? 1 : 0));
        },
        [](LastMatchCopyRecord* c, bool last) {
            c->stats[1].manOfTheMatch = static_cast<int16_t>(last ? PERSON_MAX - 1 : -2);
        },
        [](LastMatchCopyRecord* c, bool last) { c->stats[0].goals[19].player = last ? -1 : -5; },
        [](LastMatchCopyRecord* c, bool last) { c->stats[1].cards[0].player = last ? 30000 : -2; },
        [](LastMatchCopyRecord* c, bool last) { c->stats[0].scorers[20].player = last ? 7 : -3; },
    };
    for (size_t k = 0; k < std::size(crafts); ++k) {
        LastMatchCopyRecord crafted = valid;
        crafts[k](&crafted, true);
        EXPECT_TRUE(MatchBlocks_CheckCopy(&crafted)) << k;
        crafts[k](&crafted, false);
        EXPECT_FALSE(MatchBlocks_CheckCopy(&crafted)) << k;
    }
}

TEST(MatchBlocksDeathTest, AFieldIndexOutsideTheRecordIsFatal)
{
    PlayerMatchRecord record{};
    EXPECT_FATAL(PlayerMatchRecord_Get(record, 69), "PlayerMatchRecord_Get(): bad field 69");
    EXPECT_FATAL(PlayerMatchRecord_Set(&record, -1, 0), "PlayerMatchRecord_Set(): bad field -1");
}

}  // namespace
