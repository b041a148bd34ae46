// game/funcs_clubs.cpp: the query layer's clubs: identity, control, ground, clauses, history and
// reputation order. A small-record club answers from its small record and 0 for the rest.
#include <algorithm>
#include <cstring>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/squad.h"
#include "game/world.h"

namespace {

// One field of a club: `full` reads its record, `small` its small record.
template <typename Full, typename Small>
int32_t Get(int32_t club, const char* field, Full full, Small small)
{
    const ClubRef ref = Club_RefForGet(club, field);
    if (ref.full != nullptr) return full(*ref.full);
    if (ref.small != nullptr) return small(*ref.small);
    return 0;
}

template <typename Full>
int32_t GetFull(int32_t club, const char* field, Full full)
{
    return Get(club, field, full, [](const SmallClubRecord&) { return 0; });
}

ClubRecord* FullForSet(int32_t club, const char* field) { return Club_RefForSet(club, field).full; }

void ClearFlag(int32_t club, const char* field, uint8_t flag)
{
    if (ClubRecord* r = FullForSet(club, field)) r->flags &= static_cast<uint8_t>(~flag);
}

int32_t Capacity(int32_t club, int32_t stand)
{
    return Get(
        club, "Capacity", [stand](const ClubRecord& r) { return int32_t(r.stands[stand]); },
        [stand](const SmallClubRecord& r) {
            return r.stands / 4 + (stand < r.stands % 4 ? 1 : 0);
        });
}

const ClubHistoryRow* HistoryRow(int32_t club, int32_t row)
{
    const ClubRef ref = Club_RefForGet(club, "History");
    if (ref.full == nullptr || row < 0 || row >= 10) return nullptr;
    return &ref.full->history[row];
}

const ClubBestPlayer* SeasonBest(int32_t rank, int32_t season)
{
    const ClubRef ref = Club_RefForGet(GameState.currentClub, "SeasonBest");
    if (ref.full == nullptr || season < 0 || season >= SEASON_BEST_ROWS || rank < 0
        || rank >= SEASON_BEST_PLAYERS)
        return nullptr;
    return &ref.full->seasonBest[season][rank];
}

bool RanksAbove(int32_t a, int32_t b)
{
    if (DbClubs[a].reputation != DbClubs[b].reputation)
        return DbClubs[a].reputation > DbClubs[b].reputation;
    return a < b;
}

const char* NameOfClub(int32_t club)
{
    const int32_t team = VTW_GetTeam(club);
    return team >= 0 && team < TEAM_COUNT ? World.clubs[team].name : "";
}

}  // namespace

int32_t VTW_GetTeam(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "Team");
    if (club == CLUB_ORIGIN || club == CLUB_RELEASED || club == CLUB_NONE) return club;
    if (club >= CLUB_ID_COUNT && club < CLUB_NONE)
        FatalError("VTW_GetTeam(): bad club id %d", club);
    if (ref.full != nullptr) return ref.full->team;
    if (ref.small != nullptr) return ref.small->team;
    return 0;
}

int32_t VTW_GetClubCountry(int32_t club)
{
    return Get(
        club, "Country", [](const ClubRecord& r) { return int32_t(r.country); },
        [](const SmallClubRecord& r) { return int32_t(r.country); });
}

int32_t VTW_GetClubDivision(int32_t club)
{
    return Get(
        club, "Division", [](const ClubRecord& r) { return int32_t(r.division); },
        [](const SmallClubRecord& r) { return int32_t(r.division); });
}

int32_t VTW_GetClubReputation(int32_t club)
{
    return Get(
        club, "Reputation", [](const ClubRecord& r) { return int32_t(r.reputation); },
        [](const SmallClubRecord& r) { return int32_t(r.reputation); });
}

int32_t VTW_GetClubController(int32_t club)
{
    return GetFull(club, "Controller", [](const ClubRecord& r) { return int32_t(r.controller); });
}

void VTW_SetClubControl(int32_t club, int32_t manager)
{
    ClubRecord* record = FullForSet(club, "Control");
    if (record == nullptr) return;
    if (manager != MANAGER_COMPUTER) {
        for (int32_t slot = 0; slot < CLUB_FULL_MAX; ++slot) {
            if (DbClubs[slot].controller == manager) DbClubs[slot].controller = MANAGER_COMPUTER;
        }
    }
    record->controller = static_cast<uint8_t>(std::clamp(manager, 0, 255));
}

int32_t VTW_GetClubOfManager(int32_t manager)
{
    for (int32_t club = 0; club < DbClubCount; ++club) {
        const int32_t slot = clubSlot[club];
        if (slot < CLUB_SLOT_SMALL && DbClubs[slot].controller == manager) return club;
    }
    return -1;
}

int32_t VTW_GetClubManager(int32_t club)
{
    return Get(
        club, "Manager", [](const ClubRecord& r) { return int32_t(r.manager); },
        [](const SmallClubRecord& r) { return int32_t(r.manager); });
}

int32_t Club_GetManager(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "Manager");
    if (ref.small != nullptr) return ref.small->manager;
    if (ref.full == nullptr) return 0;
    if (ref.full->manager >= 0) return ref.full->manager;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if ((DbPlayers[id].flags & PLAYER_MANAGER) && Squad_IsMember(id, club)) return id;
    }
    return PERSON_STAND_IN;
}

int32_t VTW_GetPlayerCaretaker(int32_t club)
{
    return GetFull(club, "Caretaker", [](const ClubRecord& r) { return int32_t(r.caretaker); });
}

ClubRecord* VTW_GetClubRecordPtr(int32_t club) { return Club_RefForGet(club, "RecordPtr").full; }
ClubRecord* Club_GetRecordAddress(int32_t club) { return Club_RefForGet(club, "Record").full; }

const KitDesign* Club_GetKitDesign(int32_t club, int32_t away)
{
    const ClubRef ref = Club_RefForGet(club, "KitDesign");
    const int32_t side = away ? 1 : 0;
    if (ref.full != nullptr) return &ref.full->kits[side];
    if (ref.small != nullptr && ref.small->team < TEAM_COUNT)
        return &World.clubs[ref.small->team].kits[side];
    return nullptr;
}

int32_t VTW_GetClubCapacity1(int32_t club) { return Capacity(club, 0); }
int32_t VTW_GetClubCapacity2(int32_t club) { return Capacity(club, 1); }
int32_t VTW_GetClubCapacity3(int32_t club) { return Capacity(club, 2); }
int32_t VTW_GetClubCapacity4(int32_t club) { return Capacity(club, 3); }

int32_t VTW_GetClubAverageAttendance(int32_t club)
{
    return GetFull(club, "AverageAttendance", [](const ClubRecord& r) {
        return r.attendanceCount > 0 ? r.attendanceSum / r.attendanceCount : 0;
    });
}

int32_t Club_GetAvgAttendance(int32_t club) { return VTW_GetClubAverageAttendance(club); }

int32_t VTW_GetClubTeamwork(int32_t club)
{
    return GetFull(club, "Teamwork", [](const ClubRecord& r) { return int32_t(r.teamwork); });
}

int32_t VTW_GetClubSetPieces1(int32_t club)
{
    return GetFull(club, "Corners", [](const ClubRecord& r) { return int32_t(r.corners); });
}

int32_t VTW_GetClubSetPieces2(int32_t club)
{
    return GetFull(club, "FreeKicks", [](const ClubRecord& r) { return int32_t(r.freeKicks); });
}

int32_t VTW_GetClubSetPieces3(int32_t club)
{
    return GetFull(club, "Penalties", [](const ClubRecord& r) { return int32_t(r.penalties); });
}

int32_t VTW_GetClubContractClause(int32_t club)
{
    return GetFull(club, "ContractClause",
                   [](const ClubRecord& r) { return int32_t(r.contractClause); });
}

int32_t VTW_GetClubTrainingClause(int32_t club)
{
    return GetFull(club, "TrainingClause",
                   [](const ClubRecord& r) { return int32_t(r.trainingClause); });
}

void VTW_SetClubContractClause(int32_t club, int32_t value)
{
    if (ClubRecord* r = FullForSet(club, "ContractClause"))
        r->contractClause = static_cast<uint8_t>(value != 0 ? 1 : 0);
}

void VTW_SetClubTrainingClause(int32_t club, int32_t value)
{
    if (ClubRecord* r = FullForSet(club, "TrainingClause"))
        r->trainingClause = static_cast<uint8_t>(value != 0 ? 1 : 0);
}

void VTW_SetClubStadiumClause(int32_t club, int32_t value)
{
    if (ClubRecord* r = FullForSet(club, "StadiumClause"))
        r->stadiumClause = static_cast<uint8_t>(value != 0 ? 1 : 0);
}

void VTW_SetClubFinancialClause(int32_t club, int32_t value)
{
    if (ClubRecord* r = FullForSet(club, "FinancialClause"))
        r->financialClause = static_cast<uint8_t>(std::clamp(value, 0, 255));
}

void VTW_ClearClubFlag51_6(int32_t club) { ClearFlag(club, "Flag51_6", CLUBFLAG_RELEGATION_BONUS); }
void VTW_ClearClubFlag27_2(int32_t club) { ClearFlag(club, "Flag27_2", CLUBFLAG_BOARD_PRESSURE); }
void VTW_ClearClubFlag82_1(int32_t club) { ClearFlag(club, "Flag82_1", CLUBFLAG_TRANSFER_EMBARGO); }
void VTW_ClearClubFlag3_7(int32_t club) { ClearFlag(club, "Flag3_7", CLUBFLAG_YOUTH_PRIORITY); }

void VTW_ClearClubFlag27_3(int32_t club, int32_t value)
{
    if (ClubRecord* r = FullForSet(club, "Flag27_3")) r->playerManagerClause = value == 1 ? 1 : 0;
}

void VTW_ResetClubFlags(int32_t club)
{
    if (ClubRecord* r = FullForSet(club, "Flags")) r->flags = 0;
}

int32_t VTW_GetClubSeasonDispoints(int32_t club)
{
    return GetFull(club, "SeasonDispoints",
                   [](const ClubRecord& r) { return int32_t(r.seasonDispoints); });
}

int32_t VTW_GetClubHistoryPlace(int32_t club, int32_t row)
{
    const ClubHistoryRow* history = HistoryRow(club, row);
    return history ? history->place : 0;
}

int32_t VTW_GetClubHistoryDword(int32_t club, int32_t row)
{
    const ClubHistoryRow* history = HistoryRow(club, row);
    return history ? static_cast<int32_t>(history->averageAttendance) : 0;
}

int32_t VTW_GetClubSeasonBestPlayer(int32_t rank, int32_t season)
{
    const ClubBestPlayer* best = SeasonBest(rank, season);
    return best ? best->player : -1;
}

int32_t VTW_GetClubSeasonBestValue(int32_t rank, int32_t season)
{
    const ClubBestPlayer* best = SeasonBest(rank, season);
    return best ? best->value : 0;
}

int32_t VTW_GetClubRepRank(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "RepRank");
    if (ref.full == nullptr) return 0;
    const int32_t slot = static_cast<int32_t>(ref.full - DbClubs);
    int32_t rank = 1;
    for (int32_t other = 0; other < DbClubCount && clubSlot[other] < CLUB_SLOT_SMALL; ++other) {
        if (other != slot && RanksAbove(other, slot)) ++rank;
    }
    return rank;
}

int32_t VTW_GetClubReputationPos(int32_t club)
{
    const int32_t rank = VTW_GetClubRepRank(club);
    return rank > 0 ? rank - 1 : -1;
}

void VTW_SortClubsByName(int16_t* clubs, int32_t count, int32_t humanFirst)
{
    const int32_t human = humanFirst ? GameState.humanClub : -1;
    std::stable_sort(clubs, clubs + std::max(0, count), [human](int16_t a, int16_t b) {
        if ((a == human) != (b == human)) return a == human;
        return std::strcmp(NameOfClub(a), NameOfClub(b)) < 0;
    });
}
