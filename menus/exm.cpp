// menus/exm.cpp: the stack of screens, their hotspot and animation pools, and the menu loop.
#include "menus/exm.h"

#include <algorithm>
#include <cstring>

#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/timer.h"
#include "game/textmess.h"
#include "menus/labelbox.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"

namespace {

constexpr uint16_t TABLE_END_KIND = 0x37;
constexpr uint16_t ENTRY_WALKED = 3;
constexpr uint32_t ALT_BUTTON_BIT = 0x10;
constexpr uint32_t MOUSE_BUTTON_BITS = 3;
constexpr int16_t ANIM_IDLE = 0;
constexpr int16_t ANIM_HELD = 1;
constexpr int16_t ANIM_FORWARD = 2;
constexpr int16_t ANIM_BACKWARD = 3;

// A pool of records in one tracked block, grown one record at a time; the record past the
// count is always there and zeroed.
struct Pool {
    void* block;
    int32_t count;
    int32_t capacity;
};

struct ExmState {
    bool active;
    Pool stack;
    int16_t depth;  // -1: empty
    Pool hotspots;
    Pool animations;
    int32_t walkAnimations;  // animation items met in this walk
    bool rebuild;
    bool pastHead;
    bool walking;
    bool awaiting;   // a pass waits for its tick
    bool wholeDraw;  // a walk that draws every item as a build does, yet is no build
    const MenuItem* pending;
    int32_t rowCount;
    int32_t pendingCode;
    int16_t pointerX;
    int16_t pointerY;
    uint32_t buttons;
    bool clickInProgress;
    int32_t releaseDelay;
    int32_t clicked;        // hotspot number from 1, 0 none
    uint32_t clickButtons;  // the buttons of the press that made the click
    int32_t hovered;        // hotspot index, -1 none
    int32_t labelled;       // the hotspot whose label box the pointer last met, -1 none
    MenuScrollData* dragData;
    bool dragVertical;
    int32_t dragHotspot;
    int32_t grabPointer;
    int32_t grabPosition;
    MenuInitFn afterPresent;
    bool escapeLeaves;  // this wait ends by Escape on a table without an Escape callback
    bool leftByEscape;  // the same, of the table left last
};

ExmState s_exm;

// The front end's registration outlives EXM_Init and EXM_Shutdown: the display comes down and up
// again around a match while the front end stays.
struct ExmHooks {
    const ExmFrontEnd* frontEnd;
};

ExmHooks s_hooks;

const ExmFrontEnd& FrontEnd()
{
    static constexpr ExmFrontEnd NO_FRONT_END{};
    return s_hooks.frontEnd != nullptr ? *s_hooks.frontEnd : NO_FRONT_END;
}

bool BarOpen() { return FrontEnd().barOpen != nullptr && FrontEnd().barOpen() != 0; }
bool TextActive() { return FrontEnd().textIsActive != nullptr && FrontEnd().textIsActive() != 0; }

void ForgetBar()
{
    if (FrontEnd().forgetBar != nullptr) FrontEnd().forgetBar();
}

// Step e, then (after the pointer is read) step g: the bar's and the shortcut keys' codes.
int32_t BarStep() { return FrontEnd().barStep != nullptr ? FrontEnd().barStep() : 0; }
int32_t ShortcutStep()
{
    return FrontEnd().shortcutStep != nullptr ? FrontEnd().shortcutStep() : 0;
}

// Step d's text field: one pass of its keys; a result other than 1 ends it with that code.
int32_t TextFieldStep(int32_t code)
{
    const int32_t result = FrontEnd().textHandleKeys();
    return result == 1 ? code : FrontEnd().textEnd(result);
}

void MakeRoom(Pool* pool, uint32_t recordBytes)
{
    const int32_t needed = pool->count + 1;
    if (pool->block == nullptr) {
        AllocateMemory(&pool->block, static_cast<uint32_t>(needed) * recordBytes, MEM_TYPE_GAME);
        pool->capacity = needed;
    } else if (needed > pool->capacity) {
        ResizeMemory(&pool->block, static_cast<uint32_t>(needed) * recordBytes);
        pool->capacity = needed;
    }
    std::memset(static_cast<uint8_t*>(pool->block) + static_cast<size_t>(pool->count) * recordBytes,
                0, recordBytes);
}

void ShrinkPool(Pool* pool, uint32_t recordBytes)
{
    pool->count = 0;
    if (pool->block != nullptr) ResizeMemory(&pool->block, recordBytes);
    pool->capacity = 1;
    MakeRoom(pool, recordBytes);
}

void FreePool(Pool* pool)
{
    if (pool->block != nullptr) FreeMemory(&pool->block);
    *pool = {};
}

MenuStackEntry* Stack() { return static_cast<MenuStackEntry*>(s_exm.stack.block); }
MenuHotspot* Hotspots() { return static_cast<MenuHotspot*>(s_exm.hotspots.block); }
MenuAnimation* Animations() { return static_cast<MenuAnimation*>(s_exm.animations.block); }
MenuStackEntry& Top() { return Stack()[s_exm.depth]; }

void ForgetPress()
{
    ForgetHeldPress();
    s_exm.buttons &= ~MOUSE_BUTTON_BITS;
}

void PushEntry(const MenuItem* table)
{
    ++s_exm.depth;
    s_exm.stack.count = s_exm.depth + 1;
    MakeRoom(&s_exm.stack, sizeof(MenuStackEntry));
    Stack()[s_exm.depth] = {};
    Top().table = table;
    if (FrontEnd().textSetActive != nullptr) FrontEnd().textSetActive(0);
    s_exm.rebuild = true;
    ForgetPress();  // the press that opened the screen is not one of its own
}

// Animation frames ------------------------------------------------------------------------

const uint16_t* MovingEntry(const MenuAnimation& a, int32_t frame)
{
    return a.frames + 1 + 3 * frame;
}

bool PastLastFrame(const MenuAnimation& a, int32_t frame)
{
    if (a.type == ANIM_CALLBACK) return frame >= a.callback->frameCount;
    if (a.type == ANIM_MOVING) return MovingEntry(a, frame)[2] == 0;
    return a.frames[1 + frame] == 0;
}

bool PointerInside(int32_t x, int32_t y, int32_t w, int32_t h)
{
    return s_exm.pointerX >= x && s_exm.pointerX < x + w && s_exm.pointerY >= y
           && s_exm.pointerY < y + h;
}

void DrawAnimationFrame(MenuAnimation& a)
{
    if (a.type == ANIM_CALLBACK) {
        a.callback->draw(a.x, a.y, a.width, a.height, a.frame);
        return;
    }
    if (a.type == ANIM_MOVING) {
        const uint16_t* entry = MovingEntry(a, a.frame);
        a.x = static_cast<int16_t>(entry[0]);
        a.y = static_cast<int16_t>(entry[1]);
    }
    DoIcon(a.x, a.y, ExmAnimationIcon(static_cast<int32_t>(&a - Animations())), a.align);
}

// One step when the countdown runs out; true when a press animation has come back to frame 0.
bool StepAnimation(MenuAnimation& a, uint32_t elapsedTicks)
{
    a.countdown -= static_cast<int32_t>(elapsedTicks);
    if (a.countdown > 0) return false;
    a.countdown = a.delayTicks;
    if (a.type == ANIM_HOVER && a.frame == 0 && !PointerInside(a.x, a.y, a.width, a.height))
        return false;
    bool finished = false;
    if (a.state == ANIM_FORWARD) {
        if (!PastLastFrame(a, a.frame + 1)) {
            ++a.frame;
        } else if (a.type == ANIM_TWO_WAY_3 || a.type == ANIM_TWO_WAY_4) {
            a.state = ANIM_HELD;
        } else {
            a.frame = 0;
            finished = a.type == ANIM_PRESS;
        }
    } else if (a.state != ANIM_IDLE && a.state != ANIM_HELD) {
        if (--a.frame < 0) {
            a.frame = 0;
            a.state = ANIM_IDLE;
        }
    }
    DrawAlignedBar(a.x, a.y, a.width, a.height, a.align);
    DrawAnimationFrame(a);
    return finished;
}

void StepAnimations(uint32_t elapsedTicks)
{
    if (BarOpen()) return;
    for (int32_t i = 0; i < s_exm.animations.count; ++i) {
        MenuAnimation& a = Animations()[i];
        const bool twoWay = a.type == ANIM_TWO_WAY_3 || a.type == ANIM_TWO_WAY_4;
        if (a.type == ANIM_PRESS || (twoWay && a.state < ANIM_FORWARD)) continue;
        StepAnimation(a, elapsedTicks);
    }
}

void ToggleAnimation(int32_t hotspot, int16_t state)
{
    if (hotspot < 0) return;
    const int32_t n = Hotspots()[hotspot].animation;
    if (n < 0) return;
    MenuAnimation& a = Animations()[n];
    if (a.type == ANIM_TWO_WAY_3 || a.type == ANIM_TWO_WAY_4) a.state = state;
}

// The walk -------------------------------------------------------------------------------

// The label box of the hotspot, when it has one; any other box goes.
void ShowLabelOf(int32_t hotspot)
{
    LabelBox_Hide();
    s_exm.labelled = hotspot;
    if (hotspot < 0) return;
    const MenuHotspot& h = Hotspots()[hotspot];
    if (h.behaviour != HOTSPOT_LABEL || h.value < 0) return;
    LabelBox_Show(h.x, h.y, h.width, h.height, GetMessageText(static_cast<int32_t>(h.value)));
}

// A walk draws over the box: what it kept would be stale, so it goes first and comes back at
// the next hit test.
void ForgetLabel()
{
    LabelBox_Hide();
    s_exm.labelled = -1;
}

// A walk; `whole` draws every item as a build does, without presenting (EXM_FullDrawNow).
void Walk(int32_t code, bool whole = false)
{
    int32_t mode = EXM_WALK_FULL;
    if (code == EXM_CODE_REDRAW_ITEMS && !s_exm.rebuild) mode = EXM_WALK_ITEMS;
    if (code == EXM_CODE_OVERLAY) mode = EXM_WALK_OVERLAY;
    if (code == EXM_CODE_REBUILD) s_exm.rebuild = true;
    // A build registers the screen's animations afresh.
    if (s_exm.rebuild) ShrinkPool(&s_exm.animations, sizeof(MenuAnimation));
    ForgetLabel();
    s_exm.walking = true;
    s_exm.wholeDraw = whole;
    s_exm.pending = nullptr;
    s_exm.hotspots.count = 0;
    s_exm.pastHead = false;
    s_exm.walkAnimations = 0;
    int16_t includeCounter = 0;
    const MenuItem* table = Top().table;
    int32_t i = 0;
    for (; table[i].kind != TABLE_END_KIND; ++i)
        ActOnType(&table[i], &includeCounter, 0, 0, i, -1, mode);
    MenuStackEntry& entry = Top();
    entry.hotspotCount = static_cast<uint16_t>(s_exm.hotspots.count);
    entry.state = ENTRY_WALKED;
    entry.exitCallback = reinterpret_cast<MenuExitFn>(table[i].p10);
    // The end item keeps the Escape callback in its click field; void (*)() carries it across.
    entry.escapeCallback =
        reinterpret_cast<MenuEscapeFn>(reinterpret_cast<void (*)()>(table[i].p14));
    s_exm.wholeDraw = false;
    const bool shown = s_exm.pending == nullptr;
    if (shown) {
        for (int32_t n = 0; n < s_exm.animations.count; ++n)
            DrawAnimationFrame(Animations()[n]);
    }
    if (whole) {
        s_exm.walking = false;
        return;
    }
    if (shown) PresentMenuScreen();
    // The walk is over: the callback may walk the screen again (EXM_FullDrawNow), and it still
    // sees whether this walk was a build.
    s_exm.walking = false;
    if (shown) {
        const MenuInitFn afterPresent = s_exm.afterPresent;
        s_exm.afterPresent = nullptr;
        if (afterPresent != nullptr) afterPresent();
    }
    s_exm.rebuild = false;
}

// The hit test ---------------------------------------------------------------------------

int32_t ControlLength(const MenuHotspot& h, bool vertical) { return vertical ? h.height : h.width; }
int32_t PointerAlong(bool vertical) { return vertical ? s_exm.pointerY : s_exm.pointerX; }

void RedrawControl(int32_t hotspot, MenuScrollData* data, bool vertical, bool dragging)
{
    const MenuHotspot& h = Hotspots()[hotspot];
    DrawAlignedBar(h.x, h.y, h.width, h.height, MENU_ALIGN_TL);
    DrawMenuScrollBar(h.x, h.y, h.width, h.height, data, vertical, dragging);
}

void FollowDrag()
{
    MenuScrollData* data = s_exm.dragData;
    if ((s_exm.buttons & MOUSE_BUTTON_BITS) == 0) {
        s_exm.dragData = nullptr;
        RedrawControl(s_exm.dragHotspot, data, s_exm.dragVertical, false);
        return;
    }
    const MenuHotspot& h = Hotspots()[s_exm.dragHotspot];
    int32_t position = (PointerAlong(s_exm.dragVertical) - s_exm.grabPointer) * data->total
                           / ControlLength(h, s_exm.dragVertical)
                       + s_exm.grabPosition;
    if (position > data->total - data->visible) position = data->total - data->visible;
    if (position < 0) position = 0;
    if (position == data->position) return;
    data->position = static_cast<int16_t>(position);
    RedrawControl(s_exm.dragHotspot, data, s_exm.dragVertical, true);
}

void PressControl(int32_t hotspot)
{
    const MenuHotspot& h = Hotspots()[hotspot];
    auto* data = reinterpret_cast<MenuScrollData*>(h.value);
    if (data->total <= data->visible) return;
    const bool vertical = h.behaviour == HOTSPOT_VERTICAL_DRAG;
    const int32_t length = ControlLength(h, vertical);
    const int32_t offset = PointerAlong(vertical) - (vertical ? h.y : h.x);
    const int32_t thumbStart = length * data->position / data->total;
    const int32_t thumbEnd = thumbStart + length * data->visible / data->total;
    s_exm.clickInProgress = true;
    if (offset >= thumbStart && offset < thumbEnd) {
        s_exm.dragData = data;
        s_exm.dragVertical = vertical;
        s_exm.dragHotspot = hotspot;
        s_exm.grabPointer = PointerAlong(vertical);
        s_exm.grabPosition = data->position;
        RedrawControl(hotspot, data, vertical, true);
        return;
    }
    const int32_t step = data->visible > 1 ? data->visible - 1 : 1;
    const int32_t aimed = offset * data->total / length - data->visible / 2;
    int32_t position = aimed < data->position ? data->position - step : data->position + step;
    if (position > data->total - data->visible) position = data->total - data->visible;
    if (position < 0) position = 0;
    data->position = static_cast<int16_t>(position);
    RedrawControl(hotspot, data, vertical, false);
}

int32_t HotspotUnderPointer()
{
    for (int32_t i = 0; i < s_exm.hotspots.count; ++i) {
        const MenuHotspot& h = Hotspots()[i];
        if (PointerInside(h.x, h.y, h.width, h.height)) return i;
    }
    return -1;
}

void HitTest()
{
    if (s_exm.releaseDelay > 0)
        --s_exm.releaseDelay;
    else if ((s_exm.buttons & MOUSE_BUTTON_BITS) == 0)
        s_exm.clickInProgress = false;
    if (BarOpen()) return;
    if (s_exm.dragData != nullptr) {
        FollowDrag();
        return;
    }
    const int32_t under = HotspotUnderPointer();
    if (under != s_exm.hovered) {
        ToggleAnimation(s_exm.hovered, ANIM_BACKWARD);
        ToggleAnimation(under, ANIM_FORWARD);
        s_exm.hovered = under;
    }
    if (under != s_exm.labelled) ShowLabelOf(under);
    if (under < 0 || (s_exm.buttons & MOUSE_BUTTON_BITS) == 0 || s_exm.clickInProgress) return;
    const MenuHotspot& h = Hotspots()[under];
    if (h.behaviour == HOTSPOT_VERTICAL_DRAG || h.behaviour == HOTSPOT_HORIZONTAL_DRAG) {
        PressControl(under);
        return;
    }
    s_exm.clicked = under + 1;
    s_exm.clickButtons = s_exm.buttons;
    if (h.animation >= 0 && Animations()[h.animation].type == ANIM_PRESS) {
        MenuAnimation& a = Animations()[h.animation];
        a.state = ANIM_FORWARD;
        a.countdown = 1;
    }
}

// The clicked hotspot: its press animation first, then its callback, or, with a popup attached,
// the popup.
int32_t ClickStep(int32_t code, uint32_t elapsedTicks)
{
    MenuHotspot& h = Hotspots()[s_exm.clicked - 1];
    bool finished = true;
    if (h.animation >= 0 && Animations()[h.animation].type == ANIM_PRESS)
        finished = StepAnimation(Animations()[h.animation], elapsedTicks);
    if (!finished || s_exm.clickInProgress || BarOpen()) return code;
    s_exm.clickInProgress = true;
    LabelBox_Hide();
    if (h.popup != 0) {
        if (FrontEnd().openPopup != nullptr) FrontEnd().openPopup(&h, s_exm.clicked);
    } else if (h.callback != nullptr) {
        code = h.callback(&h);
    }
    s_exm.clicked = 0;
    return code;
}

int32_t Pass(int32_t code, uint32_t* lastTick)
{
    const uint32_t elapsedTicks = TickCount - *lastTick;
    *lastTick = TickCount;
    ShowPointer();
    s_exm.awaiting = true;
    WaitMenuTick();
    s_exm.awaiting = false;
    ErasePointer();
    s_exm.pendingCode = 0;
    StepAnimations(elapsedTicks);
    if (s_exm.pendingCode != 0) code = s_exm.pendingCode;
    if (QuickTerminateRequested()) QuickTerminate();
    if (TextActive()) {
        code = TextFieldStep(code);
    } else if (MenuKeyCodeHook() == 0 && KeyWasPressed(EXM_ESCAPE_KEY)) {
        const MenuEscapeFn escape = Top().escapeCallback;
        s_exm.escapeLeaves = escape == nullptr;
        code = escape != nullptr ? escape() : EXM_CODE_LEAVE;
    } else if (s_exm.pending != nullptr && !s_exm.walking) {
        const MenuItem* table = s_exm.pending;
        s_exm.pending = nullptr;
        PushEntry(table);
    } else if (s_exm.clicked == 0) {
        HitTest();
    } else {
        code = ClickStep(code, elapsedTicks);
    }
    if (code == EXM_CODE_NONE) code = BarStep();
    PollMenuKey();
    uint16_t buttons;
    UpdatePointerPosition(&s_exm.pointerX, &s_exm.pointerY, &buttons);
    const bool alt = KeyIsDown(EXM_ALT_KEY) || KeyIsDown(EXM_ALT_GR_KEY);
    s_exm.buttons = buttons | (alt ? ALT_BUTTON_BIT : 0);
    if (code == EXM_CODE_NONE && alt) code = ShortcutStep();
    return code < EXM_CODE_REDRAW ? EXM_CODE_NONE : code;
}

bool Waiting(int32_t code)
{
    return !s_exm.rebuild && (code < EXM_CODE_REDRAW || code > EXM_CODE_LEAVE);
}

}  // namespace

MenuItem MenuEndItem(MenuExitFn exitFn, MenuEscapeFn escapeFn)
{
    return {TABLE_END_KIND,
            0,
            0,
            0,
            0,
            MenuCallback(exitFn),
            reinterpret_cast<ClickFn>(reinterpret_cast<void (*)()>(escapeFn))};
}

void EXM_SetFrontEnd(const ExmFrontEnd* frontEnd) { s_hooks.frontEnd = frontEnd; }
void EXM_SetAfterPresent(MenuInitFn callback) { s_exm.afterPresent = callback; }

void EXM_Init()
{
    s_exm = {};
    s_exm.depth = -1;
    s_exm.hovered = -1;
    s_exm.labelled = -1;
    s_exm.pointerX = 320;
    s_exm.pointerY = 240;
    MakeRoom(&s_exm.stack, sizeof(MenuStackEntry));
    MakeRoom(&s_exm.hotspots, sizeof(MenuHotspot));
    MakeRoom(&s_exm.animations, sizeof(MenuAnimation));
    ExmItemsReset();
    InitSetOfMenus();
    s_exm.active = true;
}

void EXM_Shutdown()
{
    if (s_exm.active) ShutdownMenuGraphics();
    FreePool(&s_exm.stack);
    FreePool(&s_exm.hotspots);
    FreePool(&s_exm.animations);
    s_exm.active = false;
}

int32_t EXM_PushMenu(const MenuItem* table)
{
    if (!s_exm.active) return EXM_INACTIVE;
    if (s_exm.walking) {
        s_exm.pending = table;
        return 1;
    }
    PushEntry(table);
    return 1;
}

int32_t EXM_RunMenu()
{
    if (!s_exm.active) return EXM_INACTIVE;
    ResetScreenSection(LABEL_BOX_SECTION);
    s_exm.labelled = -1;
    ForgetBar();
    s_exm.hotspots.count = 0;
    s_exm.animations.count = 0;
    s_exm.clicked = 0;
    s_exm.clickInProgress = false;
    ForgetPress();  // a screen acts only on a press that began while it showed
    s_exm.hovered = -1;
    s_exm.dragData = nullptr;
    s_exm.releaseDelay = EXM_CLICK_RELEASE_PASSES;
    const bool fromHandler = s_exm.depth > 0;
    EXM_MenuLoop();
    ForgetBar();
    ShrinkPool(&s_exm.hotspots, sizeof(MenuHotspot));
    ShrinkPool(&s_exm.animations, sizeof(MenuAnimation));
    ResetScreenSection(LABEL_BOX_SECTION);
    // Both name hotspots of the table just left, which the pools no longer hold.
    s_exm.labelled = -1;
    s_exm.hovered = -1;
    // The screen beneath lost its hotspots and animations to the table: it is built afresh
    // before its handler goes on, so that whatever code the handler answers finds it whole.
    if (fromHandler) {
        s_exm.rebuild = true;
        Walk(EXM_CODE_NONE);
    }
    return 0;
}

int32_t EXM_PushAndRun(const MenuItem* table)
{
    EXM_PushMenu(table);
    return EXM_RunMenu();
}

int32_t EXM_MenuLoop()
{
    if (!s_exm.active) return EXM_INACTIVE;
    // A table run from a handler of the screen beneath it (EXM_PushAndRun) hands back to that
    // handler once it is left, and the handler's own code decides what its screen does next.
    const int32_t floor = std::max<int32_t>(s_exm.depth, 0);
    int32_t code = EXM_CODE_NONE;
    do {
        Walk(code);
        code = EXM_CODE_NONE;  // acted on: the wait starts afresh
        s_exm.clicked = 0;
        uint32_t lastTick = TickCount;
        s_exm.escapeLeaves = false;
        while (Waiting(code))
            code = Pass(code, &lastTick);
        if (code == EXM_CODE_LEAVE && !s_exm.rebuild) {
            s_exm.leftByEscape = s_exm.escapeLeaves;
            const MenuExitFn exitFn = Top().exitCallback;
            --s_exm.depth;
            s_exm.stack.count = s_exm.depth + 1;
            if (exitFn != nullptr) exitFn();
            if (floor > 0 && s_exm.depth < floor) break;
            s_exm.rebuild = true;
            code = EXM_CODE_OVERLAY;
        }
    } while (s_exm.depth >= floor);
    return code;
}

int32_t EXM_GetRebuildFlag() { return s_exm.rebuild ? 1 : 0; }
bool EXM_LeftByEscape() { return s_exm.leftByEscape; }

void EXM_RedrawNow()
{
    if (s_exm.active && s_exm.depth >= 0 && !s_exm.walking) Walk(EXM_CODE_REDRAW);
}
void EXM_FullDrawNow()
{
    if (s_exm.active && s_exm.depth >= 0 && !s_exm.walking) Walk(EXM_CODE_REDRAW, true);
}
void EXM_SetRowCount(int32_t n) { s_exm.rowCount = n; }
int32_t EXM_GetClickState() { return static_cast<int32_t>(s_exm.buttons); }
int32_t EXM_GetClickButtons() { return static_cast<int32_t>(s_exm.clickButtons); }
void EXM_SetPendingCode(int32_t code) { s_exm.pendingCode = code; }

void EXM_AddHotspot(int32_t x, int32_t y, int32_t w, int32_t h, int32_t animation,
                    int32_t alignment, int32_t group, int32_t index, int32_t row,
                    std::intptr_t value, ClickFn callback, int32_t style, int32_t behaviour)
{
    AlignPoint(&x, &y, w, h, alignment);
    MenuHotspot& spot = Hotspots()[s_exm.hotspots.count];
    spot.x = static_cast<int16_t>(x);
    spot.y = static_cast<int16_t>(y);
    spot.width = static_cast<int16_t>(w);
    spot.height = static_cast<int16_t>(h);
    spot.callback = callback;
    spot.group = static_cast<uint8_t>(group);
    spot.row = static_cast<uint8_t>(row);
    spot.index = static_cast<uint8_t>(index);
    spot.animation = static_cast<int8_t>(animation);
    spot.style = static_cast<int16_t>(style);
    spot.value = value;
    spot.behaviour = static_cast<uint8_t>(behaviour);
    ++s_exm.hotspots.count;
    MakeRoom(&s_exm.hotspots, sizeof(MenuHotspot));
}

int32_t EXM_HotspotCount() { return s_exm.hotspots.count; }
const MenuHotspot* EXM_Hotspots() { return Hotspots(); }
int32_t EXM_AnimationCount() { return s_exm.animations.count; }
const MenuAnimation* EXM_Animations() { return Animations(); }
int32_t EXM_Depth() { return s_exm.depth; }
bool EXM_AwaitingInput() { return s_exm.awaiting; }

int32_t ExmRegisterAnimation(int32_t type, int32_t x, int32_t y, int32_t w, int32_t h,
                             int32_t alignment, const uint16_t* frames)
{
    if (type < 0) return -1;
    const int32_t number = s_exm.walkAnimations++;
    if (!s_exm.rebuild) return number;
    const bool twoWay = type == ANIM_TWO_WAY_3 || type == ANIM_TWO_WAY_4;
    MenuAnimation& a = Animations()[s_exm.animations.count];
    a = {static_cast<uint16_t>(type),
         static_cast<int16_t>(x),
         static_cast<int16_t>(y),
         static_cast<int16_t>(w),
         static_cast<int16_t>(h),
         frames,
         nullptr,
         frames[0],
         1,
         0,
         twoWay ? ANIM_IDLE : ANIM_FORWARD,
         static_cast<int16_t>(alignment)};
    ++s_exm.animations.count;
    MakeRoom(&s_exm.animations, sizeof(MenuAnimation));
    return number;
}

int32_t ExmRegisterCallbackAnimation(int32_t x, int32_t y, int32_t w, int32_t h,
                                     const MenuCallbackFrames* record)
{
    const int32_t number = s_exm.walkAnimations++;
    if (!s_exm.rebuild) return number;
    MenuAnimation& a = Animations()[s_exm.animations.count];
    a = {ANIM_CALLBACK,
         static_cast<int16_t>(x),
         static_cast<int16_t>(y),
         static_cast<int16_t>(w),
         static_cast<int16_t>(h),
         nullptr,
         record,
         record->delayTicks,
         1,
         0,
         ANIM_FORWARD,
         MENU_ALIGN_TL};
    ++s_exm.animations.count;
    MakeRoom(&s_exm.animations, sizeof(MenuAnimation));
    return number;
}

int32_t ExmAnimationIcon(int32_t animation)
{
    const MenuAnimation& a = Animations()[animation];
    if (a.type == ANIM_CALLBACK) return a.frame;
    if (a.type == ANIM_MOVING) return MovingEntry(a, a.frame)[2];
    return a.frames[1 + a.frame];
}

bool ExmPastStaticHead() { return s_exm.pastHead; }
bool ExmDrawsWhole() { return s_exm.rebuild || s_exm.wholeDraw; }
void ExmMarkPastStaticHead() { s_exm.pastHead = true; }

void ExmSetLastHotspotLinks(const MenuItem* item)
{
    if (s_exm.hotspots.count == 0) return;
    MenuHotspot& last = Hotspots()[s_exm.hotspots.count - 1];
    last.links[0] = static_cast<uint16_t>(item->x);
    last.links[1] = static_cast<uint16_t>(item->y);
    last.links[2] = static_cast<uint16_t>(item->a);
    last.links[3] = static_cast<uint16_t>(item->b);
}

void ExmShowBar(std::intptr_t description)
{
    if (FrontEnd().showBar != nullptr) FrontEnd().showBar(description);
}

void ExmSetLastHotspotPopup(std::intptr_t popup)
{
    if (s_exm.hotspots.count > 0) Hotspots()[s_exm.hotspots.count - 1].popup = popup;
}

int32_t ExmRowCount() { return s_exm.rowCount; }

bool ExmDragging(const MenuScrollData* data) { return data != nullptr && data == s_exm.dragData; }
