// menus/testcard.cpp: the front end while the real one is missing: a test card on the screen until
// Escape.
#include "menus/testcard.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/blocks.h"
#include "engine/colconv.h"
#include "engine/dxdraw.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/keyboard.h"
#include "engine/mouse.h"
#include "engine/options.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/winlib.h"
#include "menus/machine.h"

namespace {

constexpr int32_t CARD_WIDTH = 640;
constexpr int32_t CARD_HEIGHT = 480;
constexpr int32_t CARD_BAR_WIDTH = 80;
constexpr int32_t CARD_BAR_ROWS = 320;  // the grey steps fill the rows below
constexpr int32_t CARD_GREY_STEPS = 32;
constexpr int32_t CARD_GREY_WIDTH = 20;
constexpr int32_t CARD_KEY_ESCAPE = 1;
constexpr int32_t CARD_TEXT_X = 8;
constexpr int32_t CARD_TEXT_Y = 8;
constexpr const char* CARD_TEXT = "Pelloran";
constexpr int32_t CARD_CROSS_ARM = 2;       // the pointer: a 5 x 5 cross around its point
constexpr int32_t CARD_POINTER_MARGIN = 5;  // the menu pointer's clamp at the right and bottom

constexpr auto kBars = std::to_array<HostColour>({
    {255, 255, 255},  // white
    {255, 255, 0},    // yellow
    {0, 255, 255},    // cyan
    {0, 255, 0},      // green
    {255, 0, 255},    // magenta
    {255, 0, 0},      // red
    {0, 0, 255},      // blue
    {0, 0, 0},        // black
});
static_assert(kBars.size() * CARD_BAR_WIDTH == CARD_WIDTH);
static_assert(CARD_GREY_STEPS * CARD_GREY_WIDTH == CARD_WIDTH);

struct TestCardState {
    bool paletted;  // the 8-bit mode, in the colour cube
    ColFmt format;  // hi-colour: the screen's
    int32_t pointerX;
    int32_t pointerY;
};

TestCardState s_testCard;

HostColour CardColourAt(int32_t x, int32_t y)
{
    if (y < CARD_BAR_ROWS) return kBars[x / CARD_BAR_WIDTH];
    const auto level = static_cast<uint8_t>(x / CARD_GREY_WIDTH * 255 / (CARD_GREY_STEPS - 1));
    return {level, level, level};
}

// In the 8-bit mode colours go through 5-6-5, as the menus' graphics do.
uint32_t PixelOf(const HostColour& colour)
{
    if (!s_testCard.paletted)
        return ColConvMakePixel(s_testCard.format, colour.r, colour.g, colour.b, 255);
    const auto rgb565 =
        static_cast<uint16_t>((colour.r >> 3) << 11 | (colour.g >> 2) << 5 | colour.b >> 3);
    return ColConvRGB565To8(rgb565);
}

void PutPixel(const DDrawScreen* screen, int32_t x, int32_t y, uint32_t value)
{
    const uint32_t bytes = GfxBytesPerPixel();
    uint8_t* const at = screen->memory + static_cast<size_t>(y) * screen->pitch + x * bytes;
    std::memcpy(at, &value, bytes);
}

// The card inside a rectangle, clipped to the screen, with the name over it where they meet.
void DrawCard(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, CARD_WIDTH);
    bottom = std::min(bottom, CARD_HEIGHT);
    if (left >= right || top >= bottom) return;
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x) {
            PutPixel(screen, x, y, PixelOf(CardColourAt(x, y)));
        }
    }
    DDrawEndDraw(&screen, left, top, right - left, bottom - top);
    const auto textRight = static_cast<int32_t>(CARD_TEXT_X + 8 * std::strlen(CARD_TEXT));
    if (left < textRight && right > CARD_TEXT_X && top < CARD_TEXT_Y + 8 && bottom > CARD_TEXT_Y)
        ScreenPrintf(CARD_TEXT_X, CARD_TEXT_Y, "%s", CARD_TEXT);
}

void DrawPointer()
{
    const uint32_t white = s_testCard.paletted ? 255 : PixelOf({255, 255, 255});
    const int32_t px = s_testCard.pointerX;
    const int32_t py = s_testCard.pointerY;
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    for (int32_t d = -CARD_CROSS_ARM; d <= CARD_CROSS_ARM; ++d) {
        if (px + d >= 0 && px + d < CARD_WIDTH) PutPixel(screen, px + d, py, white);
        if (py + d >= 0 && py + d < CARD_HEIGHT) PutPixel(screen, px, py + d, white);
    }
    const int32_t size = 2 * CARD_CROSS_ARM + 1;
    DDrawEndDraw(&screen, px - CARD_CROSS_ARM, py - CARD_CROSS_ARM, size, size);
}

void DrawAll()
{
    DrawCard(0, 0, CARD_WIDTH, CARD_HEIGHT);
    DrawPointer();
}

// The menu pointer's clamp: never left of or above the screen, never within its margin of the
// right or bottom edge.
int32_t ClampPointer(int32_t position, int32_t size)
{
    if (position < 0) return 0;
    if (position >= size - CARD_POINTER_MARGIN) return size - CARD_POINTER_MARGIN - 1;
    return position;
}

void MovePointer()
{
    int16_t dx, dy;
    uint16_t buttons;
    ReadMouseDriver(&dx, &dy, &buttons);
    if (dx == 0 && dy == 0) return;
    const int32_t oldX = s_testCard.pointerX;
    const int32_t oldY = s_testCard.pointerY;
    s_testCard.pointerX = ClampPointer(oldX + dx, CARD_WIDTH);
    s_testCard.pointerY = ClampPointer(oldY + dy, CARD_HEIGHT);
    DrawCard(oldX - CARD_CROSS_ARM, oldY - CARD_CROSS_ARM, oldX + CARD_CROSS_ARM + 1,
             oldY + CARD_CROSS_ARM + 1);
    DrawPointer();
}

// The menu music: one of the first two tunes on one channel, at the menu volume.
void StartMusic()
{
    if (!SndIsOn()) return;
    SndSetActiveChannels(1);
    SndPlay(SndKeyMusic, Rand() % 2, 0, static_cast<uint16_t>(Options.menuVolume * 10), 0);
}

void StopMusic()
{
    if (!SndIsOn()) return;
    SndStop(0);
    SndClearActiveChannels();
}

}  // namespace

void RunFrontEnd()
{
    SetGraphicMode(MenuChooseMode("RunFrontEnd"), 0);
    s_testCard = {};
    s_testCard.paletted = GfxGraphicMode() == GFX_MODE_8BIT;
    if (s_testCard.paletted) {
        uint8_t palette[GFX_PALETTE_BYTES];
        ColConvMakeCubePalette(palette);
        SetPalette(palette);
    } else {
        s_testCard.format = GfxScreenFormat();
    }
    ResetMouseDriver();
    s_testCard.pointerX = CARD_WIDTH / 2;
    s_testCard.pointerY = CARD_HEIGHT / 2;
    DrawAll();
    StartMusic();
    KeyClearBuffer();

    while (!KeyWasPressed(CARD_KEY_ESCAPE)) {
        Poll();
        // Surfaces lost while the program was away come back black.
        if (WinWasIdle()) DrawAll();
        MovePointer();
    }
    StopMusic();
    RestoreGraphicMode();
}
