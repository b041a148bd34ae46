// game/newgame.cpp: a career's database built from the world for the selected country, and the
// database's start-up.
#include <algorithm>
#include <array>
#include <cstring>

#include "engine/fatal.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "game/careerstate.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/playerhistory.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/world.h"

namespace {

constexpr int32_t SQUAD_MIN = 20;
constexpr int32_t STAFF_ALWAYS = STAFF_PHYSIO + 1;  // roles 0-5 are always filled
constexpr int32_t NO_ID = -1;

struct NewGameState {
    int32_t country;
    int32_t leagueClubs;             // ids 0 .. leagueClubs - 1 have full records
    int16_t clubOfTeam[TEAM_COUNT];  // club id of each team number, -1 outside the map
    int16_t idOfPerson[WORLD_PERSON_MAX];
    int32_t nextSpare;  // the next free id of the spare pool
};

NewGameState s_newGame;

bool IsLeagueTeam(uint16_t team)
{
    return team != WORLD_NO_CLUB && s_newGame.clubOfTeam[team] >= 0
           && s_newGame.clubOfTeam[team] < s_newGame.leagueClubs;
}

void LoadData()
{
    World_Load();
    Names_Load();
}

void BuildClubMap()
{
    Records_Init();
    s_newGame.leagueClubs = World_LeagueClubCount(s_newGame.country);
    std::fill(std::begin(s_newGame.clubOfTeam), std::end(s_newGame.clubOfTeam), -1);
    for (int32_t team = 0; team < TEAM_COUNT; ++team) {
        WorldClubTable[team] = {0, World.clubs[team].country};
    }
    for (int32_t id = 0; id < CLUB_ID_COUNT; ++id) {
        const uint16_t team = World.clubMaps[s_newGame.country][id];
        s_newGame.clubOfTeam[team] = static_cast<int16_t>(id);
        WorldClubTable[team].inUse = 1;
        const bool full = id < s_newGame.leagueClubs;
        clubSlot[id] =
            static_cast<uint16_t>(full ? id : CLUB_SLOT_SMALL + id - s_newGame.leagueClubs);
    }
    DbClubCount = CLUB_ID_COUNT;
}

void FillClubs()
{
    for (int32_t id = 0; id < CLUB_ID_COUNT; ++id) {
        const uint16_t team = World.clubMaps[s_newGame.country][id];
        const WorldClub& w = World.clubs[team];
        if (id < s_newGame.leagueClubs) {
            ClubRecord& r = DbClubs[id];
            r.team = static_cast<int16_t>(team);
            r.manager = -1;
            r.country = w.country;
            r.division = w.division;
            r.reputation = w.reputation;
            std::memcpy(r.stands, w.stands, sizeof r.stands);
            r.works.kind = -1;
            r.captain = r.freeKickTaker = r.cornerTaker = r.penaltyTaker = -1;
            for (ClubBid& bid : r.bids) {
                bid.player = -1;
            }
            for (auto& season : r.seasonBest) {
                for (ClubBestPlayer& best : season) {
                    best.player = -1;
                }
            }
            r.teamwork = static_cast<uint8_t>(20 + w.reputation * 40 / 63);
            r.corners = r.freeKicks = r.penalties = r.teamwork;
            continue;
        }
        SmallClubRecord& s = DbSmallClubs[id - s_newGame.leagueClubs];
        s.team = team;
        s.division = w.division;
        s.country = w.country;
        s.reputation = w.reputation;
        s.stands = static_cast<uint8_t>(
            std::min(255, w.stands[0] + w.stands[1] + w.stands[2] + w.stands[3]));
        s.mapX = w.mapX;
        s.mapY = w.mapY;
    }
}

void FillPerson(int32_t id, const WorldPerson& w)
{
    DbPersons[id] = {w.nameIndex, w.initial, w.nationality, w.bits, w.birthYear, 0};
}

void FillFullPlayer(int32_t id, const WorldPerson& w)
{
    PlayerRecord& p = DbPlayers[id];
    p = {};
    p.club =
        static_cast<int16_t>(w.club == WORLD_NO_CLUB ? CLUB_NONE : s_newGame.clubOfTeam[w.club]);
    p.loanClub = -1;
    p.originWord = static_cast<int16_t>(w.club == WORLD_NO_CLUB ? -1 : w.club);
    p.askingPrice = -1;
    p.wage = w.wage;
    p.contractMonths = w.club == WORLD_NO_CLUB ? 0 : w.contractMonths;
    p.position = w.position;
    p.side = w.side;
    p.ability = w.ability;
    p.training = w.training;
    p.potential = w.potential;
    p.seed = w.seed;
    p.reputation = w.reputation;
    p.morale = 75;
    p.fitness = 100;
    const int32_t age = GAME_FIRST_YEAR - 1950 - w.birthYear;
    p.experience = static_cast<uint8_t>(Stat_ExperienceOfAge(age));
    p.formation = w.formation;
    p.variant = w.variant;
    p.tacticB = static_cast<int16_t>(w.formation * 5 + w.variant);  // the 40 built-in tactics
}

void FillLightPlayer(int32_t id, const WorldPerson& w)
{
    LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
    const bool mapped = w.club != WORLD_NO_CLUB && s_newGame.clubOfTeam[w.club] >= 0;
    p.club = static_cast<int16_t>(mapped ? s_newGame.clubOfTeam[w.club] : CLUB_ORIGIN);
    p.originWord = static_cast<int16_t>(w.club);
    p.position = w.position;
    p.side = w.side;
    p.ability = w.ability;
    p.seed = w.seed;
    p.reputation = w.reputation;
    p.potential = w.potential;
}

// Full ids first (the league clubs' players and managers, unattached players, unemployed
// managers), then the spare pool, then light ids for everyone else.
void IssueIds()
{
    int32_t next = PERSON_FIRST_ORDINARY;
    for (int32_t i = 0; i < World.personCount; ++i) {
        const WorldPerson& w = World.persons[i];
        s_newGame.idOfPerson[i] = NO_ID;
        if (w.club != WORLD_NO_CLUB && !IsLeagueTeam(w.club)) continue;
        s_newGame.idOfPerson[i] = static_cast<int16_t>(next++);
    }
    s_newGame.nextSpare = next;
    FullPlayerCount = next + PLAYER_SPARE_POOL;
    const int32_t light = World.personCount - (next - PERSON_FIRST_ORDINARY);
    if (FullPlayerCount > PLAYER_FULL_MAX || FullPlayerCount + light > PERSON_MAX)
        FatalError("VTW_NewGame(): the world holds too many persons for country %d",
                   s_newGame.country);
    for (int32_t id = next; id < FullPlayerCount; ++id) {
        DbPersons[id].flags = PERSON_FREE;
        DbPlayers[id].club = CLUB_NONE;
        DbPlayers[id].loanClub = -1;
    }
    next = FullPlayerCount;
    for (int32_t i = 0; i < World.personCount; ++i) {
        if (s_newGame.idOfPerson[i] == NO_ID)
            s_newGame.idOfPerson[i] = static_cast<int16_t>(next++);
    }
    DbPersonCount = next;
    for (int32_t i = 0; i < World.personCount; ++i) {
        const int32_t id = s_newGame.idOfPerson[i];
        FillPerson(id, World.persons[i]);
        if (id < FullPlayerCount) {
            FillFullPlayer(id, World.persons[i]);
        } else {
            FillLightPlayer(id, World.persons[i]);
        }
    }
}

// Person 0 is the human (his name is the manager-name buffer), person 1 the stand-in.
void FillFixedPersons()
{
    for (int32_t id : {PERSON_HUMAN, PERSON_STAND_IN}) {
        DbPersons[id] = {};
        DbPersons[id].nationality = static_cast<uint8_t>(s_newGame.country);
        DbPersons[id].birthYear = 1999 - 40 - 1950;
        DbPlayers[id] = {};
        DbPlayers[id].club = CLUB_NONE;
        DbPlayers[id].loanClub = -1;
        DbPlayers[id].originWord = -1;
        DbPlayers[id].askingPrice = -1;
        DbPlayers[id].position = POSITION_MANAGER;
    }
    DbPersons[PERSON_STAND_IN].nameIndex = World.staffNames[0].nameIndex;
    DbPersons[PERSON_STAND_IN].initial = World.staffNames[0].initial;
}

void AppointManagers()
{
    for (int32_t id = 0; id < CLUB_ID_COUNT; ++id) {
        const uint16_t team = World.clubMaps[s_newGame.country][id];
        const int16_t manager = s_newGame.idOfPerson[World.clubs[team].manager];
        if (id < s_newGame.leagueClubs) {
            DbClubs[id].manager = manager;
        } else {
            DbSmallClubs[id - s_newGame.leagueClubs].manager = static_cast<uint16_t>(manager);
        }
    }
}

// Roles 0-5 always, the others with a chance that rises with reputation.
void HireStaff()
{
    for (int32_t slot = 0; slot < s_newGame.leagueClubs; ++slot) {
        ClubRecord& r = DbClubs[slot];
        for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
            if (role >= STAFF_ALWAYS && Rand() % 64 >= r.reputation) continue;
            const int32_t rating = std::clamp(20 + r.reputation + Rand() % 21 - 10, 1, 99);
            r.staff[role] = {static_cast<uint8_t>(rating),
                             static_cast<uint8_t>(12 + Rand() % 25),
                             {0, 0},
                             Staff_WageForRating(rating)};
        }
    }
}

constexpr int32_t MONEY_DRAWS = 40;
constexpr int32_t MONEY_DRAW_STEP = 5000;

int64_t MoneyBeforeTheDraw(int32_t reputation, int32_t division)
{
    division = std::clamp<int32_t>(division, 0, DIVISION_MAX - 1);
    return int64_t(reputation) * reputation * 2500 + (DIVISION_MAX - division) * 150000;
}

void SetMoney()
{
    const WorldCountry& country = World_Country(s_newGame.country);
    for (int32_t slot = 0; slot < s_newGame.leagueClubs; ++slot) {
        ClubRecord& r = DbClubs[slot];
        const int32_t division = std::min<int32_t>(r.division, DIVISION_MAX - 1);
        const int64_t base = MoneyBeforeTheDraw(r.reputation, division);
        const int64_t balance = base + Rand() % MONEY_DRAWS * MONEY_DRAW_STEP;
        r.balance = static_cast<int32_t>(std::min<int64_t>(balance, BALANCE_MAX));
        r.carriedForward = r.balance;
        r.wageLimit = VTW_RoundTo25(country.worldWageScale[division] * 3 / 2 + r.reputation * 10);
        r.ticketPrice = static_cast<int16_t>(country.ticketPrice[division] + r.reputation / 8);
    }
}

// The transfer budget holds back 125 weeks of the squad's wages: a club opens with them in the
// bank on top of its spending money, so that it can buy from the first day.
void ReserveWages()
{
    for (int32_t slot = 0; slot < s_newGame.leagueClubs; ++slot) {
        ClubRecord& r = DbClubs[slot];
        r.balance = static_cast<int32_t>(
            std::min<int64_t>(r.balance + Club_WagesReserved(slot), BALANCE_MAX));
        r.carriedForward = r.balance;
    }
}

void CopyKits()
{
    for (int32_t slot = 0; slot < s_newGame.leagueClubs; ++slot) {
        std::memcpy(DbClubs[slot].kits, World.clubs[DbClubs[slot].team].kits,
                    sizeof DbClubs[slot].kits);
    }
}

void StartCalendar()
{
    GameState_StartFirstSeason();
    GameState.country = static_cast<int16_t>(s_newGame.country);
    GameState.humanClub = -1;
    GameState.currentClub = -1;
}

void AddYoungPlayer(int32_t club)
{
    if (s_newGame.nextSpare >= FullPlayerCount)
        FatalError("VTW_NewGame(): the spare pool ran out at club %d", club);
    const int32_t id = s_newGame.nextSpare++;
    const ClubRecord& r = DbClubs[club];
    PlayerLife_MakeYoungPlayer(id, club, r,
                               {.nationality = r.country,
                                .year = GAME_FIRST_YEAR,
                                .youngestAge = 17,
                                .abilityBase = 20 + r.reputation / 2,
                                .abilityCap = 99,
                                .potentialBonus = 10,
                                .potentialSpread = 25,
                                .potentialLevel = 0,
                                .reputationFromAbility = true,
                                .wageYears = 2});
    Records_MembershipChanged();  // a spare id joined the club
}

void TopUpSquads()
{
    for (int32_t club = 0; club < s_newGame.leagueClubs; ++club) {
        while (VTW_GetClubSquadCount(club) < SQUAD_MIN) {
            AddYoungPlayer(club);
        }
    }
}

// Shirts 1 .. n in line and ability order, then the derived club data.
void NumberSquads()
{
    for (int32_t club = 0; club < s_newGame.leagueClubs; ++club) {
        VTW_RebuildSquad(club, 0, 0);
        for (int32_t k = 0; k < SquadList.count; ++k) {
            VTW_SetPlayerShirt(SquadList.players[k], k + 1);
        }
        VTW_UpdateTeam(club);
    }
}

void SetTrainingDefaults() { VTW_SetTrainingDefaults(); }

struct NewGameStep {
    const char* name;  // for the debug log
    void (*run)();
};

// clang-format off
constexpr auto STEPS = std::to_array<NewGameStep>({
    {"load the world",  LoadData},
    {"club map",        BuildClubMap},
    {"club records",    FillClubs},
    {"persons",         IssueIds},
    {"fixed persons",   FillFixedPersons},
    {"managers",        AppointManagers},
    {"staff",           HireStaff},
    {"money",           SetMoney},
    {"kits",            CopyKits},
    {"calendar",        StartCalendar},
    {"young players",   TopUpSquads},
    {"squads",          NumberSquads},
    {"wage reserves",   ReserveWages},
    {"training",        SetTrainingDefaults},
    {"honours",         Honours_Init},
    {"league places",   VTW_GetLeaguePlace},
    {"qualifiers",      Season_ComputeEuroQualifiers},
    {"friendly clubs",  Fixtures_FillFriendlyCandidates},
    {"fixtures",        Season_GenerateFixtures},
    {"teams",           MatchDay_NewGame},
    {"market",          Market_NewGame},
    {"progress",        PlayerHistory_RecordPoint},
});
// clang-format on

}  // namespace

void Database_Init()
{
    World_Init();
    Records_Init();
    GameState_Init();
    Squad_Init();
    Fixtures_Init();
    Tables_Init();
    Honours_Init();
}

void Database_Uninit()
{
    Honours_Uninit();
    Tables_Uninit();
    Fixtures_Uninit();
    Squad_Uninit();
    GameState_Uninit();
    Records_Uninit();
    World_Uninit();
}

int64_t NewGame_SpendingMoney(int32_t reputation, int32_t division)
{
    return MoneyBeforeTheDraw(reputation, division) + (MONEY_DRAWS - 1) * MONEY_DRAW_STEP / 2;
}

void VTW_NewGame()
{
    Game_ResetCareerState();
    s_newGame = {};
    s_newGame.country = VTW_GetCountry();
    GameState_BeginProgress(static_cast<int32_t>(STEPS.size()));
    for (const NewGameStep& step : STEPS) {
        step.run();
        GameState_StepProgress();
        Poll();
    }
    GameState_EndProgress();
}

void VTW_InitTrainingBuffer() { InitTrainingBuffer(); }
void VTW_SyncTrainingBuffer() { SyncTrainingBuffer(); }
void VTW_SetTrainingDefaults() { GameHooks.SetTrainingDefaults(); }
void VTW_StoreTrainingSchedule() { GameHooks.StoreTrainingSchedule(); }
