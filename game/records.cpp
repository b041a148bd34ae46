// game/records.cpp: the game database's records (clubs, players, persons), the club map and the
// id checks that every accessor goes through.
#include "game/records.h"

#include <cstring>

#include "engine/fatal.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "game/world.h"

ClubRecord DbClubs[CLUB_FULL_MAX];
SmallClubRecord DbSmallClubs[CLUB_SMALL_MAX];
PersonRecord DbPersons[PERSON_MAX];
PlayerRecord DbPlayers[PLAYER_FULL_MAX];
LightPlayerRecord DbLightPlayers[PERSON_MAX];
uint16_t clubSlot[CLUB_ID_COUNT];
int32_t FullPlayerCount;
int32_t DbPersonCount;
int32_t DbClubCount;
int64_t DbOutsideBalance;

namespace {

bool PersonName(int id, int* initial, int* nameIndex, const char** fullName)
{
    if (id < 0 || id >= DbPersonCount) return false;
    if (id == PERSON_HUMAN) {
        *fullName = GameState.managerName;
        return true;
    }
    *initial = DbPersons[id].initial;
    *nameIndex = DbPersons[id].nameIndex;
    return true;
}

const char* ClubName(int team)
{
    if (!World.loaded || team < 0 || team >= TEAM_COUNT) return "";
    return World.clubs[team].name;
}

constexpr NameSource kNames = {PersonName, ClubName};

[[noreturn]] void NegativeId(const char* verb, const char* field, const char* kind, int32_t id)
{
    FatalError("Trying to %s %s of neg %s : '%d'\n", verb, field, kind, id);
}

ClubRef LookUpClub(int32_t club, const char* verb, const char* field)
{
    if (club < 0) NegativeId(verb, field, "club", club);
    if (club >= DbClubCount || club >= CLUB_ID_COUNT) return {nullptr, nullptr};
    const int32_t slot = clubSlot[club];
    if (slot < CLUB_SLOT_SMALL) return {&DbClubs[slot], nullptr};
    return {nullptr, &DbSmallClubs[slot - CLUB_SLOT_SMALL]};
}

PlayerRef LookUpPlayer(int32_t player, const char* verb, const char* field)
{
    if (player < 0) NegativeId(verb, field, "player", player);
    if (player >= DbPersonCount) return {nullptr, nullptr, nullptr};
    if (player < FullPlayerCount) return {&DbPersons[player], &DbPlayers[player], nullptr};
    return {&DbPersons[player], nullptr, &DbLightPlayers[player - FullPlayerCount]};
}

}  // namespace

void Records_Init()
{
    std::memset(DbClubs, 0, sizeof DbClubs);
    std::memset(DbSmallClubs, 0, sizeof DbSmallClubs);
    std::memset(DbPersons, 0, sizeof DbPersons);
    std::memset(DbPlayers, 0, sizeof DbPlayers);
    std::memset(DbLightPlayers, 0, sizeof DbLightPlayers);
    std::memset(clubSlot, 0, sizeof clubSlot);
    FullPlayerCount = 0;
    DbPersonCount = 0;
    DbClubCount = 0;
    DbOutsideBalance = 0;
    TextMess_SetNameSource(&kNames);
}

void Records_Uninit() { TextMess_SetNameSource(nullptr); }

ClubRef Club_RefForGet(int32_t club, const char* field) { return LookUpClub(club, "get", field); }
ClubRef Club_RefForSet(int32_t club, const char* field) { return LookUpClub(club, "set", field); }

PlayerRef Player_RefForGet(int32_t player, const char* field)
{
    return LookUpPlayer(player, "get", field);
}

PlayerRef Player_RefForSet(int32_t player, const char* field)
{
    return LookUpPlayer(player, "set", field);
}

int32_t Club_GetSlot(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "Slot");
    return ref.full != nullptr ? static_cast<int32_t>(ref.full - DbClubs) : -1;
}
