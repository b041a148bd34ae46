// matchscreens/view2d.h: the 2D match view: the pitch seen from high behind one goal on the 640 x
// 480 menu display, the people as flat figures through the object display list, the score, the
// clock, a formation panel per side, the active players, the other grounds' news, the speed
// buttons, a pop-up of the pointed player's figures and the position maps of up to two followed
// players.
#pragma once

#include <cstdint>

constexpr int32_t VIEW2D_FASTEST_OFFERED = 4;  // the buttons stop at 750 ticks a second
constexpr int32_t VIEW2D_NONE = -1;            // no hovered or followed player
constexpr int32_t VIEW2D_PANEL_W = 126;
constexpr int32_t VIEW2D_PANEL_H = 90;
// Far enough in that the dots' icons and numbers at the panels' ends stay on the screen.
constexpr int32_t VIEW2D_PANEL_X[2] = {12, 496};
constexpr int32_t VIEW2D_PANEL_Y = 40;

struct View2DState {
    float nextFrameTime;  // in timer ticks
    int32_t skippedFrames;
    int32_t pointerX;  // as the last pointer frame left it
    int32_t pointerY;
    bool buttonDown;
    bool buttonWasDown;         // on the frame before: a click is a new press
    int16_t hovered;            // a person 0-31, or VIEW2D_NONE
    uint32_t frameCounter;      // frames drawn since the view was set up
    uint16_t sideColour[2][3];  // 5:6:5; shirt, shorts, socks
    bool shown;                 // between View2D_Init and View2D_Destroy
};

// Owned by View2D: read them here. The speed and the followed players live for the program's run.
extern int16_t Speed2DIndex;        // into SpeedTable, 0-4; starts at 2
extern int16_t FollowedPlayers[2];  // persons 0-31, or VIEW2D_NONE
extern int16_t NextFollowSlot;      // the slot a third follow replaces
extern View2DState View2D;

void View2D_ResetRunState();  // speed index 2, nobody followed, no view
// Registers the five hooks below as the 2D kind of the match view dispatch, the 2D ball drawers
// of the object display list, and the script values `speed2d`, `followed0`, `followed1` and
// `hovered`; `period` and `frames` then answer for the 2D view too. After TextView_Register.
void View2D_Register();

// The view's hooks (view mode 1).
void View2D_Init();
void View2D_Destroy();
void View2D_Step();    // the timed events and the highlight countdown; no engine tick
void View2D_Update();  // the side-steps drawn the way each man moves, the fixed overview camera
// Pacing; then the buttons, the hover and the clicks at the last pointer place; the screen; the
// pointer and the match keys.
void View2D_Frame();

// The buttons, the hover and the follow clicks for the pointer at (x, y), as one frame does them.
void View2D_Input(int32_t x, int32_t y, bool down);
// One drawn frame without pacing or input, presented whole: for tests and the benchmark.
void View2D_DrawScreen();
// The fixed overview camera on a 640 x 480 view, as the view's set-up aims it; background 19's
// pitch is drawn through it when the data is made.
void View2D_SetCamera();
// A world point on the menu screen: false behind the near plane or outside the screen.
bool View2D_Project(float x, float y, float height, int32_t* px, int32_t* py);
// Colour 1-3 (shirt, shorts, socks) of side 0 or 1, 5:6:5: what the flat people are drawn in.
uint16_t View2D_SideColour(int32_t side, int32_t colour);
// The side colours from the kits: entry 0 of colour groups 0, 1 and 3, clamped to 0-39.
void View2D_TakeSideColours();
// Where the dot of line-up slot 0-10 of a side stands on the screen.
void View2D_PanelDot(int32_t side, int32_t slot, int32_t* x, int32_t* y);
