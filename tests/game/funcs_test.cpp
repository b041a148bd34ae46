// tests/game/funcs_test.cpp: the query layer's id checks (negative ids fatal with their exact
// text, ids past the end 0 or nothing), small clubs and light players, and the money rules.
#include "game/funcs.h"

#include <functional>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "game/gamestate.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

using IdFn = std::function<int32_t(int32_t)>;

struct NamedGetter {
    const char* field;
    IdFn get;
};

// clang-format off
const std::vector<NamedGetter> kClubGetters = {
    {"Team", VTW_GetTeam}, {"Country", VTW_GetClubCountry}, {"Division", VTW_GetClubDivision},
    {"Reputation", VTW_GetClubReputation}, {"Controller", VTW_GetClubController},
    {"Manager", VTW_GetClubManager}, {"Manager", Club_GetManager},
    {"Caretaker", VTW_GetPlayerCaretaker}, {"Slot", Club_GetSlot},
    {"Capacity", VTW_GetClubCapacity1}, {"Capacity", VTW_GetClubCapacity4},
    {"AverageAttendance", VTW_GetClubAverageAttendance}, {"Teamwork", VTW_GetClubTeamwork},
    {"Corners", VTW_GetClubSetPieces1}, {"FreeKicks", VTW_GetClubSetPieces2},
    {"Penalties", VTW_GetClubSetPieces3}, {"ContractClause", VTW_GetClubContractClause},
    {"TrainingClause", VTW_GetClubTrainingClause}, {"SeasonDispoints", VTW_GetClubSeasonDispoints},
    {"History", [](int32_t c) { return VTW_GetClubHistoryPlace(c, 0); }},
    {"History", [](int32_t c) { return VTW_GetClubHistoryDword(c, 0); }},
    {"RepRank", VTW_GetClubRepRank}, {"Squad", VTW_RefreshSquadCount},
    {"SquadCount", VTW_GetClubSquadCount}, {"Captains", VTW_CountTeamCaptains},
};
const std::vector<NamedGetter> kStaffGetters = {
    {"Coach", VTW_GetClubCoach}, {"CoachGK", VTW_GetClubCoachGK}, {"CoachDF", VTW_GetClubCoachDF},
    {"CoachMD", VTW_GetClubCoachMD}, {"CoachFW", VTW_GetClubCoachFW}, {"Physio", VTW_GetClubPhysio},
    {"YDO", VTW_GetClubYDO}, {"Dietitian", VTW_GetClubDietitian},
    {"CoachYouth", VTW_GetClubCoachYouth}, {"Psycho", VTW_GetClubPsycho}, {"Faith", VTW_GetClubFaith},
    {"Coach", [](int32_t c) { return Staff_GetContract(c, STAFF_COACH); }},
};
const std::vector<NamedGetter> kFinanceGetters = {
    {"Balance", VTW_GetClubBalance}, {"Balance", Club_GetBalance},
    {"GateReceipts", VTW_GetClubGateReceipts}, {"Sales", VTW_GetClubSales},
    {"Sponsorship", VTW_GetClubSponsorship}, {"TVIncome", VTW_GetClubTVIncome},
    {"Merchandising", VTW_GetClubMerchandising}, {"MiscIn", VTW_GetClubMiscIn},
    {"WinBonuses", VTW_GetClubWinBonuses}, {"PlayerWages", VTW_GetClubPlayerWages},
    {"Signings", VTW_GetClubSignings}, {"CoachingStaffWages", VTW_GetClubCoachingStaffWages},
    {"GroundStaffWages", VTW_GetClubGroundStaffWages},
    {"StadiumMaintenance", VTW_GetClubStadiumMaintenance}, {"MiscOut", VTW_GetClubMiscOut},
    {"BalanceCarriedForward", VTW_GetClubBalanceCarriedForward},
    {"StadiumWorks", VTW_SumStadiumWorks}, {"MaxWageOffer", VTW_GetClubMaxWageOffer},
    {"TransferBudget", VTW_GetClubTransferBudget}, {"TransferBudget", Club_GetTransferBudget},
    {"WageTotal", [](int32_t c) { return VTW_GetClubWageTotal(c, nullptr); }},
    {"WageBill", VTW_GetClubWageBill}, {"GateReceipts", VTW_GetClubIncome},
    {"PlayerWages", VTW_GetClubSpending},
};
const std::vector<NamedGetter> kPlayerGetters = {
    {"Club", VTW_GetPlayerClub}, {"OnLoan", VTW_GetPlayerOnLoan}, {"LoanSlot", VTW_GetPlayerLoanSlot},
    {"OriginWord", VTW_GetPlayerOriginWord}, {"Position", VTW_GetPlayerPosition},
    {"Side", VTW_GetPlayerSide}, {"Shirt", VTW_GetPlayerShirt}, {"Age", VTW_GetPlayerAge},
    {"Nationality", VTW_GetPlayerNationality}, {"Reputation", VTW_GetPlayerReputation},
    {"Wage", VTW_GetPlayerWage}, {"Contract", VTW_GetPlayerContract},
    {"Training", VTW_GetPlayerTraining}, {"AbilityCurve", VTW_GetPlayerAbilityCurve},
    {"Training", Player_GetTraining}, {"AbilityCurve", Player_GetAbilityCurve},
    {"Position", Player_GetPositionRaw}, {"Apps", VTW_GetPlayerApps}, {"Goals", VTW_GetPlayerGoals},
    {"Assists", VTW_GetPlayerAssists}, {"Perf", VTW_GetPlayerPerf},
    {"CareerApps", VTW_GetPlayerCareerApps}, {"CareerGoals", VTW_GetPlayerCareerGoals},
    {"DisciplinePoints", VTW_GetPlayerDisciplinePoints}, {"Suspension", Player_GetSuspension},
    {"Injured", VTW_GetPlayerInFlag}, {"Missing", VTW_GetPlayerZeroD},
    {"InjuryType", VTW_GetPlayerInjuryType}, {"InjuryTime", VTW_GetPlayerInjuryTime},
    {"TxList", VTW_GetPlayerTxList}, {"LoanList", VTW_GetPlayerLoanList},
    {"Captain", VTW_GetPlayerCaptain}, {"Position", VTW_GetPlayerManager},
    {"ManagerFlag", VTW_GetPlayerManagerFlag}, {"AskingPrice", VTW_GetRecField14},
    {"PersonBits", VTW_GetPersonBits0to2}, {"PersonBits", VTW_GetPersonBits3to5},
    {"PersonBits", VTW_GetPersonBits6to8}, {"Position", VTW_GetPositionType},
    {"Position", VTW_GetPositionLine}, {"Position", VTW_GetPositionTextNo},
    {"Side", VTW_GetSideTextNo}, {"Morale", VTW_GetPlayerMoralePercent},
    {"Fitness", VTW_GetPlayerFitnessPercent}, {"Fatigue", VTW_GetPlayerFatiguePercent},
    {"Experience", VTW_GetPlayerExperiencePercent},
    {"AbilityStat", [](int32_t p) { return VTW_GetAbilityStat(p, 3); }},
    {"PhysicalStat", [](int32_t p) { return VTW_GetPhysicalStat(p, 9); }},
    {"PersonalityStat", [](int32_t p) { return VTW_GetPersonalityStat(p, 19); }},
    {"Value", VTW_GetPlayerValue}, {"ValueWithPotential", VTW_ComputePlayerValueWithPotential},
    {"Availability", VTW_GetPlayerAvailability}, {"StatusText", VTW_GetPlayerStatusText},
    {"TacticB", Person_GetTacticB},
};
struct NamedSetter {
    const char* field;
    std::function<void(int32_t)> set;
};
const std::vector<NamedSetter> kClubSetters = {
    {"Control", [](int32_t c) { VTW_SetClubControl(c, 1); }},
    {"FinancialClause", [](int32_t c) { VTW_SetClubFinancialClause(c, 1); }},
    {"Flag51_6", VTW_ClearClubFlag51_6}, {"Flag27_2", VTW_ClearClubFlag27_2},
    {"Flag27_3", [](int32_t c) { VTW_ClearClubFlag27_3(c, 1); }}, {"Flag82_1", VTW_ClearClubFlag82_1},
    {"Flag3_7", VTW_ClearClubFlag3_7}, {"Flags", VTW_ResetClubFlags}, {"Team", VTW_UpdateTeam},
    {"Captains", [](int32_t c) { VTW_ClearSquadCaptains(c, 1); }},
    {"FreeKickTaker", [](int32_t c) { VTW_SetClubFreeKickTaker(c, 2); }},
    {"CornerTaker", [](int32_t c) { VTW_SetClubCornerTaker(c, 2); }},
    {"PenaltyTaker", [](int32_t c) { VTW_SetClubPenaltyTaker(c, 2); }},
    {"Coach", [](int32_t c) { Staff_Set(c, STAFF_COACH, 50, 400); }},
    {"Faith", [](int32_t c) { Staff_SetContract(c, STAFF_FAITH, 12); }},
    {"Balance", [](int32_t c) { Club_SetBalance(c, 5); }},
    {"Cash", [](int32_t c) { VTW_AddClubCash(c, 5); }},
    {"Book", [](int32_t c) { Club_Book(c, CLUB_FIG_GATE, 5); }},
};
const std::vector<NamedSetter> kPlayerSetters = {
    {"Club", [](int32_t p) { VTW_SetPlayerClub(p, 3); }},
    {"Shirt", [](int32_t p) { VTW_SetPlayerShirt(p, 9); }},
    {"Reputation", [](int32_t p) { Player_SetRep(p, 40); }},
    {"Wage", [](int32_t p) { VTW_SetPlayerWage(p, 700); }},
    {"LoanList", [](int32_t p) { VTW_SetPlayerLoanList(p, 1); }},
    {"SaleStatus", [](int32_t p) { VTW_SetPlayerSaleStatus(p, 1); }},
    {"TxList", [](int32_t p) { VTW_PutPlayerOnTxList(p, 1); }},
    {"AskingPrice", [](int32_t p) { VTW_SetPlayerManPrice(p, 1000); }},
    {"Initial", [](int32_t p) { VTW_SetPlayerInitial(p, 4); }},
    {"Captain", VTW_SetClubCaptain},
};
// clang-format on

// A database of two clubs (one full, one small) and three players, without a world: a death
// test re-runs its fixture in a child process for every case.
class TinyDatabase {
public:
    TinyDatabase()
    {
        ResetCoreForTest();
        Database_Init();
        DbClubCount = 2;
        clubSlot[0] = 0;
        clubSlot[1] = CLUB_SLOT_SMALL;
        DbClubs[0].manager = -1;
        DbPersonCount = 5;
        FullPlayerCount = 4;
        for (int id = 0; id < 4; ++id) {
            DbPlayers[id].position = static_cast<uint8_t>(id);
            DbPlayers[id].loanClub = -1;
        }
    }
    ~TinyDatabase()
    {
        Database_Uninit();
        ResetCoreForTest();
    }
};

void ExpectGettersFatal(const std::vector<NamedGetter>& getters, const char* kind)
{
    TinyDatabase db;
    for (const NamedGetter& g : getters) {
        EXPECT_FATAL(g.get(-1),
                     std::string("Trying to get ") + g.field + " of neg " + kind + " : '-1'");
    }
}

void ExpectSettersFatal(const std::vector<NamedSetter>& setters, const char* kind)
{
    TinyDatabase db;
    for (const NamedSetter& s : setters) {
        EXPECT_FATAL(s.set(-1),
                     std::string("Trying to set ") + s.field + " of neg " + kind + " : '-1'");
    }
}

TEST(FuncsClubsDeathTest, NegativeClubIdsAreFatal)
{
    ExpectGettersFatal(kClubGetters, "club");
    ExpectSettersFatal(kClubSetters, "club");
}

TEST(FuncsStaffDeathTest, NegativeClubIdsAreFatal) { ExpectGettersFatal(kStaffGetters, "club"); }
TEST(FuncsFinanceDeathTest, NegativeClubIdsAreFatal)
{
    ExpectGettersFatal(kFinanceGetters, "club");
}

TEST(FuncsPlayersDeathTest, NegativePlayerIdsAreFatal)
{
    ExpectGettersFatal(kPlayerGetters, "player");
    ExpectSettersFatal(kPlayerSetters, "player");
}

TEST(FuncsPersonsDeathTest, NegativePersonIdsAreFatal)
{
    TinyDatabase db;
    EXPECT_FATAL(VTW_FormatPersonName(-1), "Trying to get Name of neg player : '-1'");
    EXPECT_FATAL(VTW_GetPlayerClubText(-1), "Trying to get ClubText of neg player : '-1'");
    EXPECT_EQ(VTW_PersonTextNo(-1), -1);
}

TEST(FuncsDeathTest, BadWordsAreFatalWithTheirFunctionsName)
{
    TinyDatabase db;
    EXPECT_FATAL(VTW_GetTeam(250), "VTW_GetTeam(): bad club id 250");
    EXPECT_FATAL(VTW_GetTeam(251), "VTW_GetTeam(): bad club id 251");
    EXPECT_FATAL(VTW_GetTeam(253), "VTW_GetTeam(): bad club id 253");
    EXPECT_FATAL(VTW_SetPlayerShirt(2, -1), "VTW_SetPlayerShirt(): invalid shirt -1");
    EXPECT_FATAL(VTW_SetPlayerShirt(2, 33), "VTW_SetPlayerShirt(): invalid shirt 33");
    DbPlayers[3].position = 14;
    EXPECT_FATAL(VTW_GetPositionType(3), "VTW_GetPositionType(): bad position code 14 of player 3");
    EXPECT_FATAL(VTW_RebuildSquad(0, 3, 0), "VTW_RebuildSquad(): unknown squad mode 3");
}

TEST(Funcs, IdsPastTheEndGiveZeroAndChangeNothing)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    const int pastClub = 300;
    for (const auto* table : {&kClubGetters, &kStaffGetters, &kFinanceGetters}) {
        for (const NamedGetter& g : *table) {
            EXPECT_EQ(g.get(pastClub), std::string(g.field) == "Slot" ? -1 : 0) << g.field;
            g.get(5);  // a valid id answers without complaint
        }
    }
    for (const NamedGetter& g : kPlayerGetters) {
        if (std::string(g.field) == "LoanSlot" || std::string(g.field) == "AskingPrice") continue;
        EXPECT_EQ(g.get(DbPersonCount), 0) << g.field;
        EXPECT_EQ(g.get(PERSON_MAX + 7), 0) << g.field;
        g.get(10);
        g.get(DbPersonCount - 1);  // a light player
    }
    const uint32_t before = Crc32(DbPlayers, sizeof DbPlayers) ^ Crc32(DbClubs, sizeof DbClubs);
    for (const NamedSetter& s : kClubSetters) {
        if (std::string(s.field) != "Cash" && std::string(s.field) != "Book") s.set(pastClub);
    }
    for (const NamedSetter& s : kPlayerSetters) {
        s.set(DbPersonCount);
    }
    EXPECT_EQ(Crc32(DbPlayers, sizeof DbPlayers) ^ Crc32(DbClubs, sizeof DbClubs), before);
}

TEST(Funcs, OutsideIdsPassTheTeamLookupUnchanged)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    for (int id : {252, 254, 255}) {
        EXPECT_EQ(VTW_GetTeam(id), id);
        EXPECT_EQ(VTW_GetClubController(id), 0);
        EXPECT_EQ(VTW_GetClubCountry(id), 0);
    }
}

TEST(Funcs, SmallClubsAnswerFromTheirSmallRecord)
{
    ScopedWorld world;
    NewGameForTest(2, 3);
    const int club = 249;
    ASSERT_EQ(Club_GetSlot(club), -1);
    const WorldClub& w = World.clubs[VTW_GetTeam(club)];
    EXPECT_EQ(VTW_GetClubCountry(club), w.country);
    EXPECT_EQ(VTW_GetClubReputation(club), w.reputation);
    EXPECT_EQ(VTW_GetClubCapacity1(club) + VTW_GetClubCapacity2(club) + VTW_GetClubCapacity3(club)
                  + VTW_GetClubCapacity4(club),
              w.stands[0] + w.stands[1] + w.stands[2] + w.stands[3]);
    EXPECT_EQ(VTW_GetClubBalance(club), 0);
    EXPECT_EQ(VTW_GetClubCoach(club), 0);
    EXPECT_EQ(Club_GetKitDesign(club, 1)->colours[0][0], w.kits[1].colours[0][0]);
    EXPECT_GT(VTW_RefreshSquadCount(club), 10);  // light players
}

TEST(Funcs, LightPlayersAnswerWithDerivedValues)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    const int player = DbPersonCount - 1;
    ASSERT_GE(player, FullPlayerCount);
    EXPECT_EQ(VTW_GetPlayerContract(player), 24);
    EXPECT_EQ(VTW_GetPlayerMoralePercent(player), 75);
    EXPECT_EQ(VTW_GetPlayerFitnessPercent(player), 75);
    EXPECT_EQ(VTW_GetPlayerFatiguePercent(player), 0);
    EXPECT_GE(VTW_GetPlayerWage(player), 50);
    EXPECT_GT(VTW_GetPlayerValue(player), 0);
    EXPECT_EQ(VTW_GetPlayerLoanSlot(player), -1);
    EXPECT_EQ(VTW_GetRecField14(player), -1);
    EXPECT_GT(VTW_GetPlayerExperiencePercent(player), 0);
}

TEST(Funcs, AManagerControlsOneClubAtATime)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), -1);
    VTW_SetClubControl(12, MANAGER_HUMAN);
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), 12);
    VTW_SetClubControl(40, MANAGER_HUMAN);
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), 40);
    EXPECT_EQ(VTW_GetClubController(12), 0);
    EXPECT_EQ(VTW_GetClubController(40), 1);
}

TEST(Funcs, ReputationRankCountsOnlyTheLeagueWithTiesById)
{
    ScopedWorld world;
    NewGameForTest(1, 3);
    std::vector<int> seen(41, 0);
    for (int club = 0; club < 40; ++club) {
        const int rank = VTW_GetClubRepRank(club);
        ASSERT_TRUE(rank >= 1 && rank <= 40);
        ++seen[rank];
        EXPECT_EQ(VTW_GetClubReputationPos(club), rank - 1);
    }
    for (int rank = 1; rank <= 40; ++rank) {
        EXPECT_EQ(seen[rank], 1) << rank;
    }
    EXPECT_EQ(VTW_GetClubRepRank(100), 0);
}

TEST(Funcs, SortsClubsByNameWithTheHumansClubFirst)
{
    ScopedWorld world;
    NewGameForTest(1, 3);
    GameState.humanClub = 30;
    std::vector<int16_t> clubs;
    for (int16_t club = 0; club < 40; ++club) {
        clubs.push_back(club);
    }
    VTW_SortClubsByName(clubs.data(), 40, 1);
    EXPECT_EQ(clubs[0], 30);
    for (size_t k = 2; k < clubs.size(); ++k) {
        EXPECT_LT(std::string(World.clubs[VTW_GetTeam(clubs[k - 1])].name),
                  std::string(World.clubs[VTW_GetTeam(clubs[k])].name));
    }
}

TEST(FuncsFinance, BalancesClampToThe28BitRange)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    Club_SetBalance(4, 200000000);
    EXPECT_EQ(Club_GetBalance(4), 134217727);
    Club_SetBalance(4, -200000000);
    EXPECT_EQ(Club_GetBalance(4), -134217728);
    VTW_AddClubCash(4, INT32_MIN);
    EXPECT_EQ(Club_GetBalance(4), -134217728);
    Club_SetBalance(4, 134217000);
    const int32_t spentBefore = VTW_GetClubMiscOut(4);
    VTW_AddClubCash(4, 5000);
    Club_Book(4, CLUB_FIG_GATE, 300);
    EXPECT_EQ(Club_GetBalance(4), 134217727);
    // Income the ceiling cannot take is booked whole and what it took as spent.
    EXPECT_EQ(VTW_GetClubMiscIn(4), 5000);
    EXPECT_EQ(VTW_GetClubGateReceipts(4), 300);
    EXPECT_EQ(VTW_GetClubMiscOut(4) - spentBefore, 5000 - 727 + 300);
}

TEST(FuncsFinance, SmallClubMoneyAndReleasesKeepTheSumOfBalances)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    VTW_AddClubCash(200, 40000);
    EXPECT_EQ(Club_GetOutsideBalance(), 40000);
    EXPECT_EQ(VTW_GetClubBalance(CLUB_NONE), 40000);
    const int64_t before = int64_t(Club_GetBalance(7)) + Club_GetOutsideBalance();
    const int32_t start = Club_GetBalance(7);
    VTW_AddClubCash(7, -120000);
    VTW_AddClubCash(CLUB_NONE, 120000);
    EXPECT_EQ(int64_t(Club_GetBalance(7)) + Club_GetOutsideBalance(), before);
    Club_Book(7, CLUB_FIG_GATE, 9000);
    int64_t explained = VTW_GetClubBalanceCarriedForward(7);
    for (int f = 0; f < CLUB_FIG_COUNT; ++f) {
        explained += (f < CLUB_FIG_FIRST_SPENDING ? 1 : -1) * int64_t(DbClubs[7].figures[f]);
    }
    EXPECT_EQ(explained, Club_GetBalance(7));
    EXPECT_EQ(Club_GetBalance(7), start - 120000 + 9000);
}

TEST(FuncsFinance, TransferBudgetNeverGoesBelowZero)
{
    ScopedWorld world;
    NewGameForTest(0, 3);
    Club_SetBalance(3, 1000);
    EXPECT_EQ(Club_GetTransferBudget(3), 0);
    Club_SetBalance(3, 100000000);
    EXPECT_GT(Club_GetTransferBudget(3), 0);
}

TEST(FuncsStaff, FullClubsHaveTheFirstSixRolesFilled)
{
    ScopedWorld world;
    NewGameForTest(6, 3);
    for (int club = 0; club < 94; ++club) {
        EXPECT_GT(VTW_GetClubCoach(club), 0);
        EXPECT_GT(VTW_GetClubPhysio(club), 0);
        EXPECT_EQ(DbClubs[club].staff[STAFF_COACH].wage,
                  Staff_WageForRating(VTW_GetClubCoach(club)));
        EXPECT_GE(Staff_GetContract(club, STAFF_COACH), 12);
        EXPECT_LE(Staff_GetContract(club, STAFF_COACH), 36);
    }
    Staff_Set(0, STAFF_FAITH, 0, 500);
    EXPECT_EQ(VTW_GetClubFaith(0), 0);
    EXPECT_EQ(DbClubs[0].staff[STAFF_FAITH].wage, 0);
}

}  // namespace
