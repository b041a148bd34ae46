// game/playerlife.cpp: a player's life between seasons: the season's summary, development and
// decline, retirement, and the young players who replace the old.
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "engine/debug.h"
#include "engine/random.h"
#include "game/careerlog.h"
#include "game/formerplayers.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/playerhistory.h"
#include "game/records.h"
#include "game/season.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr int32_t PEAK_UNTIL = 29;
constexpr int32_t RETIRE_FROM = 33;
constexpr int32_t RETIRE_SURELY_AT = 38;
constexpr int32_t PHYSICAL_PERIODS_EASE = 40;  // about one a week keeps one point of decline off
constexpr int32_t YOUTH_SQUAD_TARGET = 20;
constexpr int32_t YOUTH_MAX = 8;
// Where a youth of a club far above the reputation's reach comes in, below its standing level:
// 40 holds the league's mean ability within 2 % of the first season's over 20 seasons.
constexpr int32_t YOUTH_BELOW_LEVEL = 40;
constexpr int32_t HOME_NATIONALITY_PERCENT = 85;

constexpr int32_t OUTSIDE_SQUAD_MIN = 16;
constexpr int32_t OUTSIDE_YOUTH_SPREAD = 5;  // a youth's ability: his squad's mean, give or take
constexpr int32_t OUTSIDE_KEYS = CLUB_ID_COUNT + TEAM_COUNT;

// The human as a player: as able as the middle of his squad (of an empty one, a modest player).
constexpr int32_t HUMAN_ABILITY_ALONE = 40;
constexpr int32_t HUMAN_TRAINING = 50;
constexpr int32_t HUMAN_MORALE = 75;
// He signs as a player for as long as a new player of a youth intake, and is paid as one of his
// ability; his contract is his post's, so it never runs down while he manages and plays.
constexpr int32_t HUMAN_CONTRACT_MONTHS = 36;
constexpr int32_t HUMAN_CONTRACT_YEARS = HUMAN_CONTRACT_MONTHS / 12;
constexpr uint8_t SIDE_BOTH = 3;
constexpr int32_t MSG_YOUTH = 12;
constexpr int32_t MSG_RETIRED = 13;

void CloseSeason(int32_t id, PlayerRecord* p)
{
    CareerLog_CloseSeason(id);
    // Career totals grow with every match; only the season's figures start again.
    p->seasonApps = 0;
    p->seasonGoals = 0;
    p->seasonAssists = 0;
    p->perfSum = 0;
    p->ratedCount = 0;
    p->disciplinePoints = 0;
    // A cup tie and the count of bookings towards a ban last one season.
    p->cupTied = 0;
    MatchDay_ClearPlayerSeason(id);
}

void Develop(int32_t id, PlayerRecord* p)
{
    const int32_t age = VTW_GetPlayerAge(id);
    if (age <= PEAK_UNTIL) {
        // Until his peak ends, the world's best as the rest: the best clubs' youths come in up
        // to 25 below their potential, and stopped at 23 they fell short of the first stars.
        const int32_t gain = 1 + p->training / 50 + Rand() % 2;  // 1-3: talent and work
        p->ability = static_cast<uint8_t>(std::min<int32_t>(p->potential, p->ability + gain));
    } else {
        const int32_t fall = std::clamp(1 + (age - PEAK_UNTIL - 1) / 2, 1, 4)
                             - DailyTraining_PhysicalPeriods(id) / PHYSICAL_PERIODS_EASE;
        p->ability = static_cast<uint8_t>(std::max(1, p->ability - std::max(1, fall)));
    }
}

bool Retires(int32_t id)
{
    const int32_t age = VTW_GetPlayerAge(id);
    if (age < RETIRE_FROM) return false;
    return Rand() % (RETIRE_SURELY_AT - RETIRE_FROM + 1) <= age - RETIRE_FROM;
}

int32_t FindFreeId()
{
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (DbPersons[id].flags & PERSON_FREE) return id;
    }
    return -1;
}

bool SurnameTaken(int32_t club, uint16_t nameIndex)
{
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (DbPlayers[id].club == club && !(DbPersons[id].flags & PERSON_FREE)
            && DbPersons[id].nameIndex == nameIndex)
            return true;
    }
    return false;
}

// A world team's players as the world began.
struct TeamLevel {
    int32_t mean;  // of their abilities; 0 for a team without players
    int32_t best;  // the best one's
    auto operator<=>(const TeamLevel&) const = default;
};

// A squad's youths come in at its team's level rather than at its own mean: the league buys the
// best of a squad, and youths at the mean of those left made the world outside weaker season
// after season.
std::vector<TeamLevel> WorldTeamLevels()
{
    std::vector<int32_t> sum(TEAM_COUNT), count(TEAM_COUNT);
    std::vector<TeamLevel> levels(TEAM_COUNT);
    for (int32_t i = 0; i < World.personCount; ++i) {
        const WorldPerson& w = World.persons[i];
        if (w.club >= TEAM_COUNT || w.position == POSITION_MANAGER) continue;
        sum[w.club] += w.ability;
        ++count[w.club];
        levels[w.club].best = std::max<int32_t>(levels[w.club].best, w.ability);
    }
    for (int32_t team = 0; team < TEAM_COUNT; ++team) {
        levels[team].mean = count[team] > 0 ? sum[team] / count[team] : 0;
    }
    return levels;
}

// The level the club of `club`'s reputation rank had as the world began: a club's youths grow
// towards the level of the clubs of its standing in the first world, so that the best players of
// later seasons are as often its own youths as they were then, and no better.
TeamLevel StandingLevel(int32_t club)
{
    const std::vector<TeamLevel> teamLevels = WorldTeamLevels();
    std::vector<TeamLevel> levels;
    for (int32_t other = 0; other < World_LeagueClubCount(GameState.country); ++other) {
        levels.push_back(teamLevels[VTW_GetTeam(other)]);
    }
    std::sort(levels.begin(), levels.end(), std::greater<>());
    const int32_t rank = std::clamp<int32_t>(VTW_GetClubRepRank(club) - 1, 0, levels.size() - 1);
    return levels[rank];
}

// The base of a youth's ability: his club's youth coaching, and its reputation or, at a club
// whose standing level is far above the reputation's reach (the reputation stops at 63), that
// level less YOUTH_BELOW_LEVEL: the best clubs' youths can grow into their stars.
int32_t YouthAbilityBase(int32_t club, int32_t level)
{
    const int32_t coaching =
        Staff_GetRating(club, STAFF_COACH_YOUTH) / 5 + Staff_GetRating(club, STAFF_YDO) / 10;
    // 5 holds the league's mean ability within 2 % of where the world began over 20 seasons,
    // with players growing until their peak ends (6 lifted it 3 %; 4 let it fall by 3-4 % once
    // the clubs' reputations stopped creeping up).
    return coaching
           + std::max(5 + VTW_GetClubRecordPtr(club)->reputation / 3, level - YOUTH_BELOW_LEVEL);
}

// A youth's potential lies from his standing's level less 8 up to that level plus 8 or, higher,
// the best player of that standing as the world began: the first world's squads stand around a
// level their means can miss by 3 points, and below their stars the league's ten best sank.
void AddYouth(int32_t id, int32_t club, const TeamLevel& standing)
{
    const int32_t below = YOUTH_POTENTIAL_SPREAD / 2;
    const int32_t spread =
        std::max(YOUTH_POTENTIAL_SPREAD, standing.best - standing.mean + below + 1);
    const ClubRecord& r = *VTW_GetClubRecordPtr(club);
    const bool home = Rand() % 100 < HOME_NATIONALITY_PERCENT;
    const int32_t nationality = home ? r.country : Rand() % NATIONALITY_COUNT;
    PlayerLife_MakeYoungPlayer(id, club, r,
                               {.nationality = nationality,
                                .year = GAME_FIRST_YEAR + GameState.seasonCounter,
                                .youngestAge = 16,
                                .abilityBase = YouthAbilityBase(club, standing.mean),
                                .abilityCap = 99,
                                .potentialBonus = 0,
                                .potentialSpread = spread,
                                .potentialLevel = standing.mean - below + spread / 2,
                                .reputationFromAbility = false,
                                .wageYears = 3});
}

// The line furthest below 2 keepers, 6 defenders, 6 midfielders and 4 forwards (defence on a tie).
int32_t ThinnestLine(const std::array<int32_t, LINE_COUNT>& have)
{
    constexpr std::array<int32_t, LINE_COUNT> WANTED = {2, 6, 6, 4};
    int32_t thinnest = 1;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (have[line] * WANTED[thinnest] < have[thinnest] * WANTED[line]) thinnest = line;
    }
    return thinnest;
}

// rank: the club's place by reputation as the season ended.
void ShiftReputation(ClubRecord* r, int32_t rank, int32_t pyramidPlace, int32_t cupsWon)
{
    const int32_t diff = rank - pyramidPlace;  // above 0: better than rated
    int32_t delta = 0;
    if (diff >= 2 || diff <= -2) delta = (diff > 0 ? 1 : -1) * std::min(4, 1 + std::abs(diff) / 6);
    delta = std::clamp(delta + cupsWon, -4, 4);
    r->reputation = static_cast<uint8_t>(std::clamp(r->reputation + delta, 0, 63));
}

// ---- The world outside: the light players of the small clubs and of the world's other clubs.

// A squad outside: a small club's id, or CLUB_ID_COUNT + the world team of a player of origin.
int32_t OutsideKey(const LightPlayerRecord& p)
{
    if (p.club >= 0 && p.club < CLUB_ID_COUNT) return p.club;
    if (p.club == CLUB_ORIGIN && p.originWord >= 0 && p.originWord < TEAM_COUNT)
        return CLUB_ID_COUNT + p.originWord;
    return -1;
}

bool IsOutsidePlayer(int32_t id)
{
    const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
    return !(DbPersons[id].flags & PERSON_FREE) && p.position != POSITION_MANAGER
           && OutsideKey(p) >= 0;
}

struct OutsideSquad {
    int32_t count;
    int32_t youthLevel;  // the ability its youths come in at, give or take
    std::array<int32_t, LINE_COUNT> lines;
    int16_t club;  // the squad's light club word and origin word, from one of its players
    int16_t originWord;
    uint8_t nationality;
};

using OutsideSquads = std::array<OutsideSquad, OUTSIDE_KEYS>;

int32_t TeamOfOutsideKey(int32_t key)
{
    return key < CLUB_ID_COUNT ? VTW_GetTeam(key) : key - CLUB_ID_COUNT;
}

void CountOutside(OutsideSquads* squads)
{
    std::vector<int32_t> abilitySum(OUTSIDE_KEYS);
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        if (!IsOutsidePlayer(id)) continue;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        const int32_t key = OutsideKey(p);
        OutsideSquad& s = (*squads)[key];
        ++s.count;
        abilitySum[key] += p.ability;
        ++s.lines[VTW_GetPositionLine(id)];
        s.club = p.club;
        s.originWord = p.originWord;
        s.nationality = DbPersons[id].nationality;
    }
    const std::vector<TeamLevel> levels = WorldTeamLevels();
    for (int32_t key = 0; key < OUTSIDE_KEYS; ++key) {
        OutsideSquad& s = (*squads)[key];
        if (s.count == 0) continue;
        const int32_t team = TeamOfOutsideKey(key);
        const int32_t level = team >= 0 && team < TEAM_COUNT ? levels[team].mean : 0;
        s.youthLevel = level > 0 ? level : abilitySum[key] / s.count;
    }
}

// Makes light id `id` a youth of the squad in `position`, at the squad's level give or take.
void MakeOutsideYouth(int32_t id, const OutsideSquad& s, uint8_t position)
{
    const int32_t style = std::min<int32_t>(s.nationality % WORLD_COUNTRY_COUNT,
                                            NAMES_ENTRY_COUNT / NAMES_STYLE_BLOCK - 1);
    const int32_t age = 17 + Rand() % 3;
    DbPersons[id] = {
        static_cast<uint16_t>(style * NAMES_STYLE_BLOCK + 1 + Rand() % (NAMES_STYLE_BLOCK - 1)),
        static_cast<uint8_t>(1 + Rand() % 26),
        s.nationality,
        static_cast<uint16_t>(Rand() % 7 | (Rand() % 4) << 3 | (Rand() % 8) << 6),
        static_cast<uint8_t>(GAME_FIRST_YEAR + GameState.seasonCounter - age - 1950),
        0};
    const int32_t ability = std::clamp(
        s.youthLevel - OUTSIDE_YOUTH_SPREAD + Rand() % (2 * OUTSIDE_YOUTH_SPREAD + 1), 5, 99);
    LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
    p = {};
    p.club = s.club;
    p.originWord = s.originWord;
    p.position = position;
    p.side = static_cast<uint8_t>(1 + Rand() % 3);
    p.ability = static_cast<uint8_t>(ability);
    p.seed = static_cast<uint16_t>((Rand() << 1) ^ Rand());
    p.reputation = static_cast<uint8_t>(std::max(0, (ability - 30) * 3 / 2));
    p.potential = static_cast<uint8_t>(std::min(100, ability + Rand() % 10));
}

// Squads below the minimum take youths on the light ids that players signed by the league left.
void FillOutsideSquads(OutsideSquads* squads)
{
    int32_t freeId = FullPlayerCount;
    for (OutsideSquad& s : *squads) {
        while (s.count > 0 && s.count < OUTSIDE_SQUAD_MIN) {
            while (freeId < DbPersonCount && !(DbPersons[freeId].flags & PERSON_FREE)) {
                ++freeId;
            }
            if (freeId == DbPersonCount) return;
            const int32_t line = ThinnestLine(s.lines);
            MakeOutsideYouth(freeId, s, PlayerLife_RandomPosition(line));
            ++s.lines[line];
            ++s.count;
        }
    }
}

// The retirement without his club's team made up again; his club, or CLUB_NONE.
int32_t RetireLeavingTheTeam(int32_t player)
{
    PlayerRecord* p = Player_RefForSet(player, "Retire").full;
    if (p == nullptr) return CLUB_NONE;
    const int32_t club = p->club;
    VTW_AddClubLog(player, club, CAREERLOG_RETIRED);
    if (club >= 0 && club == GameState.humanClub) PlayerLife_TellHuman(MSG_RETIRED, player, 0);
    DbPersons[player].flags = PERSON_FREE | PERSON_RETIRED;
    FormerPlayers_IdFreed(FORMER_POOL_FULL);
    PlayerLife_FreshRecord(player);
    return club;
}

}  // namespace

void PlayerLife_RenewOutside()
{
    auto squads = std::make_unique<OutsideSquads>();
    CountOutside(squads.get());
    std::vector<ReplacedPerson> retired;
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        if (!IsOutsidePlayer(id) || !Retires(id)) continue;
        retired.push_back({static_cast<int16_t>(id), DbPersons[id]});
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        MakeOutsideYouth(id, (*squads)[OutsideKey(p)], p.position);
    }
    // The records name the men who retired, and those whose light ids the youths below take, as
    // they were.
    FormerPlayers_SettleReplaced(retired);
    FillOutsideSquads(squads.get());
    Records_MembershipChanged();
}

void PlayerLife_MakeYoungPlayer(int32_t id, int32_t club, const ClubRecord& r,
                                const YoungPlayerTerms& terms)
{
    // The id may have been a player who retired or was sold abroad: nothing of his is this youth's,
    // and the records name him as he was.
    FormerPlayers_Settle(FORMER_POOL_FULL);
    PlayerLife_FreshRecord(id);
    const int32_t line = PlayerLife_NeediestLine(club);
    const int32_t style = std::min<int32_t>(terms.nationality % WORLD_COUNTRY_COUNT,
                                            NAMES_ENTRY_COUNT / NAMES_STYLE_BLOCK - 1);
    const uint16_t nameIndex = PlayerLife_NewSurname(club, style);
    const int32_t age = terms.youngestAge + Rand() % 3;
    DbPersons[id] = {nameIndex,
                     static_cast<uint8_t>(1 + Rand() % 26),
                     static_cast<uint8_t>(terms.nationality),
                     static_cast<uint16_t>(Rand() % 7 | (Rand() % 4) << 3 | (Rand() % 8) << 6),
                     static_cast<uint8_t>(terms.year - age - 1950),
                     0};
    PlayerRecord& p = DbPlayers[id];
    p.club = static_cast<int16_t>(club);
    p.originWord = r.team;
    p.askingPrice = -1;
    p.position = PlayerLife_RandomPosition(line);
    p.side = static_cast<uint8_t>(1 + Rand() % 3);
    p.ability =
        static_cast<uint8_t>(std::clamp(terms.abilityBase + Rand() % 11, 5, terms.abilityCap));
    p.training = static_cast<uint8_t>(30 + Rand() % 51);
    const int32_t potential =
        terms.potentialLevel > 0
            ? std::max<int32_t>(p.ability, terms.potentialLevel - terms.potentialSpread / 2
                                               + Rand() % terms.potentialSpread)
            : p.ability + terms.potentialBonus + Rand() % terms.potentialSpread;
    p.potential = static_cast<uint8_t>(std::min(100, potential));
    p.seed = static_cast<uint16_t>((Rand() << 1) ^ Rand());
    if (terms.reputationFromAbility)
        p.reputation = static_cast<uint8_t>(std::max(0, (p.ability - 30) * 3 / 2));
    p.contractMonths = static_cast<uint8_t>(24 + Rand() % 13);
    p.morale = 75;
    p.fitness = 100;
    p.wage = VTW_RoundTo25(Contract_WorldWage(id, club, terms.wageYears));
}

uint16_t PlayerLife_NewSurname(int32_t club, int32_t style)
{
    uint16_t nameIndex;
    do {
        nameIndex =
            static_cast<uint16_t>(style * NAMES_STYLE_BLOCK + 1 + Rand() % (NAMES_STYLE_BLOCK - 1));
    } while (SurnameTaken(club, nameIndex));
    return nameIndex;
}

uint8_t PlayerLife_RandomPosition(int32_t line)
{
    constexpr std::array<int32_t, LINE_COUNT> FIRST_CODE = {0, 1, 5, 10};
    constexpr std::array<int32_t, LINE_COUNT> CODES = {1, 4, 5, 3};
    return static_cast<uint8_t>(FIRST_CODE[line] + Rand() % CODES[line]);
}

int32_t PlayerLife_NeediestLine(int32_t club)
{
    std::array<int32_t, LINE_COUNT> have{};
    for (int32_t id = PERSON_HUMAN; id < FullPlayerCount; ++id) {
        if (Squad_IsMember(id, club)) ++have[VTW_GetPositionLine(id)];
    }
    return ThinnestLine(have);
}

void PlayerLife_Retire(int32_t player) { Market_PlayerLeft(RetireLeavingTheTeam(player)); }

void PlayerLife_FreshRecord(int32_t id)
{
    PlayerRecord* p = Player_RefForSet(id, "FreshRecord").full;
    if (p == nullptr) return;
    *p = {};
    p->club = CLUB_NONE;
    p->loanClub = -1;
    MatchDay_ClearPlayerSeason(id);
    DailyTraining_ForgetPlayer(id);
    CareerLog_ClearLogged(id);
    CareerLog_ForgetRows(id);
    PlayerHistory_Forget(id);
    Market_ClearBidsFor(id);
    Market_ForgetHumanBusiness(id);
    ShortList_Remove(id);
}

int32_t PlayerLife_YouthIntake(int32_t club)
{
    const int32_t squad = VTW_GetClubSquadCount(club);
    int32_t wanted = std::max(2 + Rand() % 3, YOUTH_SQUAD_TARGET - squad);
    wanted = std::min({wanted, YOUTH_MAX, std::max(0, SQUAD_TARGET_MAX - squad)});
    const TeamLevel standing = wanted > 0 ? StandingLevel(club) : TeamLevel{};
    int32_t joined = 0;
    for (; joined < wanted; ++joined) {
        const int32_t id = FindFreeId();
        if (id < 0) {
            DebugPrintf(DBG_GENERAL, 1,
                        "PlayerLife_YouthIntake(): no free player id left for club %d\n", club);
            break;
        }
        AddYouth(id, club, standing);
    }
    if (joined > 0) {
        Records_MembershipChanged();  // the youths reuse ids of players who left
        VTW_UpdateTeam(club);
    }
    if (joined > 0 && club == GameState.humanClub) PlayerLife_TellHuman(MSG_YOUTH, -1, joined);
    return joined;
}

int32_t PlayerLife_CallUpYouth(int32_t club)
{
    const int32_t id = FindFreeId();
    if (id < 0) return -1;
    AddYouth(id, club, StandingLevel(club));
    Records_MembershipChanged();
    VTW_UpdateTeam(club);
    if (club == GameState.humanClub) PlayerLife_TellHuman(MSG_YOUTH, -1, 1);
    return id;
}

void PlayerLife_HumanTakesTheField(int32_t club)
{
    // The line his squad lacks most, in its central position.
    constexpr std::array<uint8_t, LINE_COUNT> CENTRAL_POSITION = {0, 2, 7, 11};
    const int32_t line = PlayerLife_NeediestLine(club);
    const int32_t count = VTW_RefreshSquadCount(club);
    std::array<int32_t, SQUAD_MAX> abilities{};
    int32_t lowestWage = INT32_MAX;
    for (int32_t k = 0; k < count; ++k) {
        abilities[k] = VTW_GetPlayerAbilityCurve(SquadList.players[k]);
        lowestWage = std::min(lowestWage, VTW_GetPlayerWage(SquadList.players[k]));
    }
    std::sort(abilities.begin(), abilities.begin() + count);
    PlayerRecord& human = DbPlayers[PERSON_HUMAN];
    human.position = CENTRAL_POSITION[line];
    human.side = SIDE_BOTH;
    human.ability = static_cast<uint8_t>(count > 0 ? abilities[count / 2] : HUMAN_ABILITY_ALONE);
    human.potential = human.ability;
    human.training = HUMAN_TRAINING;
    human.fitness = 100;
    human.fatigue = 0;
    human.morale = HUMAN_MORALE;
    human.shirt = 0;
    human.experience = static_cast<uint8_t>(Stat_ExperienceOfAge(VTW_GetPlayerAge(PERSON_HUMAN)));
    human.flags |= PLAYER_MANAGER;
    Records_MembershipChanged();
    human.contractMonths = HUMAN_CONTRACT_MONTHS;
    // Paid on the world's scale as a player of his squad's middle ability; the scale pays a man
    // of forty less than one in his prime, but never less than the squad's least paid player.
    const int32_t wage = Contract_WorldWage(PERSON_HUMAN, club, HUMAN_CONTRACT_YEARS);
    human.wage = VTW_RoundTo25(count > 0 ? std::max(wage, lowestWage) : wage);
}

void PlayerLife_HumanManagesOnly()
{
    PlayerRecord& human = DbPlayers[PERSON_HUMAN];
    const bool played = human.position != POSITION_MANAGER;
    human.position = POSITION_MANAGER;
    human.shirt = 0;
    human.wage = 0;
    human.contractMonths = 0;
    human.flags &= ~(PLAYER_MANAGER | PLAYER_CAPTAIN);
    Records_MembershipChanged();
    // Whatever he was in the team, captain or set-piece taker, passes to the others.
    if (played && human.club >= 0 && VTW_GetClubRecordPtr(human.club) != nullptr)
        VTW_UpdateTeam(human.club);
}

void PlayerLife_NewSeason()
{
    for (int32_t id = PERSON_HUMAN; id < FullPlayerCount; ++id) {
        if (!PlayerLife_IsActivePlayer(id)) continue;
        CloseSeason(id, &DbPlayers[id]);
        Develop(id, &DbPlayers[id]);
    }
    // Each club's team is made up and its lines covered once, after its last retirement: each
    // made up at once rebuilt the clubs' member index. The player-manager hangs up his boots when
    // he chooses to.
    std::array<bool, CLUB_FULL_MAX> left{};
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!PlayerLife_IsActivePlayer(id) || !Retires(id)) continue;
        const int32_t club = RetireLeavingTheTeam(id);
        if (club >= 0 && club < CLUB_FULL_MAX) left[club] = true;
    }
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        if (left[club]) VTW_UpdateTeam(club);
    }
}

void PlayerLife_ShiftReputations()
{
    // Every club is judged against the ranks as the season ended: read while the shifts went on,
    // each club shifted moved the ranks of those judged after it, and the league's reputation
    // crept up season after season.
    const int32_t clubs = World_LeagueClubCount(GameState.country);
    std::array<int32_t, CLUB_FULL_MAX> ranks{};
    for (int32_t club = 0; club < clubs; ++club) {
        ranks[club] = VTW_GetClubRepRank(club);
    }
    int32_t above = 0;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        for (int32_t place = 0; place < VTW_GetDivisionSize(division); ++place) {
            const int32_t club = VTW_GetDivisionSlot(division, place);
            if (club < 0 || club >= clubs) continue;
            int32_t cups = 0;
            for (int32_t cup = 0; cup < CUP_COUNT; ++cup) {
                cups += VTW_ClubHoldsHonour(club, cup, 0);
            }
            ShiftReputation(VTW_GetClubRecordPtr(club), ranks[club], above + place + 1, cups);
        }
        above += VTW_GetDivisionSize(division);
    }
}

void PlayerLife_TellHuman(int32_t group, int32_t person, int32_t number)
{
    TextMessParams params = TextMess_NoParams();
    params.person[0] = static_cast<int16_t>(person);
    params.number[0] = number;
    TextMess_SetParams(params);
    TextMess_PickRandom(group);
    TextMess_ShowForHumans();
}

bool PlayerLife_IsActivePlayer(int32_t id)
{
    return !Records_PlaysNoFootball(id) && DbPlayers[id].position != POSITION_MANAGER;
}
