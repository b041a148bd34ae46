// game/honours.cpp: the roll of honour, the play-off clubs, the continental qualifiers, the
// national records and the season's best elevens.
#include "game/honours.h"

#include <algorithm>
#include <cstring>

#include "engine/fatal.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/tables.h"
#include "game/world.h"

int16_t HonoursTable[HONOURS_SEASONS][HONOURS_COLUMNS][2];
int16_t PlayOffClubs[DIVISION_MAX][HONOURS_PLAYOFF_CLUBS];
EuroQualifierRecord EuroQualifiers;

namespace {

constexpr int32_t TEXT_CHAMPIONS = 1470;
constexpr int32_t YOUNG_AGE_MAX = 21;
constexpr int32_t OLD_AGE_MIN = 32;

bool ColumnOk(int32_t row, int32_t column)
{
    return row >= 0 && row < HONOURS_SEASONS && column >= 0 && column < HONOURS_COLUMNS;
}

void AddQualifier(int32_t list, int32_t club)
{
    if (club < 0) return;
    for (int32_t l = 0; l < 3; ++l) {
        const int16_t* clubs = l == 0   ? EuroQualifiers.champions
                               : l == 1 ? EuroQualifiers.second
                                        : EuroQualifiers.third;
        for (int32_t k = 0; k < EuroQualifiers.counts[l]; ++k) {
            if (clubs[k] == club) return;
        }
    }
    int8_t& count = EuroQualifiers.counts[list];
    if (count == EURO_QUALIFIERS_MAX) FatalError("GetEuroQualifiers(): too many qualifiers");
    int16_t* clubs = list == 0   ? EuroQualifiers.champions
                     : list == 1 ? EuroQualifiers.second
                                 : EuroQualifiers.third;
    clubs[count++] = static_cast<int16_t>(club);
}

bool IsChampionsQualifier(int32_t club)
{
    for (int32_t k = 0; k < EuroQualifiers.counts[0]; ++k) {
        if (EuroQualifiers.champions[k] == club) return true;
    }
    return false;
}

// The first division in final-table order; at a new game the lists are in reputation order.
void QualifyByPlace()
{
    const WorldCountry& country = World_Country(GameState.country);
    const int32_t places[2] = {country.championsPlaces, country.secondCupPlaces};
    int32_t place = 0;
    for (int32_t list = 0; list < 2; ++list) {
        for (int32_t k = 0; k < places[list]; ++k) {
            AddQualifier(list, VTW_GetDivisionSlot(0, place++));
        }
    }
    const int32_t club = Honours_ClubOfTeam(HonoursTable[0][0][0]);
    const int32_t runnerUp = Honours_ClubOfTeam(HonoursTable[0][0][1]);
    if (club < 0) {
        AddQualifier(2, VTW_GetDivisionSlot(0, place));
    } else {
        AddQualifier(2, IsChampionsQualifier(club) ? runnerUp : club);
    }
}

// Greater is better: the win record compares the margin first, then the goals scored.
int64_t RecordValue(const ClubRecordEntry& entry, int32_t kind)
{
    if (kind == CLUB_REC_WIN) {
        if (entry.value <= entry.value2) return 0;
        return int64_t(entry.value - entry.value2) * 1000 + entry.value;
    }
    return entry.value;
}

int32_t FindRecordClub(int32_t kind)
{
    int32_t best = -1;
    int64_t bestValue = 0;
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        if (VTW_FindDivisionOfTeam(club) < 0) continue;
        const int64_t value = RecordValue(DbClubs[club].records[kind], kind);
        if (value > bestValue) {
            best = club;
            bestValue = value;
        }
    }
    return best;
}

int32_t CareerRecord(int32_t* value, int32_t (*get)(int32_t))
{
    int32_t best = -1;
    int32_t bestValue = 0;
    for (int32_t player = PERSON_FIRST_ORDINARY; player < FullPlayerCount; ++player) {
        if (DbPersons[player].flags & PERSON_FREE) continue;
        const int32_t v = get(player);
        if (v > bestValue) {
            best = player;
            bestValue = v;
        }
    }
    *value = bestValue;
    return best;
}

// The score of a candidate, or false when the player does not qualify for the category.
bool BestElevenScore(int32_t category, int32_t player, int32_t* score)
{
    switch (category) {
        case BEST_PERFORMANCE:
        case BEST_WORST:
            *score = VTW_GetPlayerPerf(player);
            return VTW_IsRegularPlayer(player) == 1;
        case BEST_DISCIPLINE: *score = VTW_GetPlayerDisciplinePoints(player); return *score > 0;
        case BEST_YOUNG:
        case BEST_OLD:
            *score = VTW_GetPlayerPerf(player);
            return *score > 0
                   && (category == BEST_YOUNG ? VTW_GetPlayerAge(player) <= YOUNG_AGE_MAX
                                              : VTW_GetPlayerAge(player) >= OLD_AGE_MIN);
        default: FatalError("VTW_BuildBestEleven(): bad category %d", category);
    }
}

}  // namespace

void Honours_Init()
{
    std::memset(HonoursTable, 0xFF, sizeof HonoursTable);
    std::memset(PlayOffClubs, 0xFF, sizeof PlayOffClubs);
    EuroQualifiers = {};
}

void Honours_Uninit() {}

void Honours_Record(int32_t column, int32_t winnerTeam, int32_t runnerUpTeam)
{
    if (!ColumnOk(0, column)) FatalError("Honours_Record(): bad column %d", column);
    HonoursTable[0][column][0] = static_cast<int16_t>(winnerTeam);
    HonoursTable[0][column][1] = static_cast<int16_t>(runnerUpTeam);
}

void Honours_NewSeason()
{
    std::memmove(HonoursTable[1], HonoursTable[0], sizeof HonoursTable - sizeof HonoursTable[0]);
    std::memset(HonoursTable[0], 0xFF, sizeof HonoursTable[0]);
    std::memset(PlayOffClubs, 0xFF, sizeof PlayOffClubs);
}

int32_t VTW_GetHonoursEntry(int32_t row, int32_t column, int32_t* second)
{
    const bool ok = ColumnOk(row, column);
    if (second != nullptr) *second = ok ? HonoursTable[row][column][1] : -1;
    return ok ? HonoursTable[row][column][0] : -1;
}

int32_t VTW_ClubHoldsHonour(int32_t club, int32_t column, int32_t row)
{
    if (!ColumnOk(row, column) || club < 0 || club >= CLUB_ID_COUNT) return 0;
    return HonoursTable[row][column][0] >= 0 && HonoursTable[row][column][0] == VTW_GetTeam(club)
               ? 1
               : 0;
}

int32_t VTW_GetTitleHolderTextNo(int32_t club)
{
    if (VTW_ClubHoldsHonour(club, HONOURS_DIVISION_FIRST, 1)) return TEXT_CHAMPIONS;
    for (int32_t cup = 0; cup < CUP_COUNT; ++cup) {
        if (VTW_ClubHoldsHonour(club, cup, 1)) return VTW_GetCountryTextNo(cup);
    }
    return -1;
}

int32_t Honours_ClubOfTeam(int32_t team)
{
    if (team < 0) return -1;
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        if (VTW_GetTeam(club) == team) return club;
    }
    return -1;
}

void Honours_SetPlayOffClubs(int32_t division, const int16_t clubs[HONOURS_PLAYOFF_CLUBS])
{
    if (division < 0 || division >= DIVISION_MAX)
        FatalError("Honours_SetPlayOffClubs(): bad division %d", division);
    std::copy(clubs, clubs + HONOURS_PLAYOFF_CLUBS, PlayOffClubs[division]);
}

int32_t VTW_HasDivisionEntry(int32_t division)
{
    return division >= 0 && division < DIVISION_MAX && PlayOffClubs[division][0] >= 0 ? 1 : 0;
}

int32_t VTW_GetDivisionHonourClub(int32_t division, int32_t k)
{
    if (division < 0 || division >= DIVISION_MAX || k < 0 || k >= HONOURS_PLAYOFF_CLUBS) return -1;
    return PlayOffClubs[division][k];
}

int32_t VTW_GetHonourRowCount() { return HONOURS_PLAYOFF_CLUBS; }

void Season_ComputeEuroQualifiers()
{
    EuroQualifiers = {};
    // The country's title holders keep their place in the cup they won; a foreign holder is
    // entered by the schedule.
    for (int32_t list = 0; list < 3; ++list) {
        const int32_t cup = list == 0 ? CUP_CHAMPIONS : list == 1 ? CUP_SECOND : CUP_THIRD;
        const int32_t holder = Honours_ClubOfTeam(HonoursTable[0][cup][0]);
        if (holder >= 0 && VTW_GetClubCountry(holder) == GameState.country)
            AddQualifier(list, holder);
    }
    QualifyByPlace();
    if (VTW_GetCountryCupCount() > 1) AddQualifier(1, Honours_ClubOfTeam(HonoursTable[0][1][0]));
}

void GetEuroQualifiers(int32_t champions[EURO_QUALIFIERS_MAX], int32_t second[EURO_QUALIFIERS_MAX],
                       int32_t* n1, int32_t* n2)
{
    *n1 = EuroQualifiers.counts[0];
    *n2 = EuroQualifiers.counts[1];
    if (*n1 > EURO_QUALIFIERS_MAX || *n2 > EURO_QUALIFIERS_MAX)
        FatalError("GetEuroQualifiers(): too many qualifiers");
    std::copy(EuroQualifiers.champions, EuroQualifiers.champions + *n1, champions);
    std::copy(EuroQualifiers.second, EuroQualifiers.second + *n2, second);
}

int32_t VTW_FindRecordBuyClub() { return FindRecordClub(CLUB_REC_BUY); }
int32_t VTW_FindRecordWinClub() { return FindRecordClub(CLUB_REC_WIN); }
int32_t VTW_FindRecordCrowdClub() { return FindRecordClub(CLUB_REC_CROWD); }
int32_t VTW_FindRecordPointsTotalClub() { return FindRecordClub(CLUB_REC_POINTS_TOTAL); }
int32_t VTW_FindRecordGoalsTotalClub() { return FindRecordClub(CLUB_REC_GOALS_TOTAL); }
int32_t VTW_FindRecordDispointsClub() { return FindRecordClub(CLUB_REC_DISPOINTS); }
int32_t VTW_FindRecordGoalsClub() { return FindRecordClub(CLUB_REC_GOALS); }

int32_t VTW_GetCareerAppsRecord(int32_t* apps)
{
    return CareerRecord(apps, VTW_GetPlayerCareerApps);
}

int32_t VTW_GetCareerGoalsRecord(int32_t* goals)
{
    return CareerRecord(goals, VTW_GetPlayerCareerGoals);
}

void VTW_BuildBestEleven(int32_t category, int32_t division, BestElevenSlot out[11])
{
    constexpr int32_t LINE_FIRST_SLOT[LINE_COUNT] = {0, 1, 5, 9};
    constexpr int32_t LINE_SLOTS[LINE_COUNT] = {1, 4, 4, 2};
    for (int32_t k = 0; k < 11; ++k) {
        out[k] = {-1, 0};
    }
    const bool lowest = category == BEST_WORST;
    for (int32_t player = PERSON_FIRST_ORDINARY; player < FullPlayerCount; ++player) {
        if (DbPersons[player].flags & PERSON_FREE) continue;
        const int32_t loan = VTW_GetPlayerLoanSlot(player);
        const int32_t club = loan >= 0 ? loan : VTW_GetPlayerClub(player);
        if (VTW_GetPlayerPosition(player) == POSITION_MANAGER
            || VTW_FindDivisionOfTeam(club) != division || division < 0)
            continue;
        int32_t score = 0;
        if (!BestElevenScore(category, player, &score)) continue;
        const int32_t line = VTW_GetPositionLine(player);
        BestElevenSlot* slots = out + LINE_FIRST_SLOT[line];
        // Insertion into the line's slots, best first; an equal score keeps the lower id first.
        for (int32_t k = 0; k < LINE_SLOTS[line]; ++k) {
            const bool better =
                slots[k].player < 0 || (lowest ? score < slots[k].score : score > slots[k].score);
            if (!better) continue;
            std::copy_backward(slots + k, slots + LINE_SLOTS[line] - 1, slots + LINE_SLOTS[line]);
            slots[k] = {player, score};
            break;
        }
    }
}

bool Honours_CheckRoll(const void* block)
{
    const auto* entries = static_cast<const int16_t*>(block);
    for (size_t k = 0; k < sizeof HonoursTable / sizeof(int16_t); ++k) {
        if (!SaveCheck_InRange(entries[k], -1, TEAM_COUNT - 1)) return false;
    }
    return true;
}

bool Honours_CheckPlayOffs(const void* block)
{
    const auto* clubs = static_cast<const int16_t*>(block);
    for (size_t k = 0; k < sizeof PlayOffClubs / sizeof(int16_t); ++k) {
        if (!SaveCheck_InRange(clubs[k], -1, CLUB_FULL_MAX - 1)) return false;
    }
    return true;
}

bool Honours_CheckQualifiers(const void* block)
{
    const auto& q = *static_cast<const EuroQualifierRecord*>(block);
    bool valid = true;
    for (int32_t k = 0; k < EURO_QUALIFIERS_MAX; ++k) {
        valid = valid && SaveCheck_InRange(q.champions[k], -1, CLUB_ID_COUNT - 1)
                && SaveCheck_InRange(q.second[k], -1, CLUB_ID_COUNT - 1)
                && SaveCheck_InRange(q.third[k], -1, CLUB_ID_COUNT - 1);
    }
    for (const int8_t count : q.counts) {
        valid = valid && SaveCheck_InRange(count, 0, EURO_QUALIFIERS_MAX);
    }
    return valid;
}

ClubRecordEntry ClubRecord_Dated(int32_t value, int32_t value2, int32_t player, int32_t opponent)
{
    return {value,
            value2,
            static_cast<int16_t>(player),
            static_cast<int16_t>(opponent),
            GameState.dayOfMonth,
            GameState.month,
            static_cast<uint8_t>(GameState.year % 100),
            static_cast<uint8_t>(GameState.seasonCounter)};
}

void ClubRecord_KeepTransfer(int32_t player, int32_t seller, int32_t buyer, int32_t fee, bool loan,
                             int32_t abroadTeam)
{
    if (loan || fee <= 0) return;
    const int32_t abroad = abroadTeam >= 0 && abroadTeam < TEAM_COUNT ? abroadTeam + 1 : 0;
    const auto keep = [&](int32_t club, int32_t kind, int32_t otherClub) {
        ClubRecord* record = club >= 0 ? VTW_GetClubRecordPtr(club) : nullptr;
        if (record != nullptr && fee > record->records[kind].value)
            record->records[kind] =
                ClubRecord_Dated(fee, otherClub == CLUB_ORIGIN ? abroad : 0, player, otherClub);
    };
    keep(buyer, CLUB_REC_BUY, seller);
    keep(seller, CLUB_REC_SALE, buyer);
}

int32_t ClubRecord_TransferTeam(const ClubRecordEntry& entry)
{
    if (entry.opponent == CLUB_ORIGIN)
        return entry.value2 >= 1 && entry.value2 <= TEAM_COUNT ? entry.value2 - 1 : -1;
    if (entry.opponent < 0 || entry.opponent >= CLUB_ID_COUNT) return -1;
    return VTW_GetTeam(entry.opponent);
}

void ClubRecord_KeepScorer(int32_t club)
{
    ClubRecord* record = VTW_GetClubRecordPtr(club);
    if (record == nullptr) return;
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    int32_t best = -1;
    int32_t goals = record->records[CLUB_REC_GOALS].value;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t player = members[k];
        if (player >= FullPlayerCount || VTW_GetPlayerGoals(player) <= goals) continue;
        best = player;
        goals = VTW_GetPlayerGoals(player);
    }
    if (best >= 0) record->records[CLUB_REC_GOALS] = ClubRecord_Dated(goals, 0, best, -1);
}

void ClubRecord_KeepLowCrowd(ClubRecord* record, int32_t attendance, int32_t opponent)
{
    ClubRecordEntry& low = record->records[CLUB_REC_LOW_CROWD];
    if (attendance > 0 && (low.value == 0 || attendance < low.value))
        low = ClubRecord_Dated(attendance, 0, -1, opponent);
}
