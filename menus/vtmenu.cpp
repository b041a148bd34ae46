// menus/vtmenu.cpp: the immediate-mode menu interface and its two environments.
#include "menus/vtmenu.h"

#include <array>

#include "engine/fatal.h"
#include "game/textmess.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr const char* VT_SOURCE = "vtmenu";
constexpr uint32_t VT_FRONT_END = 0;
constexpr uint32_t VT_IN_MATCH = 1;
constexpr int32_t VT_TITLE_X = 320;
constexpr int32_t VT_TITLE_Y = 37;
constexpr uint8_t VT_LABEL_CENTRED = 0x55;  // centred both ways
constexpr uint16_t VT_BUTTON_COLOUR = 0x00D2;

constexpr auto STATIC_BACKGROUNDS = std::to_array<int16_t>({2, 12, 13, 13, 18, 2, 2});
constexpr auto FONT_COLOURS = std::to_array<int16_t>({0, 1, 2, 3, 4, 5, 6, 7, 8, 11});
constexpr auto LINE_COLOURS = std::to_array<uint16_t>(
    {0xFFFF, 0xFFEF, 0x0000, 0x001F, 0xF800, 0xF81F, 0x07E0, 0x07FF, 0xFFE0, 0x4A69});
// clang-format off
constexpr auto GRAPHICS = std::to_array<int16_t>({
    2, 1234, 1231, 1208, 1209, 1210,
    89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99,
    1219, 1220, 1221, 1222, 1223, 1224, 1225, 1226, 1227, 1228, 1229,
    1211, 1212, 1213, 1214,
    1431, 1432, 1433, 1434, 1435, 1436, 1437, 1438, 1439, 1440, 1441,
    1205, 1442});
// clang-format on
static_assert(STATIC_BACKGROUNDS.size() == VT_BACKGROUNDS);
static_assert(FONT_COLOURS.size() == VT_FONT_COLOURS);
static_assert(LINE_COLOURS.size() == VT_LINE_COLOURS);
static_assert(GRAPHICS.size() == VT_GRAPHICS);

struct VTMenuState {
    VTState state;
    uint32_t environment;
    int16_t pointerX;
    int16_t pointerY;
    int32_t pointerButtons;
    int16_t staticBackground;
    const char* staticTitle;
    const VTBackEnd* backEnd;
};

VTMenuState s_vt;

[[noreturn]] void Abort(int32_t line, const char* message) { FatalAbort(VT_SOURCE, line, message); }

// Checks the state and moves to the next one; the environment is examined afterwards.
void Step(VTState needed, VTState next, const char* message, int32_t line)
{
    if (s_vt.state != needed) Abort(line, message);
    s_vt.state = next;
}

// True for the front end, false for the in-match back end; any other environment aborts.
bool FrontEnd(const char* unknownMessage, int32_t line)
{
    if (s_vt.environment == VT_FRONT_END) return true;
    if (s_vt.environment == VT_IN_MATCH && s_vt.backEnd != nullptr) return false;
    Abort(line, unknownMessage);
}

void CheckIndex(int32_t n, int32_t count, const char* message, int32_t line)
{
    if (n < 0 || n >= count) Abort(line, message);
}

template <typename Fn, typename... Args>
void Forward(Fn fn, Args... args)
{
    if (fn != nullptr) fn(args...);
}

}  // namespace

void VT_SetBackEnd(const VTBackEnd* backEnd) { s_vt.backEnd = backEnd; }

void VTMenuInit() { s_vt = {}; }
void VTMenuUninit() { s_vt = {}; }

VTState VT_GetState() { return s_vt.state; }

void VT_Init(uint32_t environment)
{
    Step(VT_STATE_OFF, VT_STATE_READY, "VT_Init(): already initialised", __LINE__);
    s_vt.environment = environment;
    if (!FrontEnd("VT_Init(): unknown environment", __LINE__)) Forward(s_vt.backEnd->init);
}

void VT_Uninit()
{
    Step(VT_STATE_READY, VT_STATE_OFF, "VT_Uninit(): not initialised, or other error", __LINE__);
    if (!FrontEnd("VT_Uninit(): unknown environment", __LINE__)) Forward(s_vt.backEnd->uninit);
}

void VT_StartSetOfMenus()
{
    Step(VT_STATE_READY, VT_STATE_IN_SET, "VT_StartSetOfMenus(): not initialised, or other error",
         __LINE__);
    if (!FrontEnd("VT_StartSetOfMenus(): unknown environment", __LINE__))
        Forward(s_vt.backEnd->startSetOfMenus);
}

void VT_EndSetOfMenus()
{
    Step(VT_STATE_IN_SET, VT_STATE_READY, "VT_EndSetOfMenus(): not started, or other error",
         __LINE__);
    if (!FrontEnd("VT_EndSetOfMenus(): unknown environment", __LINE__))
        Forward(s_vt.backEnd->endSetOfMenus);
}

void VT_StartMenu()
{
    Step(VT_STATE_IN_SET, VT_STATE_IN_MENU,
         "VT_StartMenu(): not starting set of menus, or other error", __LINE__);
    if (FrontEnd("VT_StartMenu(): unknown environment", __LINE__))
        ResetDrawAttributes();
    else
        Forward(s_vt.backEnd->startMenu);
}

void VT_EndMenu()
{
    Step(VT_STATE_IN_MENU, VT_STATE_IN_SET, "VT_EndMenu(): menu not started, or other error",
         __LINE__);
    if (!FrontEnd("VT_EndMenu(): unknown environment", __LINE__)) Forward(s_vt.backEnd->endMenu);
}

void VT_StartStaticItems()
{
    Step(VT_STATE_IN_MENU, VT_STATE_STATIC,
         "VT_StartStaticItems(): menu not started, or other error", __LINE__);
    if (FrontEnd("VT_StartStaticItems(): unknown environment", __LINE__)) {
        s_vt.staticTitle = nullptr;
        s_vt.staticBackground = 0;
    } else {
        Forward(s_vt.backEnd->redraw);
    }
}

void VT_SetStaticBackground(int32_t n)
{
    Step(VT_STATE_STATIC, VT_STATE_STATIC, "VT_SetStaticBackground(): not in static items",
         __LINE__);
    if (FrontEnd("VT_SetStaticBackground(): unknown environment", __LINE__)) {
        CheckIndex(n, VT_BACKGROUNDS, "VT_SetStaticBackground(): background number out of range",
                   __LINE__);
        s_vt.staticBackground = static_cast<int16_t>(n);
    } else {
        Forward(s_vt.backEnd->setStaticBackground, n);
    }
}

void VT_SetStaticTitle(const char* text)
{
    Step(VT_STATE_STATIC, VT_STATE_STATIC, "VT_SetStaticTitle(): not in static items", __LINE__);
    if (FrontEnd("VT_SetStaticTitle(): unknown environment", __LINE__))
        s_vt.staticTitle = text;
    else
        Forward(s_vt.backEnd->drawTitle, text);
}

void VT_EndStaticItems()
{
    Step(VT_STATE_STATIC, VT_STATE_IN_MENU,
         "VT_EndStaticItems(): static items not started, or other error", __LINE__);
    if (!FrontEnd("VT_EndStaticItems(): unknown environment", __LINE__)) {
        Forward(s_vt.backEnd->blitArea);
        return;
    }
    DoBackground(STATIC_BACKGROUNDS[s_vt.staticBackground]);
    if (s_vt.staticTitle != nullptr) {
        SetMenuFont(2);
        SetDrawAttribute(1, 0);
        DrawMenuString(VT_TITLE_X, VT_TITLE_Y, s_vt.staticTitle, MENU_ALIGN_CENTRE);
    }
    CopyBackBuffer();
}

void VT_StartDrawing()
{
    Step(VT_STATE_IN_MENU, VT_STATE_DRAWING, "VT_StartDrawing(): menu not started, or other error",
         __LINE__);
    if (!FrontEnd("VT_StartDrawing(): unknown environment", __LINE__)) {
        Forward(s_vt.backEnd->drawBackground);
        return;
    }
    DrawAlignedBar(0, 0, 640, 480, MENU_ALIGN_TL);
    SetMenuFont(1);
    SetDrawAttribute(1, 0);
}

void VT_EndDrawing()
{
    Step(VT_STATE_DRAWING, VT_STATE_IN_MENU, "VT_EndDrawing(): menu not drawing", __LINE__);
    if (FrontEnd("VT_EndDrawing(): unknown environment", __LINE__))
        PresentMenuScreen();
    else
        Forward(s_vt.backEnd->clearScreen);
}

void VT_Sync()
{
    Step(VT_STATE_IN_MENU, VT_STATE_IN_MENU, "VT_Sync(): not in a menu, or other error", __LINE__);
    if (FrontEnd("VT_Sync(): unknown environment", __LINE__)) {
        uint16_t buttons;
        UpdatePointerPosition(&s_vt.pointerX, &s_vt.pointerY, &buttons);
        s_vt.pointerButtons = buttons;
        ShowPointer();
        WaitMenuTick();
        ErasePointer();
        return;
    }
    const VTBackEnd& backEnd = *s_vt.backEnd;
    s_vt.pointerX = s_vt.pointerY = 0;
    s_vt.pointerButtons = 0;
    Forward(backEnd.getPointer, &s_vt.pointerX, &s_vt.pointerY, &s_vt.pointerButtons);
    Forward(backEnd.savePanel);
    Forward(backEnd.present);
    Forward(backEnd.drawPanel);
}

void VT_SetFontColour(int32_t n)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_SetFontColour(): drawing not started", __LINE__);
    if (!FrontEnd("VT_SetFontColour(): unknown environment", __LINE__)) {
        Forward(s_vt.backEnd->setFont, n);
        return;
    }
    CheckIndex(n, VT_FONT_COLOURS, "VT_SetFontColour(): font colour out of range", __LINE__);
    SetDrawAttribute(1, FONT_COLOURS[n]);
}

void VT_DrawButton(int32_t x, int32_t y, int32_t w, int32_t h, int32_t type)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawButton(): drawing not started", __LINE__);
    if (!FrontEnd("VT_DrawButton(): unknown environment", __LINE__)) {
        Forward(s_vt.backEnd->drawBox, x, y, w, h, type);
        return;
    }
    switch (type) {
        case 1:
        case 2:
            SetDrawAttribute(4, type == 1 ? 1 : 0);
            SetDrawAttribute(2, VT_BUTTON_COLOUR);
            DoButton(x, y, w, h);
            break;
        case 3:
        case 4:
            SetDrawAttribute(2, 0x0000);
            DoShadedBox(x, y, w, h, type == 3 ? 50 : 25);
            break;
        case 5:
            SetDrawAttribute(2, 0xF800);
            DoShadedBox(x, y, w, h, 50);
            break;
        default: Abort(__LINE__, "VT_DrawButton(): unknown button type");
    }
}

void VT_DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawGraphic(): drawing not started", __LINE__);
    if (!FrontEnd("VT_DrawGraphic(): unknown environment", __LINE__)) {
        Forward(s_vt.backEnd->drawItem, x1, y1, x2, y2, colour);
        return;
    }
    CheckIndex(colour, VT_LINE_COLOURS, "VT_DrawLine(): line colour out of range", __LINE__);
    SetDrawAttribute(2, LINE_COLOURS[colour]);
    DrawVLine(x1, y1, x2 - x1, y2 - y1);
}

void VT_DrawGraphic(int32_t x, int32_t y, uint8_t flags, int32_t n)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawGraphic(): drawing not started", __LINE__);
    if (!FrontEnd("VT_DrawGraphic(): unknown environment", __LINE__)) {
        Forward(s_vt.backEnd->drawGraphic, x, y, static_cast<int32_t>(flags), n);
        return;
    }
    CheckIndex(n, VT_GRAPHICS, "VT_DrawGraphic(): graphic number out of range", __LINE__);
    DoIcon(x, y, GRAPHICS[n], VT_MapAlignFlags(flags));
}

void VT_DrawNumber(int32_t x, int32_t y, uint8_t flags, int32_t value)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawTextNo(): drawing not started", __LINE__);
    if (FrontEnd("VT_(): unknown environment", __LINE__))
        DrawMenuNumber(x, y, value, VT_MapAlignFlags(flags));
    else
        Forward(s_vt.backEnd->drawNumber, x, y, static_cast<int32_t>(flags), value);
}

void VT_DrawTextAddr(int32_t x, int32_t y, uint8_t flags, const char* text)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawTextNo(): drawing not started", __LINE__);
    if (FrontEnd("VT_DrawTextAddr(): unknown environment", __LINE__))
        DrawMenuString(x, y, text, VT_MapAlignFlags(flags));
    else
        Forward(s_vt.backEnd->drawText, x, y, static_cast<int32_t>(flags), text);
}

void VT_DrawTextNo(int32_t x, int32_t y, uint8_t flags, int32_t textNo)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawTextNo(): drawing not started", __LINE__);
    if (FrontEnd("VT_(): unknown environment", __LINE__))
        DrawMenuMessage(x, y, textNo, VT_MapAlignFlags(flags));
    else
        Forward(s_vt.backEnd->drawTextNo, x, y, static_cast<int32_t>(flags), textNo);
}

void VT_DrawLabelNo(int32_t x, int32_t y, int32_t w, int32_t h, int32_t textNo)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawTextNo(): drawing not started", __LINE__);
    if (FrontEnd("VT_(): unknown environment", __LINE__))
        DrawMenuLabel(x, y, w, h, GetMessageText(textNo));
    else
        Forward(s_vt.backEnd->drawTextNo, x + w / 2, y + h / 2, int32_t{VT_LABEL_CENTRED}, textNo);
}

void VT_DrawTextBoxAddr(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t flags, const char* text)
{
    Step(VT_STATE_DRAWING, VT_STATE_DRAWING, "VT_DrawTextNo(): drawing not started", __LINE__);
    if (!FrontEnd("VT_(): unknown environment", __LINE__))
        Abort(__LINE__, "Need to do in-game case for VT_DrawTextBoxAddr() (it would use "
                        "SplitTextForLayout() to wrap it)");
    DoTextBox(x, y, text, VT_MapAlignFlags(flags), w, h);
}

void VT_DrawTextBoxNo(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t flags, int32_t textNo)
{
    VT_DrawTextBoxAddr(x, y, w, h, flags, GetMessageText(textNo));
}

void VT_GetPointerPos(int16_t* x, int16_t* y)
{
    *x = s_vt.pointerX;
    *y = s_vt.pointerY;
}

int32_t VT_GetPointerButtons() { return s_vt.pointerButtons; }

int32_t VT_MapAlignFlags(uint8_t flags)
{
    int32_t alignment = 0;
    switch (flags & 0x0F) {
        case 4: alignment = 1; break;
        case 5: alignment = 2; break;
        case 6: alignment = 3; break;
        default: break;
    }
    switch (flags & 0xF0) {
        case 0x40: alignment += 4; break;
        case 0x50: alignment += 8; break;
        case 0x60: alignment += 12; break;
        default: break;
    }
    return alignment;
}
