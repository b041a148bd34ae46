// menus/cupgroups.h: "Ligue des Champions", one of the champions' cup's eight groups: its table
// computed from the group-stage fixtures, and its twelve matches.
#pragma once

#include <cstdint>

#include "game/fixtures.h"

struct MenuItem;
struct MenuHotspot;

constexpr int32_t CUP_GROUP_MATCHES = 12;
constexpr int16_t CUP_GROUP_NOT_PLAYED = INT16_MIN;

struct CupGroupTeam {
    int16_t club;  // -1 none
    int16_t won, drawn, lost, goalsFor, goalsAgainst, points;
};

struct CupGroupMatch {
    int16_t home;       // -1 an empty slot
    int16_t homeGoals;  // CUP_GROUP_NOT_PLAYED until played
    int16_t awayGoals;
    int16_t away;
};

struct CupGroupState {
    int16_t group;  // 0-7, 0 on entering
    int16_t groupName;
    int16_t message;                           // 159 "PAS DE RENCONTRE" without groups, else -1
    int16_t hasFixtures;                       // 1 when the cup has any group-stage fixture
    CupGroupTeam teams[CHAMPIONS_GROUP_SIZE];  // group order
    int16_t order[CHAMPIONS_GROUP_SIZE];       // the rows shown, best first
    CupGroupMatch matches[CUP_GROUP_MATCHES];
};
extern CupGroupState CupGroups;  // owned by CupGroups

void CupGroupsInit();
void CupGroupsUninit();

// The group's table and matches from the group-stage fixtures: matches before today count.
// Rows rank by points, then the sum of goals for and against, then goals for.
void CupGroups_Build(int32_t group);
int32_t CupGroups_Previous(MenuHotspot*);  // group - 1, at least 0
int32_t CupGroups_Next(MenuHotspot*);      // group + 1, at most 7
// A table row, a match's home or away name: that club's squad; an empty one answers 1.
int32_t CupGroups_TableRow(MenuHotspot* hotspot);
int32_t CupGroups_HomeClub(MenuHotspot* hotspot);
int32_t CupGroups_AwayClub(MenuHotspot* hotspot);

const MenuItem* CupGroups_Table();  // option 48
