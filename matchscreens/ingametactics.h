// matchscreens/ingametactics.h: the in-match team selection and tactics screen (id 4): a side's
// players with their instructions, roles or figures, its tactic, its positioning grid, and the
// substitutions of a human side; it will not let the human leave while his team breaks a rule.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"
#include "matchscreens/ingamemenus.h"

// Runs the screen for InGameMenuSide; returns with InGameMenuId set.
void InGame_SubsAndTacticsMenu();
const InGameScreen& InGameTactics_Screen();  // for tests that draw it without its loop

// The tactic numbers the formation and variant buttons lead to from `tactic`; `variant` is the
// variant chosen last for built-in formations. A custom tactic's formation button goes to
// formation 0 in that variant, as custom numbers have no formation of their own.
int32_t InGameTactics_NextFormation(int32_t tactic, int32_t variant, const MatchSide& sheet);
int32_t InGameTactics_NextVariant(int32_t tactic, const MatchSide& sheet);

int32_t InGameTactics_ColumnMode();   // 0 instructions, 1 roles, 2 figures
int32_t InGameTactics_RuleMessage();  // the text number on show, 0 none
bool InGameTactics_Confirming();

// Script values: `subs`, `igtactic`, `rulemsg`, `subsrows`.
void InGameTactics_RegisterScriptValues();
