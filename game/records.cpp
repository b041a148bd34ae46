// game/records.cpp: the game database's records (clubs, players, persons), the club map and the
// id checks that every accessor goes through.
#include "game/records.h"

#include <algorithm>
#include <cstring>

#include "engine/fatal.h"
#include "game/formerplayers.h"
#include "game/gamestate.h"
#include "game/kitcolours.h"
#include "game/savegame.h"
#include "game/textformat.h"
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

// Members of club c are players[first[c] .. first[c + 1]).
struct MemberIndex {
    bool current;
    int32_t personCount;  // the counts and the season it was built with
    int32_t fullCount;
    int32_t season;
    int32_t first[CLUB_ID_COUNT + 1];
    int16_t players[PERSON_MAX];
    int16_t clubOf[PERSON_MAX];  // each person's club when indexed, -1 none
};

MemberIndex s_members;

bool PersonName(int id, int* initial, int* nameIndex, const char** fullName)
{
    if (FormerPlayers_Name(id, initial, nameIndex)) return true;
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

// The club a person plays for by Squad_IsMember's rule, read straight from the records because
// the whole database is read at once; -1 none.
int32_t PlayingClubOf(int32_t id)
{
    if (Records_PlaysNoFootball(id) || (DbPersons[id].flags & PERSON_RETIRED)) return -1;
    int32_t club = -1;
    if (id < FullPlayerCount) {
        const PlayerRecord& p = DbPlayers[id];
        if (p.position == POSITION_MANAGER) return -1;
        club = (p.flags & PLAYER_ON_LOAN) ? p.loanClub : p.club;
    } else {
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if (p.position == POSITION_MANAGER) return -1;
        club = p.club;
    }
    return club >= 0 && club < CLUB_ID_COUNT ? club : -1;
}

// Two passes, a count and a fill, so that each club's players follow in id order.
void BuildMemberIndex()
{
    MemberIndex& m = s_members;
    int16_t* clubOf = m.clubOf;
    std::memset(m.first, 0, sizeof m.first);
    for (int32_t id = 0; id < DbPersonCount; ++id) {
        clubOf[id] = static_cast<int16_t>(PlayingClubOf(id));
        if (clubOf[id] >= 0) ++m.first[clubOf[id] + 1];
    }
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        m.first[club + 1] += m.first[club];
    }
    int32_t next[CLUB_ID_COUNT];
    std::memcpy(next, m.first, sizeof next);
    for (int32_t id = 0; id < DbPersonCount; ++id) {
        if (clubOf[id] >= 0) m.players[next[clubOf[id]]++] = static_cast<int16_t>(id);
    }
    m.personCount = DbPersonCount;
    m.fullCount = FullPlayerCount;
    m.season = GameState.seasonCounter;
    m.current = true;
}

// Takes `id` out of his club's run of the index, or puts him into it in id order; the runs of
// the clubs after it move by one.
void RemoveMember(int32_t club, int32_t id)
{
    MemberIndex& m = s_members;
    int16_t* run = m.players + m.first[club];
    int16_t* end = m.players + m.first[club + 1];
    int16_t* at = std::lower_bound(run, end, static_cast<int16_t>(id));
    std::memmove(at, at + 1, (m.players + m.first[CLUB_ID_COUNT] - at - 1) * sizeof *at);
    for (int32_t c = club + 1; c <= CLUB_ID_COUNT; ++c) {
        --m.first[c];
    }
}

void InsertMember(int32_t club, int32_t id)
{
    MemberIndex& m = s_members;
    int16_t* run = m.players + m.first[club];
    int16_t* end = m.players + m.first[club + 1];
    int16_t* at = std::lower_bound(run, end, static_cast<int16_t>(id));
    std::memmove(at + 1, at, (m.players + m.first[CLUB_ID_COUNT] - at) * sizeof *at);
    *at = static_cast<int16_t>(id);
    for (int32_t c = club + 1; c <= CLUB_ID_COUNT; ++c) {
        ++m.first[c];
    }
}

bool IsCurrent()
{
    const MemberIndex& m = s_members;
    return m.current && m.personCount == DbPersonCount && m.fullCount == FullPlayerCount
           && m.season == GameState.seasonCounter;
}

bool StillMembers(int32_t club)
{
    for (int32_t k = s_members.first[club]; k < s_members.first[club + 1]; ++k) {
        if (PlayingClubOf(s_members.players[k]) != club) return false;
    }
    return true;
}

ClubRef LookUpClub(int32_t club, const char* verb, const char* field)
{
    if (club < 0) Records_NegativeId(verb, field, "club", club);
    if (club >= DbClubCount || club >= CLUB_ID_COUNT) return {nullptr, nullptr};
    const int32_t slot = clubSlot[club];
    if (slot < CLUB_SLOT_SMALL) return {&DbClubs[slot], nullptr};
    return {nullptr, &DbSmallClubs[slot - CLUB_SLOT_SMALL]};
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
    s_members = {};
    TextMess_SetNameSource(&kNames);
}

void Records_Uninit() { TextMess_SetNameSource(nullptr); }

ClubRef Club_RefForGet(int32_t club, const char* field) { return LookUpClub(club, "get", field); }
ClubRef Club_RefForSet(int32_t club, const char* field) { return LookUpClub(club, "set", field); }

void Records_NegativeId(const char* verb, const char* field, const char* kind, int32_t id)
{
    FatalError("Trying to %s %s of neg %s : '%d'\n", verb, field, kind, id);
}

int32_t Club_GetSlot(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "Slot");
    return ref.full != nullptr ? static_cast<int32_t>(ref.full - DbClubs) : -1;
}

bool Records_PlaysNoFootball(int32_t id)
{
    if (DbPersons[id].flags & PERSON_FREE) return true;
    // Of the two fixed persons only the human plays, and only as his club's player-manager.
    return id < PERSON_FIRST_ORDINARY
           && !(id == PERSON_HUMAN && (DbPlayers[id].flags & PLAYER_MANAGER));
}

int32_t Records_ClubMembers(int32_t club, const int16_t** members)
{
    *members = s_members.players;
    if (club < 0 || club >= CLUB_ID_COUNT) return 0;
    const MemberIndex& m = s_members;
    if (!IsCurrent() || !StillMembers(club)) BuildMemberIndex();
    *members = m.players + m.first[club];
    return m.first[club + 1] - m.first[club];
}

void Records_MembershipChanged() { s_members.current = false; }

void Records_MemberMoved(int32_t id)
{
    MemberIndex& m = s_members;
    if (!IsCurrent() || id < 0 || id >= DbPersonCount) {
        m.current = false;
        return;
    }
    const int32_t from = m.clubOf[id];
    const int32_t to = PlayingClubOf(id);
    if (from == to) return;
    if (from >= 0) RemoveMember(from, id);
    if (to >= 0) InsertMember(to, id);
    m.clubOf[id] = static_cast<int16_t>(to);
}

void Records_VisitClubPlayers(PersonIdVisit visit, void* context)
{
    for (ClubRecord& club : DbClubs) {
        for (ClubRecordEntry& entry : club.records) {
            if (entry.player >= 0) visit(&entry.player, context);
        }
        for (auto& season : club.seasonBest) {
            for (ClubBestPlayer& best : season) {
                if (best.player >= 0) visit(&best.player, context);
            }
        }
        for (auto& pair : club.goals) {
            for (GoalLogEntry& goal : pair) {
                if (goal.player >= 0) visit(&goal.player, context);
            }
        }
    }
}

namespace {

bool IsPersonOrNone(int32_t id) { return SaveCheck_InRange(id, -1, PERSON_MAX - 1); }
// A player a record names: a person, a former player, or none.
bool IsNamedPlayerOrNone(int32_t id) { return SaveCheck_InRange(id, -1, PERSON_ID_END - 1); }

bool NamedPlayersValid(const ClubRecord& c)
{
    const auto named = [](const auto& row) { return IsNamedPlayerOrNone(row.player); };
    if (!std::all_of(std::begin(c.records), std::end(c.records), named)) return false;
    for (const auto& season : c.seasonBest) {
        if (!std::all_of(std::begin(season), std::end(season), named)) return false;
    }
    for (const auto& pair : c.goals) {
        if (!std::all_of(std::begin(pair), std::end(pair), named)) return false;
    }
    return true;
}

// Counts of shots, corners and cards: never below 0.
bool SeasonCountersValid(const ClubRecord& c)
{
    const int16_t* first = &c.seasonCounters[0][0][0];
    return std::all_of(first, first + sizeof c.seasonCounters / sizeof *first,
                       [](int16_t n) { return n >= 0; });
}

}  // namespace

bool KitDesign_IsValid(const KitDesign& kit)
{
    const auto part = [](int16_t design) {
        return SaveCheck_InRange(design, 0, KIT_PART_DESIGNS - 1);
    };
    if (!SaveCheck_InRange(kit.shirtTop, 0, KIT_PATTERNS - 1)
        || !SaveCheck_InRange(kit.shirt, 0, KIT_PATTERNS - 1) || !part(kit.armLeft)
        || !part(kit.armRight) || !part(kit.shorts) || !part(kit.shins))
        return false;
    for (const auto& group : kit.colours) {
        for (const int16_t colour : group) {
            if (!SaveCheck_InRange(colour, 0, KIT_COLOUR_COUNT - 1)) return false;
        }
    }
    return true;
}

bool Records_CheckClubs(const void* block)
{
    const auto* clubs = static_cast<const ClubRecord*>(block);
    for (int32_t k = 0; k < CLUB_FULL_MAX; ++k) {
        const ClubRecord& c = clubs[k];
        if (!SaveCheck_InRange(c.team, -1, TEAM_COUNT - 1) || c.country >= WORLD_COUNTRY_COUNT
            || c.division > DIVISION_OUTSIDE || !IsPersonOrNone(c.manager)
            || !IsPersonOrNone(c.captain) || !IsPersonOrNone(c.freeKickTaker)
            || !IsPersonOrNone(c.cornerTaker) || !IsPersonOrNone(c.penaltyTaker)
            || !KitDesign_IsValid(c.kits[0]) || !KitDesign_IsValid(c.kits[1])
            || !SeasonCountersValid(c) || !NamedPlayersValid(c))
            return false;
    }
    return true;
}

bool Records_CheckSmallClubs(const void* block)
{
    const auto* clubs = static_cast<const SmallClubRecord*>(block);
    for (int32_t k = 0; k < CLUB_SMALL_MAX; ++k) {
        const SmallClubRecord& c = clubs[k];
        if (c.team >= TEAM_COUNT || c.country >= WORLD_COUNTRY_COUNT
            || c.division > DIVISION_OUTSIDE || c.manager >= PERSON_MAX)
            return false;
    }
    return true;
}

bool Records_CheckClubSlots(const void* block)
{
    const auto* slots = static_cast<const uint16_t*>(block);
    for (int32_t k = 0; k < CLUB_ID_COUNT; ++k) {
        if (slots[k] >= CLUB_FULL_MAX
            && !SaveCheck_InRange(slots[k], CLUB_SLOT_SMALL, CLUB_SLOT_SMALL + CLUB_SMALL_MAX - 1))
            return false;
    }
    return true;
}

bool Records_CheckPlayers(const void* block)
{
    const auto* players = static_cast<const PlayerRecord*>(block);
    for (int32_t k = 0; k < PLAYER_FULL_MAX; ++k) {
        const PlayerRecord& p = players[k];
        if (!(SaveCheck_ClubOrWord(p.club) || p.club == -1)
            || !SaveCheck_InRange(p.loanClub, -1, CLUB_ID_COUNT - 1) || p.position >= POSITION_COUNT
            || p.side >= 4 || p.shirt > SHIRT_MAX || p.injuryType >= 16)
            return false;
    }
    return true;
}

bool Records_CheckLightPlayers(const void* block)
{
    const auto* players = static_cast<const LightPlayerRecord*>(block);
    for (int32_t k = 0; k < PERSON_MAX; ++k) {
        const LightPlayerRecord& p = players[k];
        if (!(SaveCheck_ClubOrWord(p.club) || p.club == -1) || p.position >= POSITION_COUNT
            || p.side >= 4 || p.shirt > SHIRT_MAX)
            return false;
    }
    return true;
}

bool Records_CheckPersons(const void* block)
{
    const auto* persons = static_cast<const PersonRecord*>(block);
    for (int32_t k = 0; k < PERSON_MAX; ++k) {
        const PersonRecord& p = persons[k];
        if (p.nameIndex >= NAMES_ENTRY_COUNT || p.initial > 26
            || p.nationality >= NATIONALITY_COUNT)
            return false;
    }
    return true;
}
