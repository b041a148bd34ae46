// matchscreens/softhud.h: what the software 3D view draws over its scene: the info bar, the replay
// controls, the score line, the panoramic overview, the quick-preview notice, the event message
// and the replay notice. Every blit and text is cut to the game screen.
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
