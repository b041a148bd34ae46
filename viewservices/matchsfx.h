// viewservices/matchsfx.h: the played match heard: the two crowd loops of a graphic view, and each
// sound event the match engine raises turned into a sample on its channel at the human's volumes.
#pragma once

#include <cstdint>

#include "engine/random.h"

// The channels the sounds use.
constexpr int32_t SFX_CHANNEL_LOOP_LEFT = 0;
constexpr int32_t SFX_CHANNEL_LOOP_RIGHT = 1;
constexpr int32_t SFX_CHANNEL_WHISTLE = 4;  // whistles, the net and the keeper's hands
constexpr int32_t SFX_CHANNEL_EFFECT = 5;   // the other effects, on 6 while 5 is busy
constexpr int32_t SFX_CHANNEL_EFFECT_BUSY = 6;
constexpr int32_t SFX_CHANNEL_CROWD = 7;

constexpr int32_t SFX_CROWD_LOOPS = 4;  // the crowd-loop bank's loops, 0-3
constexpr int32_t SFX_LOOP_DRAWS = 10;  // further draws for a second loop unlike the first
constexpr int32_t SFX_LOOP_PAN = 100;
constexpr int32_t SFX_LOOP_VOLUME_2D = 12;

// Installs the three operations in the match presentation's table and the script values; the
// start-up table calls it after the match engine, whose start puts the headless ones back.
void MatchSfx_Start();

// A graphic view's set-up, with its eight channels active: the crowd loops start and the effects
// bank is loaded. Tear-down: every channel stopped, the loops and the effects unloaded. Tear-down
// does nothing when the sounds are not set up.
void MatchSfx_Init();
void MatchSfx_Shutdown();

// The engine's sound event. `value` is not read. Plays nothing while the sounds are not set up or
// in the text view, and no crowd reaction in the 2D view.
void PlayMatchSfx(int32_t event, int32_t value);

// The sounds' own random choices: the game generator's state is added to it at each set-up, and
// they never draw from that generator. Kept here so that tests can set it.
extern RandStream MatchSfxRandom;
// `CrowdOn`: 1 at start; no screen changes it.
extern int16_t MatchSfxCrowdOn;

// Samples played by each part since program start ("sfxplayed", "crowdplayed").
int32_t MatchSfx_EffectsPlayed();
int32_t MatchSfx_ReactionsPlayed();
