// menus/devsoak.h: "Fixtures/Soak" (option 67), the developer's screen for the unattended run's
// target (a date, the next match day, the next cup match, a number of weeks or of matches) and
// the fixed score of the human's next match, with his club's next seven fixtures.
#pragma once

#include <cstdint>

struct MenuHotspot;
struct MenuItem;

constexpr int32_t DEV_SOAK_FIXTURE_ROWS = 7;
constexpr int32_t DEV_SOAK_FIRST_DAYS =
    2;  // a first target, and the match searches, from today + 2

enum DevSoakKind : int16_t {
    SOAK_UNTIL,      // a date
    SOAK_MATCH_DAY,  // the human club's next fixture from two days ahead
    SOAK_CUP_MATCH,  // its N-th cup fixture from two days ahead
    SOAK_WEEKS,      // N weeks from today
    SOAK_MATCHES,    // its N-th fixture from today
    SOAK_KIND_COUNT,
};

// The target as a calendar date (month 0-11, year -1: none chosen yet) and the counters that
// describe it from today.
struct DevSoakTarget {
    int16_t kind;
    int16_t day;
    int16_t month;
    int16_t year;
    int16_t weeks;       // whole weeks from today
    int16_t matches;     // the human club's fixtures from today to the target
    int16_t cupMatches;  // N of SOAK_CUP_MATCH
    int16_t fixture;     // the fixture of SOAK_MATCH_DAY or SOAK_CUP_MATCH, -1 none
};
extern DevSoakTarget DevSoak;  // owned by DevSoak

void DevSoakInit();  // no target chosen
void DevSoakUninit();

// The build: the first one without a target takes today + 2 days; the fixed score's values are
// -1 while fixing is off.
void DevSoak_Init();

// The editors: `up` for a left click, else a right click. Each answers 2 and leaves the counters
// describing the new target.
enum DevSoakDateField : int32_t { SOAK_FIELD_DAY, SOAK_FIELD_MONTH, SOAK_FIELD_YEAR };
int32_t DevSoak_StepDate(int32_t field, bool up);
int32_t DevSoak_StepWeeks(bool up);    // 7 days a step, at least one week
int32_t DevSoak_StepMatches(bool up);  // within 1 .. the fixtures left
int32_t DevSoak_StepCupMatches(bool up);
int32_t DevSoak_ToMatchDay();
// Fixing: a value cycles 0, 1, 2 and switches fixing on; the button switches it off (both
// values -1) or on (a value of -1 becomes 0).
int32_t DevSoak_StepFixed(bool away, bool up);
int32_t DevSoak_ToggleFixing();

// With the run on, the target becomes the run's stop day and season.
void DevSoak_Commit();

// The target's season (0 for 1999/2000) and day of that season.
int32_t DevSoak_TargetSeason();
int32_t DevSoak_TargetSeasonDay();

// "soakday": the run's stop day, -1 without a target.
void DevSoak_RegisterScriptValues();

const MenuItem* DevSoak_Table();  // option 67
