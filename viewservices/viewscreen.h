// viewservices/viewscreen.h: what the 2D and software 3D views share of their screen: the 8-bit
// game screen with its 64-pixel margin, the view's size and size class, the projection factors, the
// software view's resolution and the strip of player names.
#pragma once

#include <cstdint>

#include "engine/blocks.h"
#include "engine/gfx.h"

constexpr int32_t GAMESCREEN_MARGIN = 64;   // view (x, y) is buffer (x + 64, y + 64)
constexpr int32_t NAMESTRIP_SLOTS = 35;     // persons 0-34; 32-34 stay empty
constexpr int32_t NAMESTRIP_NAME_MAX = 20;  // characters; a slot keeps its terminator too
constexpr int32_t CLOCKBOX_WIDTH = 44;
constexpr int32_t CLOCKBOX_HEIGHT = 20;
constexpr int32_t REPLAYBAR_BUTTONS = 10;

// The 8-bit surface every overlay draws into: (view width + 128) x (view height + 128).
struct GameScreenRecord {
    uint8_t* pixels;  // null while no view screen exists
    int32_t width;
    int32_t height;
    int32_t pitch;  // bytes from one row to the next
};

struct ViewSizeRecord {  // pixels of the view that is shown
    int32_t width;
    int32_t height;
};

struct ProjectionFactors {
    double centreY;
    double scaleY;
    double centreX;
    double scaleX;
    double surfaceWidth8;  // the surface's size times 8
    double surfaceHeight8;
};

struct NameStripRecord {
    BlockBuffer* buffer;  // null while no strip exists; font 0's glyph height high
    int16_t startX[NAMESTRIP_SLOTS];
    int16_t width[NAMESTRIP_SLOTS];  // at least 1
    char names[NAMESTRIP_SLOTS][NAMESTRIP_NAME_MAX + 1];
};

// Owned by ViewScreen: read them here, change them through the operations below.
extern ViewSizeRecord ViewSize;
extern ProjectionFactors ViewProjection;
extern int16_t SoftwareResolution;  // an index into the sorted mode list
extern NameStripRecord NameStrip;

// Frees what exists, then forgets everything: no screen, no strip, view 640 x 480, resolution 0.
void ViewScreen_Init();
void ViewScreen_Uninit();  // safe without Init and twice

// Makes the game screen for a view of this size (the old one freed) and sets the view size.
void GameScreen_Create(int32_t viewWidth, int32_t viewHeight);
void GameScreen_Destroy();  // safe when none exists
GameScreenRecord GetGameScreen();
GameScreenRecord ScreenRecordOf(const BlockBuffer* buffer);  // empty for a null buffer
const BlockBuffer* GameScreen_Buffer();                      // for ShowDBuffer; null when none
void SetViewSize(int32_t width, int32_t height);
// Copies `height` rows of `width` source bytes to position (x, y) of the target, source bytes of
// 0 transparent. Whatever falls outside the target is cut off; a target without pixels gets
// nothing.
void ViewScreen_CopyTrans(const GameScreenRecord& target, const uint8_t* src, int32_t srcPitch,
                          int32_t x, int32_t y, int32_t width, int32_t height);
// The same into the game screen, at buffer position (x, y).
void GameScreen_CopyTrans(const uint8_t* src, int32_t srcPitch, int32_t x, int32_t y, int32_t width,
                          int32_t height);

// Loads "PALETTES\ingame\master.pal" (256 6-bit RGB triplets) into `palette`.
void ViewScreen_LoadMasterPalette(uint8_t palette[GFX_PALETTE_BYTES]);

// 2 wider than 640, 1 from 500 wide, else 0.
int32_t GetViewSizeClass();
// From the view size; the surface size from the screen in the 2D view mode, from the game
// screen in the 3D view mode, unchanged in the text view mode.
void SetViewProjectionFactors();

// Whether the software view can be drawn in the mode: 8-bit, from 512 x 384 up to 2048 x 1024.
bool SoftwareModeQualifies(const DDrawMode& mode);
// Moves the resolution index by `step` (+1 or -1) round the mode list to the next 8-bit mode of
// 512 x 384 up to 2048 x 1024, trying each mode once; when none qualifies the index stays and a
// line goes to the "graphics" channel.
void StepSoftwareResolution(int32_t step);
// Ahead of a resolution change: the name strip, the graphics mode and the game screen go.
void ReleaseSoftwareScreens();
// The strip of player names goes; safe when none exists.
void FreePlayerNames();
