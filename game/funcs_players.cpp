// game/funcs_players.cpp: the query layer's players and persons: fields, stats, value and names.
// A light player answers from his small record and sensible defaults for the rest.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "game/formerplayers.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/season.h"
#include "game/statmodel.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr int32_t LIGHT_CONTRACT_MONTHS = 24;
constexpr int32_t LIGHT_CONDITION = 75;  // morale and fitness
constexpr int32_t ICON_INJURED = 1210;
constexpr int32_t ICON_SUSPENDED = 1208;

// Each person's stats as last worked out, with the fields and the world they came from: team
// selection and team sheets read every squad's stats before every match.
struct StatMemo {
    uint64_t inputs;  // 0 none yet
    uint32_t world;   // World_Generation()
    uint8_t stats[STAT_COUNT];
};

StatMemo s_statMemo[PERSON_MAX];

int32_t AgeOf(const PersonRecord& person)
{
    return GAME_FIRST_YEAR + GameState.seasonCounter - (1950 + person.birthYear);
}

int32_t LightExperience(const PersonRecord& person)
{
    return std::clamp((AgeOf(person) - 16) * 15, 0, 255);
}

// One field of a player: `full` reads his record, `light` derives it for a light player.
template <typename Full, typename Light>
int32_t Get(int32_t player, const char* field, Full full, Light light)
{
    const PlayerRef ref = Player_RefForGet(player, field);
    if (ref.full != nullptr) return full(*ref.full, *ref.person);
    if (ref.light != nullptr) return light(*ref.light, *ref.person);
    return 0;
}

// A field that only a full record keeps; light players answer `lightValue`.
template <typename Full>
int32_t GetFull(int32_t player, const char* field, Full full, int32_t lightValue = 0)
{
    return Get(
        player, field, [&](const PlayerRecord& p, const PersonRecord&) { return full(p); },
        [&](const LightPlayerRecord&, const PersonRecord&) { return lightValue; });
}

PlayerRecord* FullForSet(int32_t player, const char* field)
{
    return Player_RefForSet(player, field).full;
}

void SetFlag(int32_t player, const char* field, uint16_t flag, int32_t on)
{
    PlayerRecord* p = FullForSet(player, field);
    if (p == nullptr) return;
    p->flags = on ? (p->flags | flag) : (p->flags & ~flag);
}

int32_t Flag(int32_t player, const char* field, uint16_t flag)
{
    return GetFull(player, field,
                   [flag](const PlayerRecord& p) { return (p.flags & flag) ? 1 : 0; });
}

int32_t Ability(int32_t player)
{
    return Get(
        player, "AbilityCurve",
        [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.ability); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.ability); });
}

// A light player trains as he plays.
int32_t LightTraining(const LightPlayerRecord& p) { return p.ability; }

int32_t Training(int32_t player)
{
    return Get(
        player, "Training",
        [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.training); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return LightTraining(p); });
}

int32_t Seed(int32_t player)
{
    return Get(
        player, "Seed", [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.seed); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.seed); });
}

int32_t StatOf(int32_t player, int32_t stat, int32_t age)
{
    return Stat_Compute(World.weights, VTW_GetPlayerPosition(player), Ability(player),
                        Training(player), age, static_cast<uint16_t>(Seed(player)), stat);
}

int32_t Line(int32_t player, const char* caller)
{
    const int32_t code = Player_GetPositionRaw(player);
    if (code == 0) return 0;
    if (code >= 1 && code <= 4) return 1;
    if (code >= 5 && code <= 9) return 2;
    if (code >= 10 && code <= 12) return 3;
    if (code == POSITION_MANAGER) return 4;
    FatalError("%s(): bad position code %d of player %d", caller, code, player);
}

// The contract talks' own scale, per mille of the ability by country and division: what a
// player starts asking at the table before his own evaluation raises it to what he signs for.
// clang-format off
constexpr uint16_t CONTRACT_TALKS_WAGE_SCALE[COUNTRY_COUNT][DIVISION_MAX] = {
    {800, 380, 190, 70, 25, 25}, {800, 380, 190, 70, 25, 25}, {800, 380, 190, 190, 25, 25},
    {800, 380, 190, 190, 190, 190}, {800, 380, 190, 70, 25, 25}, {800, 380, 190, 70, 25, 25},
    {800, 380, 190, 70, 70, 25}, {800, 380, 190, 70, 25, 25}, {800, 380, 190, 70, 25, 25},
};
// clang-format on

using ScaleOfCountry = const uint16_t* (*)(int32_t country);
const uint16_t* TalksScale(int32_t country) { return CONTRACT_TALKS_WAGE_SCALE[country]; }
const uint16_t* WorldScale(int32_t country) { return World.countries[country].worldWageScale; }

// A player of the offering club's country is paid on its scale by division; anyone else by his
// ability and reputation alone.
int32_t DemandOnScale(int32_t player, int32_t club, int32_t years, ScaleOfCountry scaleOf)
{
    const PlayerRef ref = Player_RefForGet(player, "BaseDemand");
    if (ref.person == nullptr) return 0;
    const bool leagueCountry = club >= 0 && club < CLUB_ID_COUNT && World.loaded
                               && VTW_GetClubCountry(club) < COUNTRY_COUNT;
    const bool national = leagueCountry && ref.person->nationality == VTW_GetClubCountry(club);
    const uint16_t* scale = national ? scaleOf(VTW_GetClubCountry(club)) : nullptr;
    const int32_t division = national ? VTW_GetClubDivision(club) : 0;
    return Stat_BaseDemand(Ability(player), Training(player), VTW_GetPlayerReputation(player),
                           VTW_GetPlayerAge(player), years, scale, division);
}

}  // namespace

int32_t VTW_GetPlayerClub(int32_t player)
{
    return Get(
        player, "Club", [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.club); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.club); });
}

void VTW_SetPlayerClub(int32_t player, int32_t club)
{
    const PlayerRef ref = Player_RefForSet(player, "Club");
    if (ref.full != nullptr) ref.full->club = static_cast<int16_t>(club);
    if (ref.light != nullptr) ref.light->club = static_cast<int16_t>(club);
    Records_MembershipChanged();
}

int32_t VTW_GetPlayerOnLoan(int32_t player) { return Flag(player, "OnLoan", PLAYER_ON_LOAN); }

int32_t VTW_GetPlayerLoanSlot(int32_t player)
{
    return GetFull(
        player, "LoanSlot", [](const PlayerRecord& p) { return int32_t(p.loanClub); }, -1);
}

int32_t VTW_GetPlayerOriginWord(int32_t player)
{
    return Get(
        player, "OriginWord",
        [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.originWord); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.originWord); });
}

int32_t VTW_GetPlayerPosition(int32_t player) { return Player_GetPositionRaw(player); }

int32_t VTW_GetPlayerSide(int32_t player)
{
    return Get(
        player, "Side", [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.side); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.side); });
}

int32_t VTW_GetPlayerShirt(int32_t player)
{
    return Get(
        player, "Shirt",
        [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.shirt); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.shirt); });
}

void VTW_SetPlayerShirt(int32_t player, int32_t shirt)
{
    const PlayerRef ref = Player_RefForSet(player, "Shirt");
    if (shirt < 0 || shirt > SHIRT_MAX) FatalError("VTW_SetPlayerShirt(): invalid shirt %d", shirt);
    if (ref.full != nullptr) ref.full->shirt = static_cast<uint8_t>(shirt);
    if (ref.light != nullptr) ref.light->shirt = static_cast<uint8_t>(shirt);
}

int32_t VTW_GetPlayerAge(int32_t player)
{
    return Get(
        player, "Age",
        [](const PlayerRecord&, const PersonRecord& person) { return AgeOf(person); },
        [](const LightPlayerRecord&, const PersonRecord& person) { return AgeOf(person); });
}

int32_t VTW_GetPlayerNationality(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "Nationality");
    return ref.person ? ref.person->nationality : 0;
}

int32_t VTW_GetPlayerReputation(int32_t player)
{
    return Get(
        player, "Reputation",
        [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.reputation); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.reputation); });
}

void Player_SetRep(int32_t player, int32_t reputation)
{
    const PlayerRef ref = Player_RefForSet(player, "Reputation");
    const uint8_t value = static_cast<uint8_t>(std::clamp(reputation, 0, 63));
    if (ref.full != nullptr) ref.full->reputation = value;
    if (ref.light != nullptr) ref.light->reputation = value;
}

int32_t VTW_GetPlayerWage(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "Wage");
    if (ref.full != nullptr) return ref.full->wage;
    if (ref.light != nullptr) return Contract_WorldWage(player, ref.light->club, 0);
    return 0;
}

void VTW_SetPlayerWage(int32_t player, int32_t wage)
{
    if (PlayerRecord* p = FullForSet(player, "Wage")) p->wage = std::max(0, wage);
}

int32_t VTW_GetPlayerContract(int32_t player)
{
    return GetFull(
        player, "Contract", [](const PlayerRecord& p) { return int32_t(p.contractMonths); },
        LIGHT_CONTRACT_MONTHS);
}

int32_t VTW_GetPlayerTraining(int32_t player) { return Training(player); }
int32_t VTW_GetPlayerAbilityCurve(int32_t player) { return Ability(player); }
int32_t Player_GetTraining(int32_t player) { return Training(player); }
int32_t Player_GetAbilityCurve(int32_t player) { return Ability(player); }

int32_t Player_GetPositionRaw(int32_t player)
{
    return Get(
        player, "Position",
        [](const PlayerRecord& p, const PersonRecord&) { return int32_t(p.position); },
        [](const LightPlayerRecord& p, const PersonRecord&) { return int32_t(p.position); });
}

int32_t VTW_GetPlayerApps(int32_t player)
{
    return GetFull(player, "Apps", [](const PlayerRecord& p) { return int32_t(p.seasonApps); });
}

int32_t VTW_GetPlayerGoals(int32_t player)
{
    return GetFull(player, "Goals", [](const PlayerRecord& p) { return int32_t(p.seasonGoals); });
}

int32_t VTW_GetPlayerAssists(int32_t player)
{
    return GetFull(player, "Assists",
                   [](const PlayerRecord& p) { return int32_t(p.seasonAssists); });
}

int32_t VTW_GetPlayerPerf(int32_t player)
{
    return GetFull(player, "Perf", [](const PlayerRecord& p) {
        return p.ratedCount ? int32_t(p.perfSum / p.ratedCount) : 0;
    });
}

int32_t VTW_GetPlayerCareerApps(int32_t player)
{
    return GetFull(player, "CareerApps",
                   [](const PlayerRecord& p) { return int32_t(p.careerApps); });
}

int32_t VTW_GetPlayerCareerGoals(int32_t player)
{
    return GetFull(player, "CareerGoals",
                   [](const PlayerRecord& p) { return int32_t(p.careerGoals); });
}

int32_t VTW_GetPlayerDisciplinePoints(int32_t player)
{
    return GetFull(player, "DisciplinePoints",
                   [](const PlayerRecord& p) { return 3 * int32_t(p.disciplinePoints); });
}

int32_t Player_GetSuspension(int32_t player)
{
    return GetFull(player, "Suspension",
                   [](const PlayerRecord& p) { return int32_t(p.suspension); });
}

int32_t VTW_GetPlayerInFlag(int32_t player) { return Flag(player, "Injured", PLAYER_INJURED); }
int32_t VTW_GetPlayerZeroD(int32_t player) { return Flag(player, "Missing", PLAYER_MISSING); }

int32_t VTW_GetPlayerInjuryType(int32_t player)
{
    return GetFull(player, "InjuryType",
                   [](const PlayerRecord& p) { return int32_t(p.injuryType); });
}

int32_t VTW_GetPlayerInjuryTime(int32_t player)
{
    return GetFull(player, "InjuryTime",
                   [](const PlayerRecord& p) { return (p.injuryDays + 6) / 7; });
}

int32_t VTW_GetPlayerTxList(int32_t player)
{
    return Flag(player, "TxList", PLAYER_TRANSFER_LISTED);
}
// Also 1 while a computer club's request to borrow him waits for the human's answer.
int32_t VTW_GetPlayerLoanList(int32_t player)
{
    return Flag(player, "LoanList", PLAYER_LOAN_LISTED) || Market_IsLoanRequest(player) ? 1 : 0;
}

void VTW_SetPlayerLoanList(int32_t player, int32_t on)
{
    SetFlag(player, "LoanList", PLAYER_LOAN_LISTED, on);
}

void VTW_SetPlayerSaleStatus(int32_t player, int32_t on)
{
    SetFlag(player, "SaleStatus", PLAYER_SALE_STATUS, on);
}

void VTW_PutPlayerOnTxList(int32_t player, int32_t on)
{
    SetFlag(player, "TxList", PLAYER_TRANSFER_LISTED | PLAYER_SALE_STATUS, on);
}

int32_t VTW_GetPlayerCaptain(int32_t player) { return Flag(player, "Captain", PLAYER_CAPTAIN); }

int32_t VTW_GetPlayerManager(int32_t player)
{
    return Player_GetPositionRaw(player) == POSITION_MANAGER ? 1 : 0;
}

int32_t VTW_GetPlayerManagerFlag(int32_t player)
{
    return Flag(player, "ManagerFlag", PLAYER_MANAGER);
}

void VTW_ClearPlayerManagerFlag(int32_t player)
{
    SetFlag(player, "ManagerFlag", PLAYER_MANAGER, 0);
    // The human who hangs up his boots manages his club only, out of its squad.
    if (player == PERSON_HUMAN) PlayerLife_HumanManagesOnly();
}

int32_t VTW_GetPlayerAskedTransfer(int32_t player)
{
    return Flag(player, "AskedTransfer", PLAYER_ASKED_TRANSFER);
}

int32_t VTW_GetPlayerRelegationClause(int32_t player)
{
    return Flag(player, "RelegationClause", PLAYER_RELEGATION_CLAUSE);
}

int32_t VTW_GetPlayerBigClubClause(int32_t player)
{
    return Flag(player, "BigClubClause", PLAYER_BIG_CLUB_CLAUSE);
}

int32_t VTW_GetRecField14(int32_t player)
{
    return GetFull(
        player, "AskingPrice", [](const PlayerRecord& p) { return p.askingPrice; }, -1);
}

void VTW_SetPlayerManPrice(int32_t player, int32_t price)
{
    if (PlayerRecord* p = FullForSet(player, "AskingPrice")) p->askingPrice = std::max(-1, price);
}

int32_t VTW_GetPersonBits0to2(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "PersonBits");
    return ref.person ? ref.person->bits & 7 : 0;
}

int32_t VTW_GetPersonBits3to5(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "PersonBits");
    return ref.person ? (ref.person->bits >> 3) & 7 : 0;
}

int32_t VTW_GetPersonBits6to8(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "PersonBits");
    return ref.person ? (ref.person->bits >> 6) & 7 : 0;
}

int32_t VTW_GetPositionType(int32_t player) { return Line(player, "VTW_GetPositionType"); }
int32_t VTW_GetPositionLine(int32_t player) { return Line(player, "VTW_GetPositionLine"); }

int32_t VTW_GetPositionTextNo(int32_t player)
{
    if (Player_RefForGet(player, "Position").person == nullptr) return 0;
    return 564 + Line(player, "VTW_GetPositionTextNo");
}

int32_t VTW_GetSideTextNo(int32_t player)
{
    if (Player_RefForGet(player, "Side").person == nullptr) return 0;
    const int32_t side = VTW_GetPlayerSide(player);
    return side == 0 ? -1 : 35 + side;
}

int32_t VTW_GetPlayerMoralePercent(int32_t player)
{
    return GetFull(
        player, "Morale", [](const PlayerRecord& p) { return int32_t(p.morale); }, LIGHT_CONDITION);
}

int32_t VTW_GetPlayerFitnessPercent(int32_t player)
{
    return GetFull(
        player, "Fitness", [](const PlayerRecord& p) { return int32_t(p.fitness); },
        LIGHT_CONDITION);
}

int32_t VTW_GetPlayerFatiguePercent(int32_t player)
{
    return GetFull(player, "Fatigue", [](const PlayerRecord& p) { return int32_t(p.fatigue); });
}

int32_t VTW_GetPlayerExperiencePercent(int32_t player)
{
    return Get(
        player, "Experience",
        [](const PlayerRecord& p, const PersonRecord&) { return p.experience * 100 / 255; },
        [](const LightPlayerRecord&, const PersonRecord& person) {
            return LightExperience(person) * 100 / 255;
        });
}

int32_t VTW_GetAbilityStat(int32_t player, int32_t stat)
{
    if (stat < 0 || stat >= STAT_PHYSICAL_FIRST)
        FatalError("VTW_GetAbilityStat(): bad stat %d", stat);
    if (Player_RefForGet(player, "AbilityStat").person == nullptr) return 0;
    return StatOf(player, stat, VTW_GetPlayerAge(player));
}

int32_t VTW_GetPhysicalStat(int32_t player, int32_t stat)
{
    if (stat < STAT_PHYSICAL_FIRST || stat >= STAT_PERSONALITY_FIRST)
        FatalError("VTW_GetPhysicalStat(): bad stat %d", stat);
    if (Player_RefForGet(player, "PhysicalStat").person == nullptr) return 0;
    return StatOf(player, stat, VTW_GetPlayerAge(player));
}

int32_t VTW_GetPersonalityStat(int32_t player, int32_t stat)
{
    if (stat != 15 && stat != 19 && stat != 20)
        FatalError("VTW_GetPersonalityStat(): bad stat %d", stat);
    if (Player_RefForGet(player, "PersonalityStat").person == nullptr) return 0;
    return StatOf(player, stat, VTW_GetPlayerAge(player)) / 2;
}

int32_t Player_GetStat(int32_t player, int32_t stat)
{
    if (stat < 0 || stat >= STAT_COUNT) FatalError("Player_GetStat(): bad stat %d", stat);
    if (Player_RefForGet(player, "Stat").person == nullptr) return 0;
    return StatOf(player, stat, VTW_GetPlayerAge(player));
}

void Player_GetStats(int32_t player, int32_t out[STAT_COUNT])
{
    const PlayerRef ref = Player_RefForGet(player, "Stats");
    if (ref.person == nullptr) {
        std::fill(out, out + STAT_COUNT, 0);
        return;
    }
    // Read from the records at once: every team sheet and team selection asks for them.
    const bool full = ref.full != nullptr;
    const int32_t position = full ? ref.full->position : ref.light->position;
    const int32_t ability = full ? ref.full->ability : ref.light->ability;
    const int32_t training = full ? ref.full->training : LightTraining(*ref.light);
    const int32_t age = AgeOf(*ref.person);
    const int32_t seed = full ? ref.full->seed : ref.light->seed;
    // Every field the stats come from, each in its own bits, and one bit so that no key is 0.
    const uint64_t inputs = uint64_t(position & 0xFF) | uint64_t(ability & 0xFF) << 8
                            | uint64_t(training & 0xFF) << 16 | uint64_t(age & 0xFF) << 24
                            | uint64_t(seed & 0xFFFF) << 32 | uint64_t(1) << 48;
    StatMemo& memo = s_statMemo[player];
    if (memo.inputs != inputs || memo.world != World_Generation()) {
        int32_t stats[STAT_COUNT];
        Stat_ComputeAll(World.weights, position, ability, training, age,
                        static_cast<uint16_t>(seed), stats);
        memo.inputs = inputs;
        memo.world = World_Generation();
        std::copy(stats, stats + STAT_COUNT, memo.stats);
    }
    std::copy(memo.stats, memo.stats + STAT_COUNT, out);
}

void Player_DropStatCache()
{
    for (StatMemo& memo : s_statMemo) {
        memo = {};
    }
}

void Player_GetAbilityStats(int32_t player, int32_t age, int32_t out[8])
{
    const bool known = Player_RefForGet(player, "AbilityStats").person != nullptr;
    for (int32_t k = 0; k < STAT_PHYSICAL_FIRST; ++k) {
        out[k] = known ? StatOf(player, k, age) : 0;
    }
}

int32_t VTW_GetPlayerValue(int32_t player)
{
    if (Player_RefForGet(player, "Value").person == nullptr) return 0;
    return Stat_PlayerValue(Ability(player), VTW_GetPlayerAge(player),
                            VTW_GetPlayerReputation(player), VTW_GetPlayerContract(player));
}

int32_t VTW_ComputePlayerValueWithPotential(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "ValueWithPotential");
    if (ref.person == nullptr) return 0;
    const int32_t potential = ref.full ? ref.full->potential : ref.light->potential;
    return Stat_ValueWithPotential(VTW_GetPlayerValue(player), Ability(player), potential,
                                   VTW_GetPlayerAge(player));
}

int32_t VTW_GetPlayerAvailability(int32_t player)
{
    return GetFull(player, "Availability", [](const PlayerRecord& p) {
        if ((p.flags & (PLAYER_INJURED | PLAYER_MISSING)) || p.suspension > 0) return 4;
        return (p.flags & PLAYER_ON_LOAN) ? 7 : 0;
    });
}

int32_t VTW_GetPlayerStatusText(int32_t player)
{
    return GetFull(player, "StatusText", [](const PlayerRecord& p) {
        if (p.flags & (PLAYER_INJURED | PLAYER_MISSING)) return ICON_INJURED;
        return p.suspension > 0 ? ICON_SUSPENDED : 0;
    });
}

int32_t ContractTalks_BaseDemand(int32_t player, int32_t club, int32_t years)
{
    return DemandOnScale(player, club, years, TalksScale);
}

int32_t Contract_WorldWage(int32_t player, int32_t club, int32_t years)
{
    return DemandOnScale(player, club, years, WorldScale);
}

int32_t VTW_PersonTextNo(int32_t person) { return person < 0 ? -1 : TEXT_PERSON_BASE + person; }

void VTW_SetPlayerInitial(int32_t person, int32_t initial)
{
    const PlayerRef ref = Player_RefForSet(person, "Initial");
    if (ref.person != nullptr)
        ref.person->initial = static_cast<uint8_t>(std::clamp(initial, 0, 26));
}

int32_t Person_GetTacticB(int32_t person)
{
    return GetFull(person, "TacticB", [](const PlayerRecord& p) { return int32_t(p.tacticB); });
}

const char* VTW_FormatPersonName(int32_t person)
{
    const PlayerRef ref = Player_RefForGet(person, "Name");
    char* out = TextFormat_NextBuffer();
    out[0] = '\0';
    int32_t formerInitial = 0, formerName = 0;
    if (FormerPlayers_Name(person, &formerInitial, &formerName)) {
        Names_FormatPerson(formerInitial, formerName, out);
    } else if (person == PERSON_HUMAN && ref.person != nullptr) {
        std::snprintf(out, NAME_TEXT_BYTES, "%s", GameState.managerName);
    } else if (ref.person != nullptr) {
        Names_FormatPerson(ref.person->initial, ref.person->nameIndex, out);
    }
    return out;
}

const char* VTW_GetPlayerClubText(int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "ClubText");
    char* out = TextFormat_NextBuffer();
    out[0] = '\0';
    if (ref.person != nullptr && ref.person->nameIndex < NAMES_ENTRY_COUNT) {
        const char* entry = NamesBuffer + size_t(ref.person->nameIndex) * NAMES_ENTRY_BYTES;
        std::snprintf(out, NAME_TEXT_BYTES, "%.*s", NAMES_ENTRY_BYTES - 1, entry);
    }
    return out;
}

void VTW_SetManagerName(const char* name)
{
    std::snprintf(GameState.managerName, sizeof GameState.managerName, "%s", name);
}
