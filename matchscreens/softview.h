// matchscreens/softview.h: the software 3D match view's palette, its shade tables and its frame
// pacing.
#pragma once

#include <cstdint>

constexpr int32_t SHADE_TABLES = 7;
constexpr int32_t SHADE_TABLE_BYTES = 256;
constexpr int32_t SHADE_BLOCK_BYTES = 2048;  // seven tables, each on a 256-byte boundary
constexpr int32_t LARGESTSCREENHEIGHT = 1024;
constexpr int32_t SOFTVIEW_TICKS_A_FRAME = 2;  // 50 engine ticks a second on the 10 ms tick
constexpr int32_t SOFTVIEW_SKIPS = 2;          // frames skipped in a row at most
constexpr int32_t SOFTVIEW_QUICK_SKIPS = 8;    // in quick preview
constexpr int32_t SOFTVIEW_QUICK_FACTOR = 4;   // quick preview runs four times as fast

// The game palette from its pieces (master, skin and hair, stadium, then the kit bands), entry
// 0 black and 255 white, and the two shade blocks allocated. Blocks that exist already are fatal
// "Error: SetupGamePalette(): tried to re-allocate LUTs\n".
void SetupGamePalette();
// Fills both blocks' seven tables from the palette as it stands: 0-2 each colour at a quarter,
// half and three quarters, 3 and 4 the brightness as greys 59 down to 11 and 103 down to 55,
// 5 and 6 the brightest component as red and as yellow.
void SoftView_FillShadeTables();
// Table n (0-6) of the second block; null while none exists.
const uint8_t* SoftView_GetShadeTable(int32_t n);
// The same of the first block.
const uint8_t* SoftView_GetFirstShadeTable(int32_t n);
// The entry nearest 8-bit (r, g, b) by 3 dr^2 + 5 dg^2 + 2 db^2 over all 256, the lower on a tie;
// palette6: 256 triples of 6-bit components.
uint8_t SoftView_NearestColour(const uint8_t* palette6, int32_t r, int32_t g, int32_t b);

// The palette and the tables' blocks, the saved display mode taken, the ground marks cleared.
void FirstCreateGameEnvironment();
// Saves the display mode and frees both blocks; missing blocks are fatal "Error:
// FirstDestroyGameEnvironment(): tried to free uncreated LUTs\n". Then every purgeable block goes.
void FirstDestroyGameEnvironment();

// Frame pacing on the tick: the clock starts at the current tick.
void SoftView_StartPacing();
// One call a match tick: true when this frame is to be drawn now (after waiting for its tick),
// false when it is skipped because the view is late. Quick preview (ViewFlags.quickPreview)
// paces four times as fast and may skip eight frames in a row.
bool SoftView_PaceFrame();
int32_t SoftView_FrameClock();  // in ticks, or quarter ticks in quick preview

// The view itself, as the match engine runs it: the init hook builds everything (palette and
// tables, the screen, the textures, the world, the sounds), the destroy hook takes it down again;
// the frame hook paces, draws the scene and its heads-up display and presents them.
void CreateGameEnvironment();
void DestroyGameEnvironment();
// The mode of the saved index, the game screen of its size, the name labels, the pitch's
// viewport and the projection. A mode over 1024 high is fatal "Error: InitScreenResolution():
// CurrentScreenHeight > LARGESTSCREENHEIGHT!\n".
void InitScreenResolution();
void StepGameFrame();    // the highlight countdown only
void UpdateGameFrame();  // timed events, the info bar's slide, then the camera
void DrawGameFrame();
int32_t SoftView_Frames();  // frames drawn since the view was last built
// The game picture without the heads-up display: the world, the display list, the name labels.
void SoftView_DrawScene();
// Registers the view as the software 3D kind and its menu back end as environment 1's.
void SoftView_Register();
// What the view keeps for the program's run to its start: no tables, no pacing, no saved mode (the
// next first view opens in the video options' mode, else 640 x 480). Not while a view is built;
// Uninit the same, safe without Init and twice.
void SoftView_Init();
void SoftView_Uninit();
