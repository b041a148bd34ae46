// menus/hotregion.cpp: hot-region lists, their labels and hit test, and the pointer frame.
#include "menus/hotregion.h"

#include <cstring>

#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr int32_t LABEL_MARGIN = 2;

struct HotRegionState {
    int32_t clicked;
};

HotRegionState s_hotRegion;

int32_t LabelAnchor(int32_t start, int32_t size, int32_t placement)
{
    if (placement == 2) return size == -1 ? start : start + size / 2;
    if (placement == 3) return start + size - LABEL_MARGIN;
    return start + LABEL_MARGIN;
}

}  // namespace

void HotRegionInit() { s_hotRegion = {}; }
void HotRegionUninit() { s_hotRegion = {}; }

void HotRegion_DrawLabel(const HotRegion* region)
{
    const int32_t x = LabelAnchor(region->x, region->w, region->alignment & 3);
    const int32_t y = LabelAnchor(region->y, region->h, (region->alignment >> 2) & 3);
    SetMenuFont(region->font);
    SetDrawAttribute(1, *region->colour);
    const uint16_t kind = region->kind > HOTREGION_BUTTON_KINDS
                              ? region->kind - HOTREGION_BUTTON_KINDS
                              : region->kind;
    switch (kind) {
        case HOTREGION_TEXT_NO:
            DrawMenuMessage(x, y, static_cast<int32_t>(region->label), region->alignment);
            break;
        case HOTREGION_TEXT_NO_VAR:
            DrawMenuMessage(x, y, *reinterpret_cast<const int16_t*>(region->label),
                            region->alignment);
            break;
        case HOTREGION_STRING_VAR:
            DrawMenuString(x, y, *reinterpret_cast<const char* const*>(region->label),
                           region->alignment);
            break;
        default: break;
    }
}

int32_t HotRegion_Append(HotRegion* destination, const HotRegion* source, int32_t dx, int32_t dy)
{
    int32_t end = 0;
    while (end < HOTREGION_MAX && destination[end].kind != HOTREGION_END)
        ++end;
    if (end >= HOTREGION_MAX - 1) return 0;
    for (;; ++source, ++end) {
        if (end == HOTREGION_MAX) {
            HotRegion_Clear(&destination[end]);
            break;
        }
        destination[end] = *source;
        if (source->kind == HOTREGION_END) break;
        destination[end].x = static_cast<int16_t>(destination[end].x + dx);
        destination[end].y = static_cast<int16_t>(destination[end].y + dy);
    }
    return end < HOTREGION_MAX ? 1 : 0;
}

void HotRegion_Clear(HotRegion* region) { std::memset(region, 0, sizeof *region); }

int32_t HotRegion_HitTest(const HotRegion* list, int32_t x, int32_t y, int32_t button)
{
    if (button != 1) return -1;
    for (; list->kind != HOTREGION_END; ++list) {
        if (x > list->x && x < list->x + list->w && y > list->y && y < list->y + list->h) {
            s_hotRegion.clicked = 1;
            return list->code;
        }
    }
    return -1;
}

int32_t HotRegion_FindByCode(const HotRegion* list, int32_t code)
{
    for (int32_t i = 0; list[i].kind != HOTREGION_END; ++i) {
        if (list[i].code == code) return i;
    }
    return -1;
}

void HotRegion_Highlight(const HotRegion* list, int32_t code)
{
    const int32_t i = HotRegion_FindByCode(list, code);
    if (i < 0 || list[i].kind < HOTREGION_BUTTON_KINDS) return;
    DoButton(list[i].x, list[i].y, list[i].w, list[i].h);
    HotRegion_DrawLabel(&list[i]);
}

void HotRegion_OutlineAll(const HotRegion* list)
{
    for (; list->kind != HOTREGION_END; ++list)
        DrawBoxOutline(list->x, list->y, list->w, list->h);
}

int32_t HotRegion_Clicked() { return s_hotRegion.clicked; }

void PointerFrame(int16_t* x, int16_t* y, uint16_t* buttons)
{
    ShowPointer();
    WaitMenuTick();
    ErasePointer();
    UpdatePointerPosition(x, y, buttons);
}
