// game/matchblocks.h: the blocks a fixture is played through: the match-day block (header, both
// sides, their team sheets), the match data block (result, statistics, events, heat maps), the
// reports the screens read afterwards, the exported team file and the friendly team blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "engine/blockfile.h"
#include "engine/fatal.h"
#include "game/records.h"
#include "game/tactics.h"

constexpr int32_t MATCH_SIDE_COUNT = 2;
constexpr int32_t MATCH_ENTRY_COUNT = 17;  // shirts 1-16, then the manager
constexpr int32_t MATCH_SHIRT_COUNT = 16;
constexpr int32_t MATCH_MANAGER_ENTRY = 16;
constexpr int32_t MATCH_STARTERS = 11;
constexpr int32_t MATCH_BENCH_MAX = 5;          // 16 places per side
constexpr int32_t MATCH_TEAM_NAME_BYTES = 40;   // at most 39 characters
constexpr int32_t MATCH_ENTRY_NAME_BYTES = 20;  // at most 19 characters
constexpr int32_t MATCH_ATTRIBUTE_COUNT = 22;
constexpr int32_t MATCH_DISPLAY_SKILL_COUNT = 10;
constexpr int32_t MATCH_PERIOD_MINUTES = 5;  // engine time of one period

// Match view modes (MatchDayBlock.viewMode, ChosenViewMode).
enum MatchViewMode : uint16_t { VIEW_TEXT, VIEW_2D, VIEW_3D, VIEW_NONE };

// The stat behind each attribute word of an entry, chosen for what each engine skill byte drives:
// pace, stamina, shooting power, agility, resilience, passing range (vision), mental, keeping,
// jumping (power), tackling, passing, control, dribbling, free kicks (set pieces), heading, then
// the seven personality stats in order.
constexpr auto MATCH_ATTRIBUTE_STAT = std::to_array<int8_t>(
    {8, 11, 4, 9, 12, 13, 14, 0, 10, 2, 3, 6, 5, 7, 1, 15, 16, 17, 18, 19, 20, 21});
// The in-match squad screen's columns: ARR, TTE, TCL, PAS, TIR, DRB, BM, MEN, CHA, VIT.
constexpr auto MATCH_DISPLAY_STAT = std::to_array<int8_t>({0, 1, 2, 3, 4, 5, 7, 14, 20, 8});
static_assert(MATCH_ATTRIBUTE_STAT.size() == MATCH_ATTRIBUTE_COUNT);
static_assert(MATCH_DISPLAY_STAT.size() == MATCH_DISPLAY_SKILL_COUNT);

#pragma pack(push, 1)

// One person of a team sheet. An absent shirt: every byte 0xFF but an empty name.
struct MatchPlayerEntry {
    char name[MATCH_ENTRY_NAME_BYTES];  // "X. Surname", NUL-terminated
    uint8_t positionCode;               // 0 keeper, 1-4 defence, 5-9 midfield, 10-12 attack, 13
    uint16_t skin;                      // 0-6
    uint16_t hairColour;                // 0-3
    uint16_t look;
    uint16_t hairStyle;
    uint16_t look2;
    uint16_t look3;
    uint16_t attributes[MATCH_ATTRIBUTE_COUNT];  // stat MATCH_ATTRIBUTE_STAT[k] in the low byte
    uint16_t enginePosition;                     // the position code the engine plays him at
    int16_t shirt;                               // 1-16, -1 absent
    uint16_t leftFoot;                           // 1 = he uses that foot
    uint16_t rightFoot;
    uint16_t experiencePercent;
    uint16_t playerId;                                  // 0xFFFF absent
    uint16_t displaySkills[MATCH_DISPLAY_SKILL_COUNT];  // stat MATCH_DISPLAY_STAT[k]
};

// One side of the fixture. Kit bytes hold a KitDesign: read them through MatchSide_GetKit.
struct MatchSide {
    char teamName[MATCH_TEAM_NAME_BYTES];
    uint8_t kit[sizeof(KitDesign)];
    uint8_t human;   // non-zero when a human manages the side
    int16_t tactic;  // 0-39 built in, 40 + n custom n
    int16_t tacticB;
    TacticsRecord tactics[TACTIC_CUSTOM_COUNT];  // a computer side's tactic in record 0
    int16_t firstLegGoals;
    uint16_t designated[4];  // shirts 1-16: captain, penalty, free kick, corner
    uint16_t settings[4];    // 100 each
    MatchPlayerEntry entries[MATCH_ENTRY_COUNT];
};

// The fixture being played; cleared to 0xFF before each fixture, stored whole in replays.
struct MatchDayBlock {
    uint8_t extraTime;
    uint8_t shootOut;
    uint8_t goldenGoal;
    uint16_t periodMinutes;  // of engine time
    uint8_t secondLeg;       // away goals count
    int8_t official[3];      // strictness 50-80, card threshold 50-65, lenient side
    uint8_t difficulty;
    uint8_t lenientSide;  // 0 none, 1 side 0, 2 side 1
    uint8_t competition;
    int16_t fixtureRow;
    uint16_t viewMode;  // MatchViewMode
    int16_t benchSize;  // read it through MatchDay_GetBenchSize
    int16_t substitutionsAllowed;
    int16_t spare20;
    int16_t stands[4];  // a sum of 16 or more selects the big stadium
    uint32_t attendance;
    uint8_t crowdFill;  // 0-3: a quarter full .. full
    uint8_t night;
    int16_t homeClub;
    int16_t awayClub;
    int16_t day;
    uint8_t spare42[7];
    MatchSide sides[MATCH_SIDE_COUNT];  // home, away
};

// One player's statistics of the match: the 69 fields in index order, then bytes no field reads.
// Read and write fields through PlayerMatchRecord_Get/Set.
struct PlayerMatchRecord {
    int16_t words[7];       // fields 0-6
    int8_t signedBytes[7];  // fields 7-13
    int16_t word14;
    uint8_t counters[40];  // fields 15-54
    int16_t words55[2];
    int8_t signedBytes57[4];  // fields 57-60
    uint8_t timeOnPitch;      // field 61
    int8_t byte62;
    uint8_t flagBits;    // field 63 in bit 0 (signed), 64 in bit 1
    uint32_t bits65;     // fields 65 (bits 0-1), 66 (2-5), 67 (6-7), 68 (8-9)
    uint8_t unread[59];  // counters the engine keeps that no field index reads
};

struct MatchGoalEntry {
    int16_t player;  // -1 ends the list
    int16_t assist;  // -1 none
    uint8_t minute;
    uint8_t kind;  // MatchGoalKind
};

enum MatchGoalKind : uint8_t { MATCH_GOAL_OPEN_PLAY, MATCH_GOAL_PENALTY, MATCH_GOAL_OWN };

struct MatchCardEntry {
    int16_t player;  // -1 ends the list
    uint8_t minute;
    uint8_t kind;  // 1 booking, 2 sending-off
};

struct MatchScorerEntry {
    int16_t player;  // -1 ends the list
    uint8_t minute;
    uint8_t packed;  // class bits 0-3 | detail bits 4-6 | flag bit 7
};

// The classes of a scorer entry (VTW_GetEventClass of the goal's event); 0 an open-play goal of
// no class. A goal whose detail is GOAL_DETAIL_OUTSIDE was struck from outside the area.
enum GoalClass : int32_t {
    GOAL_CLASS_OPEN = 0,
    GOAL_CLASS_VOLLEY = 2,
    GOAL_CLASS_CLOSE = 3,
    GOAL_CLASS_HEADER = 4,
    GOAL_CLASS_PENALTY = 5,
    GOAL_CLASS_FREE_KICK = 6,
    GOAL_CLASS_OWN_GOAL = 7,
    GOAL_CLASS_LONG_SHOT = 8,
};
constexpr int32_t GOAL_DETAIL_OUTSIDE = 1;
constexpr int32_t MatchScorer_Class(uint8_t packed) { return packed & 0x0F; }
constexpr int32_t MatchScorer_Detail(uint8_t packed) { return (packed >> 4) & 7; }

struct MatchCardPair {
    uint8_t minute;  // 255 unused
    uint8_t kind;
};

// Second totals of a side.
enum MatchTotal : int32_t {
    MATCH_TOTAL_POSSESSION_TICKS,
    MATCH_TOTAL_BOOKINGS,
    MATCH_TOTAL_SENDINGS_OFF,
    MATCH_TOTAL_SUBSTITUTIONS,
    MATCH_TOTAL_COUNT = 10
};

struct MatchSideStats {
    int16_t shotsOnTarget;
    int16_t shotsOffTarget;
    int16_t corners;
    int16_t possession;
    int16_t manOfTheMatch;  // player id, -1 none
    int16_t score;
    int16_t shootOutGoals;
    int16_t fouls;
    PlayerMatchRecord players[MATCH_SHIRT_COUNT];  // by line-up position
    MatchGoalEntry goals[20];
    MatchCardEntry cards[20];
    MatchScorerEntry scorers[21];  // room for the -1 after 20 goals
    MatchCardPair cardBytes[20];
    int16_t totals[MATCH_TOTAL_COUNT];
    uint8_t spare[17];
};

// Event kinds: 0 goal, 1 substitution, 2 booking, 3 sending-off; 255 ends the list.
struct MatchEventRow {
    uint8_t kind;
    int16_t period;
    int16_t minute;
    int16_t a;
    int16_t b;
    int16_t c;
};

constexpr int32_t MATCH_EVENT_MAX = 200;
constexpr int32_t MATCH_TERRITORY_MINUTES = 121;  // the screens read the first 120
constexpr int32_t MATCH_HEAT_MAPS = 34;           // 32 players, then one per side in possession
constexpr uint8_t MATCH_EVENT_END = 255;

// The fixture's result and statistics, from the engine or the statistical simulation.
struct MatchDataBlock {
    MatchSideStats sides[MATCH_SIDE_COUNT];
    int16_t eventCount;
    MatchEventRow events[MATCH_EVENT_MAX];
    uint8_t territory[MATCH_TERRITORY_MINUTES];  // 0-100, 255 none
    uint32_t territoryTotals[3];
    uint32_t heatMaps[MATCH_HEAT_MAPS][TACTIC_GRID_ROWS][TACTIC_GRID_COLUMNS];
};

// The exported team and the friendly team blocks.
struct ExportedTeamBlock {
    char name[42];    // NUL-terminated
    int16_t homeKit;  // team number whose home kit the team wears
    int16_t awayKit;  // team number whose away kit it wears
    TacticsRecord tactics[TACTIC_CUSTOM_COUNT];
    MatchPlayerEntry entries[MATCH_ENTRY_COUNT];
};

// The human's last match, as the report screens read it.
struct LastMatchIncident {
    int16_t person;  // -1 none
    uint16_t
        sideKind;    // side bit 0, kind bits 1-7 signed: 0 goal, 3 sent off, 4 missed pen, -1 end
    uint8_t detail;  // goals: 5 penalty, 7 own goal
    uint8_t minute;
    uint8_t spare[2];
};

// The human's last match kept whole, so that its screens show it after the day's other fixtures
// have reused the match blocks, and after a reload.
struct LastMatchSideCopy {
    char teamName[MATCH_TEAM_NAME_BYTES];
    uint8_t kitColour;                      // the kit's main colour number
    int16_t tactic;                         // 0-39 built in, 40 + n custom n, -1 unknown
    uint16_t playerIds[MATCH_SHIRT_COUNT];  // by line-up position, 0xFFFF absent
};

constexpr int32_t LAST_MATCH_MINUTE_MAX = 120;
constexpr uint8_t LAST_MATCH_EVENT_KIND_MAX = 4;  // 4 a missed penalty

struct LastMatchCopyRecord {
    int16_t fixtureRow;  // ReportFixture; -1 none
    LastMatchSideCopy sides[MATCH_SIDE_COUNT];
    MatchSideStats stats[MATCH_SIDE_COUNT];
    int16_t eventCount;
    MatchEventRow events[MATCH_EVENT_MAX];  // minutes held to 0-120
};

struct LastMatchSummaryRow {
    int16_t shotsOnTarget;
    int16_t shotsOffTarget;
    int16_t corners;
    int16_t zoneShare;  // 1 + the percent of the minutes played in the third this side defends;
                        // 0 for a match kept before the shares were
    int16_t fouls;
    int16_t possessionPercent;
    int16_t manOfTheMatch;  // person id, -1 none
};

// An incident of another fixture of the human's group; the fields are packed, read them through
// the MatchReportIncident_... accessors.
struct MatchReportIncident {
    uint32_t word0;  // kind 0-2, first club 3-10, its goals 11-14, minute 15-22, sequence 23-30,
                     // order flag 31
    uint32_t word4;  // player 0-15, second club 20-27, its goals 28-31
    uint8_t competition;
    uint16_t firstLegGoals;  // first club bits 0-4, second 5-9
    int16_t fixtureRow;
    uint8_t spare[4];
};

struct ShootOutSlot {
    uint16_t rowWinner;  // fixture row bits 0-14 (0x7FFF empty), bit 15 set when away won
    uint16_t score;      // home kicks scored in the low byte, away in the high byte
};

#pragma pack(pop)

static_assert(sizeof(MatchPlayerEntry) == 109 && offsetof(MatchPlayerEntry, positionCode) == 20);
static_assert(offsetof(MatchPlayerEntry, skin) == 21 && offsetof(MatchPlayerEntry, look) == 25);
static_assert(offsetof(MatchPlayerEntry, hairStyle) == 27
              && offsetof(MatchPlayerEntry, look3) == 31);
static_assert(offsetof(MatchPlayerEntry, attributes) == 33);
static_assert(offsetof(MatchPlayerEntry, enginePosition) == 77);
static_assert(offsetof(MatchPlayerEntry, shirt) == 79
              && offsetof(MatchPlayerEntry, leftFoot) == 81);
static_assert(offsetof(MatchPlayerEntry, rightFoot) == 83);
static_assert(offsetof(MatchPlayerEntry, experiencePercent) == 85);
static_assert(offsetof(MatchPlayerEntry, playerId) == 87);
static_assert(offsetof(MatchPlayerEntry, displaySkills) == 89);

static_assert(sizeof(MatchSide) == 5924 && offsetof(MatchSide, kit) == 40);
static_assert(offsetof(MatchSide, human) == 88 && offsetof(MatchSide, tactic) == 89);
static_assert(offsetof(MatchSide, tacticB) == 91 && offsetof(MatchSide, tactics) == 93);
static_assert(offsetof(MatchSide, firstLegGoals) == 4053);
static_assert(offsetof(MatchSide, designated) == 4055 && offsetof(MatchSide, settings) == 4063);
static_assert(offsetof(MatchSide, entries) == 4071);

static_assert(sizeof(MatchDayBlock) == 11897);
static_assert(offsetof(MatchDayBlock, periodMinutes) == 3
              && offsetof(MatchDayBlock, secondLeg) == 5);
static_assert(offsetof(MatchDayBlock, official) == 6 && offsetof(MatchDayBlock, difficulty) == 9);
static_assert(offsetof(MatchDayBlock, lenientSide) == 10);
static_assert(offsetof(MatchDayBlock, competition) == 11);
static_assert(offsetof(MatchDayBlock, fixtureRow) == 12 && offsetof(MatchDayBlock, viewMode) == 14);
static_assert(offsetof(MatchDayBlock, benchSize) == 16);
static_assert(offsetof(MatchDayBlock, substitutionsAllowed) == 18);
static_assert(offsetof(MatchDayBlock, stands) == 22 && offsetof(MatchDayBlock, attendance) == 30);
static_assert(offsetof(MatchDayBlock, crowdFill) == 34 && offsetof(MatchDayBlock, night) == 35);
static_assert(offsetof(MatchDayBlock, homeClub) == 36 && offsetof(MatchDayBlock, day) == 40);
static_assert(offsetof(MatchDayBlock, sides) == 49);
static_assert(offsetof(MatchDayBlock, sides) + sizeof(MatchSide) == 5973);

static_assert(sizeof(PlayerMatchRecord) == 137 && offsetof(PlayerMatchRecord, bits65) == 74);
static_assert(sizeof(MatchGoalEntry) == 6 && sizeof(MatchCardEntry) == 4);
static_assert(sizeof(MatchScorerEntry) == 4 && sizeof(MatchCardPair) == 2);
static_assert(sizeof(MatchSideStats) == 2569 && offsetof(MatchSideStats, players) == 16);
static_assert(offsetof(MatchSideStats, goals) == 2208 && offsetof(MatchSideStats, totals) == 2532);
static_assert(sizeof(MatchEventRow) == 11);
static_assert(offsetof(MatchDataBlock, eventCount) == 5138);
static_assert(offsetof(MatchDataBlock, territory) == 7340);
static_assert(offsetof(MatchDataBlock, heatMaps) == 7473);
static_assert(sizeof(MatchDataBlock) == 7473 + MATCH_HEAT_MAPS * 1080);

static_assert(sizeof(ExportedTeamBlock) == 5859 && offsetof(ExportedTeamBlock, tactics) == 46);
static_assert(offsetof(ExportedTeamBlock, entries) == 4006);
static_assert(sizeof(LastMatchIncident) == 8 && sizeof(LastMatchSummaryRow) == 14);
static_assert(sizeof(LastMatchSideCopy) == 75 && sizeof(LastMatchCopyRecord) == 7492);
static_assert(sizeof(MatchReportIncident) == 17 && offsetof(MatchReportIncident, competition) == 8);
static_assert(offsetof(MatchReportIncident, firstLegGoals) == 9);
static_assert(offsetof(MatchReportIncident, fixtureRow) == 11);
static_assert(sizeof(ShootOutSlot) == 4);
static_assert(
    std::is_trivially_copyable_v<
        MatchDayBlock> && std::is_trivially_copyable_v<MatchDataBlock> && std::is_trivially_copyable_v<ExportedTeamBlock>);

// The reports and switches of the match day, owned by MatchBlocks.
constexpr int32_t LAST_MATCH_INCIDENT_MAX = 25;
constexpr int32_t MATCH_REPORT_INCIDENT_MAX = 256;
constexpr int32_t SHOOT_OUT_SLOT_COUNT = 32;

struct MatchReportStateRecord {
    int16_t incidentCount;  // rows of MatchReportIncidents in use
    int16_t secondCounter;
    uint16_t word;  // MatchReportWord: the post-match screen to show
    uint8_t flags;  // MatchReportFlags: MATCH_REPORT_...
};

// MatchReportFlags bits.
enum : uint8_t {
    MATCH_REPORT_DONE = 1 << 0,
    MATCH_REPORT_CATEGORY = 7 << 1,
    MATCH_REPORT_SIDE_CHOSEN = 1 << 4,
    MATCH_REPORT_IN_SEQUENCE = 1 << 5,  // also: the statistics screens read MatchDataBlock
};

struct FixedScoreRecord {
    int16_t on;  // the developer switch; the match day clears it after use
    int16_t home;
    int16_t away;
};

extern LastMatchIncident LastMatchIncidents[LAST_MATCH_INCIDENT_MAX];
extern LastMatchSummaryRow LastMatchSummary[MATCH_SIDE_COUNT];
// The saved blocks' range checks (SaveGameCheck): the persons named, -1 or a person id.
bool MatchBlocks_CheckIncidents(const void* block);
bool MatchBlocks_CheckSummary(const void* block);
extern LastMatchCopyRecord LastMatchCopy;
inline int16_t& ReportFixture = LastMatchCopy.fixtureRow;  // the human's last match, -1 none
// The saved copy's range check: a fixture row, kit colours, tactics, counts, kinds, minutes and
// persons in range, and NUL-terminated team names.
bool MatchBlocks_CheckCopy(const void* block);
// The kept copy of the fixture just played from the match blocks (the human's, at its end).
void MatchBlocks_KeepCopy(int32_t fixtureRow);
// The shares in percent of the match's minutes (or ticks) counted in the home side's third, the
// middle and the away side's third: the first and third from the counters, the middle the rest;
// all 0 when every counter is 0.
void MatchData_ZoneShares(const uint32_t counters[3], int32_t shares[3]);
// The home side's share in percent of the two possession counts, the away side's being the
// rest; 50 when both are 0 or either is negative.
int32_t MatchData_PossessionShare(int32_t home, int32_t away);
// Whether the side's goal list holds the goal of `playerId` at `minute` as an own goal (the
// player then plays for the other side).
bool MatchSideStats_IsOwnGoal(const MatchSideStats& scoring, int32_t playerId, int32_t minute);
// The minutes a player of the kept match (side 0-1, line-up position 0-15) spent on the pitch,
// from the event rows, for the engine's matches and the simulation's alike: a starter comes on
// at 0, a substitute at the minute of the substitution bringing him on; he goes off at the
// minute of the substitution taking him off or of his sending-off, else at `length`. 0 for one
// who never came on.
int32_t LastMatchCopy_MinutesPlayed(const LastMatchCopyRecord& copy, int32_t side, int32_t position,
                                    int32_t length);
extern MatchReportIncident MatchReportIncidents[MATCH_REPORT_INCIDENT_MAX];
extern MatchReportStateRecord MatchReportState;
inline uint16_t& MatchReportWord = MatchReportState.word;
inline uint8_t& MatchReportFlags = MatchReportState.flags;
extern ShootOutSlot ShootOutList[SHOOT_OUT_SLOT_COUNT];
extern FixedScoreRecord FixedScore;
// The developer screens' way to fix the human's next match; the match day reads and clears it.
void FixedScore_Set(int16_t on, int16_t home, int16_t away);
extern uint16_t ChosenViewMode;  // VIEW_TEXT, VIEW_2D or VIEW_3D: the human's next match
extern uint32_t AutoRunMode;     // 0 off, 1 the unattended run
extern ExportedTeamBlock FriendlyTeamBlocks[2];

// Empty reports and lists, switches off, the match-day block cleared, the data block zeroed.
void MatchBlocks_Init();
// The same but for the player's view mode and the built-in tactics already read: a new career's
// or a loaded game's start.
void MatchBlocks_ResetCareer();
void MatchBlocks_Uninit();
// Every player the last match's report, summary and copy name, which the visit may rewrite.
void MatchBlocks_VisitPlayers(PersonIdVisit visit, void* context);

// The blocks of the fixture being played or just played; the same blocks for the whole match.
MatchDayBlock* GetMatchSidesBlock();
MatchDataBlock* GetMatchDataBlock();
// Team-sheet entry 0-16 of side 0-1 of the match-day block; any other entry or side is an
// absent entry, after "Orrin is Passing me a player out of range %d" on the general channel
// (level 1). Level 2 logs every call with its entry number.
const MatchPlayerEntry& GetMatchPlayerEntry(int32_t side, int32_t entry);
// Built-in tactic n (0-39) as GetComputerTactics reads it, read once per Init: the installed
// file does not change while the game runs, and a match day sets up many computer sides. Another
// n is fatal.
const TacticsRecord& MatchBlocks_BuiltInTactic(int32_t n);

void MatchDay_ClearBlock();  // every byte 0xFF: the state before a fixture is set up
// The bench size clamped to 0-5: a cleared or damaged block holds 0xFFFF.
int32_t MatchDay_GetBenchSize(const MatchDayBlock& block);

KitDesign MatchSide_GetKit(const MatchSide& side);

// The line of an entry's position code: 0 keeper, 1 defence (1-4), 2 midfield (5-9), 3 attack
// (10-12), 4 any other (13, a player for every position).
int32_t MatchEntry_PositionLine(int32_t positionCode);
void MatchSide_SetKit(MatchSide* side, const KitDesign& kit);

// A team sheet entry for a person (a player, or the manager); `shirt` 1-16, -1 for the manager.
void MatchEntry_Fill(MatchPlayerEntry* entry, int32_t person, int32_t shirt);
void MatchEntry_Clear(MatchPlayerEntry* entry);  // an absent shirt
// The club's 17 entries: its players holding shirts 1-16 in shirt order (absent shirts cleared),
// then its manager.
void MatchEntry_FillTeamSheet(MatchPlayerEntry entries[MATCH_ENTRY_COUNT], int32_t club);

// The 69 fields of a player match record by index; an index outside 0-68 is fatal. Set stores
// the value cut to the field's width.
constexpr int32_t PMR_FIELD_COUNT = 69;
enum PlayerMatchField : int32_t {
    PMR_FATIGUE = 1,
    PMR_RATING = 5,
    PMR_KEY_PASSES = 8,  // the key counts, 8-13: see docs/formats.md
    PMR_KEY_RUNS = 9,
    PMR_KEY_CROSSES = 10,
    PMR_KEY_TACKLES = 11,
    PMR_KEY_INTERCEPTIONS = 12,
    PMR_KEY_CLEARANCES = 13,
    PMR_CROSSES_RECEIVED = 18,  // during play; those from set pieces are a figure of their own
    PMR_SHOTS_ON_TARGET = 22,
    PMR_SHOTS_OFF_TARGET = 23,
    PMR_PENALTIES_MISSED = 25,
    PMR_GOALS = 26,
    PMR_ASSISTS = 27,
    PMR_OWN_GOALS = 28,
    PMR_PASSES = 29,
    PMR_BAD_PASSES = 30,
    PMR_INTERCEPTIONS = 31,
    PMR_CLAIMS = 36,
    PMR_TACKLES = 37,
    PMR_TACKLE_FOULS = 38,  // the five foul counters, 38-42
    PMR_FOULS = 39,
    PMR_LUNGE_FOULS = 40,
    PMR_FOULS_PENALISED = 41,
    PMR_HANDBALLS = 42,
    PMR_CATCHES = 43,
    PMR_PARRIES = 44,
    PMR_PALMS = 45,
    PMR_DEFLECTIONS = 46,
    PMR_PENALTIES_SAVED = 48,
    PMR_GOALS_CONCEDED = 49,
    PMR_PUNCHES = 51,
    PMR_FOULS_CHARGED = 54,  // fouls the referee gave against him as the offender
    PMR_INJURY_TOTAL = 55,
    PMR_CONDITION = 57,
    PMR_TIME_ON_PITCH = 61,
    PMR_KEPT_GOAL = 63,
    PMR_SHAPE_FLAG = 64,  // the team shape gave him his target point
    PMR_BOOKINGS = 67,    // 3 when sent off
    PMR_HURT = 68,
};
int32_t PlayerMatchRecord_Get(const PlayerMatchRecord& record, int32_t field);
void PlayerMatchRecord_Set(PlayerMatchRecord* record, int32_t field, int32_t value);

// Zeroes the 34 heat maps: the first period's set-up.
void VTW_ClearMatchEntityStats();
// The class of an event code (0, 5: 2; 1, 4, 6, 7: 3; 2: 8; 3: 5; 8: 6; 9, 10: 4; 11: 7), else
// `fallback`.
int32_t VTW_GetEventClass(int32_t code, int32_t fallback);

// LastMatchIncident's packed word.
inline int32_t LastMatchIncident_Side(const LastMatchIncident& i) { return i.sideKind & 1; }
inline int32_t LastMatchIncident_Kind(const LastMatchIncident& i)
{
    const int32_t kind = (i.sideKind >> 1) & 0x7F;
    return kind >= 64 ? kind - 128 : kind;
}
inline void LastMatchIncident_SetSideKind(LastMatchIncident* i, int32_t side, int32_t kind)
{
    i->sideKind = static_cast<uint16_t>((side & 1) | ((kind & 0x7F) << 1));
}

// What MatchReport_AddIncident packs into a row.
enum MatchReportKind : int32_t {
    REPORT_GOAL = 1,
    REPORT_PENALTY_GOAL,
    REPORT_OWN_GOAL,
    REPORT_SENT_OFF,
    REPORT_MISSED_PENALTY,
    REPORT_INJURY
};
struct MatchReportFacts {
    int32_t kind;  // MatchReportKind
    int32_t firstClub;
    int32_t firstGoals;
    int32_t minute;  // 0-120
    int32_t player;
    int32_t secondClub;
    int32_t secondGoals;
    int32_t competition;
    int32_t firstLegFirst;  // first-leg goals of each club, 0 when there was none
    int32_t firstLegSecond;
    int32_t fixtureRow;
    bool secondFirst;  // the order flag: the second club is shown first (it played at home)
};
// Appends a row whose second sort key is its insertion sequence; false when all 256 are used.
bool MatchReport_AddIncident(const MatchReportFacts& facts);

inline int32_t MatchReportIncident_Kind(const MatchReportIncident& r) { return r.word0 & 7; }
inline int32_t MatchReportIncident_FirstClub(const MatchReportIncident& r)
{
    return (r.word0 >> 3) & 0xFF;
}
inline int32_t MatchReportIncident_FirstGoals(const MatchReportIncident& r)
{
    return (r.word0 >> 11) & 0xF;
}
inline int32_t MatchReportIncident_Minute(const MatchReportIncident& r)
{
    return (r.word0 >> 15) & 0xFF;
}
inline int32_t MatchReportIncident_Sequence(const MatchReportIncident& r)
{
    return (r.word0 >> 23) & 0xFF;
}
inline int32_t MatchReportIncident_Player(const MatchReportIncident& r) { return r.word4 & 0xFFFF; }
inline int32_t MatchReportIncident_SecondClub(const MatchReportIncident& r)
{
    return (r.word4 >> 20) & 0xFF;
}
inline int32_t MatchReportIncident_SecondGoals(const MatchReportIncident& r)
{
    return (r.word4 >> 28) & 0xF;
}

// Marks every slot empty and starts filling at slot 0 again: the day screen, each day.
void ShootOutList_Reset();
// Records a fixture decided on penalties; false when the 32 slots are full.
bool ShootOutList_Add(int32_t fixtureRow, bool awayWon, int32_t homeKicks, int32_t awayKicks);
inline int32_t ShootOutSlot_Row(const ShootOutSlot& s) { return s.rowWinner & 0x7FFF; }
inline bool ShootOutSlot_AwayWon(const ShootOutSlot& s) { return (s.rowWinner & 0x8000) != 0; }

// A team from a user file, as far as a match reads it: the name ends within its `nameBytes`;
// every one of the MATCH_ENTRY_COUNT entries has its name end within its field and is absent
// (shirt -1) or present with shirt 1-16, a position code 0-13 and a look the kit loader maps;
// each of the TACTIC_CUSTOM_COUNT custom tactics is empty or playable. The exported team's
// loader and the replay slots share it.
bool MatchTeam_IsReadable(const char* name, size_t nameBytes, const TacticsRecord* tactics,
                          const MatchPlayerEntry* entries);
// A match-day block from a user file that the match and its views can play without reading past
// a table: both teams readable, bench and substitutions 0-5, crowd fill 0-3, night 0 or 1,
// period minutes 1-90, tactic numbers 0-51 and kits within their designs and colours.
bool MatchDayBlock_Check(const MatchDayBlock& block);

// The exported team file "a:\SaveTeam" (a DAT0 container of type "TEM1" holding one "TEAM"
// block), written atomically. SaveTeamFile writes the human club's team: 0, or non-zero after a
// log line when the file cannot be written or there is no human club. LoadTeamFile reads it into
// FriendlyTeamBlocks[slot]: 0, or non-zero for a missing, short, foreign or damaged file, which
// leaves the block untouched. A slot other than 0 or 1 is fatal.
constexpr char TEAM_FILE_NAME[] = "a:\\SaveTeam";
constexpr size_t TEAM_FILE_MAX_BYTES = BlockFileMaxBytes(sizeof(ExportedTeamBlock), 1);
int32_t SaveTeamFile();
int32_t LoadTeamFile(int32_t slot);

// The accessors' workings, inline so that a field named by a constant is read and written
// directly: post-match processing and the statistical simulation use them for every player of
// every fixture.
namespace PlayerMatchRecordPlaces {

// Where each field of a player match record lives: a whole byte or word, or bits of a word.
enum FieldKind : uint8_t { FIELD_S16, FIELD_S8, FIELD_U8, FIELD_BITS8, FIELD_BITS32 };

struct FieldPlace {
    FieldKind kind;
    uint8_t offset;
    uint8_t shift;  // bit fields only
    uint8_t width;
    bool isSigned;
};

constexpr std::array<FieldPlace, PMR_FIELD_COUNT> MakeFieldPlaces()
{
    std::array<FieldPlace, PMR_FIELD_COUNT> places{};
    auto whole = [](FieldKind kind, size_t offset) {
        return FieldPlace{kind, static_cast<uint8_t>(offset), 0, 0, false};
    };
    auto bits = [](FieldKind kind, size_t offset, int shift, int width, bool isSigned) {
        return FieldPlace{kind, static_cast<uint8_t>(offset), static_cast<uint8_t>(shift),
                          static_cast<uint8_t>(width), isSigned};
    };
    for (int f = 0; f <= 6; ++f) {
        places[f] = whole(FIELD_S16, offsetof(PlayerMatchRecord, words) + 2 * f);
    }
    for (int f = 7; f <= 13; ++f) {
        places[f] = whole(FIELD_S8, offsetof(PlayerMatchRecord, signedBytes) + f - 7);
    }
    places[14] = whole(FIELD_S16, offsetof(PlayerMatchRecord, word14));
    for (int f = 15; f <= 54; ++f) {
        places[f] = whole(FIELD_U8, offsetof(PlayerMatchRecord, counters) + f - 15);
    }
    places[55] = whole(FIELD_S16, offsetof(PlayerMatchRecord, words55));
    places[56] = whole(FIELD_S16, offsetof(PlayerMatchRecord, words55) + 2);
    for (int f = 57; f <= 60; ++f) {
        places[f] = whole(FIELD_S8, offsetof(PlayerMatchRecord, signedBytes57) + f - 57);
    }
    places[61] = whole(FIELD_U8, offsetof(PlayerMatchRecord, timeOnPitch));
    places[62] = whole(FIELD_S8, offsetof(PlayerMatchRecord, byte62));
    places[63] = bits(FIELD_BITS8, offsetof(PlayerMatchRecord, flagBits), 0, 1, true);
    places[64] = bits(FIELD_BITS8, offsetof(PlayerMatchRecord, flagBits), 1, 1, false);
    places[65] = bits(FIELD_BITS32, offsetof(PlayerMatchRecord, bits65), 0, 2, false);
    places[66] = bits(FIELD_BITS32, offsetof(PlayerMatchRecord, bits65), 2, 4, false);
    places[67] = bits(FIELD_BITS32, offsetof(PlayerMatchRecord, bits65), 6, 2, false);
    places[68] = bits(FIELD_BITS32, offsetof(PlayerMatchRecord, bits65), 8, 2, false);
    return places;
}

inline constexpr std::array<FieldPlace, PMR_FIELD_COUNT> kFieldPlaces = MakeFieldPlaces();

inline const FieldPlace& PlaceOf(int32_t field, const char* caller)
{
    if (field < 0 || field >= PMR_FIELD_COUNT) FatalError("%s(): bad field %d", caller, field);
    return kFieldPlaces[field];
}

inline uint32_t ReadBytes(const uint8_t* at, int32_t size)
{
    uint32_t value = 0;
    std::memcpy(&value, at, size);
    return value;
}

inline void WriteBytes(uint8_t* at, int32_t size, uint32_t value) { std::memcpy(at, &value, size); }

inline int32_t BitFieldSize(FieldKind kind) { return kind == FIELD_BITS8 ? 1 : 4; }

}  // namespace PlayerMatchRecordPlaces

inline int32_t PlayerMatchRecord_Get(const PlayerMatchRecord& record, int32_t field)
{
    using namespace PlayerMatchRecordPlaces;
    const FieldPlace& place = PlaceOf(field, "PlayerMatchRecord_Get");
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record) + place.offset;
    switch (place.kind) {
        case FIELD_S16: return static_cast<int16_t>(ReadBytes(bytes, 2));
        case FIELD_S8: return static_cast<int8_t>(bytes[0]);
        case FIELD_U8: return bytes[0];
        case FIELD_BITS8:
        case FIELD_BITS32: {
            const uint32_t word = ReadBytes(bytes, BitFieldSize(place.kind));
            const int32_t value =
                static_cast<int32_t>((word >> place.shift) & ((1u << place.width) - 1));
            const int32_t half = 1 << (place.width - 1);
            return place.isSigned && value >= half ? value - 2 * half : value;
        }
    }
    return 0;
}

inline void PlayerMatchRecord_Set(PlayerMatchRecord* record, int32_t field, int32_t value)
{
    using namespace PlayerMatchRecordPlaces;
    const FieldPlace& place = PlaceOf(field, "PlayerMatchRecord_Set");
    auto* bytes = reinterpret_cast<uint8_t*>(record) + place.offset;
    switch (place.kind) {
        case FIELD_S16: WriteBytes(bytes, 2, static_cast<uint32_t>(value)); return;
        case FIELD_S8:
        case FIELD_U8: bytes[0] = static_cast<uint8_t>(value); return;
        case FIELD_BITS8:
        case FIELD_BITS32: {
            const int32_t size = BitFieldSize(place.kind);
            const uint32_t mask = ((1u << place.width) - 1) << place.shift;
            const uint32_t word = ReadBytes(bytes, size) & ~mask;
            WriteBytes(bytes, size, word | ((static_cast<uint32_t>(value) << place.shift) & mask));
            return;
        }
    }
}
