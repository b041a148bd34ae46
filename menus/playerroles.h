// menus/playerroles.h: the player-roles screen, the human's squad with nine skill columns that
// sort it, where he names his captain and set-piece takers and exchanges shirt numbers; opened
// from the developer's debug screen.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MenuItem;

constexpr int16_t OPTION_PLAYER_ROLES = 39;
constexpr int32_t ROLES_SKILLS = 9;  // skills 1-9 of GiveMeValuefor
constexpr int32_t ROLES_ROWS = 16;

enum RolesRole : int8_t {
    ROLES_NONE = -1,
    ROLES_CAPTAIN,
    ROLES_CORNER,
    ROLES_PENALTY,
    ROLES_FREE_KICK
};

struct PlayerRolesState {
    int8_t sortSkill;  // 1-9, 0 in shirt order; kept between visits
    int16_t firstRow;
    int8_t pendingRole;  // the role the next click on a player gives, ROLES_NONE
    int16_t selection;   // the first player of a shirt exchange, -1 none
    int32_t club;        // the human's, -1 without a post
    int16_t list[SQUAD_MAX];
    int32_t count;
};
extern PlayerRolesState PlayerRoles;  // owned by PlayerRoles

void PlayerRolesInit();
void PlayerRolesUninit();

// Every build: the squad taken in shirt order, then sorted by the chosen skill, highest first
// (equal values in shirt order); on a fresh entry no role pending and no selection.
void PlayerRoles_Build();
int32_t PlayerRoles_Sort(int32_t skill);       // a column head: sorts by it, or back to shirt order
int32_t PlayerRoles_ChooseRole(int32_t role);  // a role button; the same again cancels it
// A click on the list's row: the pending role given (a set-piece role never to shirt 1), else
// the first or second player of a shirt exchange; a borrowed player's shirt is not his to
// exchange ("Désolé, ce joueur est prêté.").
int32_t PlayerRoles_ClickPlayer(int32_t index);

const MenuItem* PlayerRoles_Table();  // option 39
