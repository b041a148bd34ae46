// game/playersearch.cpp: the player search's criteria, filter, score and list.
#include "game/playersearch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/debug.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/textmess.h"

// clang-format off
const int16_t SearchCriterionText[SEARCH_CRITERIA] = {
    44, 45, 43, 42, 46, 41, 47, 58, 48,  // passes, shots, tackles, headers, dribbling, saves,
                                          // control, charisma, set pieces
    49, 52, 50, 51, 53, 54, 55, 56, 57,  // pace, stamina, agility, power, resilience, vision,
                                          // mental, aggression, intelligence
};
// clang-format on

int16_t SearchWeights[SEARCH_CRITERIA];
int16_t SearchMinimums[SEARCH_CRITERIA];
uint8_t PlayerSearchMode;
uint32_t SearchListDirty;
SearchSettings SearchSetup;
SearchPreset SearchPresets[SEARCH_PRESETS];
int32_t SearchLastPreset;
SearchResults SearchList;

namespace {

constexpr int32_t CRITERION_FIRST_TEXT = 41;
constexpr int32_t CRITERION_LAST_TEXT = 58;
constexpr int32_t TEXT_PRESET_FIRST = 636;
constexpr int32_t UNSETTLED_MORALE = 30;
constexpr int32_t CONTRACT_ENDING = 12;
constexpr int32_t SHIRT_FIRST_SUBSTITUTE = 12;
constexpr int32_t SHIRT_LAST_STARTER = 11;
constexpr int32_t SIDE_CENTRAL = 0;
constexpr int32_t SIDE_LEFT = 1;
constexpr int32_t SIDE_RIGHT = 2;

// Sort keys the build always adds after the chosen one: squad order, then the id.
constexpr uint16_t KEY_LINE = 6;
constexpr uint16_t KEY_SHIRT = 25;
constexpr uint16_t KEY_ID = 0;

// The nationalities of Europe among the codes 32-95; the rest of that range is the world.
constexpr int32_t kEuropeanAbroad[] = {33, 40, 45, 65, 69, 71, 72, 73, 77, 80, 84, 89};

// The stat behind each criterion text 41-58; personality stats are halved, as their getter does.
struct CriterionStat {
    int32_t stat;
    bool halved;
};
// clang-format off
constexpr CriterionStat kCriterionStats[] = {
    {0, false},  {1, false},  {2, false},  {3, false},  {4, false},  {5, false},   // 41-46
    {6, false},  {7, false},  {8, false},  {9, false},  {10, false}, {11, false},  // 47-52
    {12, false}, {13, false}, {14, false}, {15, true},  {19, true},  {20, true},   // 53-58
};
// clang-format on
static_assert(std::size(kCriterionStats) == CRITERION_LAST_TEXT - CRITERION_FIRST_TEXT + 1);

bool s_careerStarted;

int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }

// The foot as the search names it; two-footed players count as the foot asked for, if any.
int32_t FootOf(int32_t player, int32_t chosen)
{
    switch (VTW_GetPlayerSide(player)) {
        case SIDE_LEFT: return FOOT_LEFT;
        case SIDE_RIGHT: return FOOT_RIGHT;
        case SIDE_CENTRAL: return FOOT_CENTRAL;
        default: return chosen == FOOT_LEFT || chosen == FOOT_RIGHT ? chosen : FOOT_EITHER;
    }
}

bool FootPasses(int32_t player, const SearchSettings& s)
{
    return s.foot == FOOT_ANY || FootOf(player, s.foot) == s.foot;
}

bool LinePasses(int32_t player, const SearchSettings& s)
{
    const int32_t line = VTW_GetPositionType(player);
    return line >= 0 && line < SEARCH_LINES && s.lines[line] != 0;
}

bool WherePasses(int32_t player, int32_t club, const SearchSettings& s)
{
    if (club == CLUB_NONE) return s.withoutContract != 0;
    if (club == CLUB_ORIGIN) {
        const int32_t nation = VTW_GetPlayerNationality(player);
        return (PlayerSearch_CountryClass(nation) & s.countryMask) != 0;
    }
    const uint8_t cls = PlayerSearch_CountryClass(VTW_GetClubCountry(club));
    if ((cls & s.countryMask) == 0) return false;
    if (cls != SEARCH_NATIONAL) return true;
    // A club of the country outside its leagues has no toggle that could leave it out.
    const int32_t division = VTW_GetClubDivision(club);
    return division < 0 || division >= DIVISION_MAX || s.divisions[division] != 0;
}

bool StatusPasses(int32_t player, int32_t status)
{
    switch (status) {
        case STATUS_TRANSFER_LIST: return VTW_GetPlayerTxList(player) == 1;
        case STATUS_LOAN_LIST: return VTW_GetPlayerLoanList(player) == 1;
        case STATUS_UNSETTLED: return VTW_GetPlayerMoralePercent(player) < UNSETTLED_MORALE;
        case STATUS_CONTRACT_ENDING: return VTW_GetPlayerContract(player) < CONTRACT_ENDING;
        default: return true;
    }
}

// Steps 1-8 of the search's filter: everything but the minimums, cheapest reads first.
bool PassesSettings(int32_t player, int32_t humanClub)
{
    const SearchSettings& s = SearchSetup;
    if (player < PERSON_FIRST_ORDINARY) return false;
    const int32_t club = VTW_GetPlayerClub(player);
    if (club == humanClub) return false;
    if (!WherePasses(player, club, s)) return false;
    const int32_t age = VTW_GetPlayerAge(player);
    if (age < std::min(s.ages[0], s.ages[1]) || age > std::max(s.ages[0], s.ages[1])) return false;
    if (!FootPasses(player, s)) return false;
    if (!StatusPasses(player, s.status)) return false;
    if (!LinePasses(player, s)) return false;
    if (VTW_GetPlayerManager(player) == 1 || VTW_GetPlayerManagerFlag(player) == 1) return false;
    const int32_t wage = VTW_GetPlayerWage(player);
    // A player without a club earns nothing: the wage tests would hide every one of them.
    if (club != CLUB_NONE && (wage > s.maxWage || wage == 0)) return false;
    return VTW_GetPlayerValue(player) <= s.maxValue;
}

bool PassesMinimums(const int32_t values[SEARCH_CRITERIA])
{
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        if (SearchMinimums[row] > values[row]) return false;
    }
    return true;
}

int32_t ScoreOf(const int32_t values[SEARCH_CRITERIA])
{
    int32_t score = 0;
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        score += SearchWeights[row] * values[row];
    }
    return score;
}

// The search screen's own choice of players of the human's club or shortlist, before the filter.
bool PickedBySearchToggles(int32_t player, int32_t club, int32_t humanClub)
{
    const SearchSettings& s = SearchSetup;
    const bool ownClub = (s.ownClub != 0 || s.sameLine != 0) && club == humanClub;
    const bool shortlisted = s.shortlist != 0 && ShortList_Contains(player) != 0;
    if (!ownClub && !shortlisted) return false;
    return s.sameLine == 0 || LinePasses(player, s);
}

// The analysis lists the human's players; the match team those with shirts 1-11.
bool PickedByAnalysis(int32_t player, int32_t club, int32_t humanClub)
{
    const SearchSettings& s = SearchSetup;
    if (s.ownClub == 0 || club != humanClub) return false;
    if (VTW_GetPlayerManagerFlag(player) != 1 && VTW_GetPlayerPosition(player) == POSITION_MANAGER)
        return false;
    if (s.matchTeam != 0) {
        const int32_t shirt = VTW_GetPlayerShirt(player);
        if (shirt >= SHIRT_FIRST_SUBSTITUTE && shirt < SHIRT_FIRST_SUBSTITUTE + SEARCH_SUBSTITUTES)
            SearchList.substitutes[shirt - SHIRT_FIRST_SUBSTITUTE] = static_cast<int16_t>(player);
        return shirt >= 1 && shirt <= SHIRT_LAST_STARTER;
    }
    return FootPasses(player, s) && LinePasses(player, s);
}

// Whether the player enters the list; his criterion values are read only when needed.
bool Listed(int32_t player, int32_t humanClub, int32_t values[SEARCH_CRITERIA])
{
    bool valuesRead = false;
    if (SearchSetup.markedOnly != 0) {
        if (ShortList2_Contains(player) == 0) return false;
    } else {
        const int32_t club = VTW_GetPlayerClub(player);
        if (SearchSetup.searchActive != 0) {
            if (!PickedBySearchToggles(player, club, humanClub)) {
                if (!PassesSettings(player, humanClub)) return false;
                PlayerSearch_CriterionValues(player, values);
                valuesRead = true;
                if (!PassesMinimums(values)) return false;
            }
        } else if (!PickedByAnalysis(player, club, humanClub)) {
            return false;
        }
    }
    if (!valuesRead) PlayerSearch_CriterionValues(player, values);
    return true;
}

// The ten outfield slots of the selected tactic, each holding the player with its shirt.
void FillFormationGrid(int32_t humanClub)
{
    for (auto& row : SearchList.grid) {
        std::fill(std::begin(row), std::end(row), SEARCH_GRID_EMPTY);
    }
    if (humanClub < 0) return;
    VTW_RefreshSquadCount(humanClub);
    const TacticsRecord* tactic = GetTactic(SelectedTactic);
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        const TacticsSlot& t = tactic->slots[slot];
        if (t.row < 0 || t.row >= TACTIC_GRID_ROWS || t.column < 0
            || t.column >= TACTIC_GRID_COLUMNS)
            continue;
        const int32_t player = VTW_GetPlayerByShirt(slot + 1);
        if (player >= 0) SearchList.grid[t.row][t.column] = static_cast<int16_t>(player);
    }
}

void ResetList()
{
    std::fill(std::begin(SearchList.players), std::end(SearchList.players), SEARCH_LIST_END);
    std::fill(std::begin(SearchList.substitutes), std::end(SearchList.substitutes), int16_t{-1});
    SearchList.count = 0;
}

void StoreName(SearchPreset* preset, const char* name)
{
    std::snprintf(preset->name, sizeof preset->name, "%s", name);
}

}  // namespace

SearchSettings PlayerSearch_DefaultSettings()
{
    SearchSettings s{};
    s.searchActive = 1;
    s.displayMode = 2;
    s.infoColumns[0] = 240;
    s.infoColumns[1] = 60;
    s.sortKey = 1;
    s.ages[0] = SEARCH_AGE_MIN;
    s.ages[1] = SEARCH_AGE_MAX;
    s.maxWage = 1000000;
    s.maxValue = 1000000;
    s.editsValue = 1;
    std::fill(s.lines, s.lines + LINE_COUNT, uint8_t{1});
    s.foot = FOOT_ANY;
    s.status = STATUS_ANY;
    s.countryMask = SEARCH_NATIONAL;
    std::fill(std::begin(s.divisions), std::end(s.divisions), uint8_t{1});
    s.ownClub = 1;
    s.graph = 1;
    s.numbers = 1;
    s.selected = -1;
    return s;
}

void PlayerSearchSettings_Init()
{
    std::fill(std::begin(SearchWeights), std::end(SearchWeights), int16_t{0});
    std::fill(std::begin(SearchMinimums), std::end(SearchMinimums), int16_t{0});
    PlayerSearchMode = 0;
    SearchListDirty = 1;
    SearchSetup = PlayerSearch_DefaultSettings();
    for (SearchPreset& preset : SearchPresets) {
        preset = {};
    }
    SearchLastPreset = -1;
    SearchList = {};
    SearchList.humanClub = -1;
    ResetList();
    for (auto& row : SearchList.grid) {
        std::fill(std::begin(row), std::end(row), SEARCH_GRID_EMPTY);
    }
    s_careerStarted = true;
}

void PlayerSearchSettings_Uninit() { PlayerSearchSettings_Init(); }

void PlayerSearch_CareerStarted() { s_careerStarted = true; }

bool PlayerSearch_TakeCareerStart()
{
    const bool started = s_careerStarted;
    s_careerStarted = false;
    return started;
}

int32_t GiveMeValuefor(int32_t player, int32_t criterionText)
{
    if (criterionText == SEARCH_CRITERION_NONE) return 0;
    if (criterionText < CRITERION_FIRST_TEXT || criterionText > CRITERION_LAST_TEXT) {
        DebugPrintf(DBG_GENERAL, 0, "GiveMeValuefor(): Passing an invalid skill\n");
        return 0;
    }
    const CriterionStat c = kCriterionStats[criterionText - CRITERION_FIRST_TEXT];
    int32_t value = 0;
    if (c.stat < STAT_PHYSICAL_FIRST) {
        value = VTW_GetAbilityStat(player, c.stat);
    } else if (c.halved) {
        value = VTW_GetPersonalityStat(player, c.stat);
    } else {
        value = VTW_GetPhysicalStat(player, c.stat);
    }
    return static_cast<int16_t>(value);
}

void PlayerSearch_CriterionValues(int32_t player, int32_t out[SEARCH_CRITERIA])
{
    int32_t stats[STAT_COUNT];
    Player_GetStats(player, stats);
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        const CriterionStat c = kCriterionStats[SearchCriterionText[row] - CRITERION_FIRST_TEXT];
        out[row] = static_cast<int16_t>(c.halved ? stats[c.stat] / 2 : stats[c.stat]);
    }
}

int32_t PlayerSearch_Score(int32_t player)
{
    int32_t score = 0;
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        if (SearchWeights[row] != 0)
            score += SearchWeights[row] * GiveMeValuefor(player, SearchCriterionText[row]);
    }
    return score;
}

int32_t PlayerSearch_Matches(int32_t player)
{
    if (!PassesSettings(player, HumanClub())) return 0;
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        if (SearchMinimums[row] > GiveMeValuefor(player, SearchCriterionText[row])) return 0;
    }
    return 1;
}

uint8_t PlayerSearch_CountryClass(int32_t country)
{
    const bool european = std::find(std::begin(kEuropeanAbroad), std::end(kEuropeanAbroad), country)
                          != std::end(kEuropeanAbroad);
    if (country >= 32 && country <= 95 && !european) return SEARCH_WORLD;
    return country == VTW_GetCountry() ? SEARCH_NATIONAL : SEARCH_EUROPEAN;
}

void PlayerSearch_SetSortKeys()
{
    const uint16_t key = SearchSetup.sortKey;
    if (SearchSetup.grouping != 0) {
        PickList5_Set(KEY_LINE, key, KEY_SHIRT, KEY_ID, PICKLIST_NO_KEY);
    } else {
        PickList5_Set(key, KEY_SHIRT, KEY_ID, PICKLIST_NO_KEY, PICKLIST_NO_KEY);
    }
}

void PlayerSearch_Build()
{
    if (SearchListDirty == 0) return;
    const int32_t humanClub = HumanClub();
    SearchList.humanClub = humanClub;
    ResetList();
    FillFormationGrid(humanClub);
    int32_t values[SEARCH_CRITERIA];
    for (int32_t player = 0; player < DbPersonCount; ++player) {
        if (!Listed(player, humanClub, values)) continue;
        PlayerSearchScore[player] = ScoreOf(values);
        SearchList.players[SearchList.count++] = static_cast<int16_t>(player);
    }
    std::sort(SearchList.players, SearchList.players + SearchList.count, PlayerList_Before);
    if (SearchList.count < SearchSetup.firstRow + SEARCH_PAGE_ROWS) SearchSetup.firstRow = 0;
    SearchListDirty = 0;
}

void PlayerSearch_SavePreset(int32_t slot, const char* name)
{
    SearchPreset& preset = SearchPresets[slot];
    preset.settings = SearchSetup;
    std::copy(std::begin(SearchWeights), std::end(SearchWeights), preset.weights);
    std::copy(std::begin(SearchMinimums), std::end(SearchMinimums), preset.minimums);
    preset.used = 1;
    StoreName(&preset, name);
}

bool PlayerSearch_LoadPreset(int32_t slot)
{
    const SearchPreset& preset = SearchPresets[slot];
    if (preset.used == 0) return false;
    SearchSetup = preset.settings;
    std::copy(std::begin(preset.weights), std::end(preset.weights), SearchWeights);
    std::copy(std::begin(preset.minimums), std::end(preset.minimums), SearchMinimums);
    SearchLastPreset = slot;
    SearchListDirty = 1;
    return true;
}

void PlayerSearch_NameUnusedPresets()
{
    for (int32_t slot = 0; slot < SEARCH_PRESETS; ++slot) {
        if (SearchPresets[slot].used == 0)
            StoreName(&SearchPresets[slot], GetMessageText(TEXT_PRESET_FIRST + slot));
    }
}
