// menus/testcard.cpp: the front end while the real one is missing: a test card on the screen until
// Escape.
#include "menus/testcard.h"

#include <array>

#include "engine/colconv.h"
#include "engine/dxdraw.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/poll.h"
#include "engine/winlib.h"

namespace {

constexpr int32_t CARD_WIDTH = 640;
constexpr int32_t CARD_HEIGHT = 480;
constexpr int32_t CARD_BAR_WIDTH = 80;
constexpr int32_t CARD_BAR_ROWS = 320;  // the grey steps fill the rows below
constexpr int32_t CARD_GREY_STEPS = 32;
constexpr int32_t CARD_GREY_WIDTH = 20;
constexpr uint32_t CARD_KEY_ESCAPE = 1;

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
    bool escapePressed;
};

TestCardState s_testCard;

intptr_t TestCardWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == HOST_MSG_KEY_DOWN && HostKeyCodeOf(lParam) == CARD_KEY_ESCAPE) {
        s_testCard.escapePressed = true;
        return 0;
    }
    return WinPassOnMessage(window, message, wParam, lParam);
}

uint32_t PixelAt(const ColFmt& format, int32_t x, int32_t y)
{
    if (y < CARD_BAR_ROWS) {
        const HostColour& bar = kBars[x / CARD_BAR_WIDTH];
        return ColConvMakePixel(format, bar.r, bar.g, bar.b, 255);
    }
    const uint32_t level = static_cast<uint32_t>(x / CARD_GREY_WIDTH) * 255 / (CARD_GREY_STEPS - 1);
    return ColConvMakePixel(format, level, level, level, 255);
}

void DrawTestCard()
{
    ColFmt format{};
    DDrawGetScreenColourFormat(&format);
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    for (int32_t y = 0; y < CARD_HEIGHT; ++y) {
        uint8_t* const row = screen->memory + static_cast<size_t>(y) * screen->pitch;
        for (int32_t x = 0; x < CARD_WIDTH; ++x) {
            ColConvertWrite(row + x * format.bytesPerPixel, format, PixelAt(format, x, y));
        }
    }
    DDrawEndDrawAll();
}

}  // namespace

void RunFrontEnd()
{
    const int32_t mode = GfxFindMode(CARD_WIDTH, CARD_HEIGHT, DDRAW_KIND_16BIT);
    if (mode < 0) FatalError("Error: RunFrontEnd(): no 640 x 480 16-bit mode\n");
    DDrawSetMode(DDrawModes[mode], 0);
    DrawTestCard();

    s_testCard = {};
    const int32_t hook = WinAddWindowProc(TestCardWindowProc);
    while (!s_testCard.escapePressed) {
        Poll();
        // Surfaces lost while the program was away come back black.
        if (WinWasIdle()) DrawTestCard();
    }
    WinRemoveWindowProc(hook);
    DDrawRestoreMode();
}
