// game/matchblocks.cpp: the blocks a fixture is played through and the reports the screens read
// afterwards.
#include "game/matchblocks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/kitcolours.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/statmodel.h"
#include "game/trainingschedule.h"

LastMatchIncident LastMatchIncidents[LAST_MATCH_INCIDENT_MAX];
LastMatchSummaryRow LastMatchSummary[MATCH_SIDE_COUNT];
alignas(8) LastMatchCopyRecord LastMatchCopy;  // ReportFixture binds its first word
MatchReportIncident MatchReportIncidents[MATCH_REPORT_INCIDENT_MAX];
MatchReportStateRecord MatchReportState;
ShootOutSlot ShootOutList[SHOOT_OUT_SLOT_COUNT];
FixedScoreRecord FixedScore;
uint16_t ChosenViewMode;
uint32_t AutoRunMode;
ExportedTeamBlock FriendlyTeamBlocks[2];

void FixedScore_Set(int16_t on, int16_t home, int16_t away) { FixedScore = {on, home, away}; }

namespace {

struct MatchBlocksState {
    MatchDayBlock matchDay;
    MatchDataBlock matchData;
    int32_t shootOutNext;
    bool builtInRead[TACTIC_BUILTIN_COUNT];
    TacticsRecord builtIn[TACTIC_BUILTIN_COUNT];
};

MatchBlocksState s_blocks;

bool TacticIsKnown(int32_t tactic)
{
    return SaveCheck_InRange(tactic, 0, TACTIC_BUILTIN_COUNT + TACTIC_CUSTOM_COUNT - 1);
}

void ClearCopy()
{
    LastMatchCopy = {};
    LastMatchCopy.fixtureRow = -1;
    // The record is packed: its words are set one by one, never through a pointer.
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k)
            LastMatchCopy.sides[n].playerIds[k] = 0xFFFF;
        LastMatchCopy.stats[n].manOfTheMatch = -1;
    }
}

void ClearReports()
{
    for (LastMatchIncident& incident : LastMatchIncidents) {
        incident = {};
        incident.person = -1;
        LastMatchIncident_SetSideKind(&incident, 0, -1);
    }
    for (LastMatchSummaryRow& row : LastMatchSummary) {
        row = {};
        row.manOfTheMatch = -1;
    }
    ClearCopy();
    for (MatchReportIncident& row : MatchReportIncidents) {
        row = {};
    }
    MatchReportState = {};
}

void CopyText(char* dest, size_t size, const char* text)
{
    const size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(dest, text, length);
    dest[length] = '\0';
}

}  // namespace

void MatchBlocks_Init()
{
    s_blocks = {};
    ChosenViewMode = VIEW_TEXT;
    MatchBlocks_ResetCareer();
    SaveGame_RegisterBlock("LMIN", LastMatchIncidents, sizeof LastMatchIncidents,
                           MatchBlocks_CheckIncidents);
    SaveGame_RegisterBlock("LMSU", LastMatchSummary, sizeof LastMatchSummary,
                           MatchBlocks_CheckSummary);
    SaveGame_RegisterBlock("LMCP", &LastMatchCopy, sizeof LastMatchCopy, MatchBlocks_CheckCopy);
    SaveGame_RegisterBlock("BOOK", PlayerSeasonBookings, sizeof PlayerSeasonBookings);
    SaveGame_RegisterLateBlock("CLSH", PlayerSeasonCleanSheets, sizeof PlayerSeasonCleanSheets);
}

void MatchBlocks_ResetCareer()
{
    MatchDay_ClearBlock();
    std::memset(&s_blocks.matchData, 0, sizeof s_blocks.matchData);
    ClearReports();
    ShootOutList_Reset();
    FixedScore = {};
    AutoRunMode = 0;
    for (ExportedTeamBlock& block : FriendlyTeamBlocks) {
        block = {};
    }
    std::fill(std::begin(PlayerSeasonBookings), std::end(PlayerSeasonBookings), 0);
    std::fill(std::begin(PlayerSeasonCleanSheets), std::end(PlayerSeasonCleanSheets), 0);
}

void MatchBlocks_Uninit() {}

void MatchDay_ClearPlayerSeason(int32_t player)
{
    if (player < 0 || player >= PLAYER_FULL_MAX) return;
    PlayerSeasonBookings[player] = 0;
    PlayerSeasonCleanSheets[player] = 0;
}

MatchDayBlock* GetMatchSidesBlock() { return &s_blocks.matchDay; }
MatchDataBlock* GetMatchDataBlock() { return &s_blocks.matchData; }

const MatchPlayerEntry& GetMatchPlayerEntry(int32_t side, int32_t entry)
{
    static MatchPlayerEntry absent;
    // Every call is logged one level deeper: the screens ask for entries on every frame.
    DebugPrintf(DBG_GENERAL, 2, "GetMatchPlayerEntry(): %d\n", entry);
    if (side >= 0 && side < MATCH_SIDE_COUNT && entry >= 0 && entry < MATCH_ENTRY_COUNT)
        return s_blocks.matchDay.sides[side].entries[entry];
    DebugPrintf(DBG_GENERAL, 1, "Orrin is Passing me a player out of range %d\n", entry);
    MatchEntry_Clear(&absent);
    return absent;
}

const TacticsRecord& MatchBlocks_BuiltInTactic(int32_t n)
{
    if (n < 0 || n >= TACTIC_BUILTIN_COUNT)
        FatalError("MatchBlocks_BuiltInTactic(): bad tactic number %d", n);
    if (!s_blocks.builtInRead[n]) {
        GetComputerTactics(&s_blocks.builtIn[n], n);
        s_blocks.builtInRead[n] = true;
    }
    return s_blocks.builtIn[n];
}

void MatchDay_ClearBlock() { std::memset(&s_blocks.matchDay, 0xFF, sizeof(s_blocks.matchDay)); }

int32_t MatchDay_GetBenchSize(const MatchDayBlock& block)
{
    if (block.benchSize < 0) return 0;
    return block.benchSize > MATCH_BENCH_MAX ? MATCH_BENCH_MAX : block.benchSize;
}

int32_t MatchEntry_PositionLine(int32_t positionCode)
{
    if (positionCode == 0) return 0;
    if (positionCode >= 1 && positionCode <= 4) return 1;
    if (positionCode >= 5 && positionCode <= 9) return 2;
    if (positionCode >= 10 && positionCode <= 12) return 3;
    return 4;
}

KitDesign MatchSide_GetKit(const MatchSide& side)
{
    KitDesign kit;
    std::memcpy(&kit, side.kit, sizeof(kit));
    return kit;
}

void MatchSide_SetKit(MatchSide* side, const KitDesign& kit)
{
    std::memcpy(side->kit, &kit, sizeof(kit));
}

void MatchEntry_Clear(MatchPlayerEntry* entry)
{
    std::memset(entry, 0xFF, sizeof(*entry));
    entry->name[0] = '\0';
}

namespace {

// MatchEntry_Fill with the person's training row already found.
void FillEntry(MatchPlayerEntry* entry, int32_t person, int32_t shirt, int32_t trainingRow)
{
    *entry = {};
    CopyText(entry->name, sizeof(entry->name), VTW_FormatPersonName(person));
    const int32_t position = VTW_GetPlayerPosition(person);
    entry->positionCode = static_cast<uint8_t>(position);
    entry->enginePosition = static_cast<uint16_t>(position);
    entry->skin = static_cast<uint16_t>(VTW_GetPersonBits0to2(person));
    entry->hairColour = static_cast<uint16_t>(VTW_GetPersonBits3to5(person));
    entry->hairStyle = static_cast<uint16_t>(VTW_GetPersonBits6to8(person));
    int32_t stats[STAT_COUNT];
    Player_GetStats(person, stats);
    Training_ApplyEmphases(person, trainingRow, stats);
    for (int32_t k = 0; k < MATCH_ATTRIBUTE_COUNT; ++k) {
        entry->attributes[k] = static_cast<uint16_t>(stats[MATCH_ATTRIBUTE_STAT[k]]);
    }
    for (int32_t k = 0; k < MATCH_DISPLAY_SKILL_COUNT; ++k) {
        entry->displaySkills[k] = static_cast<uint16_t>(stats[MATCH_DISPLAY_STAT[k]]);
    }
    entry->shirt = static_cast<int16_t>(shirt);
    // Side 1 is left, 2 right, 3 both; a player without a side kicks with his right.
    const int32_t side = VTW_GetPlayerSide(person);
    entry->leftFoot = (side == 1 || side == 3) ? 1 : 0;
    entry->rightFoot = side == 1 ? 0 : 1;
    entry->experiencePercent = static_cast<uint16_t>(VTW_GetPlayerExperiencePercent(person));
    entry->playerId = static_cast<uint16_t>(person);
}

// The training row of each shirt's player, from one pass over the training table instead of one
// per player, which every computer fixture would pay: a row's player is on the sheet when the
// place of his shirt holds him. Walked backward, so the first row holding a player wins.
void FindTrainingRows(const int32_t byShirt[MATCH_SHIRT_COUNT + 1],
                      int32_t rows[MATCH_SHIRT_COUNT + 1])
{
    std::fill_n(rows, MATCH_SHIRT_COUNT + 1, -1);
    for (int32_t row = TRAINING_TABLE_ROWS - 1; row >= 0; --row) {
        const int32_t player = TrainingTable[row].player;
        if (player < 0) continue;
        const int32_t shirt = VTW_GetPlayerShirt(player);
        if (shirt >= 1 && shirt <= MATCH_SHIRT_COUNT && byShirt[shirt] == player) rows[shirt] = row;
    }
}

}  // namespace

void MatchEntry_Fill(MatchPlayerEntry* entry, int32_t person, int32_t shirt)
{
    FillEntry(entry, person, shirt, TrainingTable_RowOf(person));
}

void MatchEntry_FillTeamSheet(MatchPlayerEntry entries[MATCH_ENTRY_COUNT], int32_t club)
{
    int32_t byShirt[MATCH_SHIRT_COUNT + 1];
    for (int32_t& player : byShirt) {
        player = -1;
    }
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    for (int32_t k = 0; k < count; ++k) {
        const int32_t shirt = VTW_GetPlayerShirt(members[k]);
        if (shirt >= 1 && shirt <= MATCH_SHIRT_COUNT) byShirt[shirt] = members[k];
    }
    int32_t trainingRows[MATCH_SHIRT_COUNT + 1];
    FindTrainingRows(byShirt, trainingRows);
    for (int32_t shirt = 1; shirt <= MATCH_SHIRT_COUNT; ++shirt) {
        MatchPlayerEntry* entry = &entries[shirt - 1];
        if (byShirt[shirt] < 0) {
            MatchEntry_Clear(entry);
        } else {
            FillEntry(entry, byShirt[shirt], shirt, trainingRows[shirt]);
        }
    }
    MatchEntry_Fill(&entries[MATCH_MANAGER_ENTRY], Club_GetManager(club), -1);
}

void VTW_ClearMatchEntityStats()
{
    std::memset(s_blocks.matchData.heatMaps, 0, sizeof(s_blocks.matchData.heatMaps));
}

int32_t VTW_GetEventClass(int32_t code, int32_t fallback)
{
    switch (code) {
        case 0:
        case 5: return 2;
        case 1:
        case 4:
        case 6:
        case 7: return 3;
        case 2: return 8;
        case 3: return 5;
        case 8: return 6;
        case 9:
        case 10: return 4;
        case 11: return 7;
        default: return fallback;
    }
}

bool MatchReport_AddIncident(const MatchReportFacts& f)
{
    const int32_t sequence = MatchReportState.incidentCount;
    if (sequence >= MATCH_REPORT_INCIDENT_MAX) return false;
    MatchReportIncident& row = MatchReportIncidents[sequence];
    row = {};
    row.word0 = (f.kind & 7u) | (f.firstClub & 0xFFu) << 3 | (f.firstGoals & 0xFu) << 11
                | (f.minute & 0xFFu) << 15 | (sequence & 0xFFu) << 23
                | (f.secondFirst ? 1u : 0u) << 31;
    row.word4 = (f.player & 0xFFFFu) | (f.secondClub & 0xFFu) << 20 | (f.secondGoals & 0xFu) << 28;
    row.competition = static_cast<uint8_t>(f.competition);
    row.firstLegGoals =
        static_cast<uint16_t>((f.firstLegFirst & 0x1F) | (f.firstLegSecond & 0x1F) << 5);
    row.fixtureRow = static_cast<int16_t>(f.fixtureRow);
    MatchReportState.incidentCount = static_cast<int16_t>(sequence + 1);
    return true;
}

void ShootOutList_Reset()
{
    // 0xFFFF is both "empty" (low 15 bits all set) and "-1 ends the list".
    for (ShootOutSlot& slot : ShootOutList) {
        slot.rowWinner = 0xFFFF;
        slot.score = 0;
    }
    s_blocks.shootOutNext = 0;
}

bool ShootOutList_Add(int32_t fixtureRow, bool awayWon, int32_t homeKicks, int32_t awayKicks)
{
    if (s_blocks.shootOutNext >= SHOOT_OUT_SLOT_COUNT) return false;
    ShootOutSlot& slot = ShootOutList[s_blocks.shootOutNext++];
    slot.rowWinner = static_cast<uint16_t>((fixtureRow & 0x7FFF) | (awayWon ? 0x8000 : 0));
    slot.score = static_cast<uint16_t>((homeKicks & 0xFF) | (awayKicks & 0xFF) << 8);
    return true;
}

namespace {

void VisitSideStats(MatchSideStats* s, PersonIdVisit visit, void* context)
{
    VisitPackedPersonId(&s->manOfTheMatch, visit, context);
    for (MatchGoalEntry& goal : s->goals) {
        VisitPackedPersonId(&goal.player, visit, context);
        VisitPackedPersonId(&goal.assist, visit, context);
    }
    for (MatchCardEntry& card : s->cards) {
        VisitPackedPersonId(&card.player, visit, context);
    }
    for (MatchScorerEntry& scorer : s->scorers) {
        VisitPackedPersonId(&scorer.player, visit, context);
    }
}

}  // namespace

void MatchBlocks_VisitPlayers(PersonIdVisit visit, void* context)
{
    for (LastMatchIncident& incident : LastMatchIncidents) {
        VisitPackedPersonId(&incident.person, visit, context);
    }
    for (LastMatchSummaryRow& row : LastMatchSummary) {
        VisitPackedPersonId(&row.manOfTheMatch, visit, context);
    }
    LastMatchCopyRecord& copy = LastMatchCopy;
    for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            VisitPackedPersonId(&copy.sides[side].playerIds[k], visit, context);
        }
        VisitSideStats(&copy.stats[side], visit, context);
    }
    for (int32_t e = 0; e < std::clamp<int32_t>(copy.eventCount, 0, MATCH_EVENT_MAX); ++e) {
        VisitPackedPersonId(&copy.events[e].b, visit, context);
        VisitPackedPersonId(&copy.events[e].c, visit, context);
    }
}

bool MatchBlocks_CheckIncidents(const void* block)
{
    const auto* incidents = static_cast<const LastMatchIncident*>(block);
    for (int32_t k = 0; k < LAST_MATCH_INCIDENT_MAX; ++k) {
        if (!SaveCheck_InRange(incidents[k].person, -1, PERSON_ID_END - 1)) return false;
    }
    return true;
}

bool MatchBlocks_CheckSummary(const void* block)
{
    const auto* rows = static_cast<const LastMatchSummaryRow*>(block);
    for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
        if (!SaveCheck_InRange(rows[side].manOfTheMatch, -1, PERSON_ID_END - 1)) return false;
        if (!SaveCheck_InRange(rows[side].zoneShare, 0, 101)) return false;
    }
    return true;
}

void MatchBlocks_KeepCopy(int32_t fixtureRow)
{
    const MatchDataBlock& d = s_blocks.matchData;
    LastMatchCopyRecord& copy = LastMatchCopy;
    copy.fixtureRow = static_cast<int16_t>(fixtureRow);
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        const MatchSide& side = s_blocks.matchDay.sides[n];
        LastMatchSideCopy& kept = copy.sides[n];
        CopyText(kept.teamName, sizeof kept.teamName, side.teamName);
        kept.kitColour = static_cast<uint8_t>(
            std::clamp<int32_t>(MatchSide_GetKit(side).colours[0][0], 0, KIT_COLOUR_COUNT - 1));
        kept.tactic = TacticIsKnown(side.tactic) ? side.tactic : int16_t{-1};
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            const uint16_t id = GetMatchPlayerEntry(n, k).playerId;
            kept.playerIds[k] = id < PERSON_MAX ? id : uint16_t{0xFFFF};
        }
        copy.stats[n] = d.sides[n];
    }
    copy.eventCount = static_cast<int16_t>(std::clamp<int32_t>(d.eventCount, 0, MATCH_EVENT_MAX));
    for (int32_t e = 0; e < MATCH_EVENT_MAX; ++e) {
        copy.events[e] =
            e < copy.eventCount ? d.events[e] : MatchEventRow{MATCH_EVENT_END, 0, 0, 0, 0, 0};
        copy.events[e].minute = static_cast<int16_t>(
            std::clamp<int32_t>(copy.events[e].minute, 0, LAST_MATCH_MINUTE_MAX));
    }
}

// Exact percentages in 64 bits: the shares of a million the figures were once taken from come
// out 0 for every counter once the counters pass a million.
void MatchData_ZoneShares(const uint32_t counters[3], int32_t shares[3])
{
    const uint64_t sum = uint64_t{counters[0]} + counters[1] + counters[2];
    if (sum == 0) {
        std::fill_n(shares, 3, 0);
        return;
    }
    shares[0] = static_cast<int32_t>(counters[0] * uint64_t{100} / sum);
    shares[2] = static_cast<int32_t>(counters[2] * uint64_t{100} / sum);
    shares[1] = 100 - shares[0] - shares[2];
}

// Exact too: at a match's counts (some 22,000 to 27,000 ticks) a share of a million truncated
// first, 1,000,000 / (h + a) x h / 10,000, loses up to 2.5 points: equal counts read 49 to 51,
// and the side with the ball more often could show the smaller share.
int32_t MatchData_PossessionShare(int32_t home, int32_t away)
{
    if (home < 0 || away < 0 || home + away == 0) return 50;
    return static_cast<int32_t>(int64_t{home} * 100 / (int64_t{home} + away));
}

bool MatchSideStats_IsOwnGoal(const MatchSideStats& scoring, int32_t playerId, int32_t minute)
{
    for (const MatchGoalEntry& goal : scoring.goals) {
        if (goal.player == -1) break;
        if (goal.player == playerId && goal.minute == minute) return goal.kind == MATCH_GOAL_OWN;
    }
    return false;
}

int32_t LastMatchCopy_MinutesPlayed(const LastMatchCopyRecord& copy, int32_t side, int32_t position,
                                    int32_t length)
{
    constexpr uint8_t SUBSTITUTION = 1, SENDING_OFF = 3;
    const int32_t id = copy.sides[side].playerIds[position];
    if (id == 0xFFFF) return 0;
    int32_t on = position < MATCH_STARTERS ? 0 : -1;
    int32_t off = length;
    for (int32_t e = 0; e < copy.eventCount; ++e) {
        const MatchEventRow& row = copy.events[e];
        if (row.a != side) continue;
        if (row.kind == SUBSTITUTION && row.c == id) on = row.minute;
        if ((row.kind == SUBSTITUTION || row.kind == SENDING_OFF) && row.b == id)
            off = std::min<int32_t>(off, row.minute);
    }
    return on < 0 ? 0 : std::max(0, off - on);
}

namespace {

// The last match names the players who left the game since by their former-player ids.
bool IsPersonOrNone(int32_t person) { return SaveCheck_InRange(person, -1, PERSON_ID_END - 1); }

bool SideCopyIsValid(const LastMatchSideCopy& side)
{
    if (std::memchr(side.teamName, '\0', sizeof side.teamName) == nullptr) return false;
    if (side.kitColour >= KIT_COLOUR_COUNT) return false;
    if (side.tactic != -1 && !TacticIsKnown(side.tactic)) return false;
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        if (side.playerIds[k] != 0xFFFF && side.playerIds[k] >= PERSON_ID_END) return false;
    }
    return true;
}

bool StatsAreValid(const MatchSideStats& s)
{
    auto player = [](const auto& entry) { return IsPersonOrNone(entry.player); };
    return IsPersonOrNone(s.manOfTheMatch)
           && std::all_of(std::begin(s.goals), std::end(s.goals), player)
           && std::all_of(std::begin(s.cards), std::end(s.cards), player)
           && std::all_of(std::begin(s.scorers), std::end(s.scorers), player);
}

bool EventIsValid(const MatchEventRow& e)
{
    return e.kind <= LAST_MATCH_EVENT_KIND_MAX && SaveCheck_InRange(e.a, 0, MATCH_SIDE_COUNT - 1)
           && SaveCheck_InRange(e.minute, 0, LAST_MATCH_MINUTE_MAX) && IsPersonOrNone(e.b)
           && IsPersonOrNone(e.c);
}

}  // namespace

bool MatchBlocks_CheckCopy(const void* block)
{
    LastMatchCopyRecord copy;
    std::memcpy(&copy, block, sizeof copy);
    if (!SaveCheck_InRange(copy.fixtureRow, -1, FIXTURE_ROWS - 1)) return false;
    if (!SaveCheck_InRange(copy.eventCount, 0, MATCH_EVENT_MAX)) return false;
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        if (!SideCopyIsValid(copy.sides[n]) || !StatsAreValid(copy.stats[n])) return false;
    }
    return std::all_of(copy.events, copy.events + copy.eventCount, EventIsValid);
}

namespace {

constexpr int32_t kLongestPeriodMinutes = 90;
constexpr int32_t kCrowdFillMax = 3;
constexpr int32_t kPositionCodeMax = 13;
constexpr int32_t kSkinMax = 6;
constexpr int32_t kHairColourMax = 3;

bool Terminated(const char* text, size_t size) { return std::memchr(text, '\0', size) != nullptr; }

// The kit loader indexes its skins and hair colours by these words.
bool EntryIsDrawable(const MatchPlayerEntry& entry)
{
    if (entry.shirt == -1) return true;
    return SaveCheck_InRange(entry.shirt, 1, MATCH_SHIRT_COUNT)
           && entry.positionCode <= kPositionCodeMax && entry.skin <= kSkinMax
           && entry.hairColour <= kHairColourMax;
}

bool SideIsPlayable(const MatchSide& side)
{
    if (!MatchTeam_IsReadable(side.teamName, sizeof side.teamName, side.tactics, side.entries))
        return false;
    if (!TacticIsKnown(side.tactic) || !TacticIsKnown(side.tacticB)) return false;
    return KitDesign_IsValid(MatchSide_GetKit(side));
}

}  // namespace

bool MatchTeam_IsReadable(const char* name, size_t nameBytes, const TacticsRecord* tactics,
                          const MatchPlayerEntry* entries)
{
    if (!Terminated(name, nameBytes)) return false;
    for (int32_t k = 0; k < MATCH_ENTRY_COUNT; ++k) {
        if (!Terminated(entries[k].name, sizeof entries[k].name) || !EntryIsDrawable(entries[k]))
            return false;
    }
    for (int32_t n = 0; n < TACTIC_CUSTOM_COUNT; ++n) {
        if (!TacticsRecord_IsValid(tactics[n])) return false;
    }
    return true;
}

bool MatchDayBlock_Check(const MatchDayBlock& block)
{
    if (!SaveCheck_InRange(block.benchSize, 0, MATCH_BENCH_MAX)
        || !SaveCheck_InRange(block.substitutionsAllowed, 0, MATCH_BENCH_MAX)
        || block.crowdFill > kCrowdFillMax || block.night > 1
        || !SaveCheck_InRange(block.periodMinutes, 1, kLongestPeriodMinutes))
        return false;
    return SideIsPlayable(block.sides[0]) && SideIsPlayable(block.sides[1]);
}
