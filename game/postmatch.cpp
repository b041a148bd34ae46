// game/postmatch.cpp: a played fixture's result and statistics carried into the fixture row, the
// players and the clubs; the form and ratings read from them.
#include <algorithm>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/simmatch.h"
#include "game/tables.h"
#include "game/textmess.h"

uint8_t PlayerSeasonBookings[PLAYER_FULL_MAX];
uint8_t PlayerSeasonCleanSheets[PLAYER_FULL_MAX];

namespace {

constexpr int32_t SUSPENSION_SENT_OFF = 3;
constexpr uint8_t ROLE_STARTED = 1 << 4;
constexpr uint8_t ROLE_TAKEN_OFF = 1 << 6;
constexpr uint8_t ROLE_POSITION = 0x0F;  // 0 in goal
constexpr int32_t BOOKINGS_PER_BAN = 5;

// Goal rows of the halves: the engine and the simulation both log every goal with its period,
// while only the simulation fills the goal list.
int32_t NormalTimeGoals(const MatchDataBlock& d, int32_t side)
{
    int32_t goals = 0;
    const int32_t rows = std::clamp<int32_t>(d.eventCount, 0, MATCH_EVENT_MAX);
    for (int32_t e = 0; e < rows; ++e) {
        const MatchEventRow& ev = d.events[e];
        if (ev.kind == 0 && ev.a == side && ev.period < 2) ++goals;
    }
    return goals;
}

bool ExtraTimePlayed(const MatchDayBlock& b, const MatchDataBlock& d)
{
    return b.extraTime == 1 && SimMatch_TieIsLevel(b, NormalTimeGoals(d, 0), NormalTimeGoals(d, 1));
}

// A rating is what both the engine and the simulation give every player who took part; a fixture
// row keeps 0 for one who did not.
bool Played(const PlayerMatchRecord& r) { return PlayerMatchRecord_Get(r, PMR_RATING) > 0; }

// The substitution rows name the player going off, whichever of them played the match.
bool SubstitutedOff(const MatchDataBlock& d, int32_t player)
{
    const int32_t rows = std::clamp<int32_t>(d.eventCount, 0, MATCH_EVENT_MAX);
    for (int32_t e = 0; e < rows; ++e) {
        if (d.events[e].kind == 1 && d.events[e].b == player) return true;
    }
    return false;
}

// The record's bookings field: 1 booked, 2 sent off by a second booking, 3 sent off straight.
bool SentOff(int32_t bookings) { return bookings >= 2; }

// The cards a fixture row shows for the record's bookings field: a second booking shows both.
uint8_t CardMarks(int32_t bookings)
{
    if (bookings == 0) return 0;
    if (bookings == 3) return FIXTURE_MARK_SENT_OFF;
    return bookings == 2 ? FIXTURE_MARK_BOOKED | FIXTURE_MARK_SENT_OFF : FIXTURE_MARK_BOOKED;
}

FixturePlayerRow PlayerRow(const MatchSide& side, const MatchDataBlock& d, int32_t n, int32_t k)
{
    const MatchPlayerEntry& entry = side.entries[k];
    const MatchSideStats& stats = d.sides[n];
    const PlayerMatchRecord& r = stats.players[k];
    FixturePlayerRow row{-1, 0, 0, 0, 0};
    if (entry.playerId == 0xFFFF || !Played(r)) return row;
    const int32_t bookings = PlayerMatchRecord_Get(r, PMR_BOOKINGS);
    const bool sentOff = SentOff(bookings);
    const bool started = k < MATCH_STARTERS;
    // A substitute may be taken off in his turn: he is marked so as a starter is.
    const bool takenOff = !sentOff && SubstitutedOff(d, entry.playerId);
    row.player = static_cast<int16_t>(entry.playerId);
    row.role = static_cast<uint8_t>((entry.enginePosition & 0xF) | (started ? 1 << 4 : 1 << 5)
                                    | (takenOff ? 1 << 6 : 0)
                                    | (entry.shirt == side.designated[0] ? 1 << 7 : 0));
    row.rating = static_cast<uint8_t>(PlayerMatchRecord_Get(r, PMR_RATING));
    row.marks = static_cast<uint8_t>(std::min(15, PlayerMatchRecord_Get(r, PMR_GOALS))
                                     | CardMarks(bookings)
                                     // Hurt badly (2) is still one injured bit: bit 7 is
                                     // the player of the match's.
                                     | (PlayerMatchRecord_Get(r, PMR_HURT) != 0 ? 1 << 6 : 0)
                                     | (stats.manOfTheMatch == row.player ? 1 << 7 : 0));
    row.assists = static_cast<uint8_t>(PlayerMatchRecord_Get(r, PMR_ASSISTS));
    return row;
}

uint8_t AddCapped(uint8_t value, int32_t amount, int32_t cap)
{
    return static_cast<uint8_t>(std::clamp<int32_t>(value + amount, 0, cap));
}

// A booking counts towards a one-match ban at every fifth of the season; a sending-off bans for
// three matches on its own.
void Discipline(int32_t player, PlayerRecord* p, int32_t bookings)
{
    if (SentOff(bookings)) {
        p->disciplinePoints = AddCapped(p->disciplinePoints, 3, 255);
        p->suspension = AddCapped(p->suspension, SUSPENSION_SENT_OFF, 255);
        return;
    }
    if (bookings == 0) return;
    p->disciplinePoints = AddCapped(p->disciplinePoints, 1, 255);
    uint8_t& count = PlayerSeasonBookings[player];
    count = AddCapped(count, 1, 255);
    if (count % BOOKINGS_PER_BAN == 0) p->suspension = AddCapped(p->suspension, 1, 255);
}

// A friendly counts in no figure of the season or the career, nor in his discipline: only in his
// condition and form.
void CountCompetitiveFigures(int32_t player, PlayerRecord* p, const PlayerMatchRecord& r,
                             int32_t rating)
{
    Discipline(player, p, PlayerMatchRecord_Get(r, PMR_BOOKINGS));
    const int32_t goals = PlayerMatchRecord_Get(r, PMR_GOALS);
    p->seasonApps = AddCapped(p->seasonApps, 1, 255);
    p->careerApps = static_cast<uint16_t>(std::min(65535, p->careerApps + 1));
    p->seasonGoals = AddCapped(p->seasonGoals, goals, 255);
    p->careerGoals = static_cast<uint16_t>(std::min(65535, p->careerGoals + goals));
    p->seasonAssists = AddCapped(p->seasonAssists, PlayerMatchRecord_Get(r, PMR_ASSISTS), 255);
    p->perfSum = static_cast<uint16_t>(std::min(65535, p->perfSum + rating));
    p->ratedCount = AddCapped(p->ratedCount, 1, 255);
}

void UpdatePlayer(int32_t club, int32_t player, const PlayerMatchRecord& r, int32_t goalDiff,
                  int32_t cup, bool competitive)
{
    PlayerRecord* p = Player_RefForSet(player, "MatchStats").full;
    if (p == nullptr) return;
    if (cup >= 0) p->cupTied = static_cast<uint8_t>(p->cupTied | 1 << cup);
    const int32_t rating = PlayerMatchRecord_Get(r, PMR_RATING);
    if (competitive) CountCompetitiveFigures(player, p, r, rating);
    p->lastRating = static_cast<uint8_t>(rating);
    p->experience = AddCapped(p->experience, 1, 255);
    p->fatigue = AddCapped(p->fatigue, 20, 100);
    p->fitness = AddCapped(p->fitness, -5, 100);
    const int32_t byResult = goalDiff > 0 ? 5 : goalDiff < 0 ? -5 : 0;
    p->morale = AddCapped(p->morale, byResult + (rating - 60) / 5, 100);
    if (PlayerMatchRecord_Get(r, PMR_HURT) != 0) {
        const int32_t physio = Staff_GetRating(club, STAFF_PHYSIO);
        p->flags |= PLAYER_INJURED;
        p->injuryType = static_cast<uint8_t>(Rand() % 16);
        p->injuryDays = static_cast<uint8_t>(std::max(1, (1 + Rand() % 60) * (200 - physio) / 200));
    }
}

// The minutes of the men who played the match to its final whistle: the most anyone was on.
int32_t FullMinutes(const MatchDataBlock& d)
{
    int32_t longest = 0;
    for (const MatchSideStats& side : d.sides) {
        for (const PlayerMatchRecord& r : side.players)
            longest = std::max(longest, PlayerMatchRecord_Get(r, PMR_TIME_ON_PITCH));
    }
    return longest;
}

// A match's clean sheet is one keeper's: the man who started it in goal and was there at the
// final whistle, his side having conceded nothing. One who came on, or went off for any reason,
// gets none, so that no clean sheet counts for two keepers.
bool KeptCleanSheet(const FixturePlayerRow& row, const PlayerMatchRecord& r, int32_t conceded,
                    int32_t fullMinutes)
{
    const bool startedInGoal = (row.role & (ROLE_STARTED | ROLE_POSITION)) == ROLE_STARTED;
    const bool wentOff = (row.role & ROLE_TAKEN_OFF) != 0 || FixturePlayerRow_SentOff(row)
                         || PlayerMatchRecord_Get(r, PMR_TIME_ON_PITCH) < fullMinutes;
    return conceded == 0 && startedInGoal && !wentOff;
}

void CountCleanSheet(int32_t player)
{
    if (Player_RefForGet(player, "CleanSheet").full == nullptr) return;
    PlayerSeasonCleanSheets[player] = AddCapped(PlayerSeasonCleanSheets[player], 1, 255);
}

// One match of suspension served by every suspended squad player of a club with a competitive
// fixture, before this match's bans are added.
void ServeSuspensions(int32_t club)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    for (int32_t k = 0; k < count; ++k) {
        PlayerRecord* p = Player_RefForSet(members[k], "Suspension").full;
        if (p != nullptr && p->suspension > 0) --p->suspension;
    }
}

void PushResult(uint8_t* list, int32_t size, uint8_t code)
{
    std::copy_backward(list, list + size - 1, list + size);
    list[0] = code;
}

// A goal of the goal list, classed by the same goal's entry of the scorer list.
void AppendGoalLog(ClubRecord* record, int32_t which, const MatchGoalEntry& g,
                   const MatchScorerEntry& classed, bool away, int32_t competition)
{
    const int32_t where = MatchScorer_Detail(classed.packed) == GOAL_DETAIL_OUTSIDE ? 1 : 0;
    for (auto& pair : record->goals) {
        GoalLogEntry& entry = pair[which];
        if (entry.player != -1) continue;
        entry = {g.player,
                 g.minute,
                 GoalLog_Pack(MatchScorer_Class(classed.packed), where, away),
                 static_cast<uint8_t>(competition),
                 {0, 0, 0}};
        return;
    }
}

void AppendGoalLogs(ClubRecord* record, int32_t which, const MatchSideStats& side, bool away,
                    int32_t competition)
{
    for (size_t k = 0; k < std::size(side.goals); ++k) {
        if (side.goals[k].player != -1)
            AppendGoalLog(record, which, side.goals[k], side.scorers[k], away, competition);
    }
}

void AppendCardLog(ClubRecord* record, const MatchCardEntry& c)
{
    for (CardLogEntry& entry : record->cards) {
        if (entry.minute != -1) continue;
        entry = {static_cast<int8_t>(c.minute), c.kind};
        return;
    }
}

int32_t MatchDispoints(const MatchSideStats& side)
{
    int32_t points = 0;
    for (const PlayerMatchRecord& r : side.players) {
        const int32_t bookings = PlayerMatchRecord_Get(r, PMR_BOOKINGS);
        points += SentOff(bookings) ? 3 : bookings != 0 ? 1 : 0;
    }
    return points;
}

// What the club receives for a competitive win: a fifth of the mean weekly wage of the men who
// played, so that a win is worth as much to a club as its players are.
int32_t WinBonus(const MatchSide& side, const MatchSideStats& stats)
{
    int64_t wages = 0;
    int32_t count = 0;
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        if (side.entries[k].playerId == 0xFFFF || !Played(stats.players[k])) continue;
        wages += VTW_GetPlayerWage(side.entries[k].playerId);
        ++count;
    }
    return count > 0 ? static_cast<int32_t>(wages / count / 5) : 0;
}

// Margin first, then the goals that made it (scored for a win, conceded for a defeat).
bool Beats(int32_t margin, int32_t goals, int32_t recordMargin, int32_t recordGoals)
{
    return margin > recordMargin || (margin == recordMargin && goals > recordGoals);
}

// The most goals of one of the side's players in this match, and who; -1 none.
int32_t BestScorer(const MatchSide& side, const MatchSideStats& stats, int32_t* goals)
{
    int32_t best = -1;
    *goals = 0;
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        const int32_t scored = PlayerMatchRecord_Get(stats.players[k], PMR_GOALS);
        if (side.entries[k].playerId == 0xFFFF || scored <= *goals) continue;
        *goals = scored;
        best = side.entries[k].playerId;
    }
    return best;
}

// A season total is kept as the record while it is the best of any season, this one included.
void RaiseSeasonRecord(ClubRecordEntry* entry, int32_t value)
{
    if (value > entry->value) *entry = ClubRecord_Dated(value, 0, -1, -1);
}

// One side's shots, corners and cards of a league match into a venue's season counters.
void CountLeagueFigures(int16_t counters[SEASON_COUNTERS], const MatchSideStats& side)
{
    const auto add = [&](int32_t counter, int32_t value) {
        counters[counter] = static_cast<int16_t>(counters[counter] + value);
    };
    add(SEASON_SHOTS_ON, side.shotsOnTarget);
    add(SEASON_SHOTS_OFF, side.shotsOffTarget);
    add(SEASON_CORNERS, side.corners);
    for (const MatchCardEntry& c : side.cards) {
        if (c.player != -1) add(c.kind == 1 ? SEASON_BOOKINGS : SEASON_SENDINGS_OFF, 1);
    }
}

void UpdateClubRecords(ClubRecord* record, const MatchDayBlock& b, const MatchDataBlock& d,
                       int32_t n)
{
    const int32_t opponent = n == 0 ? b.awayClub : b.homeClub;
    const int32_t scored = d.sides[n].score;
    const int32_t conceded = d.sides[1 - n].score;
    ClubRecordEntry& win = record->records[CLUB_REC_WIN];
    if (scored > conceded && Beats(scored - conceded, scored, win.value - win.value2, win.value))
        win = ClubRecord_Dated(scored, conceded, -1, opponent);
    ClubRecordEntry& defeat = record->records[CLUB_REC_DEFEAT];
    if (scored < conceded
        && Beats(conceded - scored, conceded, defeat.value2 - defeat.value, defeat.value2))
        defeat = ClubRecord_Dated(scored, conceded, -1, opponent);
    ClubRecordEntry& crowd = record->records[CLUB_REC_CROWD];
    if (n == 0 && static_cast<int32_t>(b.attendance) > crowd.value)
        crowd = ClubRecord_Dated(static_cast<int32_t>(b.attendance), 0, -1, opponent);
    int32_t goals = 0;
    const int32_t scorer = BestScorer(b.sides[n], d.sides[n], &goals);
    ClubRecordEntry& matchGoals = record->records[CLUB_REC_MATCH_GOALS];
    if (scorer >= 0 && goals > matchGoals.value)
        matchGoals = ClubRecord_Dated(goals, 0, scorer, opponent);
    if (b.competition == COMP_LEAGUE) {
        if (n == 0) ClubRecord_KeepLowCrowd(record, static_cast<int32_t>(b.attendance), opponent);
        // The league row holds this match once a table scan has counted its day.
        const int32_t club = n == 0 ? b.homeClub : b.awayClub;
        const bool counted = club < CLUB_FULL_MAX && LeagueCountedDay[club] >= b.day;
        const int32_t points = scored > conceded ? 3 : scored == conceded ? 1 : 0;
        int32_t totals[3], home[LEAGUE_SIDE_COLUMNS], away[LEAGUE_SIDE_COLUMNS];
        VTW_GetLeagueRowTotals(club, totals);
        VTW_GetLeagueRowHome(club, home);
        VTW_GetLeagueRowAway(club, away);
        RaiseSeasonRecord(&record->records[CLUB_REC_POINTS_TOTAL],
                          totals[1] + (counted ? 0 : points));
        RaiseSeasonRecord(&record->records[CLUB_REC_GOALS_TOTAL],
                          home[3] + away[3] + (counted ? 0 : scored));
    }
    RaiseSeasonRecord(&record->records[CLUB_REC_DISPOINTS], record->seasonDispoints);
}

void UpdateClub(const MatchDayBlock& b, const MatchDataBlock& d, int32_t n)
{
    const int32_t club = n == 0 ? b.homeClub : b.awayClub;
    ClubRecord* record = VTW_GetClubRecordPtr(club);
    if (record == nullptr) return;
    const MatchSideStats& own = d.sides[n];
    const MatchSideStats& them = d.sides[1 - n];
    const int32_t diff = own.score - them.score;
    // A friendly counts in none of the club's figures: its form, its goal and card logs, its
    // discipline, its records and its bonuses are those of the competitive matches.
    if (b.competition == COMP_FRIENDLY) return;
    const uint8_t code = diff > 0 ? RESULT_WIN : diff < 0 ? RESULT_DEFEAT : RESULT_DRAW;
    PushResult(record->lastResults, 6, code);
    if (b.competition == COMP_LEAGUE) PushResult(record->lastLeagueResults, 5, code);
    AppendGoalLogs(record, 0, own, n == 1, b.competition);
    AppendGoalLogs(record, 1, them, n == 1, b.competition);
    for (const MatchCardEntry& c : own.cards) {
        if (c.player != -1) AppendCardLog(record, c);
    }
    if (b.competition == COMP_LEAGUE) {
        CountLeagueFigures(record->seasonCounters[SEASON_FOR][n], own);
        CountLeagueFigures(record->seasonCounters[SEASON_AGAINST][n], them);
    }
    if (n == 0 && b.competition == COMP_LEAGUE) {
        record->attendanceSum += static_cast<int32_t>(b.attendance);
        ++record->attendanceCount;
    }
    record->seasonDispoints = static_cast<int16_t>(record->seasonDispoints + MatchDispoints(own));
    UpdateClubRecords(record, b, d, n);
    if (diff > 0) Club_Book(club, CLUB_FIG_WIN_BONUSES, WinBonus(b.sides[n], own));
}

int32_t RatingInRows(int32_t row, int32_t player)
{
    if (row < 0 || player < 0) return 0;
    for (int32_t away = 0; away < 2; ++away) {
        for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
            const FixturePlayerRow p = Fixture_GetPlayerRow(row, away, k);
            if (p.player == player) return p.rating;
        }
    }
    return 0;
}

}  // namespace

bool PostMatch_ExtraTimePlayed()
{
    return ExtraTimePlayed(*GetMatchSidesBlock(), *GetMatchDataBlock());
}

void PostMatch_Process()
{
    const MatchDayBlock& b = *GetMatchSidesBlock();
    const MatchDataBlock& d = *GetMatchDataBlock();
    const int32_t row = b.fixtureRow;
    Fixture_SetGoals(row, d.sides[0].score, d.sides[1].score);
    if (b.shootOut == 1 && d.sides[0].shootOutGoals != d.sides[1].shootOutGoals)
        Fixture_SetShootOut(row, d.sides[0].shootOutGoals, d.sides[1].shootOutGoals);
    Fixture_SetExtraTime(row, ExtraTimePlayed(b, d) ? 1 : 0);
    Fixture_SetAttendance(row, static_cast<int32_t>(b.attendance));
    const bool competitive = b.competition != COMP_FRIENDLY;
    const int32_t cup = VTW_GetCompCup(b.competition);
    const int32_t fullMinutes = FullMinutes(d);
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        const int32_t club = n == 0 ? b.homeClub : b.awayClub;
        if (competitive) ServeSuspensions(club);
        const int32_t diff = d.sides[n].score - d.sides[1 - n].score;
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            const FixturePlayerRow p = PlayerRow(b.sides[n], d, n, k);
            const PlayerMatchRecord& r = d.sides[n].players[k];
            Fixture_SetPlayerRow(row, n, k, p);
            if (p.player < 0) continue;
            UpdatePlayer(club, p.player, r, diff, cup, competitive);
            // Counted with his appearance: a friendly's counts in no figure.
            if (competitive && KeptCleanSheet(p, r, d.sides[1 - n].score, fullMinutes))
                CountCleanSheet(p.player);
        }
        UpdateClub(b, d, n);
    }
}

int32_t VTW_GetSquadPlayerRating(int32_t player)
{
    const MatchDayBlock& b = *GetMatchSidesBlock();
    const MatchDataBlock& d = *GetMatchDataBlock();
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            if (b.sides[n].entries[k].playerId != player || !Played(d.sides[n].players[k]))
                continue;
            return PlayerMatchRecord_Get(d.sides[n].players[k], PMR_RATING);
        }
    }
    return 0;
}

int32_t VTW_GetPlayerMatchRating(int32_t player) { return RatingInRows(ReportFixture, player); }

int32_t VTW_GetClubRecentForm(int32_t club)
{
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    if (record == nullptr) return 0;
    int32_t sum = 0;
    for (int32_t k = 0; k < 6; ++k) {
        const uint8_t r = record->lastResults[k];
        sum += (6 - k) * (r == RESULT_WIN ? 3 : r == RESULT_DRAW ? 1 : 0);
    }
    return sum * 100 / 63;
}

const char* VTW_GetClubFormText(int32_t club)
{
    static char text[6];
    text[0] = '\0';
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    if (record == nullptr) return text;
    int32_t length = 0;
    for (uint8_t r : record->lastLeagueResults) {
        if (r == RESULT_NONE) break;
        const char* letter = GetMessageText(r == RESULT_WIN ? 138 : r == RESULT_DRAW ? 139 : 140);
        text[length++] = letter[0];
    }
    text[length] = '\0';
    return text;
}
