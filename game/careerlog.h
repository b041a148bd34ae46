// game/careerlog.h: the career log, one pool of rows that keeps every player's seasons and moves
// for the history screens; the oldest rows give way to new ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"

constexpr int32_t CAREERLOG_ROWS = 65536;
constexpr int32_t CAREERLOG_COPY_MAX = 100;

enum CareerLogKind : uint8_t {
    CAREERLOG_SEASON = 0,  // a season's summary
    CAREERLOG_RELEASED = 10,
    CAREERLOG_TRANSFER = 11,
    CAREERLOG_LOAN = 12,
    CAREERLOG_RETIRED = 13,
};

#pragma pack(push, 1)
struct CareerLogRow {
    int16_t player;  // -1 an unused row
    uint8_t season;  // the season counter when the row was written
    uint8_t kind;    // CareerLogKind
    int16_t team;    // team number of the club, or of his world club abroad; -1 without a club
    uint8_t apps;
    uint8_t goals;        // clean sheets for a keeper
    uint8_t performance;  // average rating of the season so far, 0 unrated
    uint8_t division;     // the club's division 0-5 whose name the screens show, 6 outside
};

// Saved with the permanent data as one block.
struct CareerLogRecord {
    CareerLogRow rows[CAREERLOG_ROWS];
    uint32_t next;  // the row the next entry goes to; the pool is full once it has wrapped
};

// A full player's figures of the season that a row written when he moved already holds: the
// next row holds only the matches since, at the club he played them for.
struct CareerLogLogged {
    uint16_t perfSum;
    uint8_t apps;
    uint8_t goals;  // the goals column as it stood: clean sheets for a keeper
    uint8_t ratedCount;
    uint8_t spare;
};
#pragma pack(pop)

static_assert(sizeof(CareerLogRow) == 10 && offsetof(CareerLogRow, team) == 4);
static_assert(sizeof(CareerLogLogged) == 6);
static_assert(sizeof(CareerLogRecord) == CAREERLOG_ROWS * 10 + 4);
static_assert(std::is_trivially_copyable_v<CareerLogRecord>);

extern CareerLogRecord CareerLog;  // owned by CareerLog
// Saved with the game; a save made before it was kept loads with nothing logged at a move.
extern CareerLogLogged CareerLogSeason[PLAYER_FULL_MAX];  // owned by CareerLog
// The saved log's range check (SaveGameCheck): players, teams and divisions of the rows in use,
// the next row inside the pool.
bool CareerLog_CheckSaved(const void* block);

void CareerLog_Init();  // every row unused, nothing logged this season; registers the season block
void CareerLog_Uninit();

// The club whose matches a full player plays: his loan club while on loan, else his own.
int32_t CareerLog_ClubPlayedFor(int32_t player);
// Writes one row for a full player naming `club` with his season's figures since his last row
// of the season. A move's row (any kind but a season's) is given the club he leaves
// (CareerLog_ClubPlayedFor), and the next row starts after it. A light player or an id past the
// end writes nothing. A negative player is fatal.
void VTW_AddClubLog(int32_t player, int32_t club, int32_t kind);
// The season's turn: the row of the club he played for since his last row, when he played
// there, and the next season starts with nothing logged.
void CareerLog_CloseSeason(int32_t player);
// Nothing of his season logged at a move: at the season's turn, and for a full id freed or given
// to a new player (PlayerLife_FreshRecord).
void CareerLog_ClearLogged(int32_t player);
// The row his season so far makes at the club he plays for, as the season's turn will log it,
// for a full player who plays for a club of the game; false, `out` untouched, for anyone else.
bool CareerLog_SeasonSoFar(int32_t player, CareerLogRow* out);
// Lets go of every row of the player, reading only his: a freed id keeps no history for the new
// player given it (PlayerLife_FreshRecord).
void CareerLog_ForgetRows(int32_t player);
// Copies the player's newest rows, at most `max` (and 100), oldest first, into `out`; the count.
int32_t VTW_CopyPlayerLogRows(int32_t player, CareerLogRow* out, int32_t max);
