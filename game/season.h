// game/season.h: the season engine: one day of the career (tables, dated events, cup draws, the
// daily processing of clubs and players, training), the end of the league season, the new
// season (movement between divisions, ageing, retirements, youth), and the unattended run's
// checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"

struct ClubRecord;

// Training activity codes; the value is also the screens' sort key.
constexpr uint16_t TRAIN_TECHNICAL = 0;
constexpr uint16_t TRAIN_PHYSICAL = 400;
constexpr uint16_t TRAIN_TEAM = 2801;
constexpr uint16_t TRAIN_REST = 19608;

constexpr int32_t TRAIN_SLOTS = 32;
constexpr int32_t TRAIN_PERIODS = 7;  // Monday to Friday, then the two extra periods
constexpr int32_t TRAIN_PRESETS = 18;
constexpr int32_t TRAIN_PRESET_ORDINARY = 2;
constexpr int32_t TRAIN_GROUPS = 15;
constexpr uint8_t TRAIN_NO_RETRAIN = 56;

// Team-training groups.
enum TrainingGroup : int16_t {
    TRAIN_GROUP_TEAM_PLAY,
    TRAIN_GROUP_FREE_KICKS,
    TRAIN_GROUP_CORNERS,
    TRAIN_GROUP_PENALTIES,
    TRAIN_GROUP_COUNT
};

// The human's training plan, saved with the game as one 958-byte block in this order. The
// training screens build and edit it; the day's training step reads it.
#pragma pack(push, 1)
struct TrainingBufferRecord {
    uint32_t firstBuilt;  // 0 until the screen is built once
    int16_t groups[TRAIN_GROUPS];
    int16_t slotPlayer[TRAIN_SLOTS];  // -1 a free slot
    uint16_t programme[TRAIN_SLOTS][TRAIN_PERIODS];
    uint16_t trainingAtEntry[TRAIN_SLOTS];
    uint8_t retrainTarget[TRAIN_SLOTS];  // 0-3 a line, 5 left wing, 6 right wing, 56 none
    uint8_t retrainRemaining[TRAIN_SLOTS];
    uint8_t retrainTotal[TRAIN_SLOTS];
    uint16_t presets[TRAIN_PRESETS][TRAIN_PERIODS];
};
#pragma pack(pop)

static_assert(sizeof(TrainingBufferRecord) == 958);
static_assert(offsetof(TrainingBufferRecord, groups) == 4);
static_assert(offsetof(TrainingBufferRecord, slotPlayer) == 34);
static_assert(offsetof(TrainingBufferRecord, programme) == 98);
static_assert(offsetof(TrainingBufferRecord, trainingAtEntry) == 546);
static_assert(offsetof(TrainingBufferRecord, retrainTarget) == 610);
static_assert(offsetof(TrainingBufferRecord, retrainRemaining) == 642);
static_assert(offsetof(TrainingBufferRecord, retrainTotal) == 674);
static_assert(offsetof(TrainingBufferRecord, presets) == 706);
static_assert(std::is_trivially_copyable_v<TrainingBufferRecord>);

extern TrainingBufferRecord TrainingBuffer;  // owned by Training; the screens write it too
// The saved buffer's range check (SaveGameCheck): slot players -1 or a person id, retraining
// targets a line, a wing or none.
bool DailyTraining_CheckSaved(const void* block);

// The presets from their table, every slot free, the default groups, then the human's squad
// synced in; without a post the buffer stays empty. At a new career, a new job and a new season.
void InitTrainingBuffer();
// Frees the slots of players who left the human's squad and gives each newcomer the first free
// slot with preset 1 and his training value at entry; no free slot is fatal. The individual-
// training table follows the same squad (TrainingTable_Sync).
void SyncTrainingBuffer();
int32_t FindInTrainingBuffer(int32_t player);  // the player's slot; a player not there is fatal
// Periods a player needs to retrain to target 0-3 (a line) or 5-6 (a wing), at least 1.
int16_t RetrainDuration(int32_t player, int32_t target);

// Every slot free, no retraining, the default groups, the presets empty; registers the buffer
// and the training counters with the saved game. Uninit is safe twice.
void DailyTraining_Init();
void DailyTraining_ResetCareer();  // the buffer's defaults and no counters: a career's start
void DailyTraining_Uninit();

// One training period of the day for a full player of a full club: technical, physical, team
// (the club's group of that period, at most once a day per club) or rest, from his buffer slot
// when he is the human's and has one, else the ordinary preset. `period` 0-6 is Monday to Sunday.
void DailyTraining_PlayerPeriod(int32_t player, int32_t club, int32_t period);
// Team levels that have not been trained for 14 days lose 1; call once a day per full club.
void DailyTraining_ClubDay(int32_t club);
// The physical periods the player trained this season, read by ageing.
int32_t DailyTraining_PhysicalPeriods(int32_t player);
// The technical training he carries towards his next point of training (T).
int32_t DailyTraining_TechnicalPoints(int32_t player);
// Both counters of a full id back to 0, for a new player (PlayerLife_FreshRecord).
void DailyTraining_ForgetPlayer(int32_t player);
void DailyTraining_NewSeason();  // the season's physical periods back to 0

// Daily processing of every full club and every full player (unattached ones included):
// fitness, fatigue, injuries, missing players, training; weekly morale; monthly contracts. Polls
// after every 16 clubs.
void DailyClubProcessing();

// The end of a season for the players: a career-log row for everyone who played, season figures
// and discipline points reset, development and decline, retirements, then youth intake.
// One message of the group to the human, about `person` (-1 none) with `number` as its figure.
void PlayerLife_TellHuman(int32_t group, int32_t person, int32_t number);
// A full player of a club or unattached: not a manager, not a free id.
bool PlayerLife_IsActivePlayer(int32_t id);
// The human plays for his club as its player-manager: a player of the line its squad lacks most,
// as able as the middle of its squad, fit, without a shirt; his name, age and reputation stay.
void PlayerLife_HumanTakesTheField(int32_t club);
// The human manages only: no playing position, no shirt, so in no squad.
void PlayerLife_HumanManagesOnly();
void PlayerLife_NewSeason();
// Youth intake for one full club: the players who joined (0 when no free full id is left).
int32_t PlayerLife_YouthIntake(int32_t club);
// One youth of the club's neediest line joins it at once, outside the season's intake; his id, or
// -1 when no free full id is left.
int32_t PlayerLife_CallUpYouth(int32_t club);
// What differs between a young player who fills a new game's squad and one of a youth intake.
struct YoungPlayerTerms {
    int32_t nationality;
    int32_t year;         // the year the age counts back from
    int32_t youngestAge;  // the age is youngestAge .. youngestAge + 2
    int32_t abilityBase;  // the ability is abilityBase + 0-10, within 5 .. abilityCap
    int32_t abilityCap;
    int32_t potentialBonus;      // the potential is ability + potentialBonus + 0 .. spread - 1, at
    int32_t potentialSpread;     // most 100; or, with a potentialLevel, that level - spread / 2 +
    int32_t potentialLevel;      // 0 .. spread - 1, never below the ability (0: none)
    bool reputationFromAbility;  // else the reputation starts at 0
    int32_t wageYears;           // the wage is the base demand for a contract of these years
};
// Makes person id a young player of the club (whose record is r), in the neediest line, with a new
// surname of the nationality's style; the random draws come in one fixed order.
void PlayerLife_MakeYoungPlayer(int32_t id, int32_t club, const ClubRecord& r,
                                const YoungPlayerTerms& terms);
// A surname of the style's block of names that no full player of the club carries yet.
uint16_t PlayerLife_NewSurname(int32_t club, int32_t style);
// A position code of the line (0-3) at random.
uint8_t PlayerLife_RandomPosition(int32_t line);
// The line the club's squad lacks most against 2 keepers, 6 defenders, 6 midfielders and 4
// forwards (defence on a tie), where a young player is wanted.
int32_t PlayerLife_NeediestLine(int32_t club);
// The world outside's year, cheap enough for every light player: the old retire by the league's
// rule and a youth of 17-19 of the same position takes the id, as good as his squad's mean give or
// take 5; a squad the league has bought below 16 players fills up on freed light ids.
void PlayerLife_RenewOutside();
// Retires a full player: career-log row, id freed back to the spare pool.
void PlayerLife_Retire(int32_t player);
// A fresh player's record on full id `id`: the record free (no club, no loan) and every figure
// kept under the id for its holder back to nothing: his season's bookings, clean sheets and
// training, the career log's season and rows, the progress history, the clubs' bids for him, the
// human's waiting business with him (a club's request, contract talks, a recent approach) and
// the human's shortlist entry. Run wherever a full id is freed (a retirement, a sale abroad) and
// wherever one is given to a new player (a youth, a light player made full): nothing of one
// holder passes to the next. An id that is not a full player's is left alone.
void PlayerLife_FreshRecord(int32_t id);
// Each league club's reputation moves 1-4 by its final place in the country's pyramid against
// its reputation rank, and by the cups it won this season (honours row 0).
void PlayerLife_ShiftReputations();

// The day: tables, today's events, cup rounds that fall due, the daily processing, DayNo + 1;
// a new season when DayNo reaches the days in season.
void Season_AdvanceDay();
// The screens' day advance: the busy pointer around Season_AdvanceDay, and the human's squad
// refreshed at a new season.
void VTW_AdvanceDay();
// The end of the league season (last league day + 1): final tables into the honours, the
// play-off draw, the continental qualifiers, season-best players, club records, training.
void Season_EndLeagueSeason();
// The next season: honours, divisions, history, players, reputation, money, calendar, fixtures.
void NewSeason();

// The unattended run's target, set by the developer screens.
struct AutoRunTargetRecord {
    int16_t stopDay;
    int16_t stopSeason;
    uint16_t options;  // AUTORUN_CHECK_...
};
enum : uint16_t {
    AUTORUN_CHECK_SQUADS = 1 << 0,    // fewer than 16 available players, a line without players
    AUTORUN_CHECK_BALANCES = 1 << 1,  // a balance below the division's floor
    AUTORUN_UNCONDITIONAL = 1 << 2,   // no target stops the run: only Escape does
};
extern AutoRunTargetRecord AutoRunTarget;  // owned by Season

void Season_Init();         // the career log, the training state and the auto-run target
void Season_ResetCareer();  // the same without registering the saved blocks
void Season_Uninit();

// With AutoRunMode on: non-zero once today and the season have reached the target, which also
// turns AutoRunMode off (never without a target, stop day and season both 0, nor in an
// unconditional run); the checks the options ask for are logged on the general channel at level
// 1. The number of findings is kept for tests in Season_SoakFindings.
int32_t VTW_SoakChecks();
int32_t Season_SoakFindings();
// The balance below which the soak check reports a club of the division.
int32_t Season_BalanceFloor(int32_t division);
