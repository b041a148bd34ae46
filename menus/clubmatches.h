// menus/clubmatches.h: "Matchs du club", the current club's played matches three at a time, each
// with its date, venue, crowd, competition, score and both line-ups.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t CLUB_MATCHES_COLUMNS = 3;
constexpr int32_t CLUB_MATCHES_TEXT_BYTES = 130;

struct ClubMatchesColumn {
    int32_t row;        // the fixture row, -1 an empty column
    int32_t away;       // 1 when the club played away
    int32_t venueText;  // 102 "D" at home, 103 "E" away
    int32_t opponentText;
    int32_t goals[2];  // the club's, the opponent's
    char date[16];
    char crowd[16];
    char competition[CLUB_MATCHES_TEXT_BYTES];
};

struct ClubMatchesState {
    int32_t club;
    int32_t count;  // its played fixtures
    int16_t first;  // the first shown, 0 to count - 3
    ClubMatchesColumn columns[CLUB_MATCHES_COLUMNS];
};
extern ClubMatchesState ClubMatches;  // owned by ClubMatches

void ClubMatchesInit();
void ClubMatchesUninit();

void ClubMatches_Build();
// The arrows: the first shown one match earlier or later; 1 when it cannot move.
int32_t ClubMatches_Earlier();
int32_t ClubMatches_Later();

const MenuItem* ClubMatches_Table();  // option 32
