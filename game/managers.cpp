// game/managers.cpp: boards and their patience, sackings, caretakers and appointments, and the
// human's job market: offers, applications and his own sacking.
#include <algorithm>
#include <array>
#include <iterator>

#include "engine/random.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

enum BoardTarget : uint8_t {
    TARGET_TITLE,
    TARGET_EUROPE,
    TARGET_TOP_HALF,
    TARGET_SAFETY,
    TARGET_PROMOTION
};
constexpr std::array<int32_t, 5> TARGET_TEXT = {2700, 2702, 2702, 2703, 2701};

constexpr int32_t PATIENCE_START = 72;  // over a season of PATIENCE_SEASON_GAMES league games
constexpr int32_t PATIENCE_SEASON_GAMES = 38;
constexpr int32_t PATIENCE_MAX = 100;
constexpr int32_t PATIENCE_WIN = 3;
constexpr int32_t PATIENCE_DEFEAT = 3;
constexpr int32_t PATIENCE_BELOW_TARGET = 1;   // a week below the target's place
constexpr int32_t PLACES_PER_WEEKLY_LOSS = 6;  // and one more for every so many places further
constexpr int32_t PATIENCE_THREATENED = 30;
constexpr int32_t JUDGED_FROM_MATCHDAY = 10;
constexpr int32_t RESIGN_CHANCE = 20;
constexpr int32_t CARETAKER_DAYS_MIN = 3;
constexpr int32_t CARETAKER_DAYS_SPAN = 8;
constexpr int32_t OFFER_REACH = 10;
constexpr int32_t CONSIDER_MARGIN = 5;
constexpr int32_t CONSIDER_UNDECIDED = 15;
constexpr int32_t SACKED_REPUTATION_LOSS = 3;
constexpr int32_t REPUTATION_MAX = 63;
constexpr int32_t PLACES_PER_REPUTATION = 3;  // places above or below the target per point
constexpr int32_t RESULT_REPUTATION_MAX = 2;
constexpr int32_t TITLE_REPUTATION = 3;
constexpr int32_t PROMOTION_REPUTATION = 2;
constexpr int32_t LIST_END = 65535;

int32_t LeagueClubs() { return World_LeagueClubCount(GameState.country); }

bool HumanRuns(int32_t club) { return VTW_GetClubController(club) == MANAGER_HUMAN; }

int32_t HumanReputation() { return DbPlayers[PERSON_HUMAN].reputation; }

void Tell(int32_t group, int32_t club)
{
    TextMessParams params = TextMess_NoParams();
    params.team[0] = static_cast<int16_t>(club >= 0 ? VTW_GetTeam(club) : -1);
    TextMess_SetParams(params);
    TextMess_PickRandom(group);
    TextMess_ShowForHumans();
}

// The worst place (0-based) that still meets the target.
int32_t TargetPlace(int32_t club)
{
    const int32_t division = std::clamp(VTW_GetClubDivision(club), 0, DIVISION_MAX - 1);
    const int32_t size = VTW_GetDivisionSize(division);
    const WorldCountry& country = World_Country(GameState.country);
    switch (DbClubs[club].boardTarget) {
        case TARGET_TITLE: return 0;
        case TARGET_EUROPE: return country.championsPlaces + country.secondCupPlaces - 1;
        case TARGET_TOP_HALF: return size / 2 - 1;
        // Promotion, or at least the top quarter: a board that must go up or go is the one that
        // sacks most, and a country of many divisions has many such boards.
        case TARGET_PROMOTION:
            return std::max(PromotionCounts(GameState.country, division, 0), size / 4) - 1;
        default: return size - 1 - PromotionCounts(GameState.country, division, 1);
    }
}

BoardTarget TargetOfRank(int32_t division, int32_t rank, int32_t size)
{
    const WorldCountry& country = World_Country(GameState.country);
    if (division == 0) {
        if (rank == 0) return TARGET_TITLE;
        if (rank < country.championsPlaces + country.secondCupPlaces) return TARGET_EUROPE;
    } else if (rank < PromotionCounts(GameState.country, division, 0)) {
        return TARGET_PROMOTION;
    }
    return rank < size / 2 ? TARGET_TOP_HALF : TARGET_SAFETY;
}

// A board's patience at a season's start or a manager's arrival, in proportion to the division's
// league games: a long season's many results wear a board down no faster than a short one's.
int32_t PatienceStart(int32_t club)
{
    const int32_t division = std::clamp(VTW_GetClubDivision(club), 0, DIVISION_MAX - 1);
    const int32_t games = 2 * (VTW_GetDivisionSize(division) - 1);
    return std::clamp(PATIENCE_START * games / PATIENCE_SEASON_GAMES, 1, PATIENCE_MAX);
}

void SetBoardTargets()
{
    const int32_t clubs = LeagueClubs();
    for (int32_t club = 0; club < clubs; ++club) {
        const int32_t division = VTW_GetClubDivision(club);
        int32_t rank = 0;
        int32_t size = 0;
        for (int32_t other = 0; other < clubs; ++other) {
            if (VTW_GetClubDivision(other) != division) continue;
            ++size;
            const int32_t gap = DbClubs[other].reputation - DbClubs[club].reputation;
            rank += gap > 0 || (gap == 0 && other < club);
        }
        DbClubs[club].boardTarget = TargetOfRank(division, rank, size);
        DbClubs[club].boardPatience =
            static_cast<uint8_t>(std::max(+DbClubs[club].boardPatience, PatienceStart(club)));
    }
}

void ChangePatience(int32_t club, int32_t delta)
{
    uint8_t& patience = DbClubs[club].boardPatience;
    patience = static_cast<uint8_t>(std::clamp(patience + delta, 0, PATIENCE_MAX));
}

void JudgeTodaysResults()
{
    for (int32_t row = Fixture_FirstRowOfDay(DayNo);
         row < Fixture_RowCount() && VTW_GetFixtureDay(row) == DayNo; ++row) {
        const int32_t comp = VTW_GetFixtureCompetition(row);
        if (comp == COMP_FRIENDLY || !Fixture_IsPlayed(row)) continue;
        const int32_t home = VTW_GetFixtureHomeClub(row);
        const int32_t away = VTW_GetFixtureAwayClub(row);
        const int32_t diff = VTW_GetFixtureHomeGoals(row) - VTW_GetFixtureAwayGoals(row);
        const int32_t winner = diff > 0 ? home : diff < 0 ? away : -1;
        for (const int32_t club : {home, away}) {
            if (club < 0 || club >= LeagueClubs()) continue;
            if (winner == club) ChangePatience(club, PATIENCE_WIN);
            if (winner >= 0 && winner != club) ChangePatience(club, -PATIENCE_DEFEAT);
        }
    }
}

void JudgeTablePlaces()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        int32_t totals[3];
        VTW_GetLeagueRowTotals(club, totals);
        if (totals[0] < JUDGED_FROM_MATCHDAY) continue;
        // The further below the target, the faster the board's patience runs out.
        const int32_t below = VTW_GetTeamDivisionSlot(club) - TargetPlace(club);
        if (below > 0)
            ChangePatience(club, -PATIENCE_BELOW_TARGET - below / PLACES_PER_WEEKLY_LOSS);
    }
}

void StartCaretaker(int32_t club)
{
    ClubRecord& r = DbClubs[club];
    r.manager = -1;
    r.caretaker = 1;
    r.caretakerDays = static_cast<uint8_t>(CARETAKER_DAYS_MIN + Rand() % CARETAKER_DAYS_SPAN);
}

void SackComputerManager(int32_t club)
{
    const int32_t person = DbClubs[club].manager;
    const int32_t kind = Rand() % RESIGN_CHANCE == 0 ? 0 : 1;
    GameHooks.NewsManagerSacked(club, person, kind);
    if (person >= PERSON_FIRST_ORDINARY && person < FullPlayerCount) {
        PlayerRecord& m = DbPlayers[person];
        m.club = CLUB_NONE;
        m.reputation = static_cast<uint8_t>(std::max(0, m.reputation - SACKED_REPUTATION_LOSS));
    }
    StartCaretaker(club);
}

void SackHuman(int32_t club)
{
    VTW_SetClubControl(club, MANAGER_COMPUTER);
    DbPlayers[PERSON_HUMAN].club = CLUB_NONE;
    DbPlayers[PERSON_HUMAN].reputation = static_cast<uint8_t>(
        std::max(0, DbPlayers[PERSON_HUMAN].reputation - SACKED_REPUTATION_LOSS));
    GameState.humanClub = -1;
    MarketState.sackedDay = static_cast<int16_t>(DayNo + 1);  // the day the router looks at
    StartCaretaker(club);
    Tell(MSG_HUMAN_SACKED, club);
}

bool HumanSackable(int32_t club)
{
    int32_t totals[3];
    VTW_GetLeagueRowTotals(club, totals);
    return AutoRunMode == 0 && totals[0] >= HUMAN_SACKING_MATCHES;
}

void Sackings()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        const ClubRecord& r = DbClubs[club];
        if (r.boardPatience > 0 || r.caretaker) continue;
        if (HumanRuns(club)) {
            if (HumanSackable(club)) SackHuman(club);
        } else if (r.manager >= 0) {
            SackComputerManager(club);
        }
    }
}

// The best unemployed manager whose reputation fits the club, else the least reputed of them: a
// small club takes whom it can get rather than the stand-in for seasons on end. -1 when nobody is
// out of work.
int32_t BestUnemployed(int32_t club)
{
    const int32_t reach = VTW_GetClubReputation(club) + OFFER_REACH;
    int32_t best = -1;
    int32_t least = -1;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if ((DbPersons[id].flags & (PERSON_FREE | PERSON_RETIRED)) || p.position != POSITION_MANAGER
            || p.club != CLUB_NONE)
            continue;
        if (least < 0 || p.reputation < DbPlayers[least].reputation) least = id;
        if (p.reputation <= reach && (best < 0 || p.reputation > DbPlayers[best].reputation))
            best = id;
    }
    return best >= 0 ? best : least;
}

// The stand-in only covers until a manager is out of work.
void ReplaceStandIns()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        if (DbClubs[club].manager != PERSON_STAND_IN || HumanRuns(club)) continue;
        const int32_t person = BestUnemployed(club);
        if (person >= 0) VTW_AppointManager(club, person);
    }
}

void Caretakers()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        ClubRecord& r = DbClubs[club];
        if (!r.caretaker || HumanRuns(club)) continue;
        if (r.caretakerDays > 0) --r.caretakerDays;
        if (r.caretakerDays > 0 || club == MarketState.jobOfferClub) continue;
        const int32_t person = BestUnemployed(club);
        VTW_AppointManager(club, person >= 0 ? person : PERSON_STAND_IN);
    }
}

// The person who ran the club this season: the human, its manager, or -1 for a caretaker.
int32_t ManagerOf(int32_t club)
{
    if (HumanRuns(club)) return PERSON_HUMAN;
    const int32_t person = DbClubs[club].manager;
    return person >= PERSON_FIRST_ORDINARY && person < FullPlayerCount ? person : -1;
}

// Places above the target, a title and a promotion raise a manager's name; places below lower it.
int32_t SeasonReputationChange(int32_t club)
{
    const int32_t division = VTW_GetClubDivision(club);
    const int32_t place = VTW_GetTeamDivisionSlot(club);
    int32_t change = std::clamp((TargetPlace(club) - place) / PLACES_PER_REPUTATION,
                                -RESULT_REPUTATION_MAX, RESULT_REPUTATION_MAX);
    if (division == 0 && place == 0) change += TITLE_REPUTATION;
    if (division > 0 && place < PromotionCounts(GameState.country, division, 0))
        change += PROMOTION_REPUTATION;
    return change;
}

}  // namespace

void Managers_SetBoardTargets() { SetBoardTargets(); }

void Managers_SeasonEnd()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        const int32_t person = ManagerOf(club);
        if (person < 0 || VTW_FindDivisionOfTeam(club) < 0) continue;
        uint8_t& reputation = DbPlayers[person].reputation;
        reputation = static_cast<uint8_t>(
            std::clamp(reputation + SeasonReputationChange(club), 0, REPUTATION_MAX));
    }
}

void Market_ClearHumanOffers()
{
    MarketState.offerDayB = -1;
    MarketState.offerC = 0;
    MarketState.offerClub = -1;
}

int32_t VTW_GetBoardTargetTextNo(int32_t club)
{
    const ClubRecord* r = Club_RefForGet(club, "BoardTarget").full;
    return r ? TARGET_TEXT[std::min<int32_t>(r->boardTarget, TARGET_TEXT.size() - 1)]
             : TARGET_TEXT[TARGET_SAFETY];
}

int32_t VTW_GetJobOfferHuman() { return MarketState.jobOfferClub >= 0 ? 1 : 0; }
int32_t VTW_GetJobOfferClub() { return MarketState.jobOfferClub; }

void VTW_SetJobOfferHuman(int32_t value)
{
    if (value == 0) MarketState.jobOfferClub = -1;
}

int32_t VTW_GetHumanOfferB() { return MarketState.offerDayB; }
int32_t VTW_GetHumanOfferC() { return MarketState.offerC; }
int32_t VTW_GetHumanOfferClub() { return MarketState.offerClub; }
int32_t VTW_GetSackedHuman()
{
    return MarketState.sackedDay >= 0 && MarketState.sackedDay == DayNo ? 1 : 0;
}

int32_t Job_Consider(int32_t club, int32_t bonus)
{
    const ClubRecord* r = Club_RefForGet(club, "JobConsider").full;
    if (r == nullptr || r->manager >= 0 || HumanRuns(club)) return 0;
    const int32_t needed = r->reputation + CONSIDER_MARGIN;
    const int32_t own = HumanReputation() + bonus;
    if (own >= needed) return 1;
    return own >= needed - CONSIDER_UNDECIDED ? 2 : 0;
}

int32_t VTW_ApplyForJob(int32_t club, int32_t bonus)
{
    const int32_t answer = Job_Consider(club, bonus);
    if (answer != 2) return answer;
    const int32_t closeness =
        CONSIDER_UNDECIDED
        - (DbClubs[club].reputation + CONSIDER_MARGIN - HumanReputation() - bonus);
    MarketState.offerDayB = static_cast<int16_t>(DayNo + 3 + Rand() % 5);
    MarketState.offerC = static_cast<int16_t>(Rand() % 100 < 20 + 4 * closeness ? 1 : 0);
    MarketState.offerClub = static_cast<int16_t>(club);
    return answer;
}

void VTW_AppointManager(int32_t club, int32_t person)
{
    ClubRecord* r = Club_RefForSet(club, "AppointManager").full;
    if (r == nullptr || person < 0) return;
    r->manager = static_cast<int16_t>(person);
    r->caretaker = 0;
    r->caretakerDays = 0;
    r->boardPatience = static_cast<uint8_t>(PatienceStart(club));
    if (person >= PERSON_FIRST_ORDINARY && person < FullPlayerCount)
        DbPlayers[person].club = static_cast<int16_t>(club);
    GameHooks.NewsManagerAppointed(club, person);
}

void Managers_HumanTakesOver(int32_t club)
{
    ClubRecord* r = Club_RefForSet(club, "HumanTakesOver").full;
    if (r == nullptr) return;
    const int32_t left = VTW_GetClubOfManager(MANAGER_HUMAN);
    if (left >= 0 && left != club) StartCaretaker(left);
    const int32_t displaced = r->manager;
    if (displaced >= PERSON_FIRST_ORDINARY && displaced < FullPlayerCount)
        DbPlayers[displaced].club = CLUB_NONE;
    r->manager = PERSON_HUMAN;
    r->caretaker = 0;
    r->caretakerDays = 0;
    VTW_SetClubControl(club, MANAGER_HUMAN);
    // The day of his last sacking is a day of the season: kept, it came round again in every later
    // season and sent him, in his new post, to the job centre as if sacked that day.
    MarketState.sackedDay = -1;
}

int32_t VTW_ListManagerVacancies(uint16_t* out)
{
    int32_t n = 0;
    for (int32_t club = 0; club < LeagueClubs() && n < CLUB_ID_COUNT; ++club) {
        if (DbClubs[club].manager < 0 && !HumanRuns(club)) out[n++] = static_cast<uint16_t>(club);
    }
    out[n] = LIST_END;
    return n;
}

int32_t VTW_ListStrugglingClubs(uint16_t* out)
{
    int32_t n = 0;
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        if (DbClubs[club].manager >= 0 && DbClubs[club].boardPatience < PATIENCE_THREATENED)
            out[n++] = static_cast<uint16_t>(club);
    }
    std::stable_sort(out, out + n, [](uint16_t a, uint16_t b) {
        return DbClubs[a].boardPatience < DbClubs[b].boardPatience;
    });
    out[n] = LIST_END;
    return n;
}

void Managers_DailyStage()
{
    JudgeTodaysResults();
    Sackings();
    Caretakers();
}

void Managers_WeeklyStage()
{
    JudgeTablePlaces();
    ReplaceStandIns();
    if (AutoRunMode != 0 || MarketState.jobOfferClub >= 0) return;
    int32_t best = -1;
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        const ClubRecord& r = DbClubs[club];
        if (r.manager >= 0 || HumanRuns(club) || r.reputation > HumanReputation() + OFFER_REACH)
            continue;
        if (best < 0 || r.reputation > DbClubs[best].reputation) best = club;
    }
    MarketState.jobOfferClub = static_cast<int16_t>(best);
}
