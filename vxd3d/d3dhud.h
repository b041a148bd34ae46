// vxd3d/d3dhud.h: the 3D-device view's head-up display in icon panels and icon fonts: player
// names, the info bar with its card icons, the clock, the quick-preview notice, the score, the
// active players, the other grounds' news, the radar, the replay bar and its pointer, the replay
// title and the substitution requests.
#pragma once

#include <cstdint>

constexpr int32_t D3DHUD_HOME_COLOUR = 28;  // colour-table entries of the sides' first kit colour
constexpr int32_t D3DHUD_AWAY_COLOUR = 29;
constexpr int32_t D3DHUD_LABELS = 4;  // names over the players nearest the play

// Icon sets of the display (vxd3d/d3dicon.h's table order).
enum D3DHudSet : int32_t {
    HUDSET_POINTER,
    HUDSET_RADAR,
    HUDSET_SCORE,
    HUDSET_CLOCK,
    HUDSET_INFOBAR,
    HUDSET_PANEL,
    HUDSET_RED_CARD,
    HUDSET_YELLOW_CARD,
    HUDSET_REPLAY_BAR = 11,
    HUDSET_SMALL_FONT = 12,
    HUDSET_MIDDLE_FONT,
    HUDSET_LARGE_FONT,
};

// Everything, in the order the items overlap.
void D3DHud_Draw();
// A horizontal panel of set 5: width / piece width pieces from x, the ends icons 0 and 2.
void D3DHud_DrawPanelBar(int32_t x, int32_t y, int32_t width);
// A pitch point's place on a radar panel of that size: the pitch's length along the panel's
// longer side, every point of the pitch inside the panel.
void D3DHud_RadarPoint(float x, float y, int32_t panelWidth, int32_t panelHeight, int32_t* across,
                       int32_t* down);
// The score panel's line of a side: "name - goals", with the aggregate in a second leg, the
// shoot-out's goals in the shoot-out.
void D3DHud_ScoreLine(int32_t side, char* out, int32_t size);
// The replay bar's top while this view is shown: the screen height less the buttons' height.
int32_t D3DHud_ReplayBarTop();
// The info bar's width for a text: its width in the middle font rounded down to 64, plus 128.
int32_t D3DHud_InfoBarWidth(const char* text);
