// vxd3d/gfxmgr.h: the head-up display's icons packed into a few 256 x 256 device texture pages
// (identical icons sharing one place), drawn as screen quads, white or tinted from a small colour
// table, with a drawing origin, filled rectangles and text in icon fonts.
#pragma once

#include <cstdint>
#include <vector>

constexpr int32_t GFXMGR_PAGE_SIZE = 256;
constexpr int32_t MAX_TEXTURES = 8;  // pages
constexpr int32_t GFXMGR_LIST_STEP = 16;
constexpr int32_t GFXMGR_COLOURS = 30;
constexpr int32_t GFXMGR_TEXT_BYTES = 512;  // GfxMgr_PrintfText's buffer, the zero included
constexpr uint32_t GFXMGR_WHITE = 0xFFFFFFFF;

// Alignment flags: high nibble across (0 or 1 left, 2 centre, 3 right), low nibble down (0 or 1
// top, 2 middle, 3 bottom).
constexpr uint8_t GFXMGR_TOP_LEFT = 0x11;
constexpr uint8_t GFXMGR_CENTRE = 0x22;
constexpr uint8_t GFXMGR_BOTTOM_RIGHT = 0x33;

struct GfxMgrIcon {
    int32_t page;
    int32_t x;  // pixels in the page
    int32_t y;
    int32_t width;
    int32_t height;
};

// Clears the pages and the icon list and measures which texel offsets map texels onto pixels on
// the present device (needs the 3D device in a mode). Prints "GfxMgr_Init(): texture fudge
// method %d: err %d\n" for each method on the graphics channel at level 80, and the winner at 70.
void GfxMgr_Init();
// Fatal "GfxMgr_CreateStart(): icons already created - can't do it again" when icons exist.
void GfxMgr_CreateStart();
// Packs one icon of `format` (a device texture format) pixels and returns its index. Fatal: "...
// icon too large for texture size" above 256 either way, "CreateNewTexture(): too many textures -
// increase MAX_TEXTURES" for a ninth page.
int32_t GfxMgr_Create(const void* pixels, int32_t width, int32_t height, int32_t format);
// The pages a list of icons needs, duplicates sharing their place, without a device: the data
// generator's check. -1 for an icon too large.
struct GfxMgrPackIcon {
    const std::vector<uint32_t>* pixels;
    int32_t width;
    int32_t height;
};
int32_t GfxMgr_PagesFor(const std::vector<GfxMgrPackIcon>& icons);
void GfxMgr_Upload();  // every page still holding its pixels becomes a texture
void GfxMgr_Free();    // pages, textures and icons; safe twice
void GfxMgr_FreeList();

// One quad; the size may differ from the icon's (stretched). The colour is 0xAARRGGBB.
void GfxMgr_DrawIcon(int32_t icon, int32_t x, int32_t y, int32_t width, int32_t height,
                     uint32_t colour);
void GfxMgr_DrawIcon(int32_t icon, int32_t x, int32_t y, uint32_t colour);
void GfxMgr_DrawIcon(int32_t icon, int32_t x, int32_t y);
[[noreturn]] void GfxMgr_DrawTiled();  // not available: fatal
int32_t GfxMgr_IconWidth(int32_t icon);
int32_t GfxMgr_IconHeight(int32_t icon);
const GfxMgrIcon& GfxMgr_GetIcon(int32_t icon);  // an index outside the list is fatal
int32_t GfxMgr_IconCount();
int32_t GfxMgr_PageCount();
int32_t GfxMgr_PageTexture(int32_t page);  // the device handle, -1 before the upload

// The fudge method's offsets; any other method than 0-2 is fatal "InitTextureFudge(): invalid
// fudge type".
void InitTextureFudge(int32_t method);
int32_t GfxMgr_FudgeMethod();

// The origin added to every position drawn: x, half the width or the width by the high nibble,
// y likewise by the low nibble.
void GfxMgr_SetOrigin(int32_t x, int32_t y, uint8_t flags);
void GfxMgr_FillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t flags,
                     int32_t colourIndex);
// Components 0.0-1.0; an index outside 0-29 is fatal "Error: AddIcon_ColourList, %d".
void AddIcon_ColourList(int32_t index, float r, float g, float b, float a);
uint32_t GfxMgr_Colour(int32_t index);  // the table's entry; an index outside 0-29 is fatal

// Text in a font (an icon set whose icon i is the character of code i, vxd3d/d3dicon.h). Codes
// are unsigned bytes; one past the set's icons takes its advance and draws nothing.
void GfxMgr_DrawText(int32_t font, const char* text, int32_t length, int32_t x, int32_t y,
                     uint8_t flags, int32_t colourIndex);
void GfxMgr_DrawString(int32_t font, const char* text, int32_t x, int32_t y, uint8_t flags,
                       int32_t colourIndex);
void GfxMgr_DrawStringTinted(int32_t font, const char* text, int32_t x, int32_t y, uint8_t flags,
                             int32_t colourIndex);
// Longer output than 511 characters is cut; colour index 1.
void GfxMgr_PrintfText(int32_t font, int32_t x, int32_t y, uint8_t flags, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
void GfxMgr_PrintfTextAligned(int32_t font, int32_t x, int32_t y, uint8_t flags,
                              int32_t colourIndex, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
int32_t GfxMgr_StringWidth(int32_t font, const char* text);

// Where the aligned rectangle's top left lands, origin included.
void GfxMgr_Align(int32_t* x, int32_t* y, int32_t width, int32_t height, uint8_t flags);
