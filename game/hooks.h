// game/hooks.h: the upward calls that the front end answers; each has a headless default.
#pragma once

#include <cstdint>

struct KitDesign;

struct GameHookTable {
    void (*ShowMessage)(const char* text);            // a news text for the human
    const char* (*FormatMoney)(int32_t value);        // money as the "$<d>m" code shows it
    void (*FillSquadTable)(int32_t club, int32_t n);  // the squad screens' table of a club
    void (*SetTrainingDefaults)();  // at a new game and the end of each league season
    void (*StoreTrainingSchedule)();
    // The kit a side of a fixture wears (isAway 0 home side, 1 away side) into *out.
    void (*GetTeamDesign)(int32_t home, int32_t away, int32_t isAway, KitDesign* out);
    // The human's match, played from the match-day block into the match data block.
    void (*PlayWatchedMatch)();
    // The post-match screens, until bit 0 of MatchReportFlags is set.
    void (*PostMatchSequence)();
    void (*DayScreenStep)();             // one step of the day screen while a match day runs
    void (*SetBusyPointer)(int32_t on);  // around a day's advance
    // The news builders of the day's events.
    void (*NewsPlayerMissing)(int32_t club, int32_t player);
    void (*NewsManagerAppointed)(int32_t club, int32_t person);
    void (*NewsManagerSacked)(int32_t club, int32_t person, int32_t kind);
    void (*NewsPlayerMoved)(int32_t player, int32_t oldClub, int32_t newClub, int32_t fee,
                            int32_t loan);
    // At a new career's or a loaded game's start: the screens forget the career before it.
    void (*ResetCareerScreens)();
};

// Later subsystems replace rows at start-up; GameHooks_Reset puts the defaults back (the text on
// the general channel at level 1; VTW_FormatThousands; nothing for the squad and training rows;
// the home club's home kit for the home side and the away club's away kit for the away side; the
// statistical simulation for the watched match; the post-match sequence marked done at once;
// Poll for the day screen's step; a line on the general channel at level 1 for the busy pointer
// and the news).
extern GameHookTable GameHooks;
void GameHooks_Reset();
