// game/fixtures.h: the fixture table (every match of the season, sorted by day), competition
// numbers, the season's generation, the cup draws and the champions' cup groups.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"

constexpr int32_t FIXTURE_ROWS = 3400;
constexpr int32_t FIXTURE_DAY_EMPTY = 511;
constexpr int32_t FIXTURE_DAY_LIMIT = 370;  // a row in use holds a day below this
constexpr int32_t FIXTURE_NOT_PLAYED = 15;  // goals of a row not played yet
constexpr int32_t FIXTURE_GOALS_MAX = 14;
constexpr int32_t FIXTURE_SIDE_PLAYERS = 16;

// Competition numbers: 5 + 16 x cup + round (+ 8 for a second leg) for the cups.
constexpr int32_t COMP_LEAGUE = 0;  // the division is the home club's
constexpr int32_t COMP_PLAYOFF_FIRST = 1;
constexpr int32_t COMP_PLAYOFF_SECOND = 2;
constexpr int32_t COMP_PLAYOFF_FINAL = 3;
constexpr int32_t COMP_SUPER_CUP = 4;
constexpr int32_t COMP_CUP_BASE = 5;
constexpr int32_t COMP_CUP_STRIDE = 16;
constexpr int32_t COMP_SECOND_LEG = 8;
constexpr int32_t COMP_CHAMPIONS_GROUPS = 101;
constexpr int32_t COMP_CUP_LAST = 116;
constexpr int32_t COMP_FRIENDLY = 117;
constexpr int32_t COMP_INTERNATIONAL = 118;  // never generated
constexpr int32_t COMP_COUNT = 119;

// Cups 0-3 national, then the continental ones.
constexpr int32_t CUP_NATIONAL_MAX = 4;
constexpr int32_t CUP_SECOND = 4;     // 32 clubs, rounds 1-4 two-legged, final 5
constexpr int32_t CUP_THIRD = 5;      // 16 national cup winners, rounds 1-3, final 4
constexpr int32_t CUP_CHAMPIONS = 6;  // 32 clubs in 8 groups, rounds 1-3, final 4
constexpr int32_t CHAMPIONS_GROUPS = 8;
constexpr int32_t CHAMPIONS_GROUP_SIZE = 4;
constexpr int32_t CHAMPIONS_MATCHDAYS = 6;

#pragma pack(push, 1)
// One player of a side in a played fixture.
struct FixturePlayerRow {
    int16_t player;  // -1 none
    uint8_t role;    // position code bits 0-3, 4 started, 5 came on, 6 taken off, 7 captain
    uint8_t rating;  // 0 did not play, else 1-100
    uint8_t marks;   // goals bits 0-3, cards 4-5 (FIXTURE_MARK_...), 6 injured, 7 man of the
                     // match
    uint8_t assists;
};

// Bit-packed words; read and write them through the accessors below.
struct FixtureRow {
    uint32_t head;    // day 0-8 (511 empty), competition 9-15, home club 16-23, away 24-31
    uint32_t result;  // goals home 0-3, away 4-7; 10 penalties, 11 away won the shoot-out,
                      // shoot-out goals 12-15 home, 16-19 away; 20 extra time
    uint32_t crowd;   // attendance 0-23, 24 neutral ground
    FixturePlayerRow players[2][FIXTURE_SIDE_PLAYERS];  // home, away
};
#pragma pack(pop)

static_assert(sizeof(FixturePlayerRow) == 6 && offsetof(FixturePlayerRow, marks) == 4);

// A player row's cards, one bit a card shown: booked alone, sent off straight, or both for a
// man booked and then sent off. Saves made before the booking was kept beside a sending-off
// hold the sent-off bit alone for either kind.
constexpr uint8_t FIXTURE_MARK_BOOKED = 0x10;
constexpr uint8_t FIXTURE_MARK_SENT_OFF = 0x20;
inline bool FixturePlayerRow_Booked(const FixturePlayerRow& p)
{
    return (p.marks & FIXTURE_MARK_BOOKED) != 0;
}
inline bool FixturePlayerRow_SentOff(const FixturePlayerRow& p)
{
    return (p.marks & FIXTURE_MARK_SENT_OFF) != 0;
}
static_assert(sizeof(FixtureRow) == 204 && offsetof(FixtureRow, result) == 4);
static_assert(offsetof(FixtureRow, crowd) == 8 && offsetof(FixtureRow, players) == 12);
static_assert(std::is_trivially_copyable_v<FixtureRow>);
static_assert(sizeof(FixtureRow) * FIXTURE_ROWS == 693600);

// Owned by Fixtures: sorted by day, empty rows (day 511) at the end. Read it through the getters.
extern FixtureRow FixtureTable[FIXTURE_ROWS];
// The saved blocks' range checks (SaveGameCheck). A row: a day of the season or empty, the empty
// rows last and the others in day order, a competition, two club ids, players -1 or a person id
// with a position code. The cup schedule: days, rounds and group clubs within their ranges, each
// cup's field even or its winner alone.
bool Fixtures_CheckTable(const void* block);
bool Fixtures_CheckCupSchedule(const void* block);

// The season's reserved cup dates and draws, owned by Fixtures and saved with the game.
struct CupScheduleRecord {
    int16_t roundDay[CUP_COUNT][CUP_ROUND_COUNT][2];         // first and second leg, -1 none
    int8_t finalRound[CUP_COUNT];                            // -1: the cup is not played
    uint8_t alive[CUP_COUNT][CLUB_ID_COUNT];                 // 1 while the club is still in the cup
    int16_t groups[CHAMPIONS_GROUPS][CHAMPIONS_GROUP_SIZE];  // in draw order, -1 none
    int16_t superCupDay;                                     // -1 none
};
extern CupScheduleRecord CupSchedule;

void Fixtures_Init();  // an empty table and no cup schedule
void Fixtures_Uninit();
void Fixtures_Clear();  // every row empty, no cup dates

// Row fields; a row outside 0-3399 reads 0 and a setter ignores it.
int32_t VTW_GetFixtureDay(int32_t row);
int32_t VTW_GetFixtureCompetition(int32_t row);
int32_t VTW_GetFixtureHomeClub(int32_t row);
int32_t VTW_GetFixtureAwayClub(int32_t row);
int32_t VTW_GetFixtureHomeGoals(int32_t row);  // 15 not played
int32_t VTW_GetFixtureAwayGoals(int32_t row);
int32_t VTW_GetFixtureNeutralFlag(int32_t row);
int32_t VTW_GetTeamRecByte6(int32_t row);  // the home club
int32_t VTW_GetTeamRecByte7(int32_t row);  // the away club
int32_t Fixture_IsPlayed(int32_t row);
int32_t Fixture_GetPenalties(int32_t row);        // 1 decided on penalties
int32_t Fixture_GetShootOutAwayWon(int32_t row);  // 1 when the away side won the shoot-out
int32_t Fixture_GetShootOutGoals(int32_t row, int32_t away);
int32_t Fixture_GetExtraTime(int32_t row);
int32_t Fixture_GetAttendance(int32_t row);
FixturePlayerRow Fixture_GetPlayerRow(int32_t row, int32_t away, int32_t index);

// Results, written by the match day: goals are clamped to 0-14; 15 marks the row not played.
void Fixture_SetGoals(int32_t row, int32_t home, int32_t away);
void Fixture_ClearResult(int32_t row);  // not played, no shoot-out, no players
void Fixture_SetShootOut(int32_t row, int32_t homeGoals, int32_t awayGoals);  // 0-15 each
void Fixture_SetExtraTime(int32_t row, int32_t played);
void Fixture_SetAttendance(int32_t row, int32_t attendance);  // 0-16,777,215
void Fixture_SetNeutral(int32_t row, int32_t neutral);
void Fixture_SetPlayerRow(int32_t row, int32_t away, int32_t index, const FixturePlayerRow& p);
// Every player row of the played fixtures, which the visit may rewrite.
void Fixtures_VisitPlayers(PersonIdVisit visit, void* context);

// Inserts an unplayed row after the rows of its day; the row, or -1 after a warning on the
// general channel with the table untouched: a day outside the season, an unknown competition,
// a club outside 0-249, equal clubs, a club that already plays that day, or a full table.
int32_t VTW_InsertFixture(int32_t day, int32_t competition, int32_t home, int32_t away);
int32_t Fixture_RowCount();  // rows in use

// Searches skip empty rows; -1 when none.
int32_t VTW_FindFixtureOfClubOnDay(int32_t club, int32_t day);
int32_t VTW_FindHumanFixtureOnDay(int32_t day);
int32_t VTW_FindCompetitiveFixtureOnDay(int32_t club, int32_t day);  // not a friendly
int32_t VTW_FindFriendlyOnDay(int32_t club, int32_t day);
int32_t VTW_GetNextOpponent(int32_t club);  // of its first row from today on
// The club's rows dated before today, friendlies and internationals left out.
int32_t VTW_GetPlayedFixtures(int32_t club);
// Those rows counted, and the row of the `index`th of them (0 first), -1 past them.
struct PlayedFixtureSearch {
    int32_t count;
    int32_t row;
};
PlayedFixtureSearch Fixture_PlayedRowOfClub(int32_t club, int32_t index);
// 1 when his appearances exceed 60 % of his club's played fixtures; 0 when it has none.
int32_t VTW_IsRegularPlayer(int32_t player);
int32_t VTW_GetLastLeagueDay();
int32_t VTW_GetSeasonEndDay();  // the first league day: the season-best screens' cut-off
int32_t Fixture_FirstRowOfDay(int32_t day);  // the first row dated `day` or later, or the end

// Competition numbers.
int32_t VTW_GetCupIndexOfComp(int32_t comp);  // (n - 5) / 16, cup 5 reported as 6; -2 not a cup
int32_t VTW_GetCompCup(int32_t comp);         // (n - 5) / 16; -2 not a cup
int32_t VTW_GetCompRound(int32_t comp);       // (n - 5) mod 8; -2 not a cup
int32_t VTW_GetCupFirstComp(int32_t cup);     // 5, 21, 37, 53, 70, 86, 101; fatal outside 0-6
int32_t Fixture_CupComp(int32_t cup, int32_t round, int32_t secondLeg);
int32_t Fixture_IsSecondLeg(int32_t comp);

// The clubs of the club map that friendlies and tours may book, into the game state.
void Fixtures_FillFriendlyCandidates();
// Tour check: 1 when the seven days after `day`, and the days either side of them, hold no row
// of the club before the holiday start; else 0.
int32_t VTW_ClubHasFixtureOnDay(int32_t club, int32_t day);
// The first day from today that starts a free tour window (as VTW_ClubHasFixtureOnDay checks it),
// -1 when none starts before the holidays.
int32_t Fixtures_FirstTourWindow(int32_t club);
// Books three away friendlies on days 1, 4 and 7 of the first free seven-day window from today,
// against the clubs of country `tour` (0-18) of highest reputation that are free on those days;
// the number booked.
int32_t VTW_ArrangeFriendly(int32_t club, int32_t tour);

// The whole season's fixtures for the selected country from the calendar's key days: leagues,
// the national cups' first round, the super cup, the continental cups' groups and first rounds;
// reserves every later round's dates. Fatal "Season_GenerateFixtures(): cannot place %s round %d"
// when a round finds no date.
void Season_GenerateFixtures();
// When every row of comp's round is played and the next round has none, draws the winners onto
// the next round's dates; the next round's first competition (also when already drawn); -1 when
// the round is not finished or the cup is over.
int32_t VTW_FindCompNextRound(int32_t comp);
// The play-offs of every division with an extra count: the four clubs after the promotion
// places, 1st v 4th and 2nd v 3rd over two legs; recorded as the division's play-off clubs.
void Season_DrawPlayOffs();
int32_t Fixture_PlayOffDay(int32_t comp);  // the day of competition 1, 2 or 3

// Generation's own inserts: a refusal is fatal, "InsertFixture(): fixture table full" or the
// scheduler's "cannot place" error.
int32_t Fixture_InsertScheduled(int32_t day, int32_t comp, int32_t home, int32_t away,
                                int32_t neutral);
int32_t Fixture_RoundLegs(int32_t cup, int32_t round);  // 1 or 2; finals 1
// The club that won the tie of row `first` and row `second` (-1 for a single match): aggregate,
// away goals over two legs, then the shoot-out; an undecided tie is fatal.
int32_t Cup_TieWinner(int32_t first, int32_t second);
// The final's round of a cup of the selected country, -1 when the country does not play it.
int32_t Cup_FinalRound(int32_t cup);
// Pairs the clubs at random onto the round's reserved dates (a final on neutral ground).
void Cup_DrawClubs(int32_t cup, int32_t round, int16_t* clubs, int32_t count);
// Whether `club` is in cup 0-6 this season: entered by the season's draws and not knocked out.
// Each round's draw takes its field by this rule.
bool Cup_HasClub(int32_t cup, int32_t club);
void Cup_DrawField(int32_t cup, int32_t round);  // draws every club the cup has onto the round
// At most: the national cups, the super cup and one continental cup.
constexpr int32_t CUP_CLUB_CUPS_MAX = CUP_NATIONAL_MAX + 2;
// The names (text numbers) of the cups `club` plays in this season: the national cups, the super
// cup while its match lies ahead, then the continental cup; the count.
int32_t Cup_ClubCupTexts(int32_t club, int32_t texts[CUP_CLUB_CUPS_MAX]);

// The champions' cup groups, kept for the whole season.
int32_t VTW_GetChampionsLeagueGroup(int32_t club);  // 0-7; fatal for a club in none
int32_t VTW_GetChampionsLeagueGroupClub(int32_t group, int32_t place);  // -1 without groups
// The name of group n (0-7): "Groupe A" for group 0 ...; fatal outside 0-7.
int32_t VTW_GetTextNoFromTable(int32_t n);
