// game/dailytraining.cpp: the day's training period of every full player and the team levels that
// team training raises and neglect lowers.
#include <algorithm>
#include <array>
#include <cstring>

#include "engine/fatal.h"
#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/trainingschedule.h"

TrainingBufferRecord TrainingBuffer;

namespace {

constexpr int32_t TECHNICAL_POINTS_PER_T = 1500;
constexpr int32_t TEAM_LEVEL_MAX = 60;
constexpr int32_t TEAM_LEVEL_FORGET_DAYS = 14;
constexpr int32_t REST_FATIGUE = 15;
constexpr int32_t PHYSICAL_FITNESS = 2;
constexpr int32_t WEEKDAY_PERIODS = 5;  // Monday to Friday have team-training slots
constexpr int32_t SLOTS_A_DAY = 3;

// The ordinary week in stored order: physical, technical x2, team x2, rest x2.
constexpr std::array<uint16_t, TRAIN_PERIODS> ORDINARY_WEEK = {
    TRAIN_PHYSICAL, TRAIN_TECHNICAL, TRAIN_TECHNICAL, TRAIN_TEAM,
    TRAIN_TEAM,     TRAIN_REST,      TRAIN_REST};
// The weekly programmes a player can be given; 4-17 are never offered and stay technical.
constexpr uint16_t PRESET_TABLE[TRAIN_PRESETS][TRAIN_PERIODS] = {
    {TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_REST},
    {TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_TECHNICAL, TRAIN_TEAM,
     TRAIN_TEAM},
    {TRAIN_PHYSICAL, TRAIN_TECHNICAL, TRAIN_TECHNICAL, TRAIN_TEAM, TRAIN_TEAM, TRAIN_REST,
     TRAIN_REST},
    {TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_PHYSICAL, TRAIN_PHYSICAL,
     TRAIN_PHYSICAL},
};
constexpr int32_t NEW_PLAYER_PRESET = 1;
constexpr std::array<int16_t, TRAIN_GROUPS> DEFAULT_GROUPS = {0, 1, 2, 3, 0, 1, 2, 3,
                                                              0, 1, 2, 3, 0, 1, 2};
constexpr std::array<int32_t, LINE_COUNT> LINE_COACH = {STAFF_COACH_GK, STAFF_COACH_DF,
                                                        STAFF_COACH_MD, STAFF_COACH_FW};
// Retraining targets: the central code of each line, and the wing codes of a line.
constexpr std::array<uint8_t, LINE_COUNT> LINE_CENTRE = {0, 2, 7, 11};
constexpr std::array<uint8_t, LINE_COUNT> LEFT_WING = {0, 1, 5, 10};
constexpr std::array<uint8_t, LINE_COUNT> RIGHT_WING = {0, 4, 9, 12};

// Saved with the game beside the buffer: the counters that carry training from day to day.
#pragma pack(push, 1)
struct TrainingCounters {
    uint16_t technicalPoints[PLAYER_FULL_MAX];
    uint8_t physicalPeriods[PLAYER_FULL_MAX];
    uint8_t untrainedDays[CLUB_FULL_MAX][TRAIN_GROUP_COUNT];
    int16_t teamTrainedDay[CLUB_FULL_MAX];  // the day its team trained, so once a day
};
#pragma pack(pop)

TrainingCounters s_counters;

uint8_t* TeamLevel(ClubRecord* r, int32_t group)
{
    switch (group) {
        case TRAIN_GROUP_FREE_KICKS: return &r->freeKicks;
        case TRAIN_GROUP_CORNERS: return &r->corners;
        case TRAIN_GROUP_PENALTIES: return &r->penalties;
        default: return &r->teamwork;
    }
}

int32_t SlotOf(int32_t player)
{
    for (int32_t slot = 0; slot < TRAIN_SLOTS; ++slot) {
        if (TrainingBuffer.slotPlayer[slot] == player) return slot;
    }
    return -1;
}

bool InSquad(const SquadListRecord& squad, int32_t player)
{
    for (int32_t k = 0; k < squad.count; ++k) {
        if (squad.players[k] == player) return true;
    }
    return false;
}

void FreeSlot(int32_t slot)
{
    TrainingBuffer.slotPlayer[slot] = -1;
    TrainingBuffer.retrainTarget[slot] = TRAIN_NO_RETRAIN;
    TrainingBuffer.retrainRemaining[slot] = 0;
    TrainingBuffer.retrainTotal[slot] = 0;
}

void TakeSlot(int32_t player)
{
    const int32_t slot = SlotOf(-1);
    if (slot < 0) {
        FatalAbort("c_mn15", __LINE__,
                   "c_mn15: - player not in training buffer & training buffer is full (init "
                   "stage)");
    }
    TrainingBuffer.slotPlayer[slot] = static_cast<int16_t>(player);
    TrainingBuffer.trainingAtEntry[slot] = static_cast<uint16_t>(VTW_GetPlayerTraining(player));
    std::copy(std::begin(PRESET_TABLE[NEW_PLAYER_PRESET]),
              std::end(PRESET_TABLE[NEW_PLAYER_PRESET]), TrainingBuffer.programme[slot]);
}

// Fills the presets and frees every slot, so that a new squad starts on preset 1 even before
// the programme screen was ever built.
void ClearBuffer()
{
    for (int32_t slot = 0; slot < TRAIN_SLOTS; ++slot)
        FreeSlot(slot);
    std::memcpy(TrainingBuffer.presets, PRESET_TABLE, sizeof PRESET_TABLE);
    std::copy(DEFAULT_GROUPS.begin(), DEFAULT_GROUPS.end(), TrainingBuffer.groups);
}

// The squad the buffer follows: the human's club, without a post nobody. The shared SquadList
// is left as it was: the market syncs in the middle of its own work on another club's list.
SquadListRecord HumanSquad()
{
    SquadListRecord squad{};
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    if (club < 0) return squad;
    const SquadListRecord saved = SquadList;
    VTW_RefreshSquadCount(club);
    squad = SquadList;
    SquadList = saved;
    return squad;
}

void FinishRetraining(PlayerRecord* p, int32_t slot)
{
    const int32_t line = VTW_GetPositionLine(TrainingBuffer.slotPlayer[slot]);
    const int32_t target = TrainingBuffer.retrainTarget[slot];
    if (target < LINE_COUNT) {
        p->position = LINE_CENTRE[target];
    } else if (line < LINE_COUNT) {
        p->position = target == 5 ? LEFT_WING[line] : RIGHT_WING[line];
    }
    TrainingBuffer.retrainTarget[slot] = TRAIN_NO_RETRAIN;
}

void Technical(int32_t player, PlayerRecord* p, int32_t club, int32_t slot)
{
    const int32_t line = VTW_GetPositionLine(player);
    const int32_t gain = Staff_GetRating(club, STAFF_COACH)
                         + (line < LINE_COUNT ? Staff_GetRating(club, LINE_COACH[line]) : 0);
    int32_t points = s_counters.technicalPoints[player] + gain;
    for (; points >= TECHNICAL_POINTS_PER_T; points -= TECHNICAL_POINTS_PER_T) {
        if (p->training < p->potential) ++p->training;
    }
    s_counters.technicalPoints[player] = static_cast<uint16_t>(points);
    if (slot < 0 || TrainingBuffer.retrainTarget[slot] == TRAIN_NO_RETRAIN
        || TrainingBuffer.retrainRemaining[slot] == 0)
        return;
    if (--TrainingBuffer.retrainRemaining[slot] == 0) FinishRetraining(p, slot);
}

// The slots of the period that each subject holds: the three slots of a weekday; the two extra
// periods, which have no slots, give all three to team play.
std::array<int32_t, TRAIN_GROUP_COUNT> SlotsOfPeriod(int32_t club, int32_t period)
{
    std::array<int32_t, TRAIN_GROUP_COUNT> slots{};
    if (period >= WEEKDAY_PERIODS) {
        slots[TRAIN_GROUP_TEAM_PLAY] = SLOTS_A_DAY;
        return slots;
    }
    const int16_t* groups =
        club == GameState.humanClub ? TrainingBuffer.groups : DEFAULT_GROUPS.data();
    for (int32_t slot = 0; slot < SLOTS_A_DAY; ++slot) {
        const int16_t subject = groups[period * SLOTS_A_DAY + slot];
        if (subject >= 0 && subject < TRAIN_GROUP_COUNT) ++slots[subject];
    }
    return slots;
}

// Each subject trained in the period is remembered and rises by at most one, with the coach's
// chance in proportion to its share of the day's slots: a day spread over three subjects moves
// the team no faster than a day given to one, so the levels keep the clubs' differences.
void Team(int32_t club, int32_t period)
{
    ClubRecord* r = VTW_GetClubRecordPtr(club);
    if (r == nullptr || s_counters.teamTrainedDay[club] == DayNo) return;
    s_counters.teamTrainedDay[club] = static_cast<int16_t>(DayNo);
    const std::array<int32_t, TRAIN_GROUP_COUNT> slots = SlotsOfPeriod(club, period);
    const int32_t coach = Staff_GetRating(club, STAFF_COACH);
    for (int32_t group = 0; group < TRAIN_GROUP_COUNT; ++group) {
        if (slots[group] == 0) continue;
        s_counters.untrainedDays[club][group] = 0;
        uint8_t* level = TeamLevel(r, group);
        const bool rises =
            static_cast<int32_t>(Rand() % (100 * SLOTS_A_DAY)) < coach * slots[group];
        if (rises && *level < TEAM_LEVEL_MAX) ++*level;
    }
}

}  // namespace

void DailyTraining_Init()
{
    DailyTraining_ResetCareer();
    SaveGame_RegisterBlock("TRNB", &TrainingBuffer, sizeof TrainingBuffer,
                           DailyTraining_CheckSaved);
    SaveGame_RegisterBlock("TRNC", &s_counters, sizeof s_counters);
}

void DailyTraining_ResetCareer()
{
    std::memset(&TrainingBuffer, 0, sizeof TrainingBuffer);
    ClearBuffer();
    std::memset(&s_counters, 0, sizeof s_counters);
    std::fill(std::begin(s_counters.teamTrainedDay), std::end(s_counters.teamTrainedDay), -1);
}

void DailyTraining_Uninit() {}

void InitTrainingBuffer()
{
    ClearBuffer();
    SyncTrainingBuffer();
}

void SyncTrainingBuffer()
{
    const SquadListRecord squad = HumanSquad();
    for (int32_t slot = 0; slot < TRAIN_SLOTS; ++slot) {
        const int16_t player = TrainingBuffer.slotPlayer[slot];
        if (player >= 0 && !InSquad(squad, player)) FreeSlot(slot);
    }
    for (int32_t k = 0; k < squad.count; ++k) {
        if (SlotOf(squad.players[k]) < 0) TakeSlot(squad.players[k]);
    }
    TrainingTable_Sync(squad.players, squad.count);
}

int32_t FindInTrainingBuffer(int32_t player)
{
    const int32_t slot = player >= 0 ? SlotOf(player) : -1;
    if (slot < 0)
        FatalAbort("c_mn15", __LINE__, "c_mn15: - player not in training buffer (After init)");
    return slot;
}

int16_t RetrainDuration(int32_t player, int32_t target)
{
    // Periods per two years over 11, by the player's line (rows: goalkeeper, defender,
    // midfielder, forward) and the target line; a wing target costs one.
    static constexpr int32_t FACTOR[LINE_COUNT][LINE_COUNT] = {
        {5, 5, 5, 5}, {5, 1, 2, 4}, {5, 2, 1, 2}, {5, 4, 2, 1}};
    const int32_t k = (VTW_GetPlayerAge(player) - 11) / 2;
    const int32_t line = VTW_GetPositionLine(player);
    int32_t factor = 1;
    if (line == 0) {
        factor = 5;
    } else if (line < LINE_COUNT && target >= 0 && target < LINE_COUNT) {
        factor = FACTOR[line][target];
    }
    // A player of 11 or 12 still needs one period, so that his retraining ends.
    return static_cast<int16_t>(std::max(1, factor * k));
}

void DailyTraining_PlayerPeriod(int32_t player, int32_t club, int32_t period)
{
    PlayerRecord* p = Player_RefForSet(player, "Training").full;
    if (p == nullptr) return;
    const int32_t slot = club == GameState.humanClub ? SlotOf(player) : -1;
    const uint16_t activity =
        slot >= 0 ? TrainingBuffer.programme[slot][period] : ORDINARY_WEEK[period];
    switch (activity) {
        case TRAIN_TECHNICAL: Technical(player, p, club, slot); break;
        case TRAIN_PHYSICAL:
            p->fitness = static_cast<uint8_t>(std::min(100, p->fitness + PHYSICAL_FITNESS));
            s_counters.physicalPeriods[player] =
                static_cast<uint8_t>(std::min(255, s_counters.physicalPeriods[player] + 1));
            break;
        case TRAIN_TEAM: Team(club, period); break;
        default: p->fatigue = static_cast<uint8_t>(std::max(0, p->fatigue - REST_FATIGUE)); break;
    }
}

void DailyTraining_ClubDay(int32_t club)
{
    ClubRecord* r = VTW_GetClubRecordPtr(club);
    if (r == nullptr) return;
    for (int32_t group = 0; group < TRAIN_GROUP_COUNT; ++group) {
        uint8_t& days = s_counters.untrainedDays[club][group];
        if (++days < TEAM_LEVEL_FORGET_DAYS) continue;
        days = 0;
        uint8_t* level = TeamLevel(r, group);
        if (*level > 0) --*level;
    }
}

int32_t DailyTraining_PhysicalPeriods(int32_t player)
{
    return player >= 0 && player < PLAYER_FULL_MAX ? s_counters.physicalPeriods[player] : 0;
}

int32_t DailyTraining_TechnicalPoints(int32_t player)
{
    return player >= 0 && player < PLAYER_FULL_MAX ? s_counters.technicalPoints[player] : 0;
}

void DailyTraining_ForgetPlayer(int32_t player)
{
    if (player < 0 || player >= PLAYER_FULL_MAX) return;
    s_counters.technicalPoints[player] = 0;
    s_counters.physicalPeriods[player] = 0;
}

void DailyTraining_NewSeason()
{
    std::memset(s_counters.physicalPeriods, 0, sizeof s_counters.physicalPeriods);
    std::fill(std::begin(s_counters.teamTrainedDay), std::end(s_counters.teamTrainedDay), -1);
}

bool DailyTraining_CheckSaved(const void* block)
{
    const auto& buffer = *static_cast<const TrainingBufferRecord*>(block);
    for (int32_t slot = 0; slot < TRAIN_SLOTS; ++slot) {
        const uint8_t target = buffer.retrainTarget[slot];
        if (!SaveCheck_InRange(buffer.slotPlayer[slot], -1, PERSON_MAX - 1)
            || !(target <= 3 || target == 5 || target == 6 || target == TRAIN_NO_RETRAIN))
            return false;
    }
    return true;
}
