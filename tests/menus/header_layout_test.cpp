// tests/menus/header_layout_test.cpp: texts kept inside their places though our fonts are wider
// than the screens were laid out for: button labels inside their buttons, and a long club name
// clear of the title on the manager's name screen and in the office.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchday.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/frontend.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/newcareer.h"
#include "menus/office.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint16_t BLACK = 0;
constexpr int32_t AROUND = 60;  // how far outside a box a stray pixel is looked for

// Whether any pixel of the rectangle is not black.
bool Inked(int32_t x, int32_t y, int32_t w, int32_t h)
{
    for (int32_t row = y; row < y + h; ++row) {
        for (int32_t col = x; col < x + w; ++col) {
            if (WorkPixel(col, row) != WorkPixel(0, 0)) return true;
        }
    }
    return false;
}

// The club of the country's top division with the widest name in the title's font.
int32_t WidestNamedClub()
{
    SetMenuFont(2);
    int32_t widest = -1, widestW = 0;
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        if (VTW_GetClubCountry(club) != VTW_GetCountry() || VTW_GetClubDivision(club) != 0)
            continue;
        int32_t w = 0, h = 0;
        GetTextExtent(VTW_FormatClubName(VTW_GetTeam(club)), &w, &h);
        if (w > widestW) {
            widest = club;
            widestW = w;
        }
    }
    return widest;
}

}  // namespace

TEST(MenuLabel, ALabelWiderThanItsButtonStaysInsideIt)
{
    ScopedMenuDisplay display;
    const struct {
        const char* label;
        int32_t w, h;
    } cases[] = {
        {"Terminer", 160, 30},  // fits as it is
        {"Menu pr\xE9"
         "c.",
         40, 40},                                // a word to a line, smaller font
        {"Tentatives de but", 110, 24},          // the smaller font on one line
        {"Historique des classements", 60, 20},  // too low for lines: cut short
        {"Championnat", 30, 40},                 // one word too wide: cut short
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const int32_t x = 200, y = 200;
        FillMenuRect(x - AROUND, y - AROUND, c.w + 2 * AROUND, c.h + 2 * AROUND, BLACK);
        SetMenuFont(1);
        SetDrawAttribute(1, 0);
        DrawMenuLabel(x, y, c.w, c.h, c.label);
        EXPECT_TRUE(Inked(x, y, c.w, c.h));
        EXPECT_FALSE(Inked(x - AROUND, y - AROUND, AROUND, c.h + 2 * AROUND));  // left
        EXPECT_FALSE(Inked(x + c.w, y - AROUND, AROUND, c.h + 2 * AROUND));     // right
        EXPECT_FALSE(Inked(x, y - AROUND, c.w, AROUND));                        // above
        EXPECT_FALSE(Inked(x, y + c.h, c.w, AROUND));                           // below
        EXPECT_EQ(MenuAttr.font, 1);
    }
}

// The widest club name of the top division on the manager's name screen, which also shows its
// OK icon, and in the office: each frame is looked at once, then guarded by its golden.
TEST(HeaderLayout, TheWidestClubNameLeavesTheTitleClearOnTheNameScreenAndInTheOffice)
{
    ScopedWorld world;
    ScopedMenuDisplay display(true);
    TempHome home;
    NewGameForTest(6, 7);
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    const int32_t club = WidestNamedClub();
    ASSERT_GE(club, 0);
    GameState.humanClub = static_cast<int16_t>(club);
    GameState.currentClub = static_cast<int16_t>(club);
    VTW_SetClubControl(club, MANAGER_HUMAN);
    Club_AISelectTeam(club);
    ExpectGoldenHash("menus/manager_name_wide_club",
                     FirstBuildHash(ManagerName_Table(), "manager_name_wide_club.png"));
    ExpectGoldenHash("menus/office_wide_club",
                     FirstBuildHash(Office_Table(), "office_wide_club.png", 300, 420));
    FrontEndUninit();
}
