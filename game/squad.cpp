// game/squad.cpp: the squad list of one club at a time, its order, captain and set-piece takers,
// and the counts the squad screens show.
#include "game/squad.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/statmodel.h"

SquadListRecord SquadList;

namespace {

constexpr int32_t SQUAD_BY_LINE = 0;
constexpr int32_t SQUAD_BY_SHIRT = 5;
constexpr int32_t KEEPER_LINE = 0;

int32_t PlayingClub(int32_t player)
{
    if (player < FullPlayerCount) {
        const PlayerRecord& p = DbPlayers[player];
        return (p.flags & PLAYER_ON_LOAN) ? p.loanClub : p.club;
    }
    return DbLightPlayers[player - FullPlayerCount].club;
}

// Every member in id order; returns how many (they may be more than SQUAD_MAX). The member index
// covers the league's clubs; the rare lists of other ids (the unattached, world clubs) are scanned.
int32_t CollectMembers(int32_t club, int16_t* out, int32_t capacity)
{
    if (club >= 0 && club < CLUB_ID_COUNT) {
        const int16_t* members = nullptr;
        const int32_t count = Records_ClubMembers(club, &members);
        std::copy_n(members, std::min(count, capacity), out);
        return count;
    }
    int32_t count = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < DbPersonCount; ++id) {
        if (!Squad_IsMember(id, club)) continue;
        if (count < capacity) out[count] = static_cast<int16_t>(id);
        ++count;
    }
    return count;
}

struct SortKey {
    int32_t first;       // 0 for a player put first
    int32_t shirtOrder;  // shirt 1-32, shirtless after
    int32_t line;
    int32_t ability;
};

SortKey KeyOf(int32_t player, int32_t mode, int32_t lead)
{
    const int32_t shirt = VTW_GetPlayerShirt(player);
    SortKey key{player == lead ? 0 : 1, shirt > 0 ? shirt : SHIRT_MAX + 1,
                VTW_GetPositionLine(player), VTW_GetPlayerAbilityCurve(player)};
    if (mode == SQUAD_BY_LINE) key.shirtOrder = 0;
    return key;
}

void Build(int32_t club, int32_t mode, int32_t lead)
{
    static int16_t members[PERSON_MAX];
    const int32_t count = std::min(CollectMembers(club, members, PERSON_MAX), PERSON_MAX);
    const auto before = [mode, lead](int16_t a, int16_t b) {
        const SortKey x = KeyOf(a, mode, lead);
        const SortKey y = KeyOf(b, mode, lead);
        if (x.first != y.first) return x.first < y.first;
        if (x.shirtOrder != y.shirtOrder) return x.shirtOrder < y.shirtOrder;
        if (x.line != y.line) return x.line < y.line;
        if (x.ability != y.ability) return x.ability > y.ability;
        return a < b;
    };
    std::sort(members, members + count, before);
    SquadList = {};
    std::fill(std::begin(SquadList.players), std::end(SquadList.players), -1);
    SquadList.count = static_cast<int16_t>(std::min(count, SQUAD_MAX));
    std::copy(members, members + SquadList.count, SquadList.players);
    SquadList.club = static_cast<int16_t>(club);
    const ClubRecord* record = Club_GetRecordAddress(club);
    SquadList.captain = record ? record->captain : -1;
    SquadList.freeKickTaker = record ? record->freeKickTaker : -1;
    SquadList.cornerTaker = record ? record->cornerTaker : -1;
    SquadList.penaltyTaker = record ? record->penaltyTaker : -1;
}

ClubRecord* RecordForSet(int32_t club, const char* field)
{
    return Club_RefForSet(club, field).full;
}

bool InList(int32_t player)
{
    return player >= 0
           && std::find(SquadList.players, SquadList.players + SquadList.count, player)
                  != SquadList.players + SquadList.count;
}

// The squad member with the highest score, -1 for an empty squad; ties go to the list order.
template <typename Score>
int32_t BestOfSquad(Score score)
{
    int32_t best = -1;
    int32_t bestScore = -1;
    for (int32_t k = 0; k < SquadList.count; ++k) {
        const int32_t s = score(SquadList.players[k]);
        if (s > bestScore) {
            best = SquadList.players[k];
            bestScore = s;
        }
    }
    return best;
}

int32_t SetPieceScore(int32_t player) { return VTW_GetAbilityStat(player, STAT_SET_PIECES); }

int32_t LeadershipScore(int32_t player)
{
    const int32_t experience = player < FullPlayerCount ? DbPlayers[player].experience : 0;
    return VTW_GetPersonalityStat(player, STAT_CHARISMA) * 2 + experience;
}

void FillTaker(int16_t* word, int32_t player)
{
    if (!InList(*word)) *word = static_cast<int16_t>(player);
}

bool IsStarter(int32_t player)
{
    const int32_t shirt = VTW_GetPlayerShirt(player);
    return shirt >= 1 && shirt <= MATCH_STARTERS;
}

// A human's captain comes from his eleven: without one there the match does not start.
int32_t StarterLeadershipScore(int32_t player)
{
    return IsStarter(player) ? LeadershipScore(player) : -1;
}

// The next of the list, in its order, for an empty shirt: a substitute or a player without a
// match shirt for one of the eleven, a player beyond the bench for a substitute's shirt; a
// goalkeeper for shirt 1 and an outfield player for the others while there is one. -1 none.
int32_t NextForShirt(int32_t shirt)
{
    const int32_t lastKept = shirt <= MATCH_STARTERS ? MATCH_STARTERS : MATCH_SHIRT_COUNT;
    const bool keeper = shirt == 1;
    int32_t first = -1;
    for (int32_t k = 0; k < SquadList.count; ++k) {
        const int32_t player = SquadList.players[k];
        const int32_t worn = VTW_GetPlayerShirt(player);
        if (worn >= 1 && worn <= lastKept) continue;
        if (shirt > MATCH_STARTERS || (VTW_GetPositionLine(player) == KEEPER_LINE) == keeper)
            return player;
        if (first < 0) first = player;
    }
    return first;
}

// The human's screens only exchange shirts, never hand an empty one out, so a shirt that a
// player took with him when he left would stay empty for good and the team could not be
// fielded: the next of the squad moves up into it, as a computer club's whole team is picked
// again before each match. True when a shirt changed hands.
bool FillLeftShirts()
{
    bool moved = false;
    for (int32_t shirt = 1; shirt <= MATCH_SHIRT_COUNT; ++shirt) {
        if (VTW_GetPlayerByShirt(shirt) >= 0) continue;
        const int32_t next = NextForShirt(shirt);
        if (next < 0) break;  // whoever is left wears a match shirt already
        VTW_SetPlayerShirt(next, shirt);
        moved = true;
    }
    return moved;
}

}  // namespace

void Squad_Init()
{
    SquadList = {};
    std::fill(std::begin(SquadList.players), std::end(SquadList.players), -1);
    SquadList.club = SquadList.captain = -1;
    SquadList.freeKickTaker = SquadList.cornerTaker = SquadList.penaltyTaker = -1;
}

void Squad_Uninit() {}

bool Squad_IsMember(int32_t player, int32_t club)
{
    if (player < 0 || player >= DbPersonCount || club < 0) return false;
    if (Records_PlaysNoFootball(player) || (DbPersons[player].flags & PERSON_RETIRED)) return false;
    if (VTW_GetPlayerPosition(player) == POSITION_MANAGER) return false;
    return PlayingClub(player) == club;
}

int32_t VTW_RefreshSquadCount(int32_t club)
{
    Club_RefForGet(club, "Squad");
    Build(club, SQUAD_BY_SHIRT, -1);
    return SquadList.count;
}

int32_t VTW_GetClubSquadCount(int32_t club)
{
    Club_RefForGet(club, "SquadCount");
    return std::min(CollectMembers(club, nullptr, 0), SQUAD_MAX);
}

int32_t VTW_GetSquadSize() { return SquadList.count; }

int32_t VTW_GetSquadPlayer(int32_t index)
{
    if (index < 0 || index >= SquadList.count) return -1;
    return SquadList.players[index];
}

int32_t VTW_GetPlayerByShirt(int32_t shirt)
{
    if (shirt < 1 || shirt > SHIRT_MAX) return -1;
    for (int32_t k = 0; k < SquadList.count; ++k) {
        if (VTW_GetPlayerShirt(SquadList.players[k]) == shirt) return SquadList.players[k];
    }
    return -1;
}

int32_t VTW_GetPlayerShirt2(int32_t shirt) { return VTW_GetPlayerByShirt(shirt); }

int32_t VTW_RebuildSquad(int32_t club, int32_t mode, int32_t player)
{
    Club_RefForGet(club, "Squad");
    if (mode != SQUAD_BY_LINE && mode != SQUAD_BY_SHIRT)
        FatalError("VTW_RebuildSquad(): unknown squad mode %d", mode);
    const bool lead = player != 0 && Squad_IsMember(player, club);
    Build(club, mode, lead ? player : -1);
    return SquadList.count;
}

int32_t VTW_BuildOriginSquad(int32_t club)
{
    const int32_t team = VTW_GetTeam(club);
    Squad_Init();
    SquadList.club = CLUB_ORIGIN;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < DbPersonCount && SquadList.count < SQUAD_MAX;
         ++id) {
        if (VTW_GetPlayerClub(id) == CLUB_ORIGIN && VTW_GetPlayerOriginWord(id) == team
            && VTW_GetPlayerPosition(id) != POSITION_MANAGER)
            SquadList.players[SquadList.count++] = static_cast<int16_t>(id);
    }
    return SquadList.count;
}

void VTW_ClearSquadCaptains(int32_t club, int32_t clearClubWord)
{
    ClubRecord* record = RecordForSet(club, "Captains");
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    for (int32_t k = 0; k < count; ++k) {
        if (members[k] < FullPlayerCount) DbPlayers[members[k]].flags &= ~PLAYER_CAPTAIN;
    }
    if (record != nullptr && clearClubWord == 1) record->captain = -1;
    if (SquadList.club == club && clearClubWord == 1) SquadList.captain = -1;
}

void VTW_SetClubCaptain(int32_t player)
{
    const PlayerRef ref = Player_RefForSet(player, "Captain");
    if (ref.full == nullptr) return;
    const int32_t club = PlayingClub(player);
    ref.full->flags |= PLAYER_CAPTAIN;
    ClubRecord* record = club < CLUB_ID_COUNT ? RecordForSet(club, "Captain") : nullptr;
    if (record != nullptr) record->captain = static_cast<int16_t>(player);
    if (SquadList.club == club) SquadList.captain = static_cast<int16_t>(player);
}

int32_t VTW_CountTeamCaptains(int32_t club)
{
    Club_RefForGet(club, "Captains");
    int32_t count = 0;
    for (int32_t id = PERSON_HUMAN; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (Squad_IsMember(id, club) && p.shirt >= 1 && p.shirt <= 11 && (p.flags & PLAYER_CAPTAIN))
            ++count;
    }
    return count;
}

void VTW_SetClubFreeKickTaker(int32_t club, int32_t player)
{
    if (ClubRecord* r = RecordForSet(club, "FreeKickTaker"))
        r->freeKickTaker = static_cast<int16_t>(player);
}

void VTW_SetClubCornerTaker(int32_t club, int32_t player)
{
    if (ClubRecord* r = RecordForSet(club, "CornerTaker"))
        r->cornerTaker = static_cast<int16_t>(player);
}

void VTW_SetClubPenaltyTaker(int32_t club, int32_t player)
{
    if (ClubRecord* r = RecordForSet(club, "PenaltyTaker"))
        r->penaltyTaker = static_cast<int16_t>(player);
}

void Squad_ExchangeShirts(int32_t club, int32_t a, int32_t b)
{
    constexpr int32_t shirtOne = 1;
    const int32_t shirtA = VTW_GetPlayerShirt(a);
    const int32_t shirtB = VTW_GetPlayerShirt(b);
    const int32_t newOne = shirtB == shirtOne ? a : shirtA == shirtOne ? b : -1;
    if (ClubRecord* r = newOne >= 0 ? RecordForSet(club, "ExchangeShirts") : nullptr) {
        const int16_t other = static_cast<int16_t>(newOne == a ? b : a);
        for (int16_t* taker : {&r->freeKickTaker, &r->cornerTaker, &r->penaltyTaker}) {
            if (*taker == newOne) *taker = other;
        }
    }
    VTW_SetPlayerShirt(a, shirtB);
    VTW_SetPlayerShirt(b, shirtA);
}

void VTW_CountClubSquadLines(int32_t club, int32_t out[16])
{
    std::fill(out, out + 16, 0);
    VTW_RefreshSquadCount(club);
    for (int32_t k = 0; k < SquadList.count; ++k) {
        const int32_t p = SquadList.players[k];
        const int32_t line = VTW_GetPositionLine(p);
        ++out[line];
        if (VTW_GetPlayerOnLoan(p)) ++out[8 + line];
        if (VTW_GetPlayerTxList(p)) ++out[12 + line];
    }
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (p.club == club && (p.flags & PLAYER_ON_LOAN) && p.loanClub != club
            && p.position != POSITION_MANAGER)
            ++out[4 + VTW_GetPositionLine(id)];
    }
}

void VTW_CountSquadAvailability(int32_t club, int32_t out[16])
{
    std::fill(out, out + 16, 0);
    VTW_RefreshSquadCount(club);
    for (int32_t k = 0; k < SquadList.count; ++k) {
        const int32_t p = SquadList.players[k];
        int32_t* row = out + 4 * VTW_GetPositionLine(p);
        ++row[0];
        if (Player_GetSuspension(p) > 0) ++row[1];
        if (VTW_GetPlayerInFlag(p)) ++row[2];
    }
}

void VTW_UpdateTeam(int32_t club)
{
    ClubRecord* record = RecordForSet(club, "Team");
    VTW_RefreshSquadCount(club);
    if (record == nullptr) return;
    const bool human = VTW_GetClubController(club) == MANAGER_HUMAN;
    if (human && FillLeftShirts()) VTW_RefreshSquadCount(club);
    for (int32_t k = 0; k < SquadList.count; ++k) {
        record->wageLimit = std::max(record->wageLimit, VTW_GetPlayerWage(SquadList.players[k]));
    }
    record->wageLimit = (record->wageLimit + 24) / 25 * 25;
    const int32_t kicker = BestOfSquad(SetPieceScore);
    FillTaker(&record->freeKickTaker, kicker);
    FillTaker(&record->cornerTaker, kicker);
    FillTaker(&record->penaltyTaker, kicker);
    if (!InList(record->captain)) {
        VTW_ClearSquadCaptains(club, 1);
        const int32_t captain = BestOfSquad(human ? StarterLeadershipScore : LeadershipScore);
        if (captain >= 0) VTW_SetClubCaptain(captain);
    }
    SquadList.captain = record->captain;
    SquadList.freeKickTaker = record->freeKickTaker;
    SquadList.cornerTaker = record->cornerTaker;
    SquadList.penaltyTaker = record->penaltyTaker;
}

void VTW_FillSquadTable(int32_t club, int32_t n) { GameHooks.FillSquadTable(club, n); }
