// game/careerstate.h: one reset of every module's career state, before a new career is made and
// before a saved game is adopted.
#pragma once

// Puts back every module of the game that keeps career state outside what a new game writes and
// a save holds whole (news, custom tactics, match-day blocks and reports, season, market,
// training, shortlists, the squad list), drops the caches keyed to the old career and has the
// screens forget theirs (GameHooks.ResetCareerScreens), so that a career depends on its choices
// and seed alone and a load on its save alone. The world and texts read at program start and the
// player's view mode stay.
void Game_ResetCareerState();
