// app/gamemodules.h: starting and stopping the game's own modules, between the core's start
// and stop tables.
#pragma once

// Runs the start rows in order, each logged as "GameMain(): <name>" on the general channel at
// level 1; Uninit stops them in reverse order, before the core's memory report.
void GameModules_Init();
void GameModules_Uninit();
