// tests/game/fixtures_test.cpp: the fixture row's packing, competition numbers and texts,
// inserts and their refusals, the calendar's dates, and tours.
#include "game/fixtures.h"

#include <chrono>
#include <cstring>
#include <vector>

#include "engine/crc32.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

class FixturesTest : public testing::Test {
protected:
    ScopedWorld m_world;
};

uint32_t TableChecksum() { return Crc32(FixtureTable, sizeof FixtureTable); }

}  // namespace

TEST_F(FixturesTest, EveryFieldPacksAtItsLimitsWithoutTouchingItsNeighbours)
{
    NewGameForTest(5, 1);
    Fixtures_Clear();
    const int row = VTW_InsertFixture(365, COMP_INTERNATIONAL, 249, 248);
    ASSERT_EQ(row, 0);
    EXPECT_EQ(FixtureTable[0].head, 365u | 118u << 9 | 249u << 16 | 248u << 24);
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), FIXTURE_NOT_PLAYED);
    Fixture_SetGoals(row, 99, -3);
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), 14);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(row), 0);
    Fixture_SetShootOut(row, 15, 14);
    EXPECT_EQ(FixtureTable[0].result, 14u | 1u << 10 | 15u << 12 | 14u << 16);
    Fixture_SetShootOut(row, 2, 3);
    EXPECT_EQ(Fixture_GetShootOutAwayWon(row), 1);
    Fixture_SetExtraTime(row, 1);
    EXPECT_EQ(FixtureTable[0].result, 14u | 3u << 10 | 2u << 12 | 3u << 16 | 1u << 20);
    Fixture_SetAttendance(row, 99999999);
    Fixture_SetNeutral(row, 1);
    EXPECT_EQ(FixtureTable[0].crowd, 0xFFFFFFu | 1u << 24);
    Fixture_SetAttendance(row, 0);
    EXPECT_EQ(FixtureTable[0].crowd, 1u << 24);
    EXPECT_EQ(VTW_GetFixtureNeutralFlag(row), 1);
    Fixture_SetPlayerRow(row, 1, 15, {24999, 0xFF, 100, 0xFF, 255});
    uint8_t bytes[sizeof(FixtureRow)];
    std::memcpy(bytes, &FixtureTable[0], sizeof bytes);
    EXPECT_EQ(bytes[204 - 6], 24999 & 0xFF);
    EXPECT_EQ(bytes[204 - 1], 255);
    EXPECT_EQ(Fixture_GetPlayerRow(row, 1, 14).player, -1);
    EXPECT_EQ(Fixture_GetPlayerRow(row, 0, 15).player, -1);
    EXPECT_EQ(VTW_GetFixtureDay(365), FIXTURE_DAY_EMPTY);
    EXPECT_EQ(VTW_GetFixtureDay(FIXTURE_ROWS), 0);
    EXPECT_EQ(VTW_GetFixtureHomeClub(-1), 0);
}

TEST_F(FixturesTest, CompetitionNumbersMapToCupsRoundsAndTexts)
{
    NewGameForTest(0, 1);
    for (int comp = 0; comp < COMP_COUNT; ++comp) {
        SCOPED_TRACE(comp);
        const bool cup = comp >= 5 && comp <= 116;
        EXPECT_EQ(VTW_GetCompCup(comp), cup ? (comp - 5) / 16 : -2);
        EXPECT_EQ(VTW_GetCompRound(comp), cup ? (comp - 5) % 8 : -2);
        const int index = VTW_GetCupIndexOfComp(comp);
        EXPECT_EQ(index, !cup ? -2 : (comp - 5) / 16 == 5 ? 6 : (comp - 5) / 16);
        int name = 0, stage = 0, leg = 0;
        VTW_GetCompetitionTexts(comp, &name, &stage, &leg);
        if (comp == 0) {
            EXPECT_EQ(name, 2690);
        }
        if (comp >= 1 && comp <= 3) {
            EXPECT_EQ(name, 111 + comp);
        }
        if (comp == 117) {
            EXPECT_EQ(name, 701);
        }
        if (comp == 118) {
            EXPECT_EQ(name, 1559);
        }
        if (!cup) {
            EXPECT_EQ(stage, -1);
        }
        const int round = VTW_GetCompRound(comp);
        const int c = VTW_GetCompCup(comp);
        if (cup && c >= 4) {
            const bool played = round >= (c == 6 ? 0 : 1) && round <= Cup_FinalRound(c);
            EXPECT_EQ(name, played ? 2410 + c : -1);
            if (played) {
                EXPECT_GE(stage, 2680);
                EXPECT_LE(stage, 2691);
            }
        }
        if (cup && Fixture_IsSecondLeg(comp) && name >= 0) {
            EXPECT_EQ(leg, 135);
        }
    }
    const int expected[CUP_COUNT] = {5, 21, 37, 53, 70, 86, 101};
    for (int cup = 0; cup < CUP_COUNT; ++cup) {
        EXPECT_EQ(VTW_GetCupFirstComp(cup), expected[cup]);
    }
    int stage = 0, leg = 0;
    EXPECT_EQ(VTW_BuildTable668(105, &stage, &leg), 2416);
    EXPECT_EQ(stage, 2688);  // the champions' cup final
    EXPECT_EQ(leg, -1);
    VTW_BuildTable668(102, &stage, &leg);
    EXPECT_EQ(stage, 2685);
    EXPECT_EQ(leg, 134);
    VTW_BuildTable668(101, &stage, &leg);
    EXPECT_EQ(stage, 2691);
    EXPECT_EQ(VTW_BuildTable668(37, &stage, &leg), -1);  // country 0 has two national cups
}

TEST_F(FixturesTest, RefusedInsertsLeaveTheTableByteIdentical)
{
    NewGameForTest(4, 3);
    const uint32_t before = TableChecksum();
    const int busy = VTW_GetFixtureHomeClub(0);
    const int day = VTW_GetFixtureDay(0);
    EXPECT_EQ(VTW_InsertFixture(-1, COMP_FRIENDLY, 1, 2), -1);
    EXPECT_EQ(VTW_InsertFixture(GameState.daysInSeason, COMP_FRIENDLY, 1, 2), -1);
    EXPECT_EQ(VTW_InsertFixture(FIXTURE_DAY_EMPTY, COMP_FRIENDLY, 1, 2), -1);
    EXPECT_EQ(VTW_InsertFixture(10, COMP_COUNT, 1, 2), -1);
    EXPECT_EQ(VTW_InsertFixture(10, COMP_FRIENDLY, 3, 3), -1);
    EXPECT_EQ(VTW_InsertFixture(10, COMP_FRIENDLY, 3, CLUB_ID_COUNT), -1);
    EXPECT_EQ(VTW_InsertFixture(day, COMP_FRIENDLY, 249, busy), -1);
    EXPECT_EQ(TableChecksum(), before);
    Fixtures_Clear();
    for (int k = 0; k < FIXTURE_ROWS; ++k) {
        FixtureTable[k].head = static_cast<uint32_t>(k / 10) | 117u << 9 | 1u << 16 | 2u << 24;
    }
    const uint32_t full = TableChecksum();
    EXPECT_EQ(VTW_InsertFixture(5, COMP_FRIENDLY, 3, 4), -1);
    EXPECT_EQ(TableChecksum(), full);
}

TEST_F(FixturesTest, InsertKeepsRowsSortedAfterTheirDay)
{
    NewGameForTest(5, 3);
    const int day = GameState.firstLeagueDay;
    const int row = VTW_InsertFixture(day, COMP_FRIENDLY, 240, 241);
    ASSERT_GE(row, 0);
    EXPECT_EQ(VTW_GetFixtureDay(row), day);
    EXPECT_EQ(VTW_GetFixtureDay(row - 1), day);
    EXPECT_GT(VTW_GetFixtureDay(row + 1), day);
    EXPECT_EQ(VTW_FindFriendlyOnDay(240, day), row);
    EXPECT_EQ(VTW_FindCompetitiveFixtureOnDay(240, day), -1);
    EXPECT_EQ(VTW_FindFixtureOfClubOnDay(241, day), row);
}

TEST_F(FixturesTest, NextOpponentAndPlayedFixturesFollowToday)
{
    NewGameForTest(5, 3);
    const int club = VTW_GetDivisionSlot(0, 0);
    const int last = VTW_FindFixtureOfClubOnDay(club, GameState.lastLeagueDay);
    ASSERT_GE(last, 0);
    Calendar_SetDay(GameState.lastLeagueDay);
    const int opponent = VTW_GetFixtureHomeClub(last) == club ? VTW_GetFixtureAwayClub(last)
                                                              : VTW_GetFixtureHomeClub(last);
    EXPECT_EQ(VTW_GetNextOpponent(club), opponent == club ? -1 : opponent);
    EXPECT_GE(VTW_GetPlayedFixtures(club), 33);
    Calendar_SetDay(GameState.holidayStart);
    EXPECT_EQ(VTW_GetNextOpponent(club), -1);
    Calendar_SetDay(0);
    EXPECT_EQ(VTW_GetPlayedFixtures(club), 0);
    EXPECT_EQ(VTW_IsRegularPlayer(VTW_GetClubManager(club)), 0);
}

TEST_F(FixturesTest, ATourBooksThreeFriendliesApartOrNone)
{
    NewGameForTest(0, 3);
    const int club = VTW_GetDivisionSlot(3, 5);
    GameState.humanClub = static_cast<int16_t>(club);
    ASSERT_EQ(VTW_ClubHasFixtureOnDay(club, 0), 1);
    EXPECT_EQ(VTW_ArrangeFriendly(club, 12), 3);
    std::vector<int> days;
    for (int day = 0; day < 20; ++day) {
        const int row = VTW_FindFriendlyOnDay(club, day);
        if (row < 0) continue;
        days.push_back(day);
        EXPECT_EQ(VTW_GetFixtureAwayClub(row), club);
        EXPECT_EQ(VTW_GetClubCountry(VTW_GetFixtureHomeClub(row)), 12);
    }
    ASSERT_EQ(days.size(), 3u);
    EXPECT_GE(days[1] - days[0], 2);
    EXPECT_GE(days[2] - days[1], 2);
    Calendar_SetDay(GameState.holidayStart - 3);
    EXPECT_EQ(VTW_ClubHasFixtureOnDay(club, DayNo), 0);
    EXPECT_EQ(VTW_ArrangeFriendly(club, 12), 0);
}

TEST_F(FixturesTest, SeasonDaysAgreeWithTheCivilCalendar)
{
    using namespace std::chrono;
    for (int season = 0; season <= 11; ++season) {
        GameState.seasonCounter = static_cast<uint16_t>(season);
        const int days = Calendar_DaysInSeason(season);
        EXPECT_EQ(days, (season + 2000) % 4 == 0 ? 366 : 365);
        const sys_days start = year{1999 + season} / August / 1;
        for (int day = 0; day < days; ++day) {
            const year_month_day date{start + std::chrono::days{day}};
            const weekday w{start + std::chrono::days{day}};
            int dayOfMonth = 0, month = 0, ours = 0;
            VTW_SeasonDayToDate(day, &dayOfMonth, &month, &ours);
            ASSERT_EQ(dayOfMonth, static_cast<int>(unsigned(date.day())));
            ASSERT_EQ(month, static_cast<int>(unsigned(date.month())));
            ASSERT_EQ(ours, static_cast<int>((w.c_encoding() + 1) % 7));  // Saturday 0
            ASSERT_EQ(VTW_DateToSeasonDay(dayOfMonth, month - 1), day);
        }
    }
}

TEST_F(FixturesTest, TheDateWordsAndTextFollowTheDay)
{
    NewGameForTest(0, 3);
    Calendar_SetDay(153);  // 1 January 2000
    EXPECT_EQ(VTW_GetDayOfMonth(), 1);
    EXPECT_EQ(VTW_GetMonth(), 0);
    EXPECT_EQ(VTW_GetYear(), 2000);
    EXPECT_EQ(VTW_GetWeekday(), WEEKDAY_SATURDAY);
    EXPECT_EQ(VTW_GetCurrentDay(), 153);
    EXPECT_EQ(VTW_GetFullYear(0), 2000);
    EXPECT_EQ(VTW_GetFullYear(5), 2005);
    EXPECT_EQ(VTW_GetFullYear(99), 1999);
    int first = 0, second = 0;
    VTW_GetYearPair(0, &first, &second);
    EXPECT_EQ(first * 10000 + second, 19992000);
}

TEST(FixturesDeathTest, AClubInNoGroupIsFatal)
{
    ScopedWorld world;
    NewGameForTest(5, 3);
    int grouped = -1;
    for (int club = 0; club < CLUB_ID_COUNT && grouped < 0; ++club) {
        bool found = false;
        for (int g = 0; g < CHAMPIONS_GROUPS; ++g) {
            for (int k = 0; k < CHAMPIONS_GROUP_SIZE; ++k) {
                found |= VTW_GetChampionsLeagueGroupClub(g, k) == club;
            }
        }
        if (!found) grouped = club;
    }
    EXPECT_FATAL(VTW_GetChampionsLeagueGroup(grouped),
                 "VTW_GetChampionsLeagueGroup(): Team Not In Champions League");
}
