// game/formerplayers.cpp: the former players' names and the settling of the rows that name them.
#include "game/formerplayers.h"

#include <algorithm>
#include <iterator>

#include "engine/debug.h"
#include "game/fixtures.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "game/textformat.h"
#include "game/transfers.h"

FormerPlayerName FormerPlayers[FORMER_PLAYER_COUNT];

namespace {

struct FormerPlayersState {
    bool freed[2];  // an id of the pool was freed since the last settling
    bool fullWarned;
};

FormerPlayersState s_former;

// Every row of the career's records that names a player.
void VisitEveryRow(PersonIdVisit visit, void* context)
{
    Transfers_VisitPlayers(visit, context);
    Records_VisitClubPlayers(visit, context);
    Fixtures_VisitPlayers(visit, context);
    MatchBlocks_VisitPlayers(visit, context);
}

// One settling: which persons leave their ids, and the former-player id each was given.
struct Settling {
    std::vector<int32_t> replacedAt;  // by person id: index into `replaced`, -1 none
    const std::vector<ReplacedPerson>* replaced;
    std::vector<int16_t> formerOf;  // by person id, 0 none yet
    int32_t nextFree;               // no free name before it
    bool swept;
};

void MarkKept(int16_t* id, void* context)
{
    if (*id >= FORMER_PLAYER_FIRST)
        (*static_cast<std::vector<bool>*>(context))[*id - FORMER_PLAYER_FIRST] = true;
}

// Frees the names no row names any longer: the transfer list drops its oldest rows, the season
// bests and the logs are written over.
void FreeUnnamed()
{
    std::vector<bool> named(FORMER_PLAYER_COUNT);
    VisitEveryRow(MarkKept, &named);
    for (int32_t k = 0; k < FORMER_PLAYER_COUNT; ++k) {
        if (!named[k]) FormerPlayers[k] = {};
    }
}

int32_t FindFreeName(Settling* s)
{
    while (s->nextFree < FORMER_PLAYER_COUNT && FormerPlayers[s->nextFree].kept)
        ++s->nextFree;
    return s->nextFree < FORMER_PLAYER_COUNT ? s->nextFree : -1;
}

// A former-player id kept now for the person's name; -1 when every id names someone, and the row
// keeps the id it names.
int32_t KeepName(Settling* s, const PersonRecord& person)
{
    int32_t slot = FindFreeName(s);
    if (slot < 0 && !s->swept) {
        FreeUnnamed();
        s->swept = true;
        s->nextFree = 0;
        slot = FindFreeName(s);
    }
    if (slot < 0) {
        if (!s_former.fullWarned)
            DebugPrintf(DBG_GENERAL, 1, "FormerPlayers: every former-player id names someone\n");
        s_former.fullWarned = true;
        return -1;
    }
    FormerPlayers[slot] = {person.nameIndex, person.initial, 1};
    return FORMER_PLAYER_FIRST + slot;
}

// The person who leaves the id, null when its holder stays.
const PersonRecord* Leaving(const Settling& s, int32_t id)
{
    if (!s.replacedAt.empty() && s.replacedAt[id] >= 0)
        return &(*s.replaced)[s.replacedAt[id]].before;
    return (DbPersons[id].flags & PERSON_FREE) ? &DbPersons[id] : nullptr;
}

void SettleRow(int16_t* id, void* context)
{
    auto* s = static_cast<Settling*>(context);
    const int32_t person = *id;
    if (person < PERSON_FIRST_ORDINARY || person >= DbPersonCount) return;
    if (s->formerOf[person] == 0) {
        const PersonRecord* leaving = Leaving(*s, person);
        if (leaving == nullptr) return;
        s->formerOf[person] = static_cast<int16_t>(KeepName(s, *leaving));
    }
    if (s->formerOf[person] > 0) *id = s->formerOf[person];
}

void Settle(const std::vector<ReplacedPerson>& replaced)
{
    Settling s{{}, &replaced, std::vector<int16_t>(DbPersonCount), 0, false};
    if (!replaced.empty()) {
        s.replacedAt.assign(DbPersonCount, -1);
        for (size_t k = 0; k < replaced.size(); ++k) {
            if (replaced[k].id >= 0 && replaced[k].id < DbPersonCount)
                s.replacedAt[replaced[k].id] = static_cast<int32_t>(k);
        }
    }
    VisitEveryRow(SettleRow, &s);
    s_former.freed[FORMER_POOL_FULL] = s_former.freed[FORMER_POOL_LIGHT] = false;
}

}  // namespace

void FormerPlayers_Init()
{
    SaveGame_RegisterLateBlock("FORM", FormerPlayers, sizeof FormerPlayers,
                               FormerPlayers_CheckSaved);
    FormerPlayers_ResetCareer();
}

void FormerPlayers_Uninit() { FormerPlayers_ResetCareer(); }

void FormerPlayers_ResetCareer()
{
    std::fill(std::begin(FormerPlayers), std::end(FormerPlayers), FormerPlayerName{});
    s_former = {{true, true}, false};
}

void FormerPlayers_IdFreed(int32_t pool)
{
    s_former.freed[pool == FORMER_POOL_LIGHT ? 1 : 0] = true;
}

void FormerPlayers_Settle(int32_t pool)
{
    if (s_former.freed[pool == FORMER_POOL_LIGHT ? 1 : 0]) Settle({});
}

void FormerPlayers_SettleReplaced(const std::vector<ReplacedPerson>& replaced) { Settle(replaced); }

bool FormerPlayers_Name(int32_t id, int32_t* initial, int32_t* nameIndex)
{
    if (id < FORMER_PLAYER_FIRST || id >= FORMER_PLAYER_FIRST + FORMER_PLAYER_COUNT) return false;
    const FormerPlayerName& f = FormerPlayers[id - FORMER_PLAYER_FIRST];
    if (!f.kept) return false;
    *initial = f.initial;
    *nameIndex = f.nameIndex;
    return true;
}

int32_t FormerPlayers_KeptCount()
{
    return static_cast<int32_t>(
        std::count_if(std::begin(FormerPlayers), std::end(FormerPlayers),
                      [](const FormerPlayerName& f) { return f.kept != 0; }));
}

bool FormerPlayers_CheckSaved(const void* block)
{
    const auto* names = static_cast<const FormerPlayerName*>(block);
    return std::all_of(names, names + FORMER_PLAYER_COUNT, [](const FormerPlayerName& f) {
        return f.kept <= 1 && f.nameIndex < NAMES_ENTRY_COUNT && f.initial <= 26;
    });
}
