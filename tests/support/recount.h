// tests/support/recount.h: a season's figures counted again from what was played, the fixture
// table's rows read through their stored layout alone, for the tests that hold every figure a
// screen shows against that count; and a career whose season is played to a chosen moment.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "game/fixtures.h"
#include "game/records.h"
#include "tests/support/screen_redraw.h"

// One stored fixture row, its words unpacked by their documented bit places.
struct PlayedRow {
    int32_t index;  // into FixtureTable when the copy was taken
    int32_t day, competition;
    int32_t clubs[2];  // home, away
    int32_t goals[2];  // 15 not played
    bool penalties, awayWonShootOut;
    int32_t attendance;
    FixturePlayerRow players[2][FIXTURE_SIDE_PLAYERS];

    bool Played() const { return goals[0] != FIXTURE_NOT_PLAYED; }
    bool Competitive() const;            // neither a friendly nor an international
    int32_t SideOf(int32_t club) const;  // 0 home, 1 away, -1 neither
    int32_t Winner() const;              // the winning side after any shoot-out, -1 a draw
};
using PlayedRows = std::vector<PlayedRow>;

// The rows in use now, in table order.
PlayedRows TakePlayedRows();

// A player's bookkeeping in a row: goals (bits 0-3), booked or sent off (bits 4-5), the man of
// the match (bit 7), started (role bit 4), taken off (role bit 6), in goal (position code 0).
int32_t MarkedGoals(const FixturePlayerRow& p);
int32_t MarkedCards(const FixturePlayerRow& p);  // 0 none, 1 booked, 2 sent off
bool MarkedManOfTheMatch(const FixturePlayerRow& p);

// A player's competitive matches: appearances, goals, ratings, and the clean sheets of a keeper
// who started in goal, played to the final whistle and saw his side concede none.
struct PlayerTally {
    int32_t apps = 0;
    int32_t goals = 0;
    int32_t ratingSum = 0;
    int32_t cleanSheets = 0;
    int32_t Performance() const { return apps == 0 ? 0 : ratingSum / apps; }
};
// For `club` only, or at every club with CLUB_ANY.
constexpr int32_t CLUB_ANY = -1;
PlayerTally TallyPlayer(const PlayedRows& rows, int32_t player, int32_t club);
// The clubs he played competitive matches for.
std::set<int32_t> ClubsPlayedFor(const PlayedRows& rows, int32_t player);
// Everyone who played a competitive match.
std::set<int32_t> EveryPlayerWhoPlayed(const PlayedRows& rows);

// A club's league record, by venue [0 home, 1 away].
struct LeagueTally {
    int32_t played = 0;
    int32_t won[2] = {}, drawn[2] = {}, lost[2] = {};
    int32_t goalsFor[2] = {}, goalsAgainst[2] = {};
    int32_t points = 0;
    int32_t Difference() const;
    bool RanksAbove(const LeagueTally& other) const;  // points, difference, goals for
    bool RanksLevel(const LeagueTally& other) const;
};
LeagueTally TallyLeague(const PlayedRows& rows, int32_t club);
// The clubs that met `club` in the league, and those they met, and so on: its division.
std::set<int32_t> LeagueOf(const PlayedRows& rows, int32_t club);

// The disciplinary points of a club's players in every match played: 1 a booking, 3 a sending
// off.
int32_t TallyDispoints(const PlayedRows& rows, int32_t club);

// Plays the fixture's match through the engine, headless and unwatched, on the draws of `seed`.
void PlayFixtureThroughTheEngine(int32_t row, uint32_t seed);
// Plays the fixture through the match engine (no view) on the draws of seeds 1, 2, ... and hands
// `check` the first match, then each that is the first to hold a sending-off, an own goal or a
// missed penalty; done once it had all three, a test failure when seed 80 has not.
void PlayMatchesOfEveryIncident(int32_t row, const std::function<void(uint32_t seed)>& check);

// One day of the career: its matches played by the simulation (the human's too, with the
// unattended run on), then the day advanced.
void DriveOneDay();

// A career (ScopedScreenRedraw's) whose whole season the simulation plays, one day at a time.
enum class SeasonMoment {
    LeagueOver,  // the day after the last league day
    NextSeason,  // the first day of the next season; Rows() then holds the season gone
};
class ScopedRecountedSeason {
public:
    explicit ScopedRecountedSeason(SeasonMoment moment);
    ~ScopedRecountedSeason();
    ScopedRecountedSeason(const ScopedRecountedSeason&) = delete;
    ScopedRecountedSeason& operator=(const ScopedRecountedSeason&) = delete;

    ScopedScreenRedraw& Screen() { return *m_screen; }
    int32_t HumanClub() const { return m_screen->HumanClub(); }
    int32_t FirstSeason() const { return m_firstSeason; }
    // The season's rows as its last day left them, and a club of each division then.
    const PlayedRows& Rows() const { return m_rows; }
    int32_t DivisionMember(int32_t division) const { return m_divisionMembers[division]; }
    // Whether the id is still the person who played those rows: the turn of a season frees the
    // ids of players who retire, with all they kept, and new players take them.
    bool SamePersonAsInRows(int32_t id) const;

private:
    std::unique_ptr<ScopedScreenRedraw> m_screen;
    int32_t m_firstSeason = 0;
    PlayedRows m_rows;
    std::vector<int32_t> m_divisionMembers;
    std::vector<PersonRecord> m_persons;  // as the rows were taken
};
