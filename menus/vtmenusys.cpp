// menus/vtmenusys.cpp: VT_ menu maps, their hot regions and the event loop.
#include "menus/vtmenusys.h"

#include "engine/fatal.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/vtmenu.h"

namespace {

constexpr const char* VT_SYS_SOURCE = "vtmenusys";
constexpr int32_t VT_NO_NUMBER = -32768;
constexpr int32_t VT_FRAME_MIN = 8;
constexpr uint32_t SKIP_REGIONS = 1;
constexpr uint32_t SKIP_DRAWING = 2;

struct VTLoopState {
    const VTMapItem* map;
    void* regions;  // tracked block of VTHotRegion
    int32_t regionCount;
    uint8_t flags;
    uint8_t frameType;
    bool hovering;
    VTHotRegion hovered;
    int32_t lastButtons;
    VTPoint escape = VT_NO_ESCAPE;
};

VTLoopState s_loop;

struct MapWalk {
    int32_t resultCode;
    uint32_t skipBits;
    bool drawing;
    bool registering;
};

struct ItemData {
    int32_t value;
    const char* text;
};

VTHotRegion* Regions() { return static_cast<VTHotRegion*>(s_loop.regions); }

void ResizeRegions(int32_t count)
{
    const auto bytes = static_cast<uint32_t>((count > 0 ? count : 1) * sizeof(VTHotRegion));
    if (s_loop.regions == nullptr)
        AllocateMemory(&s_loop.regions, bytes, MEM_TYPE_GAME);
    else
        ResizeMemory(&s_loop.regions, bytes);
}

ItemData ReadItemData(const VTMapItem& item)
{
    const auto address = reinterpret_cast<const void*>(item.data);
    switch (item.dataKind) {
        case VTD_NONE: return {-1, nullptr};
        case VTD_VALUE: return {static_cast<int16_t>(item.data), nullptr};
        case VTD_VARIABLE: return {*static_cast<const int16_t*>(address), nullptr};
        case VTD_TEXT_NO: {
            const int32_t n = static_cast<int16_t>(item.data);
            return {n, GetMessageText(n)};
        }
        case VTD_TEXT_NO_VAR: {
            const int32_t n = *static_cast<const int16_t*>(address);
            return {n, GetMessageText(n)};
        }
        case VTD_STRING: return {0, static_cast<const char*>(address)};
        case VTD_STRING_VAR: return {0, *static_cast<const char* const*>(address)};
        case VTD_FUNCTION: return {0, nullptr};
        default: FatalAbort(VT_SYS_SOURCE, __LINE__, "DisplayVTMap(): unknown data type");
    }
}

void PlacePoint(const VTMapItem& item, int32_t* x, int32_t* y)
{
    *x = item.x;
    *y = item.y;
    if ((s_loop.flags & 0x0F) == 5) *x += item.w / 2;
    if ((s_loop.flags & 0x0F) == 6) *x += item.w;
    if ((s_loop.flags & 0xF0) == 0x50) *y += item.h / 2;
    if ((s_loop.flags & 0xF0) == 0x60) *y += item.h;
}

void AppendRegion(const VTMapItem& item, int32_t code)
{
    ResizeRegions(s_loop.regionCount + 1);
    Regions()[s_loop.regionCount++] = {item.x, item.y,        item.w,
                                       item.h, item.callback, static_cast<int16_t>(code)};
}

// The drawing kinds, which skip bit 1 silences.
void DrawItem(const VTMapItem& item, const ItemData& data, const MapWalk& walk)
{
    int32_t px, py;
    PlacePoint(item, &px, &py);
    switch (item.kind) {
        case VTI_TEXT: VT_DrawTextAddr(px, py, s_loop.flags, data.text); break;
        case VTI_TEXT_BOX:
            VT_DrawTextBoxAddr(item.x, item.y, item.w, item.h, s_loop.flags, data.text);
            break;
        case VTI_NUMBER:
            if (data.value != VT_NO_NUMBER) VT_DrawNumber(px, py, s_loop.flags, data.value);
            break;
        case VTI_GRAPHIC: VT_DrawGraphic(px, py, s_loop.flags, data.value); break;
        case VTI_TITLE: VT_SetStaticTitle(data.text); break;
        case VTI_CUSTOM:
            if (walk.drawing) reinterpret_cast<VTDrawFn>(item.data)(item.x, item.y, item.w, item.h);
            break;
        case VTI_BUTTON: VT_DrawButton(item.x, item.y, item.w, item.h, data.value); break;
        case VTI_BACKGROUND: VT_SetStaticBackground(data.value); break;
        default: break;
    }
}

void ActOnVTItem(const VTMapItem& item, MapWalk* walk)
{
    if (item.kind >= VTI_KIND_COUNT)
        FatalAbort(VT_SYS_SOURCE, __LINE__, "DisplayVTMap(): unknown type");
    const ItemData data = ReadItemData(item);
    const bool mayDraw = (walk->skipBits & SKIP_DRAWING) == 0;
    if (walk->drawing && s_loop.frameType != 0 && mayDraw && item.w >= VT_FRAME_MIN
        && item.h >= VT_FRAME_MIN)
        VT_DrawButton(item.x, item.y, item.w, item.h, s_loop.frameType);
    switch (item.kind) {
        case VTI_RESULT_CODE: walk->resultCode = data.value; break;
        case VTI_FLAGS: s_loop.flags = static_cast<uint8_t>(data.value); break;
        case VTI_FONT_COLOUR: VT_SetFontColour(data.value); break;
        case VTI_FRAME_TYPE: s_loop.frameType = static_cast<uint8_t>(data.value); break;
        case VTI_SKIP_BITS: walk->skipBits = static_cast<uint32_t>(data.value); break;
        case VTI_REGION:
        case VTI_NOTHING: break;
        default:
            if (mayDraw) DrawItem(item, data, *walk);
            break;
    }
    if (walk->registering && (walk->skipBits & SKIP_REGIONS) == 0 && item.callback != nullptr
        && item.w != 0 && item.h != 0)
        AppendRegion(item, walk->resultCode);
}

const VTHotRegion* RegionAt(int32_t x, int32_t y)
{
    for (int32_t i = 0; i < s_loop.regionCount; ++i) {
        const VTHotRegion& r = Regions()[i];
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return &r;
    }
    return nullptr;
}

// Sends the event; the answer's breakout bits (bit 0 for 303, bit 1 for 302).
uint32_t Send(uint16_t kind, const VTHotRegion* region, int16_t px, int16_t py)
{
    if (region == nullptr || region->callback == nullptr) return 0;
    const VTEvent event = {kind,
                           region->code,
                           region->x,
                           region->y,
                           region->w,
                           region->h,
                           static_cast<int16_t>(px - region->x),
                           static_cast<int16_t>(py - region->y)};
    const int32_t result = region->callback(&event);
    if (result == VT_BREAK_1) return 1;
    if (result == VT_BREAK_0) return 2;
    return 0;
}

}  // namespace

void VTMenuSysInit() { s_loop = {}; }

void VTMenuSysUninit()
{
    VT_FreeLoopBlocks();
    s_loop = {};
}

void DisplayVTMap(const VTMapItem* map, uint32_t mode)
{
    const uint8_t passMask = static_cast<uint8_t>(((mode & VT_MAP_DRAW) ? VT_PASS_DRAW : 0)
                                                  | ((mode & VT_MAP_STATIC) ? VT_PASS_STATIC : 0));
    MapWalk walk = {-1, 0, (mode & VT_MAP_DRAW) != 0, (mode & VT_MAP_REGIONS) != 0};
    for (const VTMapItem* item = map; item->kind != VTI_END; ++item) {
        if ((item->passes & passMask) != 0) ActOnVTItem(*item, &walk);
    }
}

void VT_MenuInit(const VTMapItem* map)
{
    if (s_loop.map != nullptr)
        FatalAbort(VT_SYS_SOURCE, __LINE__, "VT_MenuInit(): already initialised");
    VT_FreeLoopBlocks();
    s_loop = {};
    s_loop.map = map;
    VT_StartMenu();
    ResizeRegions(0);
    VT_StartStaticItems();
    DisplayVTMap(map, VT_MAP_STATIC);
    VT_EndStaticItems();
}

void VT_MenuRedraw()
{
    s_loop.regionCount = 0;
    ResizeRegions(0);
    VT_StartDrawing();
    DisplayVTMap(s_loop.map, VT_MAP_DRAW | VT_MAP_REGIONS);
    VT_EndDrawing();
}

int32_t VT_MenuLoop()
{
    for (;;) {
        VT_Sync();
        int16_t px, py;
        VT_GetPointerPos(&px, &py);
        const int32_t buttons = VT_GetPointerButtons();
        const VTHotRegion* region = RegionAt(px, py);
        uint32_t breakout = 0;
        if (!VT_SameRegion(region, s_loop.hovering ? &s_loop.hovered : nullptr)) {
            if (s_loop.hovering) breakout |= Send(VT_EVENT_LEAVE, &s_loop.hovered, px, py);
            s_loop.hovering = region != nullptr;
            if (region != nullptr) s_loop.hovered = *region;
            breakout |= Send(VT_EVENT_ENTER, region, px, py);
        }
        if (buttons != s_loop.lastButtons) {
            if (s_loop.lastButtons != 0) {
                breakout |= Send(VT_EVENT_RELEASE, region, px, py);
                s_loop.lastButtons = 0;
            }
            if (buttons != 0) {
                breakout |= Send(VT_EVENT_PRESS, region, px, py);
                s_loop.lastButtons = buttons;
            }
        }
        // No region holds VT_NO_ESCAPE's point: there Escape does nothing.
        if (KeyWasPressed(EXM_ESCAPE_KEY) != 0) {
            const VTPoint at = s_loop.escape;
            breakout |= Send(VT_EVENT_RELEASE, RegionAt(at.x, at.y), at.x, at.y);
        }
        if (breakout != 0) return (breakout & 1) ? 1 : 0;
    }
}

void VT_MenuSetEscape(VTPoint button) { s_loop.escape = button; }

void VT_MenuEnd()
{
    VT_FreeLoopBlocks();
    VT_EndMenu();
    s_loop.map = nullptr;
}

void VT_FreeLoopBlocks()
{
    if (s_loop.regions != nullptr) FreeMemory(&s_loop.regions);
    s_loop.regionCount = 0;
    s_loop.hovering = false;
}

int32_t VT_SameRegion(const VTHotRegion* a, const VTHotRegion* b)
{
    if (a == nullptr || b == nullptr) return a == b ? 1 : 0;
    return a->x == b->x && a->y == b->y && a->w == b->w && a->h == b->h
                   && a->callback == b->callback && a->code == b->code
               ? 1
               : 0;
}

int32_t VT_BreakoutCode(int32_t result)
{
    if (result == VT_BREAK_0) return 2;
    if (result == VT_BREAK_1) return 1;
    return 0;
}

int32_t VT_RegionCount() { return s_loop.regionCount; }
const VTHotRegion* VT_Regions() { return Regions(); }
