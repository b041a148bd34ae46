// game/tables.h: the league tables, the division lists in table order and the selected
// country's divisions, cups and their texts.
#pragma once

#include <cstdint>

#include "game/ids.h"

constexpr int32_t DIVISION_LIST_SIZE = 24;

// League row columns per club.
enum LeagueColumn : int32_t {
    LEAGUE_PLAYED,
    LEAGUE_HOME_WON,      // home: won, drawn, lost, for, against
    LEAGUE_AWAY_WON = 6,  // away: the same
    LEAGUE_POINTS = 11,
    LEAGUE_PLACE,  // 0-based
    LEAGUE_COLUMNS
};
constexpr int32_t LEAGUE_SIDE_COLUMNS = 5;

// Movement values.
constexpr int32_t LEAGUE_UNCHANGED = 0;
constexpr int32_t LEAGUE_CLIMBED = 1;
constexpr int32_t LEAGUE_FELL = 2;

// Owned by Tables: read them here. Rows are indexed by club id (league clubs only).
extern uint16_t LeagueTable[CLUB_FULL_MAX][LEAGUE_COLUMNS];
extern int16_t DivisionLists[DIVISION_MAX][DIVISION_LIST_SIZE];  // club ids, -1 empty
// The saved blocks' range checks (SaveGameCheck): each listed club a full club's id, listed once
// over every division; each counted day -1 or a day of the season; each league row a place in a
// division list, at most a double round robin of a full division played, each side's results
// and the points within what those matches can give.
bool Tables_CheckDivisionLists(const void* block);
bool Tables_CheckCountedDays(const void* block);
bool Tables_CheckLeagueRows(const void* block);
// The latest league day counted into each club's movement, -1 none.
extern int16_t LeagueCountedDay[CLUB_FULL_MAX];

void Tables_Init();  // empty lists and rows
void Tables_Uninit();

// After a new game: each division list in reputation order (ties by id), places set, rows and
// movement 0.
void VTW_GetLeaguePlace();
// Recomputes the league rows from the played league rows of the fixture table (all divisions
// for -1, else the club's division), orders each list by points, goal difference, goals for and
// the previous order, and stores places and movement: against the place held before the club's
// latest league match, taken when that day's result is first counted.
void Season_ClearTablesAndScan(int32_t club);

int32_t VTW_GetDivisionSlot(int32_t division, int32_t place);  // the club, -1 none
int32_t VTW_GetTeamDivisionSlot(int32_t club);                 // its place in the list, -1
int32_t VTW_FindDivisionOfTeam(int32_t club);                  // 0-5, -1 none
int32_t VTW_FindDivisionOfSlot(int32_t slot);                  // a clubSlot value
void VTW_GetLeagueRowTotals(int32_t club, int32_t out[3]);     // played, points, place + 1
void VTW_GetLeagueRowHome(int32_t club, int32_t out[5]);       // won, drawn, lost, for, against
void VTW_GetLeagueRowAway(int32_t club, int32_t out[5]);
int32_t Tables_GetMovement(int32_t club);
// 336 + the team's 0-based place ("1er" for the leader); fatal when it is not in the division.
int32_t VTW_GetLeaguePosTextForTeam(int32_t club, int32_t division);

// The selected country.
int32_t VTW_GetCountryDivisions();              // 2-6
int32_t VTW_GetDivisionCount();                 // divisions with clubs
int32_t VTW_GetDivisionSize(int32_t division);  // 0 outside the country
int32_t VTW_DivisionExists(int32_t division);
int32_t VTW_IsValidDivision(int32_t division);        // the division, or -1 when there is none
int32_t VTW_GetDivisionTextNo(int32_t division);      // short name: 2500 + 20c + k
int32_t VTW_GetDivisionNameTextNo(int32_t division);  // the same
// The short name of a division of any country with leagues, -1 for a division it does not have.
int32_t VTW_GetCountryDivisionTextNo(int32_t country, int32_t division);
int32_t VTW_GetDivisionLongNameTextNo(int32_t division);  // 2510 + 20c + k, -1 none
int32_t VTW_GetCountryCupCount();                         // national cups 1-4
int32_t VTW_GetCountryTextNo(int32_t n);  // 2410 + 10c + n: national cups 0-3, continental 4-6

// Competition texts: the name's text number (-1 none); the stage and leg texts through the
// pointers (-1 none).
int32_t VTW_BuildTable668(int32_t comp, int32_t* stage, int32_t* leg);
void VTW_GetCompetitionTexts(int32_t comp, int32_t* name, int32_t* stage, int32_t* leg);
// The two heading lines of a row (each at least 64 bytes): the competition (a league row names
// the home club's division) and its stage and leg (a group row names the home club's group).
void VTW_FormatFixtureCompText(int32_t row, char* line1, char* line2);
