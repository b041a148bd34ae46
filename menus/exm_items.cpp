// menus/exm_items.cpp: the item interpreter: what each kind of menu item sets, draws, includes
// and registers.
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

namespace {

constexpr const char* EXM_SOURCE = "menus\\exm_items";
constexpr uint16_t SCROLL_TRACK_COLOUR = 0x2104;
constexpr uint16_t SCROLL_THUMB_COLOUR = 0x632C;
constexpr uint16_t SCROLL_DRAG_COLOUR = 0x9A69;
constexpr uint16_t MENU_BUTTON_COLOUR = 0x000F;
constexpr int32_t LABEL_PADDING = 4;
constexpr int32_t NO_VALUE = static_cast<int32_t>(0x80000000u);

enum ValueGroup : uint8_t {
    V_NONE,
    V_LITERAL,
    V_VAR16,
    V_FRAMES,
    V_FRAMES_VAR,
    V_STRING,
    V_STRING_VAR,
    V_S8,
    V_U8,
    V_S16,
    V_U16,
    V_S32,
    V_DATA
};
enum CoordGroup : uint8_t { C_POINT, C_ICON, C_MESSAGE, C_RECT, C_RECT_VAR, C_BUTTON };
enum DrawGroup : uint8_t {
    D_NOTHING,
    D_ICON,
    D_ANIMATION,
    D_BACKGROUND,
    D_FONT,
    D_MESSAGE,
    D_STRING,
    D_ROW_NUMBER,
    D_NUMBER,
    D_LINE,
    D_OUTLINE,
    D_BAR,
    D_INCLUDE_V,
    D_INCLUDE_H,
    D_SPECIAL,
    D_ATTRIBUTE,
    D_HEAD,
    D_MARKER,
    D_SCROLL_H,
    D_SCROLL_V,
    D_CALLBACK_ANIM,
    D_COUNTER,
    D_TEXT_BOX,
    D_TEXT_BOX_FONT,
    D_POPUP,
    D_POPUP_LAST,
    D_LINKS,
    D_COLUMNS,
    D_BUTTON
};
constexpr int8_t NO_HOTSPOT = -1;
constexpr int8_t NO_ANIM = -1;

struct KindRow {
    uint16_t kind;
    ValueGroup value;
    CoordGroup coords;
    DrawGroup draw;
    bool aligned;     // needs a non-zero alignment
    bool viaPointer;  // p10 holds the address of the sub-table or frame list
    int8_t hotspotStyle;
    int8_t animType;
    int8_t attribute;  // SetDrawAttribute number, 0 none
};

// clang-format off
constexpr auto KINDS = std::to_array<KindRow>({
    // Icons and icon animations.
    {0x01, V_FRAMES,     C_ICON,    D_ANIMATION,   true,  false, 1, ANIM_TWO_WAY_4, 0},
    {0x02, V_FRAMES_VAR, C_ICON,    D_ANIMATION,   true,  true,  1, ANIM_TWO_WAY_4, 0},
    {0x03, V_LITERAL,    C_ICON,    D_ICON,        true,  false, 1, NO_ANIM, 0},
    {0x04, V_VAR16,      C_ICON,    D_ICON,        true,  false, 1, NO_ANIM, 0},
    {0x05, V_FRAMES,     C_ICON,    D_ANIMATION,   true,  false, 1, ANIM_LOOP, 0},
    {0x06, V_FRAMES_VAR, C_ICON,    D_ANIMATION,   true,  true,  1, ANIM_LOOP, 0},
    {0x07, V_FRAMES,     C_ICON,    D_NOTHING,     true,  false, NO_HOTSPOT, ANIM_MOVING, 0},
    {0x08, V_FRAMES_VAR, C_ICON,    D_NOTHING,     true,  true,  NO_HOTSPOT, ANIM_MOVING, 0},
    {0x09, V_FRAMES,     C_ICON,    D_ANIMATION,   true,  false, 1, ANIM_PRESS, 0},
    {0x0a, V_FRAMES_VAR, C_ICON,    D_ANIMATION,   true,  true,  1, ANIM_PRESS, 0},
    // Backgrounds and fonts.
    {0x0b, V_LITERAL,    C_POINT,   D_BACKGROUND,  false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x0c, V_VAR16,      C_POINT,   D_BACKGROUND,  false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x0d, V_LITERAL,    C_POINT,   D_FONT,        false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x0e, V_VAR16,      C_POINT,   D_FONT,        false, false, NO_HOTSPOT, NO_ANIM, 0},
    // Texts and numbers.
    {0x0f, V_LITERAL,    C_MESSAGE, D_MESSAGE,     true,  false, 0, NO_ANIM, 0},
    {0x10, V_VAR16,      C_MESSAGE, D_MESSAGE,     true,  false, 0, NO_ANIM, 0},
    {0x11, V_STRING,     C_POINT,   D_STRING,      true,  false, 0, NO_ANIM, 0},
    {0x12, V_STRING_VAR, C_POINT,   D_STRING,      true,  false, 0, NO_ANIM, 0},
    {0x13, V_LITERAL,    C_POINT,   D_ROW_NUMBER,  true,  false, 0, NO_ANIM, 0},
    {0x14, V_S8,         C_POINT,   D_NUMBER,      true,  false, 0, NO_ANIM, 0},
    {0x15, V_U8,         C_POINT,   D_NUMBER,      true,  false, 0, NO_ANIM, 0},
    {0x16, V_S16,        C_POINT,   D_NUMBER,      true,  false, 0, NO_ANIM, 0},
    {0x17, V_U16,        C_POINT,   D_NUMBER,      true,  false, 0, NO_ANIM, 0},
    {0x18, V_S32,        C_POINT,   D_NUMBER,      true,  false, 0, NO_ANIM, 0},
    // Lines, boxes, bars and button areas.
    {0x19, V_NONE,       C_RECT,    D_LINE,        false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x1a, V_DATA,       C_RECT_VAR, D_LINE,       false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x1b, V_NONE,       C_RECT,    D_OUTLINE,     false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x1c, V_DATA,       C_RECT_VAR, D_OUTLINE,    false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x1d, V_NONE,       C_RECT,    D_BAR,         false, false, 0, NO_ANIM, 0},
    {0x1e, V_DATA,       C_RECT_VAR, D_BAR,        false, false, 0, NO_ANIM, 0},
    {0x1f, V_NONE,       C_RECT,    D_NOTHING,     true,  false, 2, NO_ANIM, 0},
    {0x20, V_DATA,       C_RECT_VAR, D_NOTHING,    true,  false, 2, NO_ANIM, 0},
    // Includes and specials.
    {0x21, V_NONE,       C_POINT,   D_INCLUDE_V,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x22, V_NONE,       C_POINT,   D_INCLUDE_V,   false, true,  NO_HOTSPOT, NO_ANIM, 0},
    {0x24, V_NONE,       C_RECT,    D_SPECIAL,     false, false, 0, NO_ANIM, 0},
    {0x25, V_FRAMES,     C_ICON,    D_ANIMATION,   true,  false, 1, ANIM_TWO_WAY_3, 0},
    {0x26, V_FRAMES_VAR, C_ICON,    D_ANIMATION,   true,  true,  1, ANIM_TWO_WAY_3, 0},
    // Drawing attributes.
    {0x30, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 1},
    {0x31, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 1},
    {0x32, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 2},
    {0x33, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 2},
    {0x34, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 3},
    {0x35, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 3},
    // Screen structure.
    {0x36, V_NONE,       C_POINT,   D_HEAD,        false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x38, V_NONE,       C_POINT,   D_MARKER,      false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x39, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x3a, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x3d, V_NONE,       C_POINT,   D_INCLUDE_H,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x3e, V_NONE,       C_POINT,   D_INCLUDE_H,   false, true,  NO_HOTSPOT, NO_ANIM, 0},
    // Controls.
    {0x3f, V_NONE,       C_RECT,    D_NOTHING,     true,  false, 0, NO_ANIM, 0},
    {0x40, V_DATA,       C_RECT,    D_SCROLL_H,    true,  false, 0, NO_ANIM, 0},
    {0x41, V_DATA,       C_RECT,    D_SCROLL_V,    true,  false, 0, NO_ANIM, 0},
    {0x42, V_DATA,       C_RECT,    D_CALLBACK_ANIM, true, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x43, V_DATA,       C_RECT,    D_NOTHING,     true,  false, 0, NO_ANIM, 0},
    {0x44, V_S32,        C_POINT,   D_NOTHING,     false, false, 0, NO_ANIM, 0},
    {0x46, V_LITERAL,    C_POINT,   D_COUNTER,     false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x47, V_NONE,       C_POINT,   D_TEXT_BOX,    true,  false, NO_HOTSPOT, NO_ANIM, 0},
    {0x48, V_NONE,       C_POINT,   D_TEXT_BOX,    true,  true,  NO_HOTSPOT, NO_ANIM, 0},
    {0x49, V_LITERAL,    C_POINT,   D_TEXT_BOX_FONT, false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x4a, V_FRAMES,     C_ICON,    D_ANIMATION,   true,  false, 1, ANIM_HOVER, 0},
    {0x4b, V_FRAMES_VAR, C_ICON,    D_ANIMATION,   true,  true,  1, ANIM_HOVER, 0},
    {0x4c, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 4},
    {0x4d, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 4},
    {0x4e, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x4f, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x50, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x51, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x52, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x53, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x54, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x55, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x56, V_LITERAL,    C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x57, V_VAR16,      C_POINT,   D_ATTRIBUTE,   false, false, NO_HOTSPOT, NO_ANIM, 0},
    // Popups, keyboard links, columns and buttons.
    {0x2008, V_NONE,     C_POINT,   D_POPUP,       false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x2009, V_NONE,     C_POINT,   D_POPUP_LAST,  false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x200a, V_NONE,     C_POINT,   D_LINKS,       false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x200b, V_NONE,     C_RECT,    D_COLUMNS,     false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x200c, V_LITERAL,  C_BUTTON,  D_BUTTON,      false, false, 0, NO_ANIM, 0},
    {0x200d, V_NONE,     C_BUTTON,  D_BUTTON,      false, false, NO_HOTSPOT, NO_ANIM, 0},
    {0x200e, V_NONE,     C_BUTTON,  D_BUTTON,      false, true,  NO_HOTSPOT, NO_ANIM, 0},
    {0x200f, V_VAR16,    C_BUTTON,  D_BUTTON,      false, false, 0, NO_ANIM, 0},
});
// clang-format on
static_assert(KINDS.size() == 81, "one row per legal kind");

consteval bool KindsAscend()
{
    for (std::size_t i = 1; i < KINDS.size(); ++i) {
        if (KINDS[i].kind <= KINDS[i - 1].kind) return false;
    }
    return true;
}
static_assert(KindsAscend(), "the kind table is searched in order");

const KindRow* FindKind(uint16_t kind)
{
    for (const KindRow& row : KINDS) {
        if (row.kind == kind) return &row;
    }
    return nullptr;
}

// What an item reads: its value, and the address behind it.
struct ItemValue {
    int32_t value;
    const char* text;
    const uint16_t* frames;
    std::intptr_t data;
};

struct Placed {
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
    int32_t alignment;
};

struct ExmItemsState {
    int32_t textBoxFont;
    // The drawing attributes as the build passed the marker: a redraw draws what stands past it
    // from them too, not from whatever the walk before left.
    MenuAttributes headAttributes;
};

ExmItemsState s_items;

template <typename T>
T ReadAt(std::intptr_t address)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), sizeof value);
    return value;
}

std::intptr_t Indirect(const KindRow& row, std::intptr_t address)
{
    return row.viaPointer ? ReadAt<std::intptr_t>(address) : address;
}

int32_t FirstIcon(const KindRow& row, const uint16_t* frames)
{
    return row.animType == ANIM_MOVING ? frames[3] : frames[1];
}

ItemValue GetVarsFromMI(const MenuItem& item, const KindRow& row, std::intptr_t variable)
{
    ItemValue v = {0, nullptr, nullptr, item.p10};
    switch (row.value) {
        case V_NONE: break;
        case V_LITERAL: v.value = static_cast<int32_t>(item.p10); break;
        case V_VAR16: v.value = ReadAt<int16_t>(variable); break;
        case V_FRAMES:
        case V_FRAMES_VAR:
            v.frames = reinterpret_cast<const uint16_t*>(Indirect(row, item.p10));
            v.value = FirstIcon(row, v.frames);
            break;
        case V_STRING: v.text = reinterpret_cast<const char*>(item.p10); break;
        case V_STRING_VAR: v.text = ReadAt<const char*>(variable); break;
        case V_S8: {
            const auto byte = ReadAt<int8_t>(variable);
            v.value = byte == INT8_MIN ? NO_VALUE : byte;
            break;
        }
        case V_U8: {
            const auto byte = ReadAt<uint8_t>(variable);
            v.value = byte == 0xFF ? NO_VALUE : byte;
            break;
        }
        case V_S16: {
            const auto word = ReadAt<int16_t>(variable);
            v.value = word == INT16_MIN ? NO_VALUE : word;
            break;
        }
        case V_U16: {
            const auto word = ReadAt<uint16_t>(variable);
            v.value = word == 0xFFFF ? NO_VALUE : word;
            break;
        }
        case V_S32: v.value = ReadAt<int32_t>(variable); break;
        case V_DATA: v.data = variable; break;
    }
    return v;
}

const char* ButtonLabel(const MenuItem& item, const ItemValue& v, std::intptr_t variable)
{
    if (item.kind == 0x200d) return reinterpret_cast<const char*>(item.p10);
    if (item.kind == 0x200e) return ReadAt<const char*>(variable);
    return GetMessageText(v.value);
}

Placed CoordsCode(const MenuItem& item, const KindRow& row, const ItemValue& v,
                  std::intptr_t variable)
{
    Placed p = {item.x, item.y, 0, 0, item.a};
    switch (row.coords) {
        case C_POINT: break;
        case C_ICON: GetScaledIconSize(v.value, &p.w, &p.h); break;
        case C_MESSAGE: GetMessageExtent(v.value, &p.w, &p.h); break;
        case C_RECT:
            p.w = item.a;
            p.h = item.b;
            p.alignment = MENU_ALIGN_TL;
            break;
        case C_RECT_VAR:
            p.x = ReadAt<int16_t>(variable);
            p.y = ReadAt<int16_t>(variable + 2);
            p.w = ReadAt<int16_t>(variable + 4);
            p.h = ReadAt<int16_t>(variable + 6);
            break;
        case C_BUTTON: {
            p.w = item.a;
            p.h = item.b;
            p.alignment = MENU_ALIGN_TL;
            int32_t textW = 0, textH = 0;
            const char* label = ButtonLabel(item, v, variable);
            if (label != nullptr) GetTextExtent(label, &textW, &textH);
            if (p.w < 1) p.w = textW + LABEL_PADDING;
            if (p.h < 1) p.h = textH + LABEL_PADDING;
            break;
        }
    }
    return p;
}

}  // namespace

namespace {

void DrawButtonItem(const Placed& p, const char* label)
{
    SetDrawAttribute(4, 1);
    SetDrawAttribute(2, MENU_BUTTON_COLOUR);
    DoButton(p.x, p.y, p.w, p.h);
    if (label != nullptr) DrawMenuLabel(p.x, p.y, p.w, p.h, label);
}

void Include(const MenuItem& item, const KindRow& row, int16_t* includeCounter, int32_t mode,
             int32_t xOffset, int32_t yOffset)
{
    const auto* table = reinterpret_cast<const MenuItem*>(Indirect(row, item.p10));
    const int32_t count = item.a != 0 ? item.a : ExmRowCount();
    int32_t x = item.x + xOffset;
    int32_t y = item.y + yOffset;
    for (int32_t r = 0; r < count; ++r) {
        for (int32_t i = 0; table[i].kind != 0x37; ++i)
            ActOnType(&table[i], includeCounter, x, y, i, r, mode);
        if (row.draw == D_INCLUDE_V)
            y += item.b;
        else
            x += item.b;
    }
    ++*includeCounter;
}

// Kinds acted on in every walk, whether or not drawing is due; false for the others.
bool ActAtOnce(const MenuItem& item, const KindRow& row, const ItemValue& v, const Placed& p,
               std::intptr_t variable, int16_t* includeCounter, int32_t mode, int32_t xOffset,
               int32_t yOffset, int32_t r)
{
    switch (row.draw) {
        case D_FONT: SetMenuFont(v.value); return true;
        case D_ATTRIBUTE:
            if (row.attribute != 0) SetDrawAttribute(row.attribute, v.value);
            return true;
        case D_TEXT_BOX_FONT: s_items.textBoxFont = v.value; return true;
        case D_COUNTER: *includeCounter = static_cast<int16_t>(v.value); return true;
        case D_INCLUDE_V:
        case D_INCLUDE_H: Include(item, row, includeCounter, mode, xOffset, yOffset); return true;
        case D_SPECIAL:
            if (item.x != -1 || item.y != -1) return false;
            if (item.p10 == 0)
                FatalAbort(EXM_SOURCE, __LINE__, "ShowAnItem(): invalid M_SPECIAL item");
            reinterpret_cast<MenuSpecialFn>(item.p10)(p.x, p.y, p.w, p.h, r);
            return true;
        case D_POPUP: ExmShowBar(item.p10); return true;
        case D_POPUP_LAST: ExmSetLastHotspotPopup(item.p10); return true;
        case D_LINKS: ExmSetLastHotspotLinks(&item); return true;
        case D_COLUMNS: FatalAbort(EXM_SOURCE, __LINE__, "ShowAnItem(): invalid display item");
        case D_BUTTON: DrawButtonItem(p, ButtonLabel(item, v, variable)); return true;
        default: return false;
    }
}

void ShowAnItem(const MenuItem& item, const KindRow& row, const ItemValue& v, const Placed& p,
                int32_t r, int32_t animation)
{
    switch (row.draw) {
        case D_NOTHING: break;
        case D_ICON: DoIcon(p.x, p.y, v.value, p.alignment); break;
        case D_ANIMATION: DoIcon(p.x, p.y, ExmAnimationIcon(animation), p.alignment); break;
        case D_BACKGROUND: DoBackground(v.value); break;
        case D_MESSAGE: DrawMenuMessage(p.x, p.y, v.value, p.alignment); break;
        case D_STRING: DrawMenuString(p.x, p.y, v.text, p.alignment); break;
        case D_ROW_NUMBER: DrawMenuNumber(p.x, p.y, v.value + (r >= 0 ? r : 0), p.alignment); break;
        case D_NUMBER:
            if (v.value != NO_VALUE) DrawMenuNumber(p.x, p.y, v.value, p.alignment);
            break;
        case D_LINE: DrawVLine(p.x, p.y, p.w, p.h); break;
        case D_OUTLINE: DrawBoxOutline(p.x, p.y, p.w, p.h); break;
        case D_BAR: DrawHLine(p.x, p.y, p.w, p.h); break;
        case D_SPECIAL:
            if (item.p10 == 0) FatalAbort(EXM_SOURCE, __LINE__, "ShowAnItem(): invalid M_SPECIAL");
            if (p.x >= 0 && p.y >= 0)
                reinterpret_cast<MenuSpecialFn>(item.p10)(p.x, p.y, p.w, p.h, r);
            break;
        case D_SCROLL_H:
        case D_SCROLL_V: {
            const auto* data = reinterpret_cast<const MenuScrollData*>(v.data);
            DrawMenuScrollBar(p.x, p.y, p.w, p.h, data, row.draw == D_SCROLL_V, ExmDragging(data));
            break;
        }
        case D_CALLBACK_ANIM: {
            const auto* record = reinterpret_cast<const MenuCallbackFrames*>(v.data);
            record->draw(p.x, p.y, p.w, p.h, ExmAnimationIcon(animation));
            break;
        }
        case D_TEXT_BOX: {
            const int32_t keptFont = MenuAttr.font;
            SetMenuFont(s_items.textBoxFont);
            DoTextBox(p.x, p.y, reinterpret_cast<const char*>(Indirect(row, item.p10)), p.alignment,
                      item.a, item.b);
            SetMenuFont(keptFont);
            break;
        }
        default: FatalAbort(EXM_SOURCE, __LINE__, "ShowAnItem(): invalid display item");
    }
}

// The size a hotspot gets for what was drawn: texts and numbers measure themselves.
void MeasureDrawn(const KindRow& row, const ItemValue& v, int32_t r, Placed* p)
{
    const char* text = nullptr;
    if (row.draw == D_STRING) text = v.text;
    if (row.draw == D_ROW_NUMBER) text = Number2Str(v.value + (r >= 0 ? r : 0));
    if (row.draw == D_NUMBER && v.value != NO_VALUE) text = Number2Str(v.value);
    if (text != nullptr) GetTextExtent(text, &p->w, &p->h);
}

int32_t Behaviour(const KindRow& row)
{
    if (row.draw == D_SCROLL_V) return HOTSPOT_VERTICAL_DRAG;
    if (row.draw == D_SCROLL_H) return HOTSPOT_HORIZONTAL_DRAG;
    return HOTSPOT_PLAIN;
}

[[noreturn]] void AbortWithKind(int32_t line, const char* format, uint16_t kind)
{
    char message[96];
    std::snprintf(message, sizeof message, format, static_cast<unsigned>(kind));
    FatalAbort(EXM_SOURCE, line, message);
}

// Kinds that may not stand inside an included sub-table.
void ActOnTypeCheckItem(uint16_t kind)
{
    switch (kind) {
        case 0x0b:
        case 0x0c:
        case 0x21:
        case 0x23:
        case 0x36:
        case 0x37:
        case 0x38:
        case 0x3d: AbortWithKind(__LINE__, "ActOnType(): invalid table item: [%u]", kind);
        default: break;
    }
}

// The drawing of one item when its turn has come: animated and background kinds whatever the
// mode; in mode 1 the item's own rectangle is first put back from the clean screen.
void DrawDue(const MenuItem& item, const KindRow& row, const ItemValue& v, Placed p, int32_t r,
             int32_t animation, int32_t mode)
{
    const bool anyMode = row.draw == D_ANIMATION || row.draw == D_BACKGROUND
                         || row.draw == D_CALLBACK_ANIM || row.animType == ANIM_MOVING;
    if (!anyMode && mode == EXM_WALK_ITEMS) {
        if (!ExmPastStaticHead()) return;
        MeasureDrawn(row, v, r, &p);
        DrawAlignedBar(p.x, p.y, p.w, p.h, p.alignment);
    }
    ShowAnItem(item, row, v, p, r, animation);
}

std::intptr_t HotspotValue(const MenuItem& item, const KindRow& row, const ItemValue& v)
{
    if (row.draw == D_NOTHING && row.hotspotStyle == 2) return item.p10;
    if (row.value == V_DATA) return v.data;
    return v.value;
}

}  // namespace

void ActOnType(const MenuItem* item, int16_t* includeCounter, int32_t xOffset, int32_t yOffset,
               int32_t indexInTable, int32_t row, int32_t mode)
{
    if (row != -1) ActOnTypeCheckItem(item->kind);
    const KindRow* kind = FindKind(item->kind);
    if (kind == nullptr)
        AbortWithKind(__LINE__, "GetVarsFromMI(): invalid data type encountered [%u]", item->kind);
    const std::intptr_t variable = item->p10 + (row >= 0 ? item->b * row : 0);
    const ItemValue v = GetVarsFromMI(*item, *kind, variable);
    Placed p = CoordsCode(*item, *kind, v, variable);
    p.x += xOffset;
    p.y += yOffset;
    if (kind->aligned && p.alignment == 0)
        FatalAbort(EXM_SOURCE, __LINE__, "ActOnType(): invalid align type");
    const int32_t animation =
        kind->draw == D_CALLBACK_ANIM
            ? ExmRegisterCallbackAnimation(p.x, p.y, p.w, p.h,
                                           reinterpret_cast<const MenuCallbackFrames*>(v.data))
            : ExmRegisterAnimation(kind->animType, p.x, p.y, p.w, p.h, p.alignment, v.frames);
    // Checked before the frame is drawn: a number past the build's records names no animation.
    if (animation >= EXM_AnimationCount())
        FatalAbort(EXM_SOURCE, __LINE__,
                   "Error, AnimNum is greater than NumAnimates @ ActOnType()");
    if (kind->draw == D_MARKER) {
        if (ExmDrawsWhole()) {
            CopyBackBuffer();
            s_items.headAttributes = MenuAttr;
        } else {
            if (mode == EXM_WALK_FULL) DrawAlignedBar(0, 0, 640, 480, MENU_ALIGN_TL);
            MenuAttr = s_items.headAttributes;
        }
        ExmMarkPastStaticHead();
    } else if (kind->draw == D_HEAD) {
        if (item->p10 != 0) reinterpret_cast<MenuInitFn>(item->p10)();
    } else if (!ActAtOnce(*item, *kind, v, p, variable, includeCounter, mode, xOffset, yOffset, row)
               && (ExmPastStaticHead() || ExmDrawsWhole())) {
        DrawDue(*item, *kind, v, p, row, animation, mode);
    }
    if (item->p14 == nullptr) return;
    if (kind->hotspotStyle == NO_HOTSPOT)
        FatalAbort(EXM_SOURCE, __LINE__, "ActOnType(): invalid hotspot item");
    MeasureDrawn(*kind, v, row, &p);
    EXM_AddHotspot(p.x, p.y, p.w, p.h, animation, p.alignment, row >= 0 ? *includeCounter : -1,
                   indexInTable, row, HotspotValue(*item, *kind, v), item->p14, kind->hotspotStyle,
                   Behaviour(*kind));
}

void ExmItemsReset() { s_items = {}; }

void DrawMenuScrollBar(int32_t x, int32_t y, int32_t w, int32_t h, const MenuScrollData* data,
                       bool vertical, bool dragging)
{
    const MenuAttributes kept = MenuAttr;
    SetDrawAttribute(4, 0);
    SetDrawAttribute(2, dragging ? SCROLL_DRAG_COLOUR : SCROLL_THUMB_COLOUR);
    // With nothing to scroll (no total, or everything visible) the bar is one whole thumb.
    if (data->total <= 0 || data->visible >= data->total) {
        DoButton(x, y, w, h);
    } else {
        const int32_t length = vertical ? h : w;
        const int32_t start = length * data->position / data->total;
        const int32_t size = length * data->visible / data->total;
        SetDrawAttribute(2, SCROLL_TRACK_COLOUR);
        DoButton(x, y, w, h);
        SetDrawAttribute(2, dragging ? SCROLL_DRAG_COLOUR : SCROLL_THUMB_COLOUR);
        if (vertical)
            DoButton(x, y + start, w, size);
        else
            DoButton(x + start, y, size, h);
    }
    SetDrawAttribute(2, kept.drawColour);
    SetDrawAttribute(4, kept.buttonStyle);
}
