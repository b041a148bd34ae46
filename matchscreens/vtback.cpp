// matchscreens/vtback.cpp: the environment-1 back end of the menu interface.
#include "matchscreens/vtback.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/blocks.h"
#include "engine/gfx.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/poll.h"
#include "engine/screengrab.h"
#include "game/textmess.h"
#include "matchscreens/softview.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/mgraphic.h"
#include "vx256/softraster.h"

namespace {

constexpr int32_t kPointerMaxX = 634;
constexpr int32_t kPointerMaxY = 474;
constexpr int32_t kGrabKey = 0x46;
constexpr int32_t kPlainFont = 1;
constexpr int32_t kHighlightFont = 4;
constexpr int32_t kTitleFont = 2;
constexpr uint8_t kLineColours[VT_LINE_COLOURS] = {255, 5, 16, 234, 1, 232, 36, 15, 6, 0};

struct GraphicFrame {
    int32_t graphic;  // -1 none
    int32_t frame;
};

// By the number VT_DrawGraphic is given; numbers past the table draw nothing.
constexpr GraphicFrame kGraphics[] = {
    {-1, 0}, {17, 0}, {6, 0},   {16, 0}, {16, 1}, {16, 2}, {19, 0}, {19, 1},
    {19, 2}, {19, 3}, {19, 4},  {19, 5}, {19, 6}, {19, 7}, {19, 8}, {19, 9},
    {20, 0}, {20, 1}, {20, 2},  {20, 3}, {20, 4}, {20, 5}, {20, 6}, {20, 7},
    {20, 8}, {20, 9}, {20, 10}, {33, 2}, {33, 0}, {33, 3}, {33, 1}};

struct BackState {
    int16_t pointerX, pointerY;
    int32_t font;
    uint8_t* staticImage;  // the page's static part, tracked while environment 1 runs
    uint8_t* saveUnder;    // the pixels under the pointer while it shows
    int32_t savedX, savedY, savedWidth, savedHeight;  // buffer positions
};

BackState s_back = {0, 0, kPlainFont, nullptr, nullptr, 0, 0, 0, 0};

// A page position as a game-screen (buffer) position.
int32_t BufferX(int32_t x)
{
    int32_t ox = 0, oy = 0;
    VTBack_PageOrigin(&ox, &oy);
    return x + ox + GAMESCREEN_MARGIN;
}

int32_t BufferY(int32_t y)
{
    int32_t ox = 0, oy = 0;
    VTBack_PageOrigin(&ox, &oy);
    return y + oy + GAMESCREEN_MARGIN;
}

// The page rectangle through shade table n.
void Remap(int32_t x, int32_t y, int32_t w, int32_t h, int32_t table)
{
    Soft_RemapRect(BufferX(x), BufferY(y), w, h, SoftView_GetShadeTable(table));
}

// The top left of a w x h item placed on (x, y) by the flags' two nibbles.
void Align(int32_t flags, int32_t w, int32_t h, int32_t* x, int32_t* y)
{
    const int32_t across = flags & 0x0F, down = flags & 0xF0;
    if (across == 5) *x -= w / 2;
    if (across == 6) *x -= w;
    if (down == 0x50) *y -= h / 2;
    if (down == 0x60) *y -= h;
}

void Text(int32_t x, int32_t y, int32_t flags, const char* text, int32_t font)
{
    Align(flags, FONT_GetTextWidth(text, font), FONT_GetItem(font).glyphHeight, &x, &y);
    FONT_DisplayTextAt(BufferX(x), BufferY(y), text, font);
}

// The page's 640 x 480 bytes to or from the static image.
void CopyPage(bool toImage)
{
    const GameScreenRecord s = GetGameScreen();
    if (s.pixels == nullptr || s_back.staticImage == nullptr) return;
    const int32_t x0 = std::max(BufferX(0), 0);
    const int32_t width = std::min(VTBACK_PAGE_WIDTH, s.width - x0);
    for (int32_t row = 0; row < VTBACK_PAGE_HEIGHT; ++row) {
        const int32_t y = BufferY(row);
        if (y < 0 || y >= s.height || width <= 0) continue;
        uint8_t* screen = s.pixels + static_cast<size_t>(y) * s.pitch + x0;
        uint8_t* image = s_back.staticImage + static_cast<size_t>(row) * VTBACK_PAGE_WIDTH;
        if (toImage) {
            std::memcpy(image, screen, static_cast<size_t>(width));
        } else {
            std::memcpy(screen, image, static_cast<size_t>(width));
        }
    }
}

void IGMenu_Init()
{
    AllocateMemory(&s_back.staticImage, VTBACK_PAGE_WIDTH * VTBACK_PAGE_HEIGHT, MEM_TYPE_GAME);
    s_back.font = kPlainFont;
}

void IGMenu_Uninit()
{
    if (s_back.saveUnder != nullptr) FreeMemory(&s_back.saveUnder);
    if (s_back.staticImage != nullptr) FreeMemory(&s_back.staticImage);
}

void IGMenu_Redraw()
{
    SoftView_DrawScene();
    Remap(0, 0, VTBACK_PAGE_WIDTH, VTBACK_PAGE_HEIGHT, 1);
}

void IGMenu_DrawTitle(const char* text)
{
    Remap(32, 32, 576, 32, 0);
    Text(320, 48, 0x55, text, kTitleFont);
}

void IGMenu_BlitArea() { CopyPage(true); }

void IGMenu_DrawBackground()
{
    CopyPage(false);
    s_back.font = kPlainFont;
}

// The end of drawing: the game buffer shown centred on the display, the page in it.
void IGMenu_ClearScreen()
{
    const GameScreenRecord s = GetGameScreen();
    if (s.pixels == nullptr) return;
    ShowDBuffer((static_cast<int32_t>(ScreenWidth()) - ViewSize.width) / 2,
                (static_cast<int32_t>(ScreenHeight()) - ViewSize.height) / 2, GameScreen_Buffer(),
                GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, ViewSize.width, ViewSize.height);
}

void IGMenu_SetFont(int32_t colour)
{
    s_back.font = colour == 1 || colour == 8 ? kHighlightFont : kPlainFont;
}

// A shaded frame: lit top and left, dark bottom and right, a half-dark face.
void IGMenu_DrawBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t type)
{
    if (type != 1) return;
    Remap(x + 2, y, w - 2, 2, 2);
    Remap(x, y, 2, h - 2, 2);
    Remap(x, y + h - 2, w - 2, 2, 0);
    Remap(x + w - 2, y + 2, 2, h - 2, 0);
    Remap(x + 2, y + 2, w - 4, h - 4, 1);
}

void IGMenu_DrawItem(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour)
{
    // The game screen's pixels are the view's to draw on; only the record is handed out const.
    auto* buffer = const_cast<BlockBuffer*>(GameScreen_Buffer());
    if (buffer == nullptr || colour < 0 || colour >= VT_LINE_COLOURS) return;
    BlockDrawLine(buffer, BufferX(x1), BufferY(y1), BufferX(x2), BufferY(y2), kLineColours[colour]);
}

void IGMenu_DrawGraphic(int32_t x, int32_t y, int32_t flags, int32_t n)
{
    if (n <= 0 || n >= static_cast<int32_t>(std::size(kGraphics))) return;
    const MGraphicItem& g = MGraphGetItem(kGraphics[n].graphic);
    // The frames are stacked in the image; the item's height is one frame's.
    Align(flags, g.width, g.height, &x, &y);
    GameScreen_CopyTrans(g.pixels + static_cast<size_t>(kGraphics[n].frame) * g.height * g.width,
                         g.width, BufferX(x), BufferY(y), g.width, g.height);
}

void IGMenu_DrawNumber(int32_t x, int32_t y, int32_t flags, int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    Text(x, y, flags, text, s_back.font);
}

void IGMenu_DrawText(int32_t x, int32_t y, int32_t flags, const char* text)
{
    Text(x, y, flags, text, s_back.font);
}

void IGMenu_DrawTextNo(int32_t x, int32_t y, int32_t flags, int32_t textNo)
{
    Text(x, y, flags, GetMessageText(textNo), s_back.font);
}

void IGMenu_GetPointer(int16_t* x, int16_t* y, int32_t* buttons)
{
    int16_t dx = 0, dy = 0;
    uint16_t pressed = 0;
    ReadMouseDriver(&dx, &dy, &pressed);
    s_back.pointerX = static_cast<int16_t>(std::clamp(s_back.pointerX + dx, 0, kPointerMaxX));
    s_back.pointerY = static_cast<int16_t>(std::clamp(s_back.pointerY + dy, 0, kPointerMaxY));
    *x = s_back.pointerX;
    *y = s_back.pointerY;
    *buttons = pressed;
}

// The pixels under the pointer kept, the pointer drawn over them.
void IGMenu_SavePanel()
{
    const GameScreenRecord s = GetGameScreen();
    const MGraphicItem& pointer = MGraphGetItem(MGRAPH_MOUSE);
    if (s.pixels == nullptr || s_back.saveUnder != nullptr) return;
    s_back.savedX = std::clamp(BufferX(s_back.pointerX), 0, s.width);
    s_back.savedY = std::clamp(BufferY(s_back.pointerY), 0, s.height);
    s_back.savedWidth = std::min(pointer.width, s.width - s_back.savedX);
    s_back.savedHeight = std::min(pointer.height, s.height - s_back.savedY);
    AllocateMemory(&s_back.saveUnder,
                   static_cast<uint32_t>(std::max(pointer.width * pointer.height, 1)),
                   MEM_TYPE_GAME);
    for (int32_t row = 0; row < s_back.savedHeight; ++row)
        std::memcpy(s_back.saveUnder + static_cast<size_t>(row) * s_back.savedWidth,
                    s.pixels + static_cast<size_t>(s_back.savedY + row) * s.pitch + s_back.savedX,
                    static_cast<size_t>(s_back.savedWidth));
    GameScreen_CopyTrans(pointer.pixels, pointer.width, s_back.savedX, s_back.savedY, pointer.width,
                         pointer.height);
}

void IGMenu_Present()
{
    IGMenu_ClearScreen();
    if (KeyWasPressed(kGrabKey) != 0) SaveScreenGrab();
    Poll();
}

void IGMenu_DrawPanel()
{
    const GameScreenRecord s = GetGameScreen();
    if (s_back.saveUnder == nullptr) return;
    for (int32_t row = 0; s.pixels != nullptr && row < s_back.savedHeight; ++row)
        std::memcpy(s.pixels + static_cast<size_t>(s_back.savedY + row) * s.pitch + s_back.savedX,
                    s_back.saveUnder + static_cast<size_t>(row) * s_back.savedWidth,
                    static_cast<size_t>(s_back.savedWidth));
    FreeMemory(&s_back.saveUnder);
}

}  // namespace

// Starting and ending sets of menus and menus, and the static background, draw nothing here.
const VTBackEnd SoftVTBackEnd = {
    .init = IGMenu_Init,
    .uninit = IGMenu_Uninit,
    .startSetOfMenus = nullptr,
    .endSetOfMenus = nullptr,
    .startMenu = nullptr,
    .endMenu = nullptr,
    .redraw = IGMenu_Redraw,
    .setStaticBackground = nullptr,
    .drawTitle = IGMenu_DrawTitle,
    .blitArea = IGMenu_BlitArea,
    .drawBackground = IGMenu_DrawBackground,
    .clearScreen = IGMenu_ClearScreen,
    .setFont = IGMenu_SetFont,
    .drawBox = IGMenu_DrawBox,
    .drawItem = IGMenu_DrawItem,
    .drawGraphic = IGMenu_DrawGraphic,
    .drawNumber = IGMenu_DrawNumber,
    .drawText = IGMenu_DrawText,
    .drawTextNo = IGMenu_DrawTextNo,
    .getPointer = IGMenu_GetPointer,
    .savePanel = IGMenu_SavePanel,
    .present = IGMenu_Present,
    .drawPanel = IGMenu_DrawPanel,
};

void VTBack_PageOrigin(int32_t* x, int32_t* y)
{
    *x = (ViewSize.width - VTBACK_PAGE_WIDTH) / 2;
    *y = (ViewSize.height - VTBACK_PAGE_HEIGHT) / 2;
}
