// game/funcs_tables.cpp: the selected country's divisions and cups, and the competition texts.
#include <cstdio>

#include "game/fixtures.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr int32_t TEXT_DIVISION_SHORT = 2500;
constexpr int32_t TEXT_DIVISION_LONG = 2510;
constexpr int32_t TEXT_CUP_NAMES = 2410;
constexpr int32_t TEXT_ROUND_FIRST = 2680;  // "1er tour"
constexpr int32_t TEXT_LAST_SIXTEEN = 2685;
constexpr int32_t TEXT_FINAL = 2688;
constexpr int32_t TEXT_SUPER_CUP = 2689;
constexpr int32_t TEXT_LEAGUE = 2690;
constexpr int32_t TEXT_GROUP_STAGE = 2691;
constexpr int32_t TEXT_PLAYOFF_FIRST = 112;
constexpr int32_t TEXT_FIRST_LEG = 134;
constexpr int32_t TEXT_SECOND_LEG = 135;
constexpr int32_t TEXT_FRIENDLY = 701;
constexpr int32_t TEXT_INTERNATIONAL = 1559;
constexpr int32_t HEADING_BYTES = 64;

const WorldCountry& Selected() { return World_Country(GameState.country); }

int32_t ShortDivisionName(int32_t country, int32_t division)
{
    return TEXT_DIVISION_SHORT + 20 * country + division;
}

int32_t FirstRound(int32_t cup) { return VTW_GetCupFirstComp(cup) - Fixture_CupComp(cup, 0, 0); }

// Rounds are named from the final back: final, semi-final, quarter-final, last sixteen, then
// counted from the cup's first round.
int32_t StageText(int32_t comp)
{
    if (comp == COMP_CHAMPIONS_GROUPS) return TEXT_GROUP_STAGE;
    const int32_t cup = VTW_GetCompCup(comp);
    const int32_t round = VTW_GetCompRound(comp);
    const int32_t toFinal = Cup_FinalRound(cup) - round;
    if (toFinal >= 0 && toFinal <= 3) return TEXT_FINAL - toFinal;
    return TEXT_ROUND_FIRST + round - FirstRound(cup);
}

int32_t LegText(int32_t comp)
{
    if (Fixture_IsSecondLeg(comp)) return TEXT_SECOND_LEG;
    const int32_t cup = VTW_GetCompCup(comp);
    return Fixture_RoundLegs(cup, VTW_GetCompRound(comp)) == 2 ? TEXT_FIRST_LEG : -1;
}

}  // namespace

int32_t VTW_GetCountryDivisions() { return Selected().divisionCount; }

int32_t VTW_GetDivisionCount()
{
    int32_t count = 0;
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        count += VTW_DivisionExists(division);
    }
    return count;
}

int32_t VTW_GetDivisionSize(int32_t division)
{
    if (division < 0 || division >= Selected().divisionCount) return 0;
    return Selected().divisionSize[division];
}

int32_t VTW_DivisionExists(int32_t division) { return VTW_GetDivisionSize(division) > 0 ? 1 : 0; }

int32_t VTW_IsValidDivision(int32_t division)
{
    return VTW_DivisionExists(division) ? division : -1;
}

int32_t VTW_GetDivisionTextNo(int32_t division) { return VTW_GetDivisionNameTextNo(division); }

int32_t VTW_GetDivisionNameTextNo(int32_t division)
{
    return ShortDivisionName(GameState.country, division);
}

int32_t VTW_GetCountryDivisionTextNo(int32_t country, int32_t division)
{
    if (country < 0 || country >= COUNTRY_COUNT) return -1;
    if (division < 0 || division >= World_Country(country).divisionCount) return -1;
    return ShortDivisionName(country, division);
}

int32_t VTW_GetDivisionLongNameTextNo(int32_t division)
{
    if (!VTW_DivisionExists(division)) return -1;
    return TEXT_DIVISION_LONG + 20 * GameState.country + division;
}

int32_t VTW_GetCountryCupCount() { return Selected().nationalCups; }

int32_t VTW_GetCountryTextNo(int32_t n) { return TEXT_CUP_NAMES + 10 * GameState.country + n; }

int32_t VTW_BuildTable668(int32_t comp, int32_t* stage, int32_t* leg)
{
    *stage = -1;
    *leg = -1;
    if (comp == COMP_LEAGUE) return TEXT_LEAGUE;
    if (comp >= COMP_PLAYOFF_FIRST && comp <= COMP_PLAYOFF_FINAL)
        return TEXT_PLAYOFF_FIRST + comp - COMP_PLAYOFF_FIRST;
    if (comp == COMP_SUPER_CUP) return TEXT_SUPER_CUP;
    if (comp == COMP_FRIENDLY) return TEXT_FRIENDLY;
    if (comp == COMP_INTERNATIONAL) return TEXT_INTERNATIONAL;
    const int32_t cup = VTW_GetCompCup(comp);
    const int32_t round = VTW_GetCompRound(comp);
    if (cup < 0 || round > Cup_FinalRound(cup) || round < FirstRound(cup)) return -1;
    *stage = StageText(comp);
    *leg = LegText(comp);
    return VTW_GetCountryTextNo(cup);
}

void VTW_GetCompetitionTexts(int32_t comp, int32_t* name, int32_t* stage, int32_t* leg)
{
    *name = VTW_BuildTable668(comp, stage, leg);
}

void VTW_FormatFixtureCompText(int32_t row, char* line1, char* line2)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    const int32_t home = VTW_GetFixtureHomeClub(row);
    int32_t stage = -1;
    int32_t leg = -1;
    const int32_t name = VTW_BuildTable668(comp, &stage, &leg);
    if (comp == COMP_LEAGUE) {
        std::snprintf(line1, HEADING_BYTES, "%s",
                      GetMessageText(VTW_GetDivisionLongNameTextNo(VTW_FindDivisionOfTeam(home))));
    } else {
        std::snprintf(line1, HEADING_BYTES, "%s", GetMessageText(name));
    }
    if (comp == COMP_CHAMPIONS_GROUPS)
        stage = VTW_GetTextNoFromTable(VTW_GetChampionsLeagueGroup(home));
    const char* separator = stage >= 0 && leg >= 0 ? " - " : "";
    std::snprintf(line2, HEADING_BYTES, "%s%s%s", GetMessageText(stage), separator,
                  GetMessageText(leg));
}
