// tests/menus/honours_test.cpp: the roll of honour and the three ranked lists over hand-filled
// honours and clubs: which rows show what, the sort, the paging, the 250-entry limit, the clicks
// over the real menu loop, and their frames.
#include "menus/honours.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class HonoursTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto& season : HonoursTable) {
            for (auto& column : season) {
                column[0] = column[1] = -1;
            }
        }
        for (auto& division : PlayOffClubs) {
            std::fill(std::begin(division), std::end(division), int16_t{-1});
        }
        EuroQualifiers = {};
    }

    static int16_t Club(int32_t division, int32_t k)
    {
        return static_cast<int16_t>(VTW_GetDivisionSlot(division, k));
    }
    static int16_t Team(int32_t club) { return static_cast<int16_t>(VTW_GetTeam(club)); }
    static std::string Name(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }
    static std::string Text(int32_t n) { return GetMessageText(n); }
    // A row as "heading|club|note", the text numbers read as their texts.
    static std::string Row(int32_t r)
    {
        const RollRow& row = RollOfHonour.rows[r];
        return Text(row.headingText) + row.heading + "|" + Text(row.clubName) + "|" + row.note;
    }
    static std::vector<int32_t> Keys()
    {
        std::vector<int32_t> keys;
        for (int32_t k = 0; k < RankedLists.count; ++k) {
            const int32_t e = RankedLists.entries[k];
            keys.push_back(RankedLists.list == RANKED_MANAGERS ? VTW_GetPlayerReputation(e)
                           : RankedLists.list == RANKED_CLUBS  ? VTW_GetClubReputation(e)
                                                               : VTW_GetClubSeasonDispoints(e));
        }
        return keys;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(HonoursTest, TheTopDivisionShowsItsWinnersAndQualifiersWithTheTitlesTheyHold)
{
    const int16_t champion = Club(0, 4), second = Club(0, 7), cupWinner = Club(0, 9);
    HonoursTable[1][HONOURS_DIVISION_FIRST][0] = Team(champion);
    HonoursTable[1][HONOURS_DIVISION_FIRST][1] = Team(second);
    HonoursTable[1][0][0] = Team(cupWinner);
    EuroQualifiers.champions[0] = champion;
    EuroQualifiers.champions[1] = second;
    EuroQualifiers.second[0] = cupWinner;
    EuroQualifiers.counts[0] = 2;
    EuroQualifiers.counts[1] = 1;
    RollOfHonour_Build(0);
    const std::string division = Text(VTW_GetDivisionNameTextNo(0));
    const std::string cup = Text(VTW_GetCountryTextNo(0));
    const std::vector<std::string> rows = {
        Text(1470) + "|" + Name(champion) + "|",
        Text(1467) + "|" + Name(second) + "|",
        cup + " " + Text(1466) + "|" + Name(cupWinner) + "|",
        Text(1821) + "||",
        "||" + Name(champion) + " (" + Text(1470) + " " + division + ")",
        "||" + Name(second),
        Text(1822) + "||",
        "||" + Name(cupWinner) + " (" + cup + ")",
        "||",
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(Row(static_cast<int32_t>(r)), rows[r]) << r;
    }
    EXPECT_EQ(RollOfHonour.title, VTW_GetDivisionLongNameTextNo(0));
}

TEST_F(HonoursTest, TwentyQualifiersStopAtTheLastSlot)
{
    for (int32_t k = 0; k < EURO_QUALIFIERS_MAX; ++k) {
        EuroQualifiers.champions[k] = Club(0, k);
        EuroQualifiers.second[k] = Club(0, 10 + k);
    }
    EuroQualifiers.counts[0] = EuroQualifiers.counts[1] = EURO_QUALIFIERS_MAX;
    RollOfHonour_Build(0);
    EXPECT_EQ(Row(14), Text(1822) + "||");
    EXPECT_EQ(Row(ROLL_SLOTS - 1), "||" + Name(Club(0, 15)));
}

TEST_F(HonoursTest, ALowerDivisionListsItsPlayOffClubsOrOnlyItsChampionAndRunnerUp)
{
    const int16_t clubs[HONOURS_PLAYOFF_CLUBS] = {Club(1, 2), Club(1, 3), Club(1, 4), Club(1, 5)};
    HonoursTable[1][HONOURS_DIVISION_FIRST + 1][0] = Team(Club(1, 0));
    HonoursTable[1][HONOURS_DIVISION_FIRST + 1][1] = Team(Club(1, 1));
    struct Case {
        bool playOffs;
        std::vector<std::string> rows;
    };
    const std::string promoted = " (" + Text(1818) + ")";
    const Case cases[] = {
        {true,
         {Text(1470) + "|" + Name(Club(1, 0)) + "|", Text(1467) + "|" + Name(Club(1, 1)) + "|",
          Text(1819) + "||", "||" + Name(clubs[0]) + promoted, "||" + Name(clubs[1]) + promoted,
          "||" + Name(clubs[2]) + promoted, "||" + Name(clubs[3]) + promoted, "||"}},
        {false,
         {Text(1470) + "|" + Name(Club(1, 0)) + "|", Text(1467) + "|" + Name(Club(1, 1)) + "|",
          "||", "||", "||", "||", "||", "||"}},
    };
    for (const Case& c : cases) {
        if (c.playOffs)
            Honours_SetPlayOffClubs(1, clubs);
        else
            PlayOffClubs[1][0] = -1;
        RollOfHonour_Build(1);
        for (size_t r = 0; r < c.rows.size(); ++r) {
            EXPECT_EQ(Row(static_cast<int32_t>(r)), c.rows[r]) << c.playOffs << " " << r;
        }
    }
    RollOfHonour_Build(2);  // nobody recorded: blank clubs, the headings stay
    EXPECT_EQ(Row(0), Text(1470) + "||");
    EXPECT_EQ(Row(1), Text(1467) + "||");
}

TEST_F(HonoursTest, TheClubListsSortHighestFirstWithEqualKeysInIdOrder)
{
    std::vector<int32_t> country;
    for (int32_t club = 0; club < DbClubCount; ++club) {
        if (VTW_GetClubCountry(club) == GameState.country && VTW_GetClubDivision(club) < 6)
            country.push_back(club);
    }
    for (const int32_t club : country) {
        ClubRecord* r = VTW_GetClubRecordPtr(club);
        r->reputation = static_cast<uint8_t>(club % 5 * 10);  // many equal keys
        r->seasonDispoints = static_cast<int16_t>(club % 3);
    }
    for (const int32_t list : {RANKED_CLUBS, RANKED_DISCIPLINE}) {
        RankedLists_Collect(list);
        ASSERT_EQ(RankedLists.count, static_cast<int32_t>(country.size())) << list;
        const std::vector<int32_t> keys = Keys();
        for (int32_t k = 1; k < RankedLists.count; ++k) {
            EXPECT_GE(keys[k - 1], keys[k]) << list << " " << k;
            if (keys[k - 1] == keys[k]) {
                EXPECT_LT(RankedLists.entries[k - 1], RankedLists.entries[k]) << list << " " << k;
            }
        }
    }
    const int32_t club = RankedLists.entries[0];
    VTW_GetClubRecordPtr(club)->seasonDispoints = 4;
    RankedLists_FillRows();
    const std::string division = Text(VTW_GetDivisionNameTextNo(VTW_GetClubDivision(club)));
    EXPECT_STREQ(RankedLists.rows[0].rank, "1.");
    EXPECT_STREQ(RankedLists.rows[0].note, "");
    EXPECT_EQ(std::string(RankedLists.rows[0].second), "(" + division + ")  12");
    RankedLists_Collect(RANKED_CLUBS);
    RankedLists_FillRows();
    EXPECT_EQ(std::string(RankedLists.rows[1].note),
              "(" + Text(VTW_GetDivisionNameTextNo(VTW_GetClubDivision(RankedLists.entries[1])))
                  + ")");
    EXPECT_STREQ(RankedLists.rows[1].second, "");
}

TEST_F(HonoursTest, PagesOfSixteenStayWithinTheListAndAShortListNeitherPagesNorFillsItsRows)
{
    struct Case {
        int16_t count;
        std::vector<int16_t> down;  // the first row after each page down
        std::vector<int16_t> up;    // then after each page up
    };
    const Case cases[] = {
        {10, {0, 0}, {0}},
        {17, {0}, {0}},
        {18, {1, 1}, {0}},
        {40, {16, 23, 23}, {7, 0, 0}},
    };
    RankedLists_Collect(RANKED_CLUBS);
    for (const Case& c : cases) {
        RankedLists.count = c.count;
        RankedLists.first = 0;
        for (const int16_t first : c.down) {
            EXPECT_EQ(RankedLists_PageDown(nullptr), EXM_CODE_REDRAW);
            EXPECT_EQ(RankedLists.first, first) << c.count;
        }
        for (const int16_t first : c.up) {
            RankedLists_PageUp(nullptr);
            EXPECT_EQ(RankedLists.first, first) << c.count;
        }
        RankedLists_FillRows();
        for (int32_t r = 0; r < RANKED_ROWS; ++r) {
            EXPECT_EQ(RankedLists.rows[r].name < 0, r >= c.count) << c.count << " " << r;
            EXPECT_EQ(RankedLists.rows[r].rank[0] == '\0', r >= c.count) << c.count << " " << r;
        }
    }
}

TEST_F(HonoursTest, ThreeHundredPlayerManagersKeepTheHumanAndTheFirstInIdOrder)
{
    std::vector<int32_t> managers;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && managers.size() < 300; ++id) {
        const int32_t club = VTW_GetPlayerClub(id);
        if (club >= 0 && club < CLUB_ID_COUNT && VTW_GetClubCountry(club) == GameState.country
            && !VTW_GetPlayerManager(id)) {
            DbPlayers[id].flags |= PLAYER_MANAGER;
            DbPlayers[id].reputation = static_cast<uint8_t>(id % 7);
            managers.push_back(id);
        }
    }
    ASSERT_EQ(managers.size(), 300U);
    RankedLists_Collect(RANKED_MANAGERS);
    ASSERT_EQ(RankedLists.count, RANKED_MAX);
    const std::vector<int16_t> kept(RankedLists.entries, RankedLists.entries + RANKED_MAX);
    EXPECT_NE(std::find(kept.begin(), kept.end(), PERSON_HUMAN), kept.end());
    const int32_t last = managers.back();
    EXPECT_EQ(std::find(kept.begin(), kept.end(), last), kept.end());  // past the 250th
    const std::vector<int32_t> keys = Keys();
    for (int32_t k = 1; k < RANKED_MAX; ++k) {
        EXPECT_GE(keys[k - 1], keys[k]) << k;
    }
    for (int32_t k = 0; k < RANKED_MAX; ++k) {
        const int32_t e = RankedLists.entries[k];
        if (e == PERSON_HUMAN) continue;
        EXPECT_TRUE(std::find(managers.begin(), managers.begin() + 249, e) != managers.end()
                    || VTW_GetPlayerManager(e))
            << e;
    }
}

TEST_F(HonoursTest, ARowClickOpensTheManagersCareerOrTheClubsSquad)
{
    struct Case {
        const MenuItem* (*table)();
        int16_t option;
    };
    const Case cases[] = {
        {ClubReputation_Table, MENU_OPTION_TO_SQUAD},
        {DisciplineList_Table, MENU_OPTION_TO_SQUAD},
        {ManagerReputation_Table, 57},
    };
    for (const Case& c : cases) {
        MenuInputs inputs;
        AddClick(&inputs, 300, 200, 112);  // the second row
        m_screen.Run(
            c.table(), [] {}, inputs);
        const int16_t entry = RankedLists.entries[1];
        EXPECT_EQ(MenuOption, c.option);
        if (c.option == 57) {
            EXPECT_EQ(CurrentPlayer, entry);
        } else {
            EXPECT_EQ(GameState.currentClub, entry);
        }
    }
}

TEST_F(HonoursTest, TheRollAndTheClubListMatchTheirGoldens)
{
    HonoursTable[1][HONOURS_DIVISION_FIRST][0] = Team(Club(0, 4));
    HonoursTable[1][HONOURS_DIVISION_FIRST][1] = Team(Club(0, 7));
    HonoursTable[1][0][0] = Team(Club(0, 9));
    for (int32_t k = 0; k < 4; ++k) {
        EuroQualifiers.champions[k] = Club(0, 4 + k);
        EuroQualifiers.second[k] = Club(0, 9 + k);
    }
    EuroQualifiers.counts[0] = EuroQualifiers.counts[1] = 4;
    uint32_t hash = 0;
    m_screen.Run(RollOfHonour_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("roll_of_honour.png");
    });
    ExpectGoldenHash("menus/roll_of_honour", hash);
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        if (ClubRecord* r = VTW_GetClubRecordPtr(club)) r->reputation = static_cast<uint8_t>(club);
    }
    VTW_GetClubRecordPtr(m_screen.HumanClub())->reputation = 255;  // first, highlighted
    m_screen.Run(ClubReputation_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("club_reputation.png");
    });
    ExpectGoldenHash("menus/club_reputation", hash);
}

TEST_F(HonoursTest, TheArrowsPageTheRowsOnScreen)
{
    std::vector<uint32_t> hashes;
    MenuInputs inputs;
    for (const uint32_t tick : {100, 400, 700}) {  // the pointer kept off the rows
        inputs.push_back({tick, MenuInput::MOVE, 630, 300, {}});
        inputs.push_back(
            {tick + 50, MenuInput::CALL, 0, 0, [&] { hashes.push_back(WorkScreenHash()); }});
    }
    AddClick(&inputs, 200, 40, 460);  // down
    AddClick(&inputs, 500, 40, 440);  // up
    AddClick(&inputs, 800, 300, 92);  // the first row shown
    m_screen.Run(
        ManagerReputation_Table(), [] {}, inputs);
    ASSERT_EQ(hashes.size(), 3U);
    EXPECT_NE(hashes[1], hashes[0]);
    EXPECT_EQ(hashes[2], hashes[0]);
    EXPECT_EQ(CurrentPlayer, RankedLists.entries[0]);
}
