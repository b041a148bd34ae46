// menus/viewchoice.cpp: the choice of the view of the human's next match.
#include "menus/viewchoice.h"

#include "engine/memory.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "menus/frontend.h"
#include "menus/hotregion.h"
#include "menus/machine.h"
#include "menus/menupc.h"

uint8_t GameOptionByte;

namespace {

constexpr int32_t TEXT_LOW_MEMORY = 1129;
constexpr int32_t TEXT_COMMENTARY = 1702;
constexpr int32_t TEXT_PANORAMIC = 1703;
constexpr int32_t TEXT_WATCH = 1704;
constexpr uint16_t BUTTON_KIND = HOTREGION_BUTTON_KINDS + HOTREGION_TEXT_NO;
constexpr int16_t LABEL_FONT = 2;
constexpr int16_t LABEL_COLOUR = 0;
constexpr uint16_t LEFT_BUTTON = 1;

constexpr HotRegion ViewButton(int16_t x, int32_t label, MatchViewMode view)
{
    return {BUTTON_KIND,       x,     430,        190,           40,
            MENU_ALIGN_CENTRE, label, LABEL_FONT, &LABEL_COLOUR, static_cast<int16_t>(view)};
}

constexpr HotRegion kButtons[] = {
    ViewButton(32, TEXT_COMMENTARY, VIEW_TEXT),
    ViewButton(224, TEXT_PANORAMIC, VIEW_2D),
    ViewButton(416, TEXT_WATCH, VIEW_3D),
    {HOTREGION_END, 0, 0, 0, 0, 0, 0, 0, nullptr, 0},
};

void DrawButtons()
{
    for (const HotRegion* b = kButtons; b->kind != HOTREGION_END; ++b) {
        SetMenuFont(b->font);
        DoButton(b->x, b->y, b->w, b->h);
        HotRegion_DrawLabel(b);
    }
    PresentMenuScreen();
}

// The view under a fresh press, -1 for none; a press already held when the popup opened counts
// only once it has been released.
int32_t WaitForPress()
{
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    PointerFrame(&x, &y, &buttons);
    bool held = (buttons & LEFT_BUTTON) != 0;
    for (;;) {
        PointerFrame(&x, &y, &buttons);
        const bool down = (buttons & LEFT_BUTTON) != 0;
        const bool pressed = down && !held;
        held = down;
        if (pressed) {
            const int32_t view = HotRegion_HitTest(kButtons, x, y, LEFT_BUTTON);
            if (view >= 0) return view;
        }
    }
}

// The match starts next: the press that chose its view must not reach it as a click.
void WaitForRelease()
{
    int16_t x = 0, y = 0;
    uint16_t buttons = LEFT_BUTTON;
    while ((buttons & LEFT_BUTTON) != 0) {
        PointerFrame(&x, &y, &buttons);
    }
}

}  // namespace

void ViewChoiceInit() { GameOptionByte = 0; }

void ViewChoiceUninit() { ViewChoiceInit(); }

bool ViewChoice_Choose(uint16_t view)
{
    if (view != VIEW_TEXT && IsLowMemory()) {
        DoMessageBox(GetMessageText(TEXT_LOW_MEMORY), 0);
        return false;
    }
    ChosenViewMode = view;
    return true;
}

void MatchViewChoicePopup()
{
    DrawButtons();
    int32_t view;
    do {
        view = WaitForPress();
    } while (!ViewChoice_Choose(static_cast<uint16_t>(view)));
    if (view == VIEW_TEXT) {
        MenuOption = MENU_OPTION_PLAY_TODAY;
        GameOptionByte |= GAME_OPTION_COMMENTARY;
    } else {
        GameOptionByte &= static_cast<uint8_t>(~GAME_OPTION_COMMENTARY);
    }
    WaitForRelease();
}
