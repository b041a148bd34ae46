// tests/game/playersearch_test.cpp: the search's criteria, filter, score and order over a whole
// generated world.
#include "game/playersearch.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

class PlayerSearchTest : public ::testing::Test {
protected:
    PlayerSearchTest()
    {
        NewGameForTest(6, 7);
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
        // A new career lists nobody and upsets nobody: some players of each kind for the filters.
        for (int32_t p = 100; p < FullPlayerCount; p += 37) {
            VTW_PutPlayerOnTxList(p, 1);
            VTW_SetPlayerLoanList(p + 1, 1);
            DbPlayers[p + 2].morale = 20;
        }
        PlayerSearchSettings_Init();
        ShortList_ResetCareer();
        PlayerSearchMode = 0;
        SearchSetup.ownClub = 0;
        PlayerSearch_SetSortKeys();
    }

    std::vector<int32_t> Build()
    {
        SearchListDirty = 1;
        PlayerSearch_Build();
        return {SearchList.players, SearchList.players + SearchList.count};
    }
    static bool Contains(const std::vector<int32_t>& list, int32_t player)
    {
        return std::find(list.begin(), list.end(), player) != list.end();
    }
    // The first ordinary player of a league club other than the human's that `pick` accepts.
    int32_t FindPlayer(const std::function<bool(int32_t)>& pick) const
    {
        for (int32_t p = PERSON_FIRST_ORDINARY; p < DbPersonCount; ++p) {
            const int32_t club = VTW_GetPlayerClub(p);
            if (club >= CLUB_ID_COUNT || club == m_human || VTW_GetPositionType(p) == 4) continue;
            if (VTW_GetPlayerManagerFlag(p) != 0 || VTW_GetPlayerWage(p) == 0) continue;
            if (pick(p)) return p;
        }
        return -1;
    }

    ScopedWorld m_world;
    ScopedSeason m_season;
    int32_t m_human = -1;
};

int32_t FootSeen(int32_t player, int32_t chosen)
{
    switch (VTW_GetPlayerSide(player)) {
        case 0: return FOOT_CENTRAL;
        case 1: return FOOT_LEFT;
        case 2: return FOOT_RIGHT;
        default: return chosen == FOOT_LEFT || chosen == FOOT_RIGHT ? chosen : FOOT_EITHER;
    }
}

// Every filter of the search, each read again through the query layer.
void ExpectPassesEveryFilter(int32_t p, int32_t human)
{
    const SearchSettings& s = SearchSetup;
    SCOPED_TRACE("player " + std::to_string(p));
    ASSERT_GE(p, PERSON_FIRST_ORDINARY);
    const int32_t club = VTW_GetPlayerClub(p);
    EXPECT_NE(club, human);
    if (club == CLUB_NONE) {
        EXPECT_EQ(s.withoutContract, 1);
    } else if (club == CLUB_ORIGIN) {
        EXPECT_NE(PlayerSearch_CountryClass(VTW_GetPlayerNationality(p)) & s.countryMask, 0);
    } else {
        const uint8_t cls = PlayerSearch_CountryClass(VTW_GetClubCountry(club));
        EXPECT_NE(cls & s.countryMask, 0);
        const int32_t division = VTW_GetClubDivision(club);
        if (cls == SEARCH_NATIONAL && division < DIVISION_MAX) {
            EXPECT_EQ(s.divisions[division], 1);
        }
        EXPECT_LE(VTW_GetPlayerWage(p), s.maxWage);
        EXPECT_GT(VTW_GetPlayerWage(p), 0);
    }
    EXPECT_GE(VTW_GetPlayerAge(p), std::min(s.ages[0], s.ages[1]));
    EXPECT_LE(VTW_GetPlayerAge(p), std::max(s.ages[0], s.ages[1]));
    if (s.foot != FOOT_ANY) {
        EXPECT_EQ(FootSeen(p, s.foot), s.foot);
    }
    if (s.status == STATUS_TRANSFER_LIST) {
        EXPECT_EQ(VTW_GetPlayerTxList(p), 1);
    }
    if (s.status == STATUS_LOAN_LIST) {
        EXPECT_EQ(VTW_GetPlayerLoanList(p), 1);
    }
    if (s.status == STATUS_UNSETTLED) {
        EXPECT_LT(VTW_GetPlayerMoralePercent(p), 30);
    }
    if (s.status == STATUS_CONTRACT_ENDING) {
        EXPECT_LT(VTW_GetPlayerContract(p), 12);
    }
    EXPECT_EQ(s.lines[VTW_GetPositionType(p)], 1);
    EXPECT_EQ(VTW_GetPlayerManager(p), 0);
    EXPECT_EQ(VTW_GetPlayerManagerFlag(p), 0);
    EXPECT_LE(VTW_GetPlayerValue(p), s.maxValue);
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        EXPECT_GE(GiveMeValuefor(p, SearchCriterionText[row]), SearchMinimums[row]) << row;
    }
}

}  // namespace

TEST_F(PlayerSearchTest, EachCriterionReadsItsStatAndOtherTextsGiveZero)
{
    struct Row {
        int32_t text;
        int32_t (*getter)(int32_t, int32_t);
        int32_t stat;
    };
    const Row rows[] = {
        {41, VTW_GetAbilityStat, 0},      {42, VTW_GetAbilityStat, 1},
        {43, VTW_GetAbilityStat, 2},      {44, VTW_GetAbilityStat, 3},
        {45, VTW_GetAbilityStat, 4},      {46, VTW_GetAbilityStat, 5},
        {47, VTW_GetAbilityStat, 6},      {48, VTW_GetAbilityStat, 7},
        {49, VTW_GetPhysicalStat, 8},     {50, VTW_GetPhysicalStat, 9},
        {51, VTW_GetPhysicalStat, 10},    {52, VTW_GetPhysicalStat, 11},
        {53, VTW_GetPhysicalStat, 12},    {54, VTW_GetPhysicalStat, 13},
        {55, VTW_GetPhysicalStat, 14},    {56, VTW_GetPersonalityStat, 15},
        {57, VTW_GetPersonalityStat, 19}, {58, VTW_GetPersonalityStat, 20},
    };
    const int32_t players[] = {2, 500, FullPlayerCount + 3, DbPersonCount - 1};
    for (const Row& row : rows) {
        EXPECT_NE(
            std::find(std::begin(SearchCriterionText), std::end(SearchCriterionText), row.text),
            std::end(SearchCriterionText))
            << row.text;
        for (const int32_t p : players) {
            EXPECT_EQ(GiveMeValuefor(p, row.text), row.getter(p, row.stat)) << row.text << " " << p;
        }
    }
    EXPECT_EQ(GiveMeValuefor(500, SEARCH_CRITERION_NONE), 0);
    for (const int32_t text : {0, 40, 59, 401, 403, -1}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(GiveMeValuefor(500, text), 0) << text;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "GiveMeValuefor(): Passing an invalid skill\n")
            << text;
    }
}

TEST_F(PlayerSearchTest, TheBuildsStatReadsEqualTheLookupForEveryPlayer)
{
    int32_t values[SEARCH_CRITERIA];
    for (int32_t p = 0; p < DbPersonCount; ++p) {
        PlayerSearch_CriterionValues(p, values);
        for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
            ASSERT_EQ(values[row], GiveMeValuefor(p, SearchCriterionText[row]))
                << "player " << p << " row " << row;
        }
    }
}

TEST_F(PlayerSearchTest, AScoreIsTheWeightedSumOfThreeCriteria)
{
    const int32_t p = 700;
    SearchWeights[9] = 3;   // "Vitesse": physical stat 8
    SearchWeights[0] = 5;   // "Passes": ability stat 3
    SearchWeights[7] = 10;  // "Charisme": personality stat 20, halved
    const int32_t pace = VTW_GetPhysicalStat(p, 8);
    const int32_t passes = VTW_GetAbilityStat(p, 3);
    const int32_t charisma = Player_GetStat(p, 20) / 2;
    EXPECT_EQ(PlayerSearch_Score(p), 3 * pace + 5 * passes + 10 * charisma);
    SearchSetup.countryMask = SEARCH_NATIONAL | SEARCH_EUROPEAN | SEARCH_WORLD;
    SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
    const std::vector<int32_t> list = Build();
    ASSERT_TRUE(Contains(list, p));
    EXPECT_EQ(PlayerSearchScore[p], 3 * pace + 5 * passes + 10 * charisma);
}

TEST_F(PlayerSearchTest, EveryListedPlayerPassesEveryFilterOfEachSetting)
{
    struct Case {
        const char* name;
        uint8_t mask;
        std::function<void(SearchSettings&)> set;
    };
    auto none = [](SearchSettings&) {};
    const Case cases[] = {
        {"national", 1, none},
        {"europe", 2, none},
        {"world", 4, none},
        {"everywhere, free agents", 7, [](SearchSettings& s) { s.withoutContract = 1; }},
        {"divisions 2 and 4 off", 1,
         [](SearchSettings& s) { s.divisions[1] = s.divisions[3] = 0; }},
        {"ages 30 to 22", 1,
         [](SearchSettings& s) {
             s.ages[0] = 30;
             s.ages[1] = 22;
         }},
        {"left", 1, [](SearchSettings& s) { s.foot = FOOT_LEFT; }},
        {"right", 1, [](SearchSettings& s) { s.foot = FOOT_RIGHT; }},
        {"either", 1, [](SearchSettings& s) { s.foot = FOOT_EITHER; }},
        {"transfer list", 7, [](SearchSettings& s) { s.status = STATUS_TRANSFER_LIST; }},
        {"loan list", 7, [](SearchSettings& s) { s.status = STATUS_LOAN_LIST; }},
        {"unsettled", 7, [](SearchSettings& s) { s.status = STATUS_UNSETTLED; }},
        {"contract ending", 1, [](SearchSettings& s) { s.status = STATUS_CONTRACT_ENDING; }},
        {"keepers and forwards", 1, [](SearchSettings& s) { s.lines[1] = s.lines[2] = 0; }},
        {"cheap", 3,
         [](SearchSettings& s) {
             s.maxWage = 2000;
             s.maxValue = 300000;
         }},
        {"minimums", 1,
         [](SearchSettings&) {
             SearchMinimums[0] = 45;
             SearchMinimums[9] = 60;
             SearchMinimums[16] = 20;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchSetup.countryMask = c.mask;
        c.set(SearchSetup);
        const std::vector<int32_t> list = Build();
        EXPECT_GT(list.size(), 0u);
        for (const int32_t p : list) {
            ExpectPassesEveryFilter(p, m_human);
            ASSERT_EQ(PlayerSearch_Matches(p), 1);
        }
        PlayerSearchSettings_Init();
        PlayerSearchMode = 0;
        SearchSetup.ownClub = 0;
    }
}

TEST_F(PlayerSearchTest, PlayersChosenToPassEveryFilterAreListed)
{
    struct Case {
        const char* name;
        std::function<void(SearchSettings&)> set;
        std::function<bool(int32_t)> pick;
    };
    auto classOf = [](int32_t p) {
        return PlayerSearch_CountryClass(VTW_GetClubCountry(VTW_GetPlayerClub(p)));
    };
    const Case cases[] = {
        {"national", [](SearchSettings& s) { s.countryMask = SEARCH_NATIONAL; },
         [&](int32_t p) { return classOf(p) == SEARCH_NATIONAL; }},
        {"europe", [](SearchSettings& s) { s.countryMask = SEARCH_EUROPEAN; },
         [&](int32_t p) { return classOf(p) == SEARCH_EUROPEAN; }},
        {"left foot", [](SearchSettings& s) { s.foot = FOOT_LEFT; },
         [](int32_t p) { return VTW_GetPlayerSide(p) == 1; }},
        {"right foot", [](SearchSettings& s) { s.foot = FOOT_RIGHT; },
         [](int32_t p) { return VTW_GetPlayerSide(p) == 2; }},
        {"transfer list", [](SearchSettings& s) { s.status = STATUS_TRANSFER_LIST; },
         [](int32_t p) { return VTW_GetPlayerTxList(p) == 1; }},
        {"contract ending", [](SearchSettings& s) { s.status = STATUS_CONTRACT_ENDING; },
         [](int32_t p) { return VTW_GetPlayerContract(p) < 12; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerSearchSettings_Init();
        PlayerSearchMode = 0;
        SearchSetup.ownClub = 0;
        SearchSetup.countryMask = 7;
        SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
        c.set(SearchSetup);
        const int32_t p = FindPlayer(c.pick);
        ASSERT_GE(p, 0);
        EXPECT_TRUE(Contains(Build(), p)) << p;
    }
}

TEST_F(PlayerSearchTest, AReleasedPlayerIsFoundWithTheToggleForPlayersWithoutAClub)
{
    const int32_t p = FindPlayer([](int32_t p) { return p < FullPlayerCount; });
    ASSERT_GE(p, 0);
    Market_Release(p);
    ASSERT_EQ(VTW_GetPlayerClub(p), CLUB_NONE);
    ASSERT_EQ(VTW_GetPlayerWage(p), 0);
    SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
    EXPECT_FALSE(Contains(Build(), p));
    SearchSetup.withoutContract = 1;
    EXPECT_TRUE(Contains(Build(), p));
}

TEST_F(PlayerSearchTest, AWorldClubsPlayerFromOutsideEuropeNeedsTheWorldBit)
{
    int32_t p = -1;
    for (int32_t q = PERSON_FIRST_ORDINARY; q < DbPersonCount && p < 0; ++q) {
        if (VTW_GetPlayerClub(q) == CLUB_ORIGIN && VTW_GetPositionType(q) != 4
            && PlayerSearch_CountryClass(VTW_GetPlayerNationality(q)) == SEARCH_WORLD)
            p = q;
    }
    ASSERT_GE(p, 0);
    SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
    SearchSetup.ages[0] = SEARCH_AGE_MIN;
    SearchSetup.ages[1] = 99;
    for (const uint8_t mask : {1, 2, 3, 4, 7}) {
        SearchSetup.countryMask = mask;
        EXPECT_EQ(Contains(Build(), p), (mask & SEARCH_WORLD) != 0) << int32_t{mask};
    }
}

TEST_F(PlayerSearchTest, TheCountryClassesFollowTheNationalityCodes)
{
    const int32_t country = VTW_GetCountry();
    EXPECT_EQ(PlayerSearch_CountryClass(country), SEARCH_NATIONAL);
    EXPECT_EQ(PlayerSearch_CountryClass(country == 0 ? 1 : 0), SEARCH_EUROPEAN);
    EXPECT_EQ(PlayerSearch_CountryClass(31), SEARCH_EUROPEAN);
    EXPECT_EQ(PlayerSearch_CountryClass(32), SEARCH_WORLD);
    EXPECT_EQ(PlayerSearch_CountryClass(95), SEARCH_WORLD);
    EXPECT_EQ(PlayerSearch_CountryClass(96), SEARCH_EUROPEAN);
    for (const int32_t europe : {33, 40, 45, 65, 69, 71, 72, 73, 77, 80, 84, 89}) {
        EXPECT_EQ(PlayerSearch_CountryClass(europe), SEARCH_EUROPEAN) << europe;
    }
}

TEST_F(PlayerSearchTest, TheManagersNeverAppearEvenAmongTheHumansOwnPlayers)
{
    SearchSetup.ownClub = 1;
    SearchSetup.countryMask = 7;
    SearchSetup.withoutContract = 1;
    SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
    const std::vector<int32_t> list = Build();
    EXPECT_FALSE(Contains(list, PERSON_HUMAN));
    EXPECT_FALSE(Contains(list, PERSON_STAND_IN));
    EXPECT_EQ(PlayerSearch_Matches(PERSON_HUMAN), 0);
    EXPECT_EQ(PlayerSearch_Matches(PERSON_STAND_IN), 0);
    // Nor does a player-manager of another club.
    const int32_t p = FindPlayer([](int32_t q) { return q < FullPlayerCount; });
    SearchSetup.ownClub = 0;
    ASSERT_TRUE(Contains(Build(), p));
    DbPlayers[p].flags |= PLAYER_MANAGER;
    EXPECT_FALSE(Contains(Build(), p));
}

TEST_F(PlayerSearchTest, ScoresNeverRiseDownTheListAndTiesFollowShirtThenId)
{
    SearchWeights[9] = 50;
    SearchWeights[4] = 20;
    SearchSetup.countryMask = 7;
    SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
    std::vector<int32_t> list = Build();
    ASSERT_GT(list.size(), 100u);
    int32_t ties = 0;
    for (size_t i = 1; i < list.size(); ++i) {
        const int32_t a = list[i - 1], b = list[i];
        ASSERT_GE(PlayerSearchScore[a], PlayerSearchScore[b]) << i;
        if (PlayerSearchScore[a] != PlayerSearchScore[b]) continue;
        ++ties;
        ASSERT_LE(PlayerCompareTable[25](a, b), 0) << i;
        if (PlayerCompareTable[25](a, b) == 0) {
            ASSERT_LT(PlayerCompareTable[0](a, b), 0) << i;
        }
    }
    EXPECT_GT(ties, 0);

    std::fill(std::begin(SearchWeights), std::end(SearchWeights), int16_t{0});
    list = Build();
    for (size_t i = 1; i < list.size(); ++i) {
        ASSERT_EQ(PlayerSearchScore[list[i]], 0);
        ASSERT_FALSE(
            PlayerList_Before(static_cast<int16_t>(list[i]), static_cast<int16_t>(list[i - 1])))
            << i;
    }
}

TEST_F(PlayerSearchTest, TheAnalysisListsTheHumansSquadAndTheMatchTeamItsFirstEleven)
{
    SearchSetup.searchActive = 0;
    SearchSetup.ownClub = 1;
    std::vector<int32_t> list = Build();
    const int32_t squad = VTW_RefreshSquadCount(m_human);
    EXPECT_EQ(static_cast<int32_t>(list.size()), squad);
    for (const int32_t p : list) {
        EXPECT_EQ(VTW_GetPlayerClub(p), m_human);
    }
    SearchSetup.matchTeam = 1;
    list = Build();
    ASSERT_LE(list.size(), 11u);
    for (const int32_t p : list) {
        EXPECT_GE(VTW_GetPlayerShirt(p), 1);
        EXPECT_LE(VTW_GetPlayerShirt(p), 11);
    }
    int32_t placed = 0;
    for (const auto& row : SearchList.grid) {
        for (const int16_t p : row) {
            if (p == SEARCH_GRID_EMPTY) continue;
            ++placed;
            EXPECT_GE(VTW_GetPlayerShirt(p), 2);
            EXPECT_TRUE(Contains(list, p));
        }
    }
    EXPECT_EQ(placed, 10);
    for (int32_t k = 0; k < SEARCH_SUBSTITUTES; ++k) {
        if (SearchList.substitutes[k] >= 0) {
            EXPECT_EQ(VTW_GetPlayerShirt(SearchList.substitutes[k]), 12 + k);
        }
    }
}

TEST_F(PlayerSearchTest, APresetBringsBackSettingsWeightsAndMinimums)
{
    SearchSetup.foot = FOOT_LEFT;
    SearchSetup.ages[1] = 25;
    SearchWeights[3] = 40;
    SearchMinimums[3] = 55;
    PlayerSearch_SavePreset(0, "Rapides et tres tres longs noms de recherche");
    EXPECT_STREQ(SearchPresets[0].name, "Rapides et tres tres longs nom");
    EXPECT_FALSE(PlayerSearch_LoadPreset(1));
    const SearchSettings saved = SearchSetup;
    SearchSetup = PlayerSearch_DefaultSettings();
    std::fill(std::begin(SearchWeights), std::end(SearchWeights), int16_t{0});
    std::fill(std::begin(SearchMinimums), std::end(SearchMinimums), int16_t{0});
    SearchListDirty = 0;
    ASSERT_TRUE(PlayerSearch_LoadPreset(0));
    EXPECT_EQ(SearchSetup.foot, saved.foot);
    EXPECT_EQ(SearchSetup.ages[1], saved.ages[1]);
    EXPECT_EQ(SearchSetup.ownClub, saved.ownClub);
    EXPECT_EQ(SearchWeights[3], 40);
    EXPECT_EQ(SearchMinimums[3], 55);
    EXPECT_EQ(SearchListDirty, 1u);
    EXPECT_EQ(SearchLastPreset, 0);
}
