// game/season.cpp: the career's day, the season's dated events and cup draws, the end of the
// league season, the new season and the unattended run's checks.
#include "game/season.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/poll.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/formerplayers.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/playerhistory.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"

AutoRunTargetRecord AutoRunTarget;

namespace {

constexpr int32_t SOAK_AVAILABLE_MIN = 16;

constexpr int32_t MSG_PROMOTED = 14;
constexpr int32_t MSG_RELEGATED = 15;
constexpr int32_t MSG_CHAMPIONS = 16;
constexpr int32_t MSG_CUP_WON = 17;

struct SeasonState {
    int32_t soakFindings;
};

SeasonState s_season;

void TellHuman(int32_t group, int32_t club, int32_t textNo)
{
    TextMessParams params = TextMess_NoParams();
    params.team[0] = static_cast<int16_t>(VTW_GetTeam(club));
    params.textNo[0] = static_cast<int16_t>(textNo);
    TextMess_SetParams(params);
    TextMess_PickRandom(group);
    TextMess_ShowForHumans();
}

int32_t FullClubCount() { return World_LeagueClubCount(GameState.country); }

void TellCupWon(int32_t cup)
{
    TellHuman(MSG_CUP_WON, GameState.humanClub, VTW_GetCountryTextNo(cup));
}

// ---- Today's events.

struct SeasonEvent {
    const char* name;  // for the general channel
    int32_t (*day)();  // the season day it falls on
    void (*run)();
};

int32_t EndOfLeagueDay() { return GameState.lastLeagueDay + 1; }

// clang-format off
constexpr auto EVENTS = std::to_array<SeasonEvent>({
    {"end of the league season", EndOfLeagueDay, Season_EndLeagueSeason},
    {"play-off draw",            EndOfLeagueDay, Season_DrawPlayOffs},
});
// clang-format on

void RunTodaysEvents()
{
    for (const SeasonEvent& event : EVENTS) {
        if (event.day() != DayNo) continue;
        DebugPrintf(DBG_GENERAL, 1, "Season_AdvanceDay(): %s\n", event.name);
        event.run();
    }
}

// ---- Cup rounds.

void RecordCupWinner(int32_t cup, int32_t row)
{
    const int32_t winner = Cup_TieWinner(row, -1);
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t loser = winner == home ? VTW_GetFixtureAwayClub(row) : home;
    Honours_Record(cup, VTW_GetTeam(winner), VTW_GetTeam(loser));
    Finance_CupWon(winner);
    // The human hears of his cups with the rest of his season; a final played after the end of
    // the league season is told on its day.
    if (winner == GameState.humanClub && DayNo >= EndOfLeagueDay()) TellCupWon(cup);
}

// Every cup or play-off round whose last row was played today draws its next round; a final
// records the cup's winner (the super cup has no honour column).
void DrawDueRounds()
{
    std::array<bool, COMP_COUNT> seen{};
    for (int32_t row = Fixture_FirstRowOfDay(DayNo);
         row < FIXTURE_ROWS && VTW_GetFixtureDay(row) == DayNo; ++row) {
        const int32_t comp = VTW_GetFixtureCompetition(row);
        if (seen[comp]) continue;
        seen[comp] = true;
        const int32_t cup = VTW_GetCompCup(comp);
        if (cup >= 0 && VTW_GetCompRound(comp) == CupSchedule.finalRound[cup]) {
            if (Fixture_IsPlayed(row)) RecordCupWinner(cup, row);
        } else if (cup >= 0 || comp == COMP_PLAYOFF_FIRST || comp == COMP_PLAYOFF_SECOND) {
            VTW_FindCompNextRound(comp);
        }
    }
}

// ---- The end of the league season.

void RecordDivisionHonours()
{
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        const int32_t first = VTW_GetDivisionSlot(division, 0);
        const int32_t second = VTW_GetDivisionSlot(division, 1);
        if (first < 0 || second < 0) continue;
        Honours_Record(HONOURS_DIVISION_FIRST + division, VTW_GetTeam(first), VTW_GetTeam(second));
    }
}

void TellHumanHisSeason()
{
    const int32_t club = GameState.humanClub;
    const int32_t division = club >= 0 ? VTW_FindDivisionOfTeam(club) : -1;
    if (division < 0) return;
    const int32_t place = VTW_GetTeamDivisionSlot(club);
    const int32_t size = VTW_GetDivisionSize(division);
    if (division == 0 && place == 0) TellHuman(MSG_CHAMPIONS, club, -1);
    if (division > 0 && place < PromotionCounts(GameState.country, division, 0))
        TellHuman(MSG_PROMOTED, club, -1);
    if (division + 1 < VTW_GetCountryDivisions()
        && place >= size - PromotionCounts(GameState.country, division, 1))
        TellHuman(MSG_RELEGATED, club, -1);
    for (int32_t cup = 0; cup < CUP_COUNT; ++cup) {
        if (VTW_ClubHoldsHonour(club, cup, 0)) TellCupWon(cup);
    }
}

void StoreSeasonBest(int32_t club)
{
    ClubRecord* r = VTW_GetClubRecordPtr(club);
    ClubBestPlayer* best = r->seasonBest[GameState.seasonCounter % SEASON_BEST_ROWS];
    for (int32_t k = 0; k < SEASON_BEST_PLAYERS; ++k) {
        best[k] = {-1, 0, 0};
    }
    const int32_t count = VTW_RefreshSquadCount(club);
    for (int32_t k = 0; k < count; ++k) {
        const int32_t player = SquadList.players[k];
        if (!VTW_IsRegularPlayer(player)) continue;
        const int32_t perf = VTW_GetPlayerPerf(player);
        // Insertion into the five best, higher performance first, the lower id on a tie.
        int32_t at = SEASON_BEST_PLAYERS;
        while (at > 0 && (best[at - 1].player < 0 || best[at - 1].value < perf)) {
            --at;
        }
        if (at == SEASON_BEST_PLAYERS) continue;
        std::copy_backward(best + at, best + SEASON_BEST_PLAYERS - 1, best + SEASON_BEST_PLAYERS);
        best[at] = {static_cast<int16_t>(player), 0, perf};
    }
}

void KeepRecord(ClubRecordEntry* entry, int32_t value)
{
    if (value > entry->value) *entry = ClubRecord_Dated(value, 0, -1, -1);
}

void StoreClubRecords(int32_t club)
{
    ClubRecord* r = VTW_GetClubRecordPtr(club);
    if (VTW_FindDivisionOfTeam(club) < 0) return;
    const uint16_t* row = LeagueTable[club];
    KeepRecord(&r->records[CLUB_REC_POINTS_TOTAL], row[LEAGUE_POINTS]);
    KeepRecord(&r->records[CLUB_REC_GOALS_TOTAL],
               row[LEAGUE_HOME_WON + 3] + row[LEAGUE_AWAY_WON + 3]);
    KeepRecord(&r->records[CLUB_REC_DISPOINTS], r->seasonDispoints);
    ClubRecord_KeepScorer(club);
}

// ---- The new season.

// The clubs that go up from and down to each division, decided by the final tables and the
// play-off finals; division sizes stay as they are.
void MoveBetweenDivisions()
{
    const int32_t country = GameState.country;
    const int32_t divisions = VTW_GetCountryDivisions();
    std::array<int16_t, CLUB_FULL_MAX> newDivision{};
    for (int32_t club = 0; club < FullClubCount(); ++club) {
        newDivision[club] = DbClubs[club].division;
    }
    for (int32_t division = 0; division < divisions; ++division) {
        const int32_t size = VTW_GetDivisionSize(division);
        const int32_t up = division > 0 ? PromotionCounts(country, division, 0) : 0;
        const int32_t down = division + 1 < divisions ? PromotionCounts(country, division, 1) : 0;
        for (int32_t place = 0; place < up; ++place) {
            newDivision[VTW_GetDivisionSlot(division, place)] = static_cast<int16_t>(division - 1);
        }
        for (int32_t place = size - down; place < size; ++place) {
            newDivision[VTW_GetDivisionSlot(division, place)] = static_cast<int16_t>(division + 1);
        }
    }
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_PLAYOFF_FINAL) continue;
        const int32_t winner = Cup_TieWinner(row, -1);
        newDivision[winner] = static_cast<int16_t>(VTW_GetClubDivision(winner) - 1);
    }
    std::array<int32_t, DIVISION_MAX> sizes{};
    for (int32_t club = 0; club < FullClubCount(); ++club) {
        DbClubs[club].division = static_cast<uint8_t>(newDivision[club]);
        if (newDivision[club] < DIVISION_MAX) ++sizes[newDivision[club]];
    }
    for (int32_t division = 0; division < divisions; ++division) {
        if (sizes[division] != VTW_GetDivisionSize(division))
            FatalError("NewSeason(): division %d would hold %d clubs instead of %d", division,
                       sizes[division], VTW_GetDivisionSize(division));
    }
}

void ShiftHistory()
{
    int32_t above = 0;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        for (int32_t place = 0; place < VTW_GetDivisionSize(division); ++place) {
            const int32_t club = VTW_GetDivisionSlot(division, place);
            if (club < 0) continue;
            ClubRecord* r = VTW_GetClubRecordPtr(club);
            std::copy_backward(r->history, r->history + 9, r->history + 10);
            r->history[0] = {static_cast<uint8_t>(above + place + 1),
                             {0, 0, 0},
                             static_cast<uint32_t>(Club_GetAvgAttendance(club))};
        }
        above += VTW_GetDivisionSize(division);
    }
}

void Reputations() { PlayerLife_ShiftReputations(); }

void YouthIntake()
{
    for (int32_t club = 0; club < FullClubCount(); ++club) {
        PlayerLife_YouthIntake(club);
        if ((club + 1) % 16 == 0) Poll();
    }
}

// Money carried into the new season; the season's club words start again.
void RollClubSeasons()
{
    for (int32_t club = 0; club < FullClubCount(); ++club) {
        ClubRecord& r = DbClubs[club];
        r.carriedForward = r.balance;
        std::fill(std::begin(r.figures), std::end(r.figures), 0);
        std::memset(r.seasonCounters, 0, sizeof r.seasonCounters);
        r.seasonDispoints = 0;
        r.attendanceSum = 0;
        r.attendanceCount = 0;
        r.cupRunBits = 0;
    }
}

void NextCalendar()
{
    ++GameState.seasonCounter;
    Calendar_SetDay(0);
    VTW_GetLeaguePlace();
    Season_GenerateFixtures();
}

void SeasonTraining()
{
    DailyTraining_NewSeason();
    VTW_InitTrainingBuffer();
}

struct NewSeasonStep {
    const char* name;  // for the debug log
    void (*run)();
};

// Reputations and history read the final tables and this season's honours, so they come before
// the moves and the honours' shift; the players close their season in their old division.
// clang-format off
constexpr auto NEW_SEASON_STEPS = std::to_array<NewSeasonStep>({
    {"reputations",   Reputations},
    {"history",       ShiftHistory},
    {"players",       PlayerLife_NewSeason},
    {"divisions",     MoveBetweenDivisions},
    {"honours",       Honours_NewSeason},
    {"youth",         YouthIntake},
    {"market",        Market_NewSeason},
    {"outside",       PlayerLife_RenewOutside},
    {"sales abroad",  Market_SellToTheWorldOutside},
    {"bonuses",       Finance_SeasonBonuses},
    {"money",         RollClubSeasons},
    {"calendar",      NextCalendar},
    {"teams",         MatchDay_NewGame},
    {"training",      SeasonTraining},
    {"progress",      PlayerHistory_RecordPoint},  // the players as the season starts
});
// clang-format on

// ---- Soak checks.

void Finding(const char* what, int32_t club, int32_t value)
{
    ++s_season.soakFindings;
    DebugPrintf(DBG_GENERAL, 1, "VTW_SoakChecks(): club %d: %s (%d)\n", club, what, value);
}

void CheckSquad(int32_t club)
{
    const int32_t count = VTW_RefreshSquadCount(club);
    std::array<int32_t, LINE_COUNT> lines{};
    int32_t available = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t player = SquadList.players[k];
        ++lines[VTW_GetPositionLine(player)];
        if (VTW_GetPlayerAvailability(player) == 0) ++available;
    }
    if (available < SOAK_AVAILABLE_MIN) Finding("fewer than 16 available players", club, available);
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (lines[line] == 0) Finding("a line without players", club, line);
    }
}

void CheckBalance(int32_t club)
{
    const int32_t division = VTW_GetClubDivision(club);
    if (division >= DIVISION_MAX) return;
    const int32_t balance = VTW_GetClubBalance(club);
    if (balance < Season_BalanceFloor(division)) Finding("balance below the floor", club, balance);
}

}  // namespace

void Season_Init()
{
    DailyTraining_Init();
    Market_Init();
    PlayerHistory_Init();
    FormerPlayers_Init();
    Season_ResetCareer();
}

void Season_ResetCareer()
{
    s_season = {};
    AutoRunTarget = {};
    CareerLog_Init();
    DailyTraining_ResetCareer();
    Market_ResetCareer();
    PlayerHistory_ResetCareer();
    FormerPlayers_ResetCareer();
}

void Season_Uninit()
{
    FormerPlayers_Uninit();
    PlayerHistory_Uninit();
    Market_Uninit();
    DailyTraining_Uninit();
    CareerLog_Uninit();
}

void Season_AdvanceDay()
{
    Season_ClearTablesAndScan(-1);
    RunTodaysEvents();
    DrawDueRounds();
    DailyClubProcessing();
    if (DayNo + 1 >= GameState.daysInSeason) {
        NewSeason();
    } else {
        Calendar_SetDay(DayNo + 1);
    }
}

void VTW_AdvanceDay()
{
    GameHooks.SetBusyPointer(1);
    const int32_t season = GameState.seasonCounter;
    Season_AdvanceDay();
    if (season != GameState.seasonCounter && GameState.humanClub >= 0) {
        const int32_t count = VTW_RefreshSquadCount(GameState.humanClub);
        VTW_FillSquadTable(GameState.humanClub, count);
        VTW_InitTrainingBuffer();
    }
    GameHooks.SetBusyPointer(0);
}

void Season_EndLeagueSeason()
{
    Season_ClearTablesAndScan(-1);
    RecordDivisionHonours();
    Season_ComputeEuroQualifiers();
    for (int32_t club = 0; club < FullClubCount(); ++club) {
        StoreSeasonBest(club);
        StoreClubRecords(club);
    }
    TellHumanHisSeason();
    Finance_SeasonPrizes();
    Managers_SeasonEnd();
    VTW_SetTrainingDefaults();
    VTW_StoreTrainingSchedule();
}

void NewSeason()
{
    GameState_BeginProgress(static_cast<int32_t>(NEW_SEASON_STEPS.size()));
    for (const NewSeasonStep& step : NEW_SEASON_STEPS) {
        DebugPrintf(DBG_GENERAL, 2, "NewSeason(): %s\n", step.name);
        step.run();
        GameState_StepProgress();
        Poll();
    }
    GameState_EndProgress();
}

int32_t Season_BalanceFloor(int32_t division)
{
    // About a season's wage bill of the division's typical squad.
    return -25 * 52 * World_Country(GameState.country).worldWageScale[division];
}

int32_t VTW_SoakChecks()
{
    if (AutoRunMode == 0) return 0;
    // The empty target (the career's very first day) is none: the run then goes on until Escape.
    if (AutoRunTarget.stopDay == 0 && AutoRunTarget.stopSeason == 0) return 0;
    if (AutoRunTarget.options & AUTORUN_UNCONDITIONAL) return 0;
    if (GameState.seasonCounter < AutoRunTarget.stopSeason
        || (GameState.seasonCounter == AutoRunTarget.stopSeason && DayNo < AutoRunTarget.stopDay))
        return 0;
    AutoRunMode = 0;
    for (int32_t club = 0; club < FullClubCount(); ++club) {
        if (AutoRunTarget.options & AUTORUN_CHECK_SQUADS) CheckSquad(club);
        if (AutoRunTarget.options & AUTORUN_CHECK_BALANCES) CheckBalance(club);
    }
    return 1;
}

int32_t Season_SoakFindings() { return s_season.soakFindings; }
