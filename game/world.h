// game/world.h: the fictional football world ("stats\totstat.dat"): countries and their rules,
// nationalities, the 1,046 world clubs, their persons and the club map of every country; and
// the person-name table ("stats\names.dat").
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"
#include "game/records.h"

constexpr char WORLD_FILE_NAME[] = "stats\\totstat.dat";
constexpr char WORLD_FILE_TYPE[] = "TOT0";
constexpr uint32_t WORLD_FILE_VERSION = 1;
constexpr int32_t WORLD_PERSON_MAX = 23000;
constexpr int32_t WORLD_STAFF_NAMES = 200;
constexpr int32_t WORLD_CLUB_NAME_BYTES = 40;  // at most 39 characters, NUL-padded
constexpr uint16_t WORLD_NO_CLUB = 0xFFFF;
constexpr int32_t STAT_WEIGHTED = 15;  // stats 0-14 come from the weight tables
// A young player's potential: his club's level give or take 8, for the first world's young as for
// every season's youths, so that the world's players grow no further in its first seasons than
// in any later ones.
constexpr int32_t YOUTH_POTENTIAL_SPREAD = 17;

#pragma pack(push, 1)

// "CTRY": one per country 0-8.
struct alignas(4) WorldCountry {
    uint16_t nameText;  // 2310 + c
    uint8_t divisionCount;
    uint8_t nationalCups;
    uint8_t superCup;  // competition 4 is played
    uint8_t championsPlaces;
    uint8_t secondCupPlaces;
    uint8_t closingWeekday;
    uint8_t divisionSize[DIVISION_MAX];
    uint8_t cup6GroupRounds;
    uint8_t offered;  // on the title screen
    uint16_t divisionText[DIVISION_MAX];
    int16_t promotion[DIVISION_MAX][3];  // PromotionCounts: promotion, relegation, extra
    int16_t substitutes[DIVISION_MAX];   // CountryRules
    int16_t bench[DIVISION_MAX];
    uint8_t cupRules[CUP_COUNT][CUP_ROUND_COUNT];  // 2 = two-legged
    uint16_t worldWageScale[DIVISION_MAX];         // per mille of the ability: what the clubs pay
    uint16_t baseAttendance[DIVISION_MAX];
    uint16_t ticketPrice[DIVISION_MAX];
};

// "NATN": one per nationality 0-95.
struct alignas(4) WorldNationality {
    uint8_t country;  // 0-18, 255 none
    uint8_t european;
    uint16_t nameText;  // 2310 + k
};

// "WCLB": one per team number 0-1045.
struct alignas(4) WorldClub {
    char name[WORLD_CLUB_NAME_BYTES];  // code page 1252
    KitDesign kits[2];                 // home, away
    uint16_t manager;                  // index into WPLY
    uint8_t country;                   // 0-18
    uint8_t division;                  // 0-5, 6 outside
    uint8_t reputation;                // 0-63
    uint8_t stands[4];                 // thousands
    uint8_t mapX;
    uint8_t mapY;
    uint8_t spare;
};

// "WPLY": one per person of the world, grouped by club.
struct alignas(4) WorldPerson {
    uint16_t nameIndex;
    uint16_t bits;
    uint16_t seed;
    uint16_t club;  // team number, WORLD_NO_CLUB free
    int32_t wage;
    uint8_t initial;
    uint8_t nationality;
    uint8_t birthYear;  // - 1950
    uint8_t position;   // 13 manager
    uint8_t side;
    uint8_t ability;
    uint8_t potential;
    uint8_t training;
    uint8_t contractMonths;
    uint8_t reputation;
    uint8_t formation;  // managers
    uint8_t variant;
};

// "STFN": the names that staff candidates are given.
struct alignas(4) WorldStaffName {
    uint16_t nameIndex;
    uint8_t initial;
    uint8_t nationality;
};

// "STWT": the stat model's position weights, percent.
struct WorldStatWeights {
    uint8_t ability[POSITION_COUNT][STAT_WEIGHTED];   // w: weight of A
    uint8_t training[POSITION_COUNT][STAT_WEIGHTED];  // tw: weight of T
};

#pragma pack(pop)

static_assert(sizeof(WorldCountry) == 180 && offsetof(WorldCountry, cupRules) == 88);
static_assert(sizeof(WorldNationality) == 4);
static_assert(sizeof(WorldClub) == 148 && offsetof(WorldClub, manager) == 136);
static_assert(sizeof(WorldPerson) == 24 && offsetof(WorldPerson, initial) == 12);
static_assert(sizeof(WorldStaffName) == 4);
static_assert(std::is_trivially_copyable_v<WorldClub> && std::is_trivially_copyable_v<WorldPerson>);

// The loaded world, owned by World: read it here.
struct WorldData {
    bool loaded;
    WorldCountry countries[COUNTRY_COUNT];
    WorldNationality nationalities[NATIONALITY_COUNT];
    WorldClub clubs[TEAM_COUNT];
    WorldPerson persons[WORLD_PERSON_MAX];
    int32_t personCount;
    uint16_t clubMaps[COUNTRY_COUNT][CLUB_ID_COUNT];  // team numbers by club id
    WorldStaffName staffNames[WORLD_STAFF_NAMES];
    WorldStatWeights weights;
};
extern WorldData World;

// WorldClubTable: per team number {in use in this career, country}; NewGame fills it.
struct WorldClubEntry {
    uint8_t inUse;
    uint8_t country;
};
extern WorldClubEntry WorldClubTable[TEAM_COUNT];
bool World_CheckClubTable(const void* block);  // the saved block's range check (SaveGameCheck)

// The 340,000 bytes of "stats\names.dat".
extern char NamesBuffer[];

void World_Init();    // forgets the world and the names
void World_Uninit();  // safe without Init and twice

// A number that changes whenever the world is forgotten or another is loaded, so that what is
// worked out from it can tell when it is stale.
uint32_t World_Generation();

// Reads "stats\totstat.dat" from the paks once; a damaged file is fatal (installed data).
void World_Load();
// Takes the world from a "TOT0" image (copied); false, after a log line, when a block is missing,
// has a wrong size or holds a value out of range. A failed load keeps the previous world.
bool World_LoadImage(const void* image, size_t size);

// Reads "stats\names.dat" once and registers it with the name formatting.
void Names_Load();
bool Names_LoadImage(const void* image, size_t size);  // false when the size is wrong
bool Names_Loaded();

// The tables of the selected country that the rules read; a country outside 0-8 or a division
// outside 0-5 is fatal.
const WorldCountry& World_Country(int32_t country);
int32_t PromotionCounts(int32_t country, int32_t division, int32_t which);  // which 0-2
int32_t CountryRules(int32_t country, int32_t division);                    // substitutes allowed
int32_t CupRules(int32_t country, int32_t cup, int32_t round);              // 2 two-legged
int32_t World_LeagueClubCount(int32_t country);  // clubs in the country's divisions
