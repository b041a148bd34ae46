// game/matchblocks.cpp: the blocks a fixture is played through and the reports the screens read
// afterwards.
#include "game/matchblocks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/statmodel.h"

LastMatchIncident LastMatchIncidents[LAST_MATCH_INCIDENT_MAX];
LastMatchSummaryRow LastMatchSummary[MATCH_SIDE_COUNT];
int16_t ReportFixture;
MatchReportIncident MatchReportIncidents[MATCH_REPORT_INCIDENT_MAX];
MatchReportStateRecord MatchReportState;
ShootOutSlot ShootOutList[SHOOT_OUT_SLOT_COUNT];
FixedScoreRecord FixedScore;
uint16_t ChosenViewMode;
uint32_t AutoRunMode;
ExportedTeamBlock FriendlyTeamBlocks[2];

namespace {

struct MatchBlocksState {
    MatchDayBlock matchDay;
    MatchDataBlock matchData;
    int32_t shootOutNext;
    bool builtInRead[TACTIC_BUILTIN_COUNT];
    TacticsRecord builtIn[TACTIC_BUILTIN_COUNT];
};

MatchBlocksState s_blocks;

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

constexpr std::array<FieldPlace, PMR_FIELD_COUNT> kFieldPlaces = MakeFieldPlaces();

const FieldPlace& PlaceOf(int32_t field, const char* caller)
{
    if (field < 0 || field >= PMR_FIELD_COUNT) FatalError("%s(): bad field %d", caller, field);
    return kFieldPlaces[field];
}

uint32_t ReadBytes(const uint8_t* at, int32_t size)
{
    uint32_t value = 0;
    std::memcpy(&value, at, size);
    return value;
}

void WriteBytes(uint8_t* at, int32_t size, uint32_t value) { std::memcpy(at, &value, size); }

int32_t BitFieldSize(FieldKind kind) { return kind == FIELD_BITS8 ? 1 : 4; }

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
    ReportFixture = -1;
    for (MatchReportIncident& row : MatchReportIncidents) {
        row = {};
    }
    MatchReportState = {};
}

void CopyText(char* dest, size_t size, const char* text) { std::snprintf(dest, size, "%s", text); }

}  // namespace

void MatchBlocks_Init()
{
    s_blocks = {};
    MatchDay_ClearBlock();
    ClearReports();
    ShootOutList_Reset();
    FixedScore = {};
    ChosenViewMode = VIEW_TEXT;
    AutoRunMode = 0;
    for (ExportedTeamBlock& block : FriendlyTeamBlocks) {
        block = {};
    }
    SaveGame_RegisterBlock("LMIN", LastMatchIncidents, sizeof LastMatchIncidents,
                           MatchBlocks_CheckIncidents);
    SaveGame_RegisterBlock("LMSU", LastMatchSummary, sizeof LastMatchSummary,
                           MatchBlocks_CheckSummary);
    std::fill(std::begin(PlayerSeasonBookings), std::end(PlayerSeasonBookings), 0);
    SaveGame_RegisterBlock("BOOK", PlayerSeasonBookings, sizeof PlayerSeasonBookings);
}

void MatchBlocks_Uninit() {}

MatchDayBlock* GetMatchSidesBlock() { return &s_blocks.matchDay; }
MatchDataBlock* GetMatchDataBlock() { return &s_blocks.matchData; }

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

void MatchEntry_Fill(MatchPlayerEntry* entry, int32_t person, int32_t shirt)
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
    for (int32_t shirt = 1; shirt <= MATCH_SHIRT_COUNT; ++shirt) {
        MatchPlayerEntry* entry = &entries[shirt - 1];
        if (byShirt[shirt] < 0) {
            MatchEntry_Clear(entry);
        } else {
            MatchEntry_Fill(entry, byShirt[shirt], shirt);
        }
    }
    MatchEntry_Fill(&entries[MATCH_MANAGER_ENTRY], Club_GetManager(club), -1);
}

int32_t PlayerMatchRecord_Get(const PlayerMatchRecord& record, int32_t field)
{
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

void PlayerMatchRecord_Set(PlayerMatchRecord* record, int32_t field, int32_t value)
{
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
                | (f.minute & 0xFFu) << 15 | (sequence & 0xFFu) << 23;
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

bool MatchBlocks_CheckIncidents(const void* block)
{
    const auto* incidents = static_cast<const LastMatchIncident*>(block);
    for (int32_t k = 0; k < LAST_MATCH_INCIDENT_MAX; ++k) {
        if (!SaveCheck_InRange(incidents[k].person, -1, PERSON_MAX - 1)) return false;
    }
    return true;
}

bool MatchBlocks_CheckSummary(const void* block)
{
    const auto* rows = static_cast<const LastMatchSummaryRow*>(block);
    for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
        if (!SaveCheck_InRange(rows[side].manOfTheMatch, -1, PERSON_MAX - 1)) return false;
    }
    return true;
}
