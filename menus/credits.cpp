// menus/credits.cpp: the credits that scroll up over their background at every start.
#include "menus/credits.h"

#include "engine/keyboard.h"
#include "engine/timer.h"
#include "game/textmess.h"
#include "menus/hotregion.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

// clang-format off
const CreditsRow CreditsRows[CREDITS_ROWS] = {
    {0, "Pelloran", 0},
    {0, nullptr, 0},
    {0, nullptr, 0},
    {1570, nullptr, CREDITS_TEXT_NO | CREDITS_HEADING},
    {0, "L'\xE9quipe Pelloran", 0},
    {0, nullptr, 0},
    {1571, nullptr, CREDITS_TEXT_NO | CREDITS_HEADING},
    {0, "Moteur de match", 0},
    {0, "Simulation des saisons", 0},
    {0, "Interface", 0},
    {0, "Base de donn\xE9" "es du monde", 0},
    {0, "March\xE9 des transferts", 0},
    {0, "Commentaires", 0},
    {0, "Outils de g\xE9n\xE9ration", 0},
    {0, nullptr, 0},
    {1572, nullptr, CREDITS_TEXT_NO | CREDITS_HEADING},
    {0, "Graphismes g\xE9n\xE9r\xE9s", 0},
    {0, "Sons synth\xE9tis\xE9s", 0},
    {0, nullptr, 0},
    {1573, nullptr, CREDITS_TEXT_NO | CREDITS_HEADING},
    {0, "Tests automatiques", 0},
    {0, "Parties de bout en bout", 0},
    {0, "Merci d'avoir jou\xE9 !", 0},
    {0, nullptr, 0},
};
// clang-format on

namespace {

constexpr int32_t SCREEN_W = 640;
constexpr int32_t SCREEN_H = 480;
constexpr int32_t BAND_H = 32;
constexpr int32_t TICKS_PER_SECOND = 100;
constexpr int32_t ESCAPE_KEY = 1;
constexpr uint16_t LEFT_OR_RIGHT = 3;

const char* RowText(const CreditsRow& row)
{
    if ((row.style & CREDITS_TEXT_NO) == 0) return row.text;
    return row.textNo >= 0 ? GetMessageText(row.textNo) : nullptr;
}

void DrawRow(const CreditsRow& row, const char* text, int32_t y, int32_t shade)
{
    const bool heading = (row.style & 0xF) == CREDITS_HEADING;
    SetMenuFont(heading ? 1 : 2);
    SetDrawAttribute(1, heading ? 8 : 0);
    SetDrawAttribute(2, 0);
    DoShadedBox(CREDITS_BOX_X, y, CREDITS_BOX_W, CREDITS_ROW_PITCH, shade);
    DrawMenuString(SCREEN_W / 2, y + CREDITS_ROW_PITCH / 2, text, MENU_ALIGN_CENTRE);
}

// One frame of the list at `top`; the shade restarts at 50 after every gap and alternates over
// every row with text, drawn or not.
void DrawFrame(int32_t top)
{
    DrawAlignedBar(0, 0, SCREEN_W, SCREEN_H, MENU_ALIGN_TL);
    int32_t shade = 50;
    for (int32_t i = 0; i < CREDITS_ROWS; ++i) {
        const char* text = RowText(CreditsRows[i]);
        if (text == nullptr) {
            shade = 50;
            continue;
        }
        const int32_t y = top + CREDITS_ROW_PITCH * i;
        if (y >= 0 && y <= CREDITS_LAST_Y) DrawRow(CreditsRows[i], text, y, shade);
        shade = shade == 50 ? 25 : 50;
    }
    DrawAlignedBar(0, 0, SCREEN_W, BAND_H, MENU_ALIGN_TL);
    DrawAlignedBar(0, SCREEN_H - BAND_H, SCREEN_W, BAND_H, MENU_ALIGN_TL);
    MarkChangedRect(0, 0, SCREEN_W, SCREEN_H);
}

}  // namespace

void Menu_TimedScreen()
{
    DoBackground(CREDITS_BACKGROUND);
    CopyBackBuffer();
    PresentMenuScreen();
    const uint32_t start = TickCount;
    for (;;) {
        const auto elapsed = static_cast<int32_t>(TickCount - start);
        const int32_t top = SCREEN_H - elapsed * CREDITS_PIXELS_PER_SECOND / TICKS_PER_SECOND;
        DrawFrame(top);
        int16_t x, y;
        uint16_t buttons;
        PointerFrame(&x, &y, &buttons);
        if ((buttons & LEFT_OR_RIGHT) != 0 || top + CREDITS_ROW_PITCH * (CREDITS_ROWS - 1) <= 0
            || KeyGetLast() == ESCAPE_KEY)
            break;
    }
    // The Escape that ended the credits must not leave the screen that follows.
    KeyClearBuffer();
}
