// viewservices/viewscreen.cpp: the game screen, the view's size and projection, the software view's
// resolution and the strip of player names.
#include "viewservices/viewscreen.h"

#include <algorithm>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/pakfile.h"
#include "game/matchblocks.h"

namespace {

constexpr ViewSizeRecord kStartView = {640, 480};
constexpr int32_t kWideView = 640;
constexpr int32_t kMediumView = 500;
constexpr int32_t kMinWidth = 512, kMinHeight = 384;
constexpr int32_t kMaxWidth = 2048, kMaxHeight = 1024;
constexpr const char* kMasterPalette = "PALETTES\\ingame\\master.pal";

struct ViewScreenState {
    BlockBuffer* screen;
};

ViewScreenState s_view;

}  // namespace

ViewSizeRecord ViewSize = kStartView;
ProjectionFactors ViewProjection;
int16_t SoftwareResolution;
NameStripRecord NameStrip;

void ViewScreen_Init() { ViewScreen_Uninit(); }

void ViewScreen_Uninit()
{
    FreePlayerNames();
    GameScreen_Destroy();
    s_view = {};
    ViewSize = kStartView;
    ViewProjection = {};
    SoftwareResolution = 0;
    NameStrip = {};
}

void GameScreen_Create(int32_t viewWidth, int32_t viewHeight)
{
    GameScreen_Destroy();
    CreateBuffer(&s_view.screen, viewWidth + 2 * GAMESCREEN_MARGIN,
                 viewHeight + 2 * GAMESCREEN_MARGIN);
    SetViewSize(viewWidth, viewHeight);
}

void GameScreen_Destroy()
{
    if (s_view.screen != nullptr) DestroyBuffer(&s_view.screen);
}

GameScreenRecord ScreenRecordOf(const BlockBuffer* buffer)
{
    if (buffer == nullptr) return {};
    return {buffer->memory, static_cast<int32_t>(buffer->width),
            static_cast<int32_t>(buffer->height), static_cast<int32_t>(buffer->pitch)};
}

GameScreenRecord GetGameScreen() { return ScreenRecordOf(s_view.screen); }

const BlockBuffer* GameScreen_Buffer() { return s_view.screen; }

void SetViewSize(int32_t width, int32_t height) { ViewSize = {width, height}; }

void ViewScreen_CopyTrans(const GameScreenRecord& target, const uint8_t* src, int32_t srcPitch,
                          int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (target.pixels == nullptr) return;
    const int32_t x0 = std::max(x, 0), x1 = std::min(x + width, target.width);
    const int32_t y0 = std::max(y, 0), y1 = std::min(y + height, target.height);
    if (x0 >= x1 || y0 >= y1) return;
    const uint8_t* from = src + static_cast<size_t>(y0 - y) * srcPitch + (x0 - x);
    uint8_t* to = target.pixels + static_cast<size_t>(y0) * target.pitch + x0;
    const int32_t w = x1 - x0;
    BlockCopyTrans(y1 - y0, target.pitch - w, srcPitch - w, w, from, to);
}

void GameScreen_CopyTrans(const uint8_t* src, int32_t srcPitch, int32_t x, int32_t y, int32_t width,
                          int32_t height)
{
    ViewScreen_CopyTrans(GetGameScreen(), src, srcPitch, x, y, width, height);
}

void ViewScreen_LoadMasterPalette(uint8_t palette[GFX_PALETTE_BYTES])
{
    const int32_t handle = PakOpenFile(kMasterPalette);
    const int32_t read = PakReadFile(palette, 0, GFX_PALETTE_BYTES, handle);
    PakCloseFile(handle);
    if (read != GFX_PALETTE_BYTES)
        FatalError("ViewScreen_LoadMasterPalette(): '%s' holds %d bytes", kMasterPalette, read);
}

int32_t GetViewSizeClass()
{
    if (ViewSize.width > kWideView) return 2;
    return ViewSize.width >= kMediumView ? 1 : 0;
}

void SetViewProjectionFactors()
{
    const double width = ViewSize.width;
    const double height = ViewSize.height;
    ViewProjection.centreY = height * 0.5;
    ViewProjection.scaleY = height * 8.0;
    ViewProjection.centreX = width * 0.667 * 3.0 * 0.25;
    ViewProjection.scaleX = width * 10.672 * 3.0 * 0.25;
    const uint16_t mode = GetMatchSidesBlock()->viewMode;
    if (mode == VIEW_2D) {
        ViewProjection.surfaceWidth8 = ScreenWidth() * 8.0;
        ViewProjection.surfaceHeight8 = ScreenHeight() * 8.0;
    } else if (mode == VIEW_3D) {
        const GameScreenRecord screen = GetGameScreen();
        ViewProjection.surfaceWidth8 = screen.width * 8.0;
        ViewProjection.surfaceHeight8 = screen.height * 8.0;
    }
}

bool SoftwareModeQualifies(const DDrawMode& mode)
{
    return mode.kind == DDRAW_KIND_8BIT && mode.width >= kMinWidth && mode.height >= kMinHeight
           && mode.width <= kMaxWidth && mode.height <= kMaxHeight;
}

void StepSoftwareResolution(int32_t step)
{
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    int32_t index = SoftwareResolution;
    for (int32_t tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        if (SoftwareModeQualifies(modes[index])) {
            SoftwareResolution = static_cast<int16_t>(index);
            return;
        }
    }
    DebugPrintf(DBG_GRAPHICS, 0,
                "StepSoftwareResolution(): no 8-bit mode from %dx%d to %dx%d, keeping mode %d\n",
                kMinWidth, kMinHeight, kMaxWidth, kMaxHeight, SoftwareResolution);
}

void ReleaseSoftwareScreens()
{
    FreePlayerNames();
    if (IsGraphicMode()) RestoreGraphicMode();
    GameScreen_Destroy();
}

void FreePlayerNames()
{
    if (NameStrip.buffer != nullptr) DestroyBuffer(&NameStrip.buffer);
}
