// game/records.h: the game database's records (clubs, players, persons), the club map and the
// id checks that every accessor goes through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"

// The saved layout is ours: plain little-endian fields without implicit padding, so that a saved
// game is byte-deterministic; each record is aligned for its widest field, so its fields are too.
// Setters keep the ranges given beside each field.
#pragma pack(push, 1)

constexpr int32_t KIT_PATTERNS = 116;    // shirt designs 0-115
constexpr int32_t KIT_PART_DESIGNS = 8;  // arm, shorts and shin designs 0-7

// A kit as the match day reads it (48 bytes).
struct alignas(4) KitDesign {
    int16_t shirtTop;  // part designs: shirts KIT_PATTERNS, the others KIT_PART_DESIGNS
    int16_t shirt;     // also the pattern that the kit-clash test reads
    int16_t armLeft;
    int16_t armRight;
    int16_t shorts;
    int16_t spare10;
    int16_t shins;
    int16_t spare14;
    int16_t colours[4][4];  // four groups of four kit colour numbers 0-39
};

struct alignas(4) PersonRecord {
    uint16_t nameIndex;   // 0-19,999 into "stats\names.dat"
    uint8_t initial;      // 0-26, 0 none
    uint8_t nationality;  // 0-95
    uint16_t bits;        // bits 0-2 skin 0-6, 3-5 hair colour 0-3, 6-8 hair style
    uint8_t birthYear;    // - 1950
    uint8_t flags;        // PERSON_RETIRED, PERSON_FREE
};

struct alignas(4) PlayerRecord {
    int32_t wage;         // weekly
    int32_t askingPrice;  // -1 none
    int16_t club;
    int16_t loanClub;    // -1 unless on loan: the club he plays for
    int16_t originWord;  // team number of his world club, read for club 252
    int16_t tacticB;     // managers
    uint16_t seed;       // personality seed
    uint16_t flags;      // PLAYER_...
    uint16_t perfSum;
    uint16_t careerApps;
    uint16_t careerGoals;
    uint8_t position;    // 0-13
    uint8_t side;        // 0-3
    uint8_t shirt;       // 0-32, 0 none
    uint8_t ability;     // A, the ability curve 0-100
    uint8_t training;    // T 0-100
    uint8_t potential;   // 0-100
    uint8_t reputation;  // 0-63
    uint8_t contractMonths;
    uint8_t cupTied;     // bit per cup 0-6
    uint8_t morale;      // 0-100
    uint8_t fitness;     // 0-100
    uint8_t fatigue;     // 0-100
    uint8_t experience;  // 0-255
    uint8_t disciplinePoints;
    uint8_t suspension;  // matches
    uint8_t injuryType;  // 0-15
    uint8_t injuryDays;
    uint8_t missingDays;
    uint8_t seasonApps;
    uint8_t seasonGoals;
    uint8_t seasonAssists;
    uint8_t ratedCount;
    uint8_t lastRating;
    uint8_t retrainCopy;
    uint8_t formation;  // managers: 0-7
    uint8_t variant;    // managers: 0-4
};

// A player who is not simulated day by day; his other figures are derived.
struct alignas(4) LightPlayerRecord {
    int16_t club;
    int16_t originWord;
    uint8_t position;
    uint8_t side;
    uint8_t ability;
    uint8_t shirt;
    uint16_t seed;
    uint8_t reputation;
    uint8_t potential;
};

struct alignas(4) SmallClubRecord {
    uint16_t team;
    uint8_t division;
    uint8_t country;
    uint8_t reputation;
    uint8_t stands;  // total, thousands
    uint8_t mapX;
    uint8_t mapY;
    uint16_t manager;  // person id
    uint8_t flags;
    uint8_t spare;
};

struct alignas(4) StadiumWorks {
    int8_t kind;  // -1 none
    uint8_t spare;
    int16_t daysLeft;
    int32_t cost;
};

struct alignas(4) StaffPost {
    uint8_t rating;  // 1-99, 0 vacant
    uint8_t contractMonths;
    uint8_t spare[2];
    int32_t wage;
};

struct alignas(4) ClubBid {
    int16_t player;  // -1 none
    uint8_t clause;
    uint8_t positionCode;
    int32_t price;
    uint8_t kind;
    uint8_t state;
    int16_t day;
};

struct alignas(4) ClubRecordEntry {  // one of the club's records
    int32_t value;
    int32_t value2;
    int16_t player;
    int16_t opponent;
    uint8_t day;
    uint8_t month;
    uint8_t year;
    uint8_t season;
};

struct alignas(4) ClubHistoryRow {
    uint8_t place;  // place in the country's pyramid + 1, 0 none
    uint8_t spare[3];
    uint32_t averageAttendance;
};

// A club's five best regulars of a league season, in row (season counter mod 8); a row no
// season has written names player -1.
constexpr int32_t SEASON_BEST_ROWS = 8;
constexpr int32_t SEASON_BEST_PLAYERS = 5;
struct alignas(4) ClubBestPlayer {
    int16_t player;
    int16_t spare;
    int32_t value;
};

struct alignas(4) GoalLogEntry {
    int16_t player;  // -1 ends the log
    uint8_t minute;
    uint8_t kind;  // kind 0-31 | where << 5 | away bit 7: read it through GoalLog_...
    uint8_t competition;
    uint8_t spare[3];
};

// A logged goal's kind is the class of the match's scorer list (GOAL_CLASS_...), its where 0 inside
// the area and 1 outside it.
constexpr uint8_t GoalLog_Pack(int32_t kind, int32_t where, bool away)
{
    return static_cast<uint8_t>((kind & 31) | (where & 3) << 5 | (away ? 1 << 7 : 0));
}
constexpr int32_t GoalLog_Kind(const GoalLogEntry& e) { return e.kind & 31; }
constexpr int32_t GoalLog_Where(const GoalLogEntry& e) { return (e.kind >> 5) & 3; }
constexpr bool GoalLog_Away(const GoalLogEntry& e) { return (e.kind & 1 << 7) != 0; }

struct alignas(2) CardLogEntry {
    int8_t minute;  // -1 ends the log
    uint8_t kind;
};

// The season counters of the league matches: the club's own figures and its opponents' in the
// same matches, at home and away.
enum : int32_t { SEASON_FOR, SEASON_AGAINST };
enum SeasonCounter : int32_t {
    SEASON_SHOTS_ON,
    SEASON_SHOTS_OFF,
    SEASON_CORNERS,
    SEASON_BOOKINGS,
    SEASON_SENDINGS_OFF,
    SEASON_COUNTERS
};

struct alignas(4) ClubRecord {
    // Identity.
    int16_t team;
    int16_t manager;  // person id, -1 none
    uint8_t country;
    uint8_t division;    // 0-5, 6 outside
    uint8_t controller;  // manager number, 0 the computer
    uint8_t caretaker;
    uint8_t caretakerDays;
    uint8_t reputation;  // 0-63
    int16_t ticketPrice;
    // Money.
    int32_t balance;      // within the 28-bit signed range
    int32_t wageLimit;    // a multiple of 25
    int32_t figures[13];  // this season, whole units: CLUB_FIG_...
    int32_t carriedForward;
    int32_t weekly[9];
    // Ground.
    uint8_t stands[4];  // thousands
    StadiumWorks works;
    StaffPost staff[11];  // STAFF_...
    // Clauses and flags.
    uint8_t contractClause;
    uint8_t trainingClause;
    uint8_t playerManagerClause;
    uint8_t stadiumClause;
    uint8_t financialClause;
    uint8_t flags;     // CLUBFLAG_...
    uint8_t teamwork;  // team levels 0-60
    uint8_t corners;
    uint8_t freeKicks;
    uint8_t penalties;
    uint8_t spareRoles[2];
    // Squad roles: player ids, -1 none.
    int16_t captain;
    int16_t freeKickTaker;
    int16_t cornerTaker;
    int16_t penaltyTaker;
    ClubBid bids[4];
    ClubRecordEntry records[11];  // CLUB_REC_...
    ClubHistoryRow history[10];   // row 0 newest
    ClubBestPlayer seasonBest[SEASON_BEST_ROWS][SEASON_BEST_PLAYERS];
    GoalLogEntry goals[127][2];  // scored, conceded
    CardLogEntry cards[200];
    int16_t seasonCounters[2][2][SEASON_COUNTERS];  // [SEASON_FOR/AGAINST][home, away]
    // League and season words.
    uint8_t previousPlace;
    int8_t movement;
    uint8_t lastResults[6];
    uint8_t lastLeagueResults[5];
    uint8_t boardTarget;
    uint8_t boardPatience;
    uint8_t spareByte;
    int16_t seasonDispoints;
    int16_t askedHuman;     // the human's player it asked him for in this window, 0 none
    int32_t attendanceSum;  // of the season's home league matches
    int32_t attendanceCount;
    uint32_t cupRunBits;
    KitDesign kits[2];  // home, away
};

#pragma pack(pop)

static_assert(sizeof(KitDesign) == 48 && offsetof(KitDesign, colours) == 16);
static_assert(offsetof(KitDesign, shorts) == 8 && offsetof(KitDesign, shins) == 12);

// Every design and colour number of the kit within its table (the world's data and a saved
// game's clubs are checked with it: badges, kits and the clash test index by them).
bool KitDesign_IsValid(const KitDesign& kit);
static_assert(sizeof(PersonRecord) == 8);
static_assert(sizeof(PlayerRecord) == 52 && offsetof(PlayerRecord, position) == 26);
static_assert(sizeof(LightPlayerRecord) == 12);
static_assert(sizeof(SmallClubRecord) == 12 && offsetof(SmallClubRecord, manager) == 8);
static_assert(sizeof(StaffPost) == 8 && sizeof(ClubBid) == 12 && sizeof(ClubRecordEntry) == 16);
static_assert(sizeof(GoalLogEntry) == 8 && sizeof(CardLogEntry) == 2);
static_assert(offsetof(ClubRecord, balance) == 12 && offsetof(ClubRecord, stands) == 112);
static_assert(offsetof(ClubRecord, staff) == 124 && offsetof(ClubRecord, captain) == 224);
static_assert(offsetof(ClubRecord, goals) == 856 && offsetof(ClubRecord, previousPlace) == 3328);
static_assert(sizeof(ClubRecord) == 3456);
static_assert(
    std::is_trivially_copyable_v<ClubRecord> && std::is_trivially_copyable_v<PlayerRecord>);

// PersonRecord flags.
constexpr uint8_t PERSON_RETIRED = 1;
constexpr uint8_t PERSON_FREE = 2;  // an id of the spare pool, not in use

// PlayerRecord flags.
enum : uint16_t {
    PLAYER_TRANSFER_LISTED = 1 << 0,
    PLAYER_LOAN_LISTED = 1 << 1,
    PLAYER_ON_LOAN = 1 << 2,
    PLAYER_SALE_STATUS = 1 << 3,
    PLAYER_CAPTAIN = 1 << 4,
    PLAYER_MANAGER = 1 << 5,  // player-manager
    PLAYER_CARETAKER = 1 << 6,
    PLAYER_INJURED = 1 << 7,
    PLAYER_MISSING = 1 << 8,
    PLAYER_ASKED_TRANSFER = 1 << 9,
    PLAYER_RELEGATION_CLAUSE = 1 << 10,
    PLAYER_BIG_CLUB_CLAUSE = 1 << 11,
    // What a player holds only as a member of his club: a move or a release clears it.
    PLAYER_CLUB_FLAGS = PLAYER_TRANSFER_LISTED | PLAYER_LOAN_LISTED | PLAYER_SALE_STATUS
                        | PLAYER_CAPTAIN | PLAYER_ASKED_TRANSFER,
};

// ClubRecord flags, named after the words the screens test.
enum : uint8_t {
    CLUBFLAG_RELEGATION_BONUS = 1 << 0,  // "51_6"
    CLUBFLAG_BOARD_PRESSURE = 1 << 1,    // "27_2"
    CLUBFLAG_TRANSFER_EMBARGO = 1 << 2,  // "82_1"
    CLUBFLAG_YOUTH_PRIORITY = 1 << 3,    // "3_7"
};

// Season figures: income first, then spending; both kept as positive sums, so a club's balance
// is its carried-forward balance plus the income less the spending. Win bonuses are income: what
// the club receives for each competitive win.
enum ClubFigure : int32_t {
    CLUB_FIG_GATE,
    CLUB_FIG_SALES,
    CLUB_FIG_SPONSORSHIP,
    CLUB_FIG_TV,
    CLUB_FIG_MERCHANDISING,
    CLUB_FIG_MISC_IN,
    CLUB_FIG_WIN_BONUSES,
    CLUB_FIG_PLAYER_WAGES,
    CLUB_FIG_SIGNINGS,
    CLUB_FIG_COACHING_WAGES,
    CLUB_FIG_GROUND_WAGES,
    CLUB_FIG_MAINTENANCE,
    CLUB_FIG_MISC_OUT,
    CLUB_FIG_COUNT
};
constexpr int32_t CLUB_FIG_FIRST_SPENDING = CLUB_FIG_PLAYER_WAGES;

// Staff roles in post order.
enum StaffRole : int32_t {
    STAFF_COACH,
    STAFF_COACH_GK,
    STAFF_COACH_DF,
    STAFF_COACH_MD,
    STAFF_COACH_FW,
    STAFF_PHYSIO,
    STAFF_YDO,
    STAFF_DIETITIAN,
    STAFF_COACH_YOUTH,
    STAFF_PSYCHO,
    STAFF_FAITH,
    STAFF_ROLE_COUNT
};

constexpr int32_t BALANCE_MIN = -134217728;  // the 28-bit signed range
constexpr int32_t BALANCE_MAX = 134217727;

// The database, owned by Records: read it here, change it through the accessors. Records_Init
// clears it to an empty database (no clubs, no persons).
extern ClubRecord DbClubs[CLUB_FULL_MAX];
// The saved blocks' range checks (SaveGameCheck), on the arrays as the blocks hold them: club,
// person and team numbers, divisions, countries, positions, shirts and kits within their ranges,
// season counters not below 0.
bool Records_CheckClubs(const void* block);
bool Records_CheckSmallClubs(const void* block);
bool Records_CheckClubSlots(const void* block);
bool Records_CheckPlayers(const void* block);
bool Records_CheckLightPlayers(const void* block);
bool Records_CheckPersons(const void* block);
extern SmallClubRecord DbSmallClubs[CLUB_SMALL_MAX];
extern PersonRecord DbPersons[PERSON_MAX];
extern PlayerRecord DbPlayers[PLAYER_FULL_MAX];
extern LightPlayerRecord DbLightPlayers[PERSON_MAX];  // index: id - FullPlayerCount
extern uint16_t clubSlot[CLUB_ID_COUNT];  // below 250 full slot, from 250 small index + 250
extern int32_t FullPlayerCount;           // ids below have a PlayerRecord
extern int32_t DbPersonCount;     // ids issued; ids from here to PERSON_MAX are past the end
extern int32_t DbClubCount;       // club ids in use (250 after a new game)
extern int64_t DbOutsideBalance;  // club 255: money that left the game, without a limit

void Records_Init();    // also registers the database's names with the text system
void Records_Uninit();  // unregisters them; safe without Init and twice

// A club id looked up for one field. Negative ids are fatal: "Trying to get <field> of neg club :
// '<id>'" (setters "Trying to set ..."). Ids past the end and 250-255 give neither record.
struct ClubRef {
    ClubRecord* full;
    SmallClubRecord* small;
};
ClubRef Club_RefForGet(int32_t club, const char* field);
ClubRef Club_RefForSet(int32_t club, const char* field);

// A player id looked up for one field, the same way ("... of neg player : '<id>'"). An issued id
// gives its person and exactly one of `full` and `light`.
struct PlayerRef {
    PersonRecord* person;
    PlayerRecord* full;
    LightPlayerRecord* light;
};
PlayerRef Player_RefForGet(int32_t player, const char* field);
PlayerRef Player_RefForSet(int32_t player, const char* field);

// The fatal error of a negative id ("Trying to <verb> <field> of neg <kind> : '<id>'").
[[noreturn]] void Records_NegativeId(const char* verb, const char* field, const char* kind,
                                     int32_t id);

// Inline: every query of a player's fields starts here, thousands of times a match day.
inline PlayerRef Records_LookUpPlayer(int32_t player, const char* verb, const char* field)
{
    if (player < 0) Records_NegativeId(verb, field, "player", player);
    if (player >= DbPersonCount) return {nullptr, nullptr, nullptr};
    if (player < FullPlayerCount) return {&DbPersons[player], &DbPlayers[player], nullptr};
    return {&DbPersons[player], nullptr, &DbLightPlayers[player - FullPlayerCount]};
}

inline PlayerRef Player_RefForGet(int32_t player, const char* field)
{
    return Records_LookUpPlayer(player, "get", field);
}

inline PlayerRef Player_RefForSet(int32_t player, const char* field)
{
    return Records_LookUpPlayer(player, "set", field);
}

// The full slot of a club id, -1 for ids from 250 and small-record clubs.
int32_t Club_GetSlot(int32_t club);

// The players of a club as Squad_IsMember counts them, in id order, without scanning every
// person: *members points into an index (valid until the next call) that is built afresh on the
// first query of each season, after Records_Init, when persons are issued, when membership is
// said to have changed and when a listed player has left the club. Returns the count; 0 for a
// club id outside 0-249.
int32_t Records_ClubMembers(int32_t club, const int16_t** members);
// Whether the person plays for no club: a free id, or one of the two fixed persons (the human and
// the stand-in), except the human while he is his club's player-manager.
bool Records_PlaysNoFootball(int32_t id);
// A player joins a club only through a call that says so: VTW_SetPlayerClub, and whatever else
// makes a player join a club, calls this.
void Records_MembershipChanged();
// The same for one person whose club alone changed (a transfer, a loan, a release, a promotion's
// two ids): the index moves him in place instead of being built again, with the same result.
void Records_MemberMoved(int32_t id);
// Every player the clubs' records, season bests and goal logs name, which the visit may rewrite.
void Records_VisitClubPlayers(PersonIdVisit visit, void* context);
