// game/honours.h: the roll of honour, the play-off clubs, the continental qualifiers, the
// national records and the season's best elevens.
#pragma once

#include <cstdint>

#include "game/ids.h"
#include "game/records.h"

constexpr int32_t HONOURS_SEASONS = 50;  // row 0 the running season, row 1 the last
constexpr int32_t HONOURS_COLUMNS = 13;  // 0-6 cups, 7-12 divisions 0-5
constexpr int32_t HONOURS_DIVISION_FIRST = 7;
constexpr int32_t HONOURS_PLAYOFF_CLUBS = 4;
constexpr int32_t EURO_QUALIFIERS_MAX = 10;

// Owned by Honours, saved with the game: team numbers {winner, runner-up}, -1 none.
extern int16_t HonoursTable[HONOURS_SEASONS][HONOURS_COLUMNS][2];
extern int16_t PlayOffClubs[DIVISION_MAX][HONOURS_PLAYOFF_CLUBS];  // club ids, -1 none

// The country's continental entrants, owned by Honours: club ids.
struct EuroQualifierRecord {
    int16_t champions[EURO_QUALIFIERS_MAX];
    int16_t second[EURO_QUALIFIERS_MAX];
    int16_t third[EURO_QUALIFIERS_MAX];  // the third cup: the national cup's winner
    int8_t counts[3];
};
extern EuroQualifierRecord EuroQualifiers;
// The saved blocks' range checks (SaveGameCheck): team and club numbers, counts.
bool Honours_CheckRoll(const void* block);
bool Honours_CheckPlayOffs(const void* block);
bool Honours_CheckQualifiers(const void* block);

void Honours_Init();  // an empty roll, no qualifiers
void Honours_Uninit();

void Honours_Record(int32_t column, int32_t winnerTeam, int32_t runnerUpTeam);  // into row 0
void Honours_NewSeason();  // row k becomes row k + 1; row 0 empty
int32_t VTW_GetHonoursEntry(int32_t row, int32_t column, int32_t* second);  // winner team, -1
int32_t VTW_ClubHoldsHonour(int32_t club, int32_t column, int32_t row);     // 1 when it won
// 1470 "Champions" for last season's division-0 champion, else the name text of a cup the club
// won last season, -1 none.
int32_t VTW_GetTitleHolderTextNo(int32_t club);
// The club id of a team number in the selected country's club map, -1 outside it.
int32_t Honours_ClubOfTeam(int32_t team);

void Honours_SetPlayOffClubs(int32_t division, const int16_t clubs[HONOURS_PLAYOFF_CLUBS]);
int32_t VTW_HasDivisionEntry(int32_t division);
int32_t VTW_GetDivisionHonourClub(int32_t division, int32_t k);  // -1 none
int32_t VTW_GetHonourRowCount();                                 // 4

// At a new game from reputation, at the end of a league season from the final tables and this
// season's cup winners and title holders (row 0).
void Season_ComputeEuroQualifiers();
// Copies the champions' cup and second-cup lists; more than 10 in a list is fatal.
void GetEuroQualifiers(int32_t champions[EURO_QUALIFIERS_MAX], int32_t second[EURO_QUALIFIERS_MAX],
                       int32_t* n1, int32_t* n2);

// The club records that the national records read (ClubRecord::records); value 0 is none.
enum ClubRecordKind : int32_t {
    CLUB_REC_BUY,           // value the fee, player, opponent the selling club (see below)
    CLUB_REC_WIN,           // value goals for, value2 against, opponent
    CLUB_REC_CROWD,         // value the attendance, opponent
    CLUB_REC_POINTS_TOTAL,  // a season's points
    CLUB_REC_GOALS_TOTAL,   // a season's goals
    CLUB_REC_DISPOINTS,     // a season's discipline points
    CLUB_REC_GOALS,         // a player's goals in a season, player
    CLUB_REC_DEFEAT,        // value goals for, value2 against, opponent
    CLUB_REC_MATCH_GOALS,   // a player's goals in one match, player, opponent
    CLUB_REC_SALE,          // value the fee, player, opponent the buying club (see below)
    CLUB_REC_LOW_CROWD,     // value the attendance, opponent
    CLUB_REC_COUNT
};
static_assert(CLUB_REC_COUNT == 11, "every club saves eleven records");

// A record entry dated today, in the running season.
ClubRecordEntry ClubRecord_Dated(int32_t value, int32_t value2, int32_t player, int32_t opponent);
// A paid transfer (not a loan, fee above 0) above the buyer's record buy or the seller's record
// sale replaces it, with the player and the other club; clubs without a full record keep none.
// The other club is kept as the transfer records keep it: a club id, or 252 for a club abroad
// whose team number `abroadTeam` (-1 none) the record's value2 holds as 1 + the number.
void ClubRecord_KeepTransfer(int32_t player, int32_t seller, int32_t buyer, int32_t fee, bool loan,
                             int32_t abroadTeam = -1);
// The team number of a transfer record's other club: the club abroad's for 252, else the club's
// team; -1 when the record names none (a free agent, or a club abroad kept by an older save).
int32_t ClubRecord_TransferTeam(const ClubRecordEntry& entry);
// At the end of the league season: the club's player with the most season goals, when above the
// record scorer's goals, becomes the record scorer of this season.
void ClubRecord_KeepScorer(int32_t club);
// At a home league match: the first crowd sets the lowest crowd, a lower one replaces it.
void ClubRecord_KeepLowCrowd(ClubRecord* record, int32_t attendance, int32_t opponent);

// The club of the country's divisions 0-5 holding the best value of one record, -1 none; the
// winning margin decides the win record, then the goals scored; ties go to the lower id.
int32_t VTW_FindRecordBuyClub();
int32_t VTW_FindRecordWinClub();
int32_t VTW_FindRecordCrowdClub();
int32_t VTW_FindRecordPointsTotalClub();
int32_t VTW_FindRecordGoalsTotalClub();
int32_t VTW_FindRecordDispointsClub();
int32_t VTW_FindRecordGoalsClub();
// Among the full players: the most career appearances or goals (the player, -1 none).
int32_t VTW_GetCareerAppsRecord(int32_t* apps);
int32_t VTW_GetCareerGoalsRecord(int32_t* goals);

struct BestElevenSlot {
    int32_t player;  // -1 no candidate
    int32_t score;
};
enum BestElevenCategory : int32_t {
    BEST_PERFORMANCE,  // regular players, best average performance
    BEST_DISCIPLINE,   // most discipline points
    BEST_WORST,        // regular players, worst average performance
    BEST_YOUNG,        // best performance aged 21 or less
    BEST_OLD,          // best performance aged 32 or more
    BEST_CATEGORY_COUNT
};
// Keeper, four defenders, four midfielders, two forwards from the division's clubs; ties by id.
void VTW_BuildBestEleven(int32_t category, int32_t division, BestElevenSlot out[11]);
