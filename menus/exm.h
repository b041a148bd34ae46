// menus/exm.h: screens as static tables of menu items: the item interpreter, the stack of screens
// being shown, their hotspots and animations, and the menu loop that builds a screen, waits for
// the pointer and keys, plays animations and acts on the codes its callbacks return.
#pragma once

#include <cstdint>

constexpr uint32_t EXM_INACTIVE = 0xF001;  // the answer of every call while not active
constexpr int32_t EXM_CLICK_RELEASE_PASSES = 10;
constexpr int32_t EXM_ALT_KEY = 56;
constexpr int32_t EXM_ALT_GR_KEY = 184;
constexpr int32_t EXM_ESCAPE_KEY = 1;

// Walk modes.
enum ExmWalkMode : int32_t {
    EXM_WALK_FULL = 0,     // the background back at the 0x38 marker, the dynamic items drawn
    EXM_WALK_ITEMS = 1,    // the background back before each dynamic item
    EXM_WALK_OVERLAY = 2,  // the dynamic items over the current screen
};

// Codes of click and Escape callbacks: 0 and 1 wait on; 2, 3 and 5 redraw in modes 0, 2 and 1;
// 4 rebuilds; 6 leaves the screen; 7 and above keep waiting; negative as 0.
enum ExmCode : int32_t {
    EXM_CODE_NONE = 0,
    EXM_CODE_REDRAW = 2,
    EXM_CODE_OVERLAY = 3,
    EXM_CODE_REBUILD = 4,
    EXM_CODE_REDRAW_ITEMS = 5,
    EXM_CODE_LEAVE = 6,
};

struct MenuHotspot;
using ClickFn = int32_t (*)(MenuHotspot* hotspot);
using MenuInitFn = void (*)();
using MenuExitFn = void (*)();
using MenuEscapeFn = int32_t (*)();
using MenuSpecialFn = void (*)(int32_t x, int32_t y, int32_t w, int32_t h, int32_t row);
using MenuAnimDrawFn = void (*)(int32_t x, int32_t y, int32_t w, int32_t h, int32_t frame);

// An item's operand: a number, a text number, or an address, by kind.
using MenuOperand = std::intptr_t;
constexpr MenuOperand MenuNumber(int32_t n) { return n; }
constexpr MenuOperand MenuTextNo(int32_t n) { return n; }
inline MenuOperand MenuAddress(const void* p) { return reinterpret_cast<MenuOperand>(p); }
inline MenuOperand MenuVariable(const void* p) { return MenuAddress(p); }
inline MenuOperand MenuString(const char* s) { return MenuAddress(s); }
inline MenuOperand MenuFrames(const uint16_t* frames) { return MenuAddress(frames); }
template <typename Fn>
MenuOperand MenuCallback(Fn* fn)
{
    return reinterpret_cast<MenuOperand>(fn);
}

// One row of a screen table. A table starts with kind 0x36 (p10 the init callback) and ends
// with kind 0x37 (p10 the exit callback, p14 the Escape callback; see MenuEndItem). An include's
// stride b is always sizeof the element of the array its items read.
struct MenuItem {
    uint16_t kind;
    int16_t x;
    int16_t y;
    int16_t a;  // alignment, width, repeat count or attribute value, by kind
    int16_t b;  // height, row pitch or variable stride, by kind
    MenuOperand p10;
    ClickFn p14;  // 0: not clickable
};
MenuItem MenuEndItem(MenuExitFn exitFn, MenuEscapeFn escapeFn);

// A scroll bar's data (kinds 0x40, 0x41).
struct MenuScrollData {
    int16_t total;
    int16_t visible;
    int16_t position;
};

// The record of a kind 0x42 animation: the callback is called with each frame.
struct MenuCallbackFrames {
    uint16_t delayTicks;
    uint16_t frameCount;
    MenuAnimDrawFn draw;
};

enum MenuHotspotBehaviour : uint8_t {
    HOTSPOT_PLAIN,
    HOTSPOT_LABEL,
    HOTSPOT_VERTICAL_DRAG,
    HOTSPOT_HORIZONTAL_DRAG,
};

struct MenuHotspot {
    uint16_t links[4];  // copied from a kind 0x200a item
    int16_t x;
    int16_t y;
    int16_t width;
    int16_t height;
    ClickFn callback;
    uint8_t group;     // the include counter, 0xFF at top level
    uint8_t row;       // 0xFF at top level
    uint8_t index;     // position in its sub-table
    int8_t animation;  // -1 none
    int16_t style;     // 0 plain, 1 animated icon, 2 button area
    int16_t spare[2];
    std::intptr_t value;  // text number, number or data address
    uint8_t behaviour;    // MenuHotspotBehaviour
    std::intptr_t popup;  // a kind 0x2009 description, else 0
};

enum MenuAnimType : uint16_t {
    ANIM_LOOP,
    ANIM_PRESS,
    ANIM_HOVER,
    ANIM_TWO_WAY_3,
    ANIM_TWO_WAY_4,
    ANIM_MOVING,
    ANIM_CALLBACK,
};

struct MenuAnimation {
    uint16_t type;  // MenuAnimType
    int16_t x;
    int16_t y;
    int16_t width;
    int16_t height;
    const uint16_t* frames;  // {delay, icon..., 0}; type 5 {delay, {x, y, icon}..., 0 0 0}
    const MenuCallbackFrames* callback;  // type 6
    uint16_t delayTicks;
    int32_t countdown;
    int16_t frame;
    int16_t state;  // 2 forward, 0 idle, 1 held at the end, 3 backward
    int16_t align;
};

struct MenuStackEntry {
    const MenuItem* table;
    uint16_t hotspotCount;
    uint16_t state;  // 3 once walked
    MenuExitFn exitCallback;
    MenuEscapeFn escapeCallback;
};

// The menu bar with its dropped lists and popups, and the text field, which the front-end
// controller owns and registers here. Without a registration (or with a null row) a screen has no
// bar, a popup attached to a hotspot opens nothing and no text field is ever active.
struct ExmFrontEnd {
    // A kind 0x2008 item met in a walk: the bar (or popup shown at once) described there.
    void (*showBar)(std::intptr_t description);
    // Step e of a pass that has no code yet: the bar and its lists; a loop code, 0 for none.
    int32_t (*barStep)();
    // The bar, a dropped list or a popup is open: hit test, clicks and animations wait.
    int32_t (*barOpen)();
    // A click on a hotspot that has a popup attached (kind 0x2009) opens the popup instead of
    // calling the hotspot's callback; `number` counts hotspots from 1.
    void (*openPopup)(MenuHotspot* hotspot, int32_t number);
    // Step g of a pass with Alt held (bit 4 of the buttons) and no code yet; a code, 0 for none.
    int32_t (*shortcutStep)();
    void (*forgetBar)();  // entering and leaving a screen: no bar, list or popup any more
    // The text field, four rows given together: whether one is active, turning it off (a push
    // does), one pass of its keys (1 while it goes on, else the code that ends it) and its end,
    // whose answer becomes the loop's code.
    int32_t (*textIsActive)();
    void (*textSetActive)(int32_t flag);
    int32_t (*textHandleKeys)();
    int32_t (*textEnd)(int32_t code);
};
// The front-end controller registers its table, kept across EXM_Init and EXM_Shutdown; null
// removes it. The table must outlive its registration.
void EXM_SetFrontEnd(const ExmFrontEnd* frontEnd);
// Called once, after the next walk that presents its screen.
void EXM_SetAfterPresent(MenuInitFn callback);

// Creates the pools, brings the menu display up (InitSetOfMenus) and activates the system.
void EXM_Init();
// Brings the display down, frees the pools, deactivates; safe without EXM_Init and twice.
void EXM_Shutdown();

// During a walk, only notes the table as pending (pushed at the next wait pass).
int32_t EXM_PushMenu(const MenuItem* table);
int32_t EXM_RunMenu();  // runs the current entry until the stack is empty; 0
// Run from a handler of a running screen, returns once the pushed table is left (the screen
// beneath neither rebuilt nor left: the handler's code decides).
int32_t EXM_PushAndRun(const MenuItem* table);
// Runs the screen on top of the stack, and the ones below once it is left, until the stack is
// empty, or for a table run from a handler, until it is left; the last code.
int32_t EXM_MenuLoop();

int32_t EXM_GetRebuildFlag();
// Whether the table left last was left by Escape for want of an Escape callback of its own: its
// handlers chose no next screen, so the one who runs it decides where Escape leads.
bool EXM_LeftByEscape();
// The full redraw that code 2 asks for, at once, of the screen being run (nothing outside a
// run or during a walk): for benchmarks, which time one redraw from inside the loop.
void EXM_RedrawNow();
// The screen being run drawn whole from what its variables hold now, as its build draws it: every
// item, the static head included, and the clean screen taken at the marker; but its init
// callbacks see no rebuild and its animations go on, so nothing the screen shows is reset, and
// nothing is presented. What a redraw must show; for tests, which may call it from an
// after-present callback (nothing outside a run or during a walk).
void EXM_FullDrawNow();
void EXM_SetRowCount(int32_t n);  // the count of includes whose own count is 0
int32_t EXM_GetClickState();      // the button bits of this pass; bit 4 while Alt is held
// The bits of the press that made the hotspot's click: a quick tap's button may be up again by
// the time its callback runs, when this pass's bits no longer say which button it was.
int32_t EXM_GetClickButtons();
void EXM_SetPendingCode(int32_t code);
// A hotspot from code (a screen drawing its own content); the rectangle aligned as items are.
void EXM_AddHotspot(int32_t x, int32_t y, int32_t w, int32_t h, int32_t animation,
                    int32_t alignment, int32_t group, int32_t index, int32_t row,
                    std::intptr_t value, ClickFn callback, int32_t style, int32_t behaviour);

// The current screen's hotspots and animations, for the test of a screen.
int32_t EXM_HotspotCount();
const MenuHotspot* EXM_Hotspots();
int32_t EXM_AnimationCount();
const MenuAnimation* EXM_Animations();
int32_t EXM_Depth();
// The loop of the screen on top waits for its next tick, between two passes: its hotspots are
// those its last walk made and a press now is its own. A walk (a build may wait for a wipe), a
// handler's own wait, a box or a table a handler runs does not count. For tests that script input.
bool EXM_AwaitingInput();

// The item interpreter: one item of a walk (row -1 at top level). Every fault of a table is
// fatal with the function's name.
void ActOnType(const MenuItem* item, int16_t* includeCounter, int32_t xOffset, int32_t yOffset,
               int32_t indexInTable, int32_t row, int32_t mode);
void DrawMenuScrollBar(int32_t x, int32_t y, int32_t w, int32_t h, const MenuScrollData* data,
                       bool vertical, bool dragging);

// Between the interpreter and the loop. A registration adds a record only while the rebuild
// flag is set; either way it answers the number the item got at the build (walk order), or -1
// for type -1 (not an animation kind).
int32_t ExmRegisterAnimation(int32_t type, int32_t x, int32_t y, int32_t w, int32_t h,
                             int32_t alignment, const uint16_t* frames);
int32_t ExmRegisterCallbackAnimation(int32_t x, int32_t y, int32_t w, int32_t h,
                                     const MenuCallbackFrames* record);
int32_t ExmAnimationIcon(int32_t animation);  // the current frame's icon (type 6: the frame)
bool ExmPastStaticHead();
void ExmMarkPastStaticHead();
// A build, or EXM_FullDrawNow's walk: every item is drawn and the marker takes the clean screen.
bool ExmDrawsWhole();
void ExmSetLastHotspotLinks(const MenuItem* item);
void ExmShowBar(std::intptr_t description);
void ExmSetLastHotspotPopup(std::intptr_t popup);
int32_t ExmRowCount();
bool ExmDragging(const MenuScrollData* data);
void ExmItemsReset();  // the text-box font back to 0
