// matchscreens/ingamemenus.h: the in-match menus: the loop that takes the match view down, runs one
// full-screen VT_ screen after another as they hand over through a shared menu id, and builds
// the view up again; the engine's entries into it; the frame every screen runs in.
#pragma once

#include <cstdint>

#include "menus/vtmenusys.h"

// Screen ids. 3 and 7 have no screen; ids above 12 are invalid.
enum InGameMenuScreen : uint16_t {
    IGM_PAUSE = 0,
    IGM_DISPLAY = 1,
    IGM_VIDEO = 2,
    IGM_TEAM_SELECTION = 4,
    IGM_PERFORMANCE = 5,
    IGM_LINE_UPS = 6,
    IGM_SQUAD = 8,
    IGM_STATISTICS = 9,
    IGM_TIMELINE = 10,
    IGM_SHOOT_OUT = 11,
    IGM_MARKING = 12,
    IGM_CLOSED = 65535,  // leaves the menus
};
constexpr int32_t IGM_SCREEN_IDS = 13;

// Owned by InGameMenus; every screen reads them and the item callbacks write them. They keep
// their values between openings; each entry sets the id (and the side where it names one).
extern uint16_t InGameMenuId;    // the screen to run next
extern uint16_t InGameMenuSide;  // 0 home, 1 away: the team the screens show
extern uint16_t InGameMenuPage;  // 1 when team selection opens for a change of line-up

// What the loop runs: a row per id (null for ids without a screen) and the engine's rebuild of a
// side after team selection. InGameMenus_Init puts the real ones in; tests may replace rows.
struct InGameMenuTable {
    void (*runScreen[IGM_SCREEN_IDS])();
    void (*copySquadStatus)(int32_t side);
    void (*setupFormations)(int32_t side);
};
extern InGameMenuTable InGameMenuOps;

void InGameMenus_Init();    // the real table, the menus closed, side and page 0
void InGameMenus_Uninit();  // the same; safe twice
// Start-up: Init, the engine entries written into the match presentation's table, and the
// script values `igmenu` (InGameMenus_Running) and `igside`.
void InGameMenus_Start();

// Runs screens from InGameMenuId until it is IGM_CLOSED: the match view is destroyed and the
// menu display brought up first, and both are reversed afterwards; no engine tick runs meanwhile.
// Display and video options always lead back to the pause screen; after team selection and
// marking both sides' working tactics go to the engine, which takes over the squad status and
// the formations.
// An id without a screen is fatal "ERROR: InGameMenusLoop, Default Case hit '%d'\n".
void InGameMenusLoop();
// The engine's entries: team selection at page 1 for `side`; the match loop's requests 1-5
// (line-ups, performance, team selection, display options, pause); the human side is 1 when only
// the away side is human-managed, else 0.
void InGameMenusLoopAt(int32_t side);
void InGameMenusPage6();
void InGameMenusFromStart();
void InGameMenusPage4();
void InGameMenusPage1();
void InGameMenusPage0();
void InGameMenus_Reset();  // at the first period's set-up: closed, side and page 0

// The id of the screen running (or last run while the menus close), -1 once the view is back.
int32_t InGameMenus_Running();
int32_t InGameMenus_HumanSide();

// One screen's frame: its map, what it prepares once per opening (before its static part is
// drawn), the words it fills before each drawing and resets after it; null members do nothing.
struct InGameScreen {
    const VTMapItem* map;
    void (*open)();
    void (*fill)();
    void (*afterDraw)();
    VTPoint escape = VT_NO_ESCAPE;  // the button Escape presses, as the map's builder says
};
// A set of menus with the screen's map: open, then (fill, draw, after-draw, menu loop) until the
// menu loop answers 1.
void InGameScreen_Run(const InGameScreen& screen);
// For tests: the set started, the map's static part and one drawing done; Close ends both.
void InGameScreen_Open(const InGameScreen& screen);
void InGameScreen_Close();

// A fixed-capacity builder for screen maps; Finish appends the end item.
constexpr int32_t IGM_MAP_ITEMS = 320;
struct InGameMapBuilder {
    VTMapItem items[IGM_MAP_ITEMS];
    int32_t count;
    VTPoint escape = VT_NO_ESCAPE;  // the map's way-on button, which Escape presses

    void Add(VTItemKind kind, VTDataKind dataKind, uint8_t passes, int32_t x, int32_t y, int32_t w,
             int32_t h, std::intptr_t data, VTCallback callback);
    void Custom(VTDrawFn draw);
    void Region(int32_t code, int32_t x, int32_t y, int32_t w, int32_t h, VTCallback callback);
    void Static(int32_t background,
                const char* const* title);  // title: a string held at the address
    void StaticTitleNo(int32_t background, int32_t textNo);
    void Finish();
};
