// matchscreens/softhud.h: what the software 3D view draws over its scene: the info bar, the replay
// controls, the score line, the panoramic overview, the quick-preview notice, the event message
// and the replay notice; the strip of player names, the match clock and the replay bar. Every blit
// and text is cut to the game screen.
#pragma once

#include <cstdint>

// The score line's text, "%s %2d - %-2d %s": the sides' names and goals, in the shoot-out (period
// 4) the shoot-out goals.
void SoftHud_ScoreText(char* out, int32_t size);
// Where the panoramic overview puts a pitch point: its column and row on graphic 34, the pitch's
// length along the picture's width, kept inside the picture.
void SoftHud_OverviewPoint(float x, float y, int32_t* column, int32_t* row);
// Scene steps 3 to 9 into the game screen of a view `viewWidth` wide.
void SoftHud_Draw(int32_t viewWidth);

// The strip from the match-day block's names (persons 0-15 home, 16-31 away, the bench size
// clamped to 0-5). A name of more than 20 characters is fatal "ERROR:InitPlayerNamesA '%s'"
// (home) or "ERROR:InitPlayerNamesB '%s'" (away).
void InitPlayerNamesA();
// The software view's match clock, top right, while the clock runs outside the shoot-out, its
// box darkened by the view's half table (the view's palette must be set up).
void DrawClockBox();
// The ten replay buttons centred on the bottom edge, ReplayMode's highlighted; places hot-zones
// 11-20 and counts the single step down.
void DrawReplayBar();
// The y of the replay bar's top: the view height minus the buttons' height. Outside the 3D view
// mode: fatal "Error: default case hit in FindTopOfReplayBar()".
int32_t FindTopOfReplayBar();
