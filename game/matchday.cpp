// game/matchday.cpp: the match day: today's fixtures in playing order, each set up, played and
// reported.
#include "game/matchday.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "engine/fatal.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/simmatch.h"
#include "game/tables.h"
#include "game/world.h"

uint32_t DayScreenFlags;

namespace {

// Referees' strictness 50-80 and card threshold 50-65.
constexpr int8_t kOfficials[20][2] = {{50, 50}, {52, 57}, {55, 64}, {57, 53}, {60, 60},
                                      {62, 51}, {64, 58}, {66, 65}, {68, 54}, {70, 61},
                                      {72, 52}, {74, 59}, {76, 55}, {78, 62}, {80, 56},
                                      {53, 63}, {58, 50}, {63, 61}, {69, 57}, {75, 64}};

bool RowIsToday(int32_t row) { return VTW_GetFixtureDay(row) == GameState.dayNo; }

// Today's rows that are left to play; competition 118 is never played.
bool UnplayedToday(int32_t row)
{
    return RowIsToday(row) && !Fixture_IsPlayed(row)
           && VTW_GetFixtureCompetition(row) != COMP_INTERNATIONAL;
}

int32_t FirstRowToday() { return Fixture_FirstRowOfDay(GameState.dayNo); }

bool InGroupOf(int32_t row, int32_t humanRow)
{
    if (humanRow < 0) return false;
    const int32_t comp = VTW_GetFixtureCompetition(row);
    if (comp != VTW_GetFixtureCompetition(humanRow)) return false;
    return comp != COMP_LEAGUE
           || VTW_GetClubDivision(VTW_GetFixtureHomeClub(row))
                  == VTW_GetClubDivision(VTW_GetFixtureHomeClub(humanRow));
}

int32_t FirstUnplayed(bool inGroup)
{
    const int32_t human = VTW_FindHumanNextFixture();
    for (int32_t row = FirstRowToday(); RowIsToday(row); ++row) {
        if (UnplayedToday(row) && InGroupOf(row, human) == inGroup) return row;
    }
    return -1;
}

bool IsDecidingTie(int32_t comp)
{
    if (comp == COMP_SUPER_CUP || comp == COMP_PLAYOFF_SECOND || comp == COMP_PLAYOFF_FINAL)
        return true;
    const int32_t cup = VTW_GetCompCup(comp);
    if (cup < 0) return false;
    const int32_t round = VTW_GetCompRound(comp);
    if (cup == CUP_CHAMPIONS && round == 0) return false;
    return Fixture_IsSecondLeg(comp) || Fixture_RoundLegs(cup, round) == 1;
}

// The first leg of a second leg: the same clubs the other way round, one competition earlier.
int32_t FirstLegOf(int32_t row)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    if (!Fixture_IsSecondLeg(comp)) return -1;
    const int32_t firstComp =
        comp == COMP_PLAYOFF_SECOND ? COMP_PLAYOFF_FIRST : comp - COMP_SECOND_LEG;
    for (int32_t r = 0; r < row; ++r) {
        if (VTW_GetFixtureCompetition(r) == firstComp
            && VTW_GetFixtureHomeClub(r) == VTW_GetFixtureAwayClub(row)
            && VTW_GetFixtureAwayClub(r) == VTW_GetFixtureHomeClub(row))
            return r;
    }
    return -1;
}

int32_t RulesDivision(int32_t club)
{
    return std::clamp(VTW_GetClubDivision(club), 0, DIVISION_MAX - 1);
}

int32_t Capacity(int32_t club)
{
    const int32_t thousands = VTW_GetClubCapacity1(club) + VTW_GetClubCapacity2(club)
                              + VTW_GetClubCapacity3(club) + VTW_GetClubCapacity4(club);
    return std::max(1, thousands) * 1000;
}

int32_t TicketPrice(int32_t club)
{
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    if (record != nullptr && record->ticketPrice > 0) return record->ticketPrice;
    return World_Country(GameState.country).ticketPrice[RulesDivision(club)];
}

// Division base x (60 + reputation) / 100 x form and opponent x 90-110 %, capped by the stands.
int32_t Attendance(int32_t row, int32_t home, int32_t away)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    int64_t crowd = World_Country(GameState.country).baseAttendance[RulesDivision(home)];
    crowd = crowd * (60 + VTW_GetClubReputation(home)) / 100;
    crowd = crowd * (80 + VTW_GetClubRecentForm(home) * 40 / 100) / 100;
    crowd = crowd * (90 + VTW_GetClubReputation(away) / 3) / 100;
    crowd = crowd * (90 + Rand() % 21) / 100;
    if (comp == COMP_FRIENDLY) {
        crowd = crowd * 30 / 100;
    } else if (comp != COMP_LEAGUE) {
        crowd = crowd * 120 / 100;
    }
    return static_cast<int32_t>(std::min<int64_t>(crowd, Capacity(home)));
}

uint16_t DesignatedShirt(int32_t player)
{
    const int32_t shirt = player >= 0 ? VTW_GetPlayerShirt(player) : 0;
    return static_cast<uint16_t>(shirt >= 1 && shirt <= MATCH_SHIRT_COUNT ? shirt : 1);
}

void SetupHeader(MatchDayBlock& b, int32_t row, int32_t home, int32_t away)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    const bool deciding = IsDecidingTie(comp);
    b.extraTime = deciding ? 1 : 0;
    b.shootOut = deciding ? 1 : 0;
    b.goldenGoal = 0;
    b.periodMinutes = MATCH_PERIOD_MINUTES;
    b.secondLeg = static_cast<uint8_t>(Fixture_IsSecondLeg(comp));
    MatchDay_DrawOfficial(&b);
    b.difficulty = 1;
    b.lenientSide = 0;
    b.competition = static_cast<uint8_t>(comp);
    b.fixtureRow = static_cast<int16_t>(row);
    b.viewMode = VIEW_NONE;
    const bool friendly = comp == COMP_FRIENDLY;
    const int32_t division = RulesDivision(home);
    b.benchSize = static_cast<int16_t>(
        friendly ? MATCH_BENCH_MAX
                 : std::clamp<int32_t>(World_Country(GameState.country).bench[division], 0,
                                       MATCH_BENCH_MAX));
    b.substitutionsAllowed =
        static_cast<int16_t>(friendly ? 5 : CountryRules(GameState.country, division));
    b.spare20 = 0;
    b.stands[0] = static_cast<int16_t>(VTW_GetClubCapacity1(home));
    b.stands[1] = static_cast<int16_t>(VTW_GetClubCapacity2(home));
    b.stands[2] = static_cast<int16_t>(VTW_GetClubCapacity3(home));
    b.stands[3] = static_cast<int16_t>(VTW_GetClubCapacity4(home));
    b.attendance = static_cast<uint32_t>(Attendance(row, home, away));
    b.crowdFill =
        static_cast<uint8_t>(std::min<int64_t>(3, int64_t(b.attendance) * 4 / Capacity(home)));
    const int32_t weekday = Calendar_WeekdayOfDay(VTW_GetFixtureDay(row));
    b.night = weekday != WEEKDAY_SATURDAY && weekday != WEEKDAY_SUNDAY ? 1 : 0;
    b.homeClub = static_cast<int16_t>(home);
    b.awayClub = static_cast<int16_t>(away);
    b.day = static_cast<int16_t>(VTW_GetFixtureDay(row));
}

void SetupSide(MatchDayBlock& b, int32_t n, int32_t row, int32_t home, int32_t away)
{
    const int32_t club = n == 0 ? home : away;
    MatchSide& side = b.sides[n];
    std::snprintf(side.teamName, sizeof(side.teamName), "%s", World.clubs[VTW_GetTeam(club)].name);
    KitDesign kit{};
    GameHooks.GetTeamDesign(home, away, n, &kit);
    MatchSide_SetKit(&side, kit);
    const bool human = VTW_GetClubController(club) == MANAGER_HUMAN;
    side.human = human ? 1 : 0;
    Match_SetupSideTactics(n, club);
    const int32_t firstLeg = FirstLegOf(row);
    side.firstLegGoals = static_cast<int16_t>(firstLeg < 0 ? 0
                                              : n == 0     ? VTW_GetFixtureAwayGoals(firstLeg)
                                                           : VTW_GetFixtureHomeGoals(firstLeg));
    if (!human) {
        Club_AISelectTeam(club);
    } else if (AutoRunMode != 0 && VTW_ClearIneligibleShirts(club) != 0) {
        Club_AISelectTeam(club);
    }
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    const int16_t noOne = -1;
    side.designated[0] = DesignatedShirt(record ? record->captain : noOne);
    side.designated[1] = DesignatedShirt(record ? record->penaltyTaker : noOne);
    side.designated[2] = DesignatedShirt(record ? record->freeKickTaker : noOne);
    side.designated[3] = DesignatedShirt(record ? record->cornerTaker : noOne);
    std::fill(std::begin(side.settings), std::end(side.settings), 100);
    MatchEntry_FillTeamSheet(side.entries, club);
    const TacticsRecord& tactic = human ? *GetTactic(side.tactic) : side.tactics[0];
    if (TacticsRecord_IsEmpty(tactic)) return;
    for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
        const TacticsSlot& slot = tactic.slots[k];
        side.entries[k].enginePosition =
            static_cast<uint16_t>(Match_SlotPositionCode(k, slot.row, slot.column));
    }
}

// A club outside the game keeps its gate beyond the game's books: only the game's clubs take
// money in from their crowds.
void BookGateShare(int32_t club, int32_t amount)
{
    if (VTW_GetClubRecordPtr(club) != nullptr) Club_Book(club, CLUB_FIG_GATE, amount);
}

void BookGate(const MatchDayBlock& b)
{
    const int32_t gate = static_cast<int32_t>(
        std::min<int64_t>(int64_t(b.attendance) * TicketPrice(b.homeClub), INT32_MAX / 2));
    const bool shared = b.competition != COMP_LEAGUE && b.competition != COMP_FRIENDLY;
    if (!shared) {
        BookGateShare(b.homeClub, gate);
        return;
    }
    BookGateShare(b.homeClub, gate - gate / 2);
    BookGateShare(b.awayClub, gate / 2);
}

void AddGroupIncidents(int32_t row)
{
    const MatchDayBlock& b = *GetMatchSidesBlock();
    const MatchDataBlock& d = *GetMatchDataBlock();
    // The score as it stood at each row: the events come in the order they were played, and a
    // goal row names the side it counts for, an own goal's too.
    int32_t goals[MATCH_SIDE_COUNT] = {0, 0};
    for (int32_t e = 0; e < d.eventCount; ++e) {
        const MatchEventRow& ev = d.events[e];
        int32_t kind = 0;
        if (ev.kind == 0) {
            ++goals[ev.a];
            const MatchGoalEntry* goal = nullptr;
            for (const MatchGoalEntry& g : d.sides[ev.a].goals) {
                if (g.player == ev.b && g.minute == ev.minute) goal = &g;
            }
            kind = goal != nullptr && goal->kind == 1   ? REPORT_PENALTY_GOAL
                   : goal != nullptr && goal->kind == 2 ? REPORT_OWN_GOAL
                                                        : REPORT_GOAL;
        } else if (ev.kind == 3) {
            kind = REPORT_SENT_OFF;
        } else {
            continue;
        }
        const int32_t first = ev.a;
        MatchReportFacts facts{};
        facts.kind = kind;
        facts.firstClub = first == 0 ? b.homeClub : b.awayClub;
        facts.firstGoals = goals[first];
        facts.minute = std::min<int32_t>(ev.minute, 120);
        facts.player = ev.b;
        facts.secondClub = first == 0 ? b.awayClub : b.homeClub;
        facts.secondGoals = goals[1 - first];
        facts.competition = b.competition;
        facts.firstLegFirst = b.sides[first].firstLegGoals;
        facts.firstLegSecond = b.sides[1 - first].firstLegGoals;
        facts.fixtureRow = row;
        // The news line names the home club first, as the results do, whoever the incident's.
        facts.secondFirst = first == 1;
        if (!MatchReport_AddIncident(facts)) return;
    }
}

void FillLastMatchReports(int32_t row)
{
    const MatchDataBlock& d = *GetMatchDataBlock();
    int32_t count = 0;
    for (int32_t e = 0; e < d.eventCount && count < LAST_MATCH_INCIDENT_MAX - 1; ++e) {
        const MatchEventRow& ev = d.events[e];
        // Goals, sendings-off and missed penalties: the kinds the report lists.
        if (ev.kind != 0 && ev.kind != 3 && ev.kind != 4) continue;
        LastMatchIncident& incident = LastMatchIncidents[count++];
        incident = {};
        incident.person = ev.b;
        LastMatchIncident_SetSideKind(&incident, ev.a, ev.kind);
        incident.minute = static_cast<uint8_t>(ev.minute);
        for (const MatchGoalEntry& g : d.sides[ev.a].goals) {
            if (ev.kind == 0 && g.player == ev.b && g.minute == ev.minute && g.kind != 0)
                incident.detail = g.kind == 1 ? 5 : 7;
        }
    }
    for (int32_t k = count; k < LAST_MATCH_INCIDENT_MAX; ++k) {
        LastMatchIncidents[k] = {};
        LastMatchIncidents[k].person = -1;
        LastMatchIncident_SetSideKind(&LastMatchIncidents[k], 0, -1);
    }
    // The away share is what the home share leaves, so that the two make 100 as on the
    // statistics screen.
    const int32_t homeShare =
        MatchData_PossessionShare(d.sides[0].possession, d.sides[1].possession);
    // The block is packed: its counters are copied out before they are read as words.
    uint32_t territory[3];
    std::memcpy(territory, d.territoryTotals, sizeof(territory));
    int32_t zones[3];
    MatchData_ZoneShares(territory, zones);
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        const MatchSideStats& s = d.sides[n];
        LastMatchSummaryRow& summary = LastMatchSummary[n];
        summary = {s.shotsOnTarget, s.shotsOffTarget,
                   s.corners,       static_cast<int16_t>(1 + zones[n == 0 ? 0 : 2]),
                   s.fouls,         static_cast<int16_t>(n == 0 ? homeShare : 100 - homeShare),
                   s.manOfTheMatch};
    }
    MatchBlocks_KeepCopy(row);
}

void PostMatchSequence()
{
    MatchReportFlags |= MATCH_REPORT_IN_SEQUENCE;
    GameHooks.PostMatchSequence();
    MatchReportFlags &= static_cast<uint8_t>(~MATCH_REPORT_SIDE_CHOSEN);
}

}  // namespace

int32_t VTW_FindHumanNextFixture()
{
    const int32_t today =
        GameState.humanClub >= 0 ? VTW_FindHumanFixtureOnDay(GameState.dayNo) : -1;
    const int32_t row =
        today >= 0 && VTW_GetFixtureCompetition(today) != COMP_INTERNATIONAL ? today : -1;
    Market_SetMatchSlot(row);
    return row;
}

void VTW_CountTodaysFixtures(int32_t* group, int32_t* other)
{
    const int32_t human = VTW_FindHumanNextFixture();
    *group = 0;
    *other = 0;
    for (int32_t row = FirstRowToday(); RowIsToday(row); ++row) {
        if (!UnplayedToday(row)) continue;
        ++(InGroupOf(row, human) ? *group : *other);
    }
}

void Fixture_ShuffleToday()
{
    const int32_t first = FirstRowToday();
    int32_t count = 0;
    while (RowIsToday(first + count)) {
        ++count;
    }
    for (int32_t k = 0; k < count; ++k) {
        const int32_t a = first + Rand() % count;
        const int32_t b = first + Rand() % count;
        std::swap(FixtureTable[a], FixtureTable[b]);
    }
}

int32_t Fixture_PutHumanLast()
{
    const int32_t human = VTW_FindHumanNextFixture();
    if (human < 0) return 0;
    int32_t last = human;
    for (int32_t row = human + 1; RowIsToday(row); ++row) {
        if (InGroupOf(row, human)) last = row;
    }
    std::rotate(FixtureTable + human, FixtureTable + human + 1, FixtureTable + last + 1);
    return 1;
}

int32_t VTW_PutHumanFixtureLast() { return Fixture_PutHumanLast(); }

int32_t VTW_PlayMatchDay(int32_t* row)
{
    int32_t next = FirstUnplayed(true);
    if (next < 0) next = FirstUnplayed(false);
    if (next < 0) return 0;
    Season_PlayMatchDay(next);
    *row = next;
    return 1;
}

void SetupFixture(int32_t row)
{
    if (row < 0 || row >= Fixture_RowCount())
        FatalError("SetupFixture(): row %d is not a fixture", row);
    MatchDay_ClearBlock();
    MatchDayBlock& b = *GetMatchSidesBlock();
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    SetupHeader(b, row, home, away);
    SetupSide(b, 0, row, home, away);
    SetupSide(b, 1, row, home, away);
}

void PlayFixture()
{
    MatchDayBlock& b = *GetMatchSidesBlock();
    MatchDataBlock& d = *GetMatchDataBlock();
    const bool human = b.sides[0].human != 0 || b.sides[1].human != 0;
    if (human && FixedScore.on != 0) {
        SimMatch_FixedResult(b, FixedScore.home, FixedScore.away, &d);
        FixedScore.on = 0;
        return;
    }
    if (human && AutoRunMode == 0) {
        b.viewMode = ChosenViewMode;
        // The engine writes only what it keeps; nothing of the previous fixture may stay behind.
        SimMatch_ClearData(&d);
        GameHooks.PlayWatchedMatch();
        return;
    }
    SimMatch_Play(b, &d);
}

void Season_PlayMatchDay(int32_t row)
{
    const int32_t human = VTW_FindHumanNextFixture();
    const bool humanStillToPlay = human >= 0 && !Fixture_IsPlayed(human);
    SetupFixture(row);
    PlayFixture();
    BookGate(*GetMatchSidesBlock());
    PostMatch_Process();
    const MatchDataBlock& d = *GetMatchDataBlock();
    if (Fixture_GetPenalties(row))
        ShootOutList_Add(row, Fixture_GetShootOutAwayWon(row) != 0, d.sides[0].shootOutGoals,
                         d.sides[1].shootOutGoals);
    if (row != human && humanStillToPlay && InGroupOf(row, human)) AddGroupIncidents(row);
    if (row != human) return;
    FillLastMatchReports(row);
    if (AutoRunMode == 0) PostMatchSequence();
}

void MatchDay_KeepAlive()
{
    if (DayScreenFlags & DAY_SCREEN_SHOWING) {
        GameHooks.DayScreenStep();
    } else {
        Poll();
    }
}

void MatchDay_NewGame()
{
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        ClubRecord* record = VTW_GetClubRecordPtr(club);
        if (record == nullptr || record->team < 0 || VTW_GetClubDivision(club) >= DIVISION_MAX)
            continue;
        for (auto& pair : record->goals) {
            pair[0].player = pair[1].player = -1;
        }
        for (CardLogEntry& card : record->cards) {
            card.minute = -1;
        }
        Club_AISelectTeam(club);
    }
}

void MatchDay_DrawOfficial(MatchDayBlock* b)
{
    const int32_t official = Rand() % 20;
    b->official[0] = kOfficials[official][0];
    b->official[1] = kOfficials[official][1];
    b->official[2] = 0;
}
