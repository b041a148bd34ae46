// game/world.cpp: the fictional football world ("stats\totstat.dat") and the person-name table
// ("stats\names.dat").
#include "game/world.h"

#include <cstring>

#include "engine/blockfile.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/savegame.h"
#include "game/textformat.h"

WorldData World;
WorldClubEntry WorldClubTable[TEAM_COUNT];
char NamesBuffer[NAMES_FILE_BYTES];

namespace {

struct WorldState {
    bool namesLoaded;
};

WorldState s_world;
uint32_t s_generation;  // never reset, so that it differs from every earlier world's
WorldData s_staged;     // a load is checked here before it replaces the world

bool Fail(const char* why)
{
    DebugPrintf(DBG_FILE, 1, "Warning: World_LoadImage(): %s\n", why);
    return false;
}

bool CountryOk(const WorldCountry& c)
{
    if (c.divisionCount < 1 || c.divisionCount > DIVISION_MAX) return false;
    for (int d = 0; d < c.divisionCount; ++d) {
        if (c.divisionSize[d] < 2 || c.divisionSize[d] > 24) return false;
    }
    return true;
}

bool ClubOk(const WorldClub& club, int32_t personCount)
{
    if (club.name[0] == '\0' || club.name[WORLD_CLUB_NAME_BYTES - 1] != '\0') return false;
    if (club.country >= WORLD_COUNTRY_COUNT || club.division > DIVISION_OUTSIDE) return false;
    if (club.reputation > 63 || club.manager >= personCount) return false;
    return KitDesign_IsValid(club.kits[0]) && KitDesign_IsValid(club.kits[1]);
}

bool PersonOk(const WorldPerson& p)
{
    return p.nameIndex < NAMES_ENTRY_COUNT && p.initial <= 26 && p.nationality < NATIONALITY_COUNT
           && p.position < POSITION_COUNT && p.side <= 3 && p.ability <= 100 && p.potential <= 100
           && p.training <= 100 && p.reputation <= 63
           && (p.club == WORLD_NO_CLUB || p.club < TEAM_COUNT);
}

// Copies a block that must hold exactly `size` bytes.
bool Take(const BlockFileView& view, void* destination, size_t size)
{
    if (view.size != size) return false;
    std::memcpy(destination, view.data, size);
    return true;
}

bool CheckStaged()
{
    for (const WorldCountry& c : s_staged.countries) {
        if (!CountryOk(c)) return Fail("a country's divisions are out of range");
    }
    for (const WorldClub& club : s_staged.clubs) {
        if (!ClubOk(club, s_staged.personCount)) return Fail("a club is out of range");
    }
    for (int32_t i = 0; i < s_staged.personCount; ++i) {
        if (!PersonOk(s_staged.persons[i])) return Fail("a person is out of range");
    }
    for (const auto& map : s_staged.clubMaps) {
        for (uint16_t team : map) {
            if (team >= TEAM_COUNT) return Fail("a club map names no club");
        }
    }
    return true;
}

}  // namespace

void World_Init()
{
    World_Uninit();
    std::memset(&World, 0, sizeof World);
    std::memset(WorldClubTable, 0, sizeof WorldClubTable);
    std::memset(NamesBuffer, 0, sizeof NamesBuffer);
    s_world = {};
    ++s_generation;
}

void World_Uninit()
{
    if (s_world.namesLoaded) Names_SetBuffer(nullptr);
    s_world.namesLoaded = false;
    World.loaded = false;
}

void World_Load()
{
    if (World.loaded) return;
    uint8_t* file = nullptr;
    const int32_t size = PakLoadFile(WORLD_FILE_NAME, &file, MEM_TYPE_FILE);
    const bool ok = World_LoadImage(file, static_cast<size_t>(size));
    FreeMemory(&file);
    if (!ok) FatalError("World_Load(): 'stats\\totstat.dat' is damaged");
}

bool World_LoadImage(const void* image, size_t size)
{
    BlockFileView views[] = {{"CTRY", nullptr, 0, true}, {"NATN", nullptr, 0, true},
                             {"WCLB", nullptr, 0, true}, {"WPLY", nullptr, 0, true},
                             {"CMAP", nullptr, 0, true}, {"STFN", nullptr, 0, true},
                             {"STWT", nullptr, 0, true}};
    if (BlockFileViewImage(image, size, WORLD_FILE_TYPE, WORLD_FILE_VERSION, views, 7)
        != BLOCKFILE_OK)
        return Fail("not a world file");
    std::memset(&s_staged, 0, sizeof s_staged);
    const BlockFileView& persons = views[3];
    if (persons.size % sizeof(WorldPerson) != 0
        || persons.size / sizeof(WorldPerson) > WORLD_PERSON_MAX)
        return Fail("the persons block has a wrong size");
    s_staged.personCount = static_cast<int32_t>(persons.size / sizeof(WorldPerson));
    std::memcpy(s_staged.persons, persons.data, persons.size);
    const bool sized = Take(views[0], s_staged.countries, sizeof s_staged.countries)
                       && Take(views[1], s_staged.nationalities, sizeof s_staged.nationalities)
                       && Take(views[2], s_staged.clubs, sizeof s_staged.clubs)
                       && Take(views[4], s_staged.clubMaps, sizeof s_staged.clubMaps)
                       && Take(views[5], s_staged.staffNames, sizeof s_staged.staffNames)
                       && Take(views[6], &s_staged.weights, sizeof s_staged.weights);
    if (!sized) return Fail("a block has a wrong size");
    if (!CheckStaged()) return false;
    s_staged.loaded = true;
    std::memcpy(&World, &s_staged, sizeof World);
    ++s_generation;
    return true;
}

void Names_Load()
{
    if (s_world.namesLoaded) return;
    char* file = nullptr;
    const int32_t size = PakLoadFile("stats\\names.dat", &file, MEM_TYPE_FILE);
    const bool ok = Names_LoadImage(file, static_cast<size_t>(size));
    FreeMemory(&file);
    if (!ok) FatalError("Names_Load(): 'stats\\names.dat' is damaged");
}

bool Names_LoadImage(const void* image, size_t size)
{
    if (size != sizeof NamesBuffer) return false;
    std::memcpy(NamesBuffer, image, size);
    Names_SetBuffer(NamesBuffer);
    s_world.namesLoaded = true;
    return true;
}

bool Names_Loaded() { return s_world.namesLoaded; }

uint32_t World_Generation() { return s_generation; }

const WorldCountry& World_Country(int32_t country)
{
    if (country < 0 || country >= COUNTRY_COUNT)
        FatalError("World_Country(): bad country %d", country);
    return World.countries[country];
}

int32_t PromotionCounts(int32_t country, int32_t division, int32_t which)
{
    if (division < 0 || division >= DIVISION_MAX || which < 0 || which > 2)
        FatalError("PromotionCounts(): bad division %d or count %d", division, which);
    return World_Country(country).promotion[division][which];
}

int32_t CountryRules(int32_t country, int32_t division)
{
    if (division < 0 || division >= DIVISION_MAX)
        FatalError("CountryRules(): bad division %d", division);
    return World_Country(country).substitutes[division];
}

int32_t CupRules(int32_t country, int32_t cup, int32_t round)
{
    if (cup < 0 || cup >= CUP_COUNT || round < 0 || round >= CUP_ROUND_COUNT)
        FatalError("CupRules(): bad cup %d or round %d", cup, round);
    return World_Country(country).cupRules[cup][round];
}

int32_t World_LeagueClubCount(int32_t country)
{
    const WorldCountry& c = World_Country(country);
    int32_t count = 0;
    for (int d = 0; d < c.divisionCount; ++d) {
        count += c.divisionSize[d];
    }
    return count;
}

bool World_CheckClubTable(const void* block)
{
    const auto* entries = static_cast<const WorldClubEntry*>(block);
    for (int32_t team = 0; team < TEAM_COUNT; ++team) {
        if (entries[team].inUse > 1 || entries[team].country >= WORLD_COUNTRY_COUNT) return false;
    }
    return true;
}
