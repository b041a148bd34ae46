// game/funcs_fixtures.cpp: the fixture queries that need the database: regular players,
// friendlies and tours.
#include <algorithm>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"

namespace {

constexpr int32_t REGULAR_PERCENT = 60;
constexpr int32_t TOUR_DAYS = 7;
constexpr int32_t TOUR_MATCH_DAYS[3] = {1, 4, 7};  // of the window

bool FreeAround(int32_t club, int32_t day)
{
    for (int32_t d = day - 1; d <= day + 1; ++d) {
        if (VTW_FindFixtureOfClubOnDay(club, d) >= 0) return false;
    }
    return true;
}

// Clubs of the tour's country, best reputation first (ties by id).
int32_t TourOpponents(int32_t club, int32_t tour, int16_t out[CLUB_ID_COUNT])
{
    int32_t count = 0;
    for (int16_t candidate : GameState.friendlyCandidates) {
        if (candidate >= 0 && candidate != club && VTW_GetClubCountry(candidate) == tour)
            out[count++] = candidate;
    }
    std::stable_sort(out, out + count, [](int16_t a, int16_t b) {
        return VTW_GetClubReputation(a) > VTW_GetClubReputation(b);
    });
    return count;
}

}  // namespace

int32_t VTW_IsRegularPlayer(int32_t player)
{
    const int32_t loan = VTW_GetPlayerLoanSlot(player);
    const int32_t club = loan >= 0 ? loan : VTW_GetPlayerClub(player);
    const int32_t played = VTW_GetPlayedFixtures(club);
    if (played == 0) return 0;
    return VTW_GetPlayerApps(player) * 100 > REGULAR_PERCENT * played ? 1 : 0;
}

void Fixtures_FillFriendlyCandidates()
{
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        GameState.friendlyCandidates[club] = static_cast<int16_t>(club < DbClubCount ? club : -1);
    }
}

int32_t VTW_ClubHasFixtureOnDay(int32_t club, int32_t day)
{
    if (day < 0 || day + TOUR_DAYS >= GameState.holidayStart) return 0;
    for (int32_t d = day; d <= day + TOUR_DAYS + 1; ++d) {
        if (VTW_FindFixtureOfClubOnDay(club, d) >= 0) return 0;
    }
    return 1;
}

int32_t Fixtures_FirstTourWindow(int32_t club)
{
    for (int32_t start = DayNo; start + TOUR_DAYS < GameState.holidayStart; ++start) {
        if (VTW_ClubHasFixtureOnDay(club, start)) return start;
    }
    return -1;
}

int32_t VTW_ArrangeFriendly(int32_t club, int32_t tour)
{
    const int32_t start = Fixtures_FirstTourWindow(club);
    if (start < 0) return 0;
    int16_t opponents[CLUB_ID_COUNT];
    const int32_t count = TourOpponents(club, tour, opponents);
    int32_t booked = 0;
    for (int32_t matchDay : TOUR_MATCH_DAYS) {
        const int32_t day = start + matchDay;
        for (int32_t k = 0; k < count; ++k) {
            if (opponents[k] < 0 || !FreeAround(opponents[k], day)) continue;
            if (VTW_InsertFixture(day, COMP_FRIENDLY, opponents[k], club) >= 0) ++booked;
            opponents[k] = -1;  // each club is met once
            break;
        }
    }
    return booked;
}
