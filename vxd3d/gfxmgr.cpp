// vxd3d/gfxmgr.cpp: icon pages, icon quads, the colour table and icon-font text.
#include "vxd3d/gfxmgr.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/dxd3d.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "vxd3d/d3dicon.h"

namespace {

constexpr int32_t kFudgeMethods = 3;
constexpr int32_t kTestSize = 32;
constexpr int32_t kTestAt = 10;
constexpr uint32_t kSpecularNone = 0xFF000000;

struct PackCursor {
    int32_t x;
    int32_t y;
    int32_t rowHeight;
};

struct Page {
    uint8_t* pixels;  // tracked block until the upload
    int32_t texture;  // -1 until uploaded
    int32_t format;
    int32_t bytesPerPixel;
    PackCursor cursor;
};

struct Fudge {
    float x, y;  // added to screen positions
    float u, v;  // added to texel positions
};

constexpr std::array<Fudge, kFudgeMethods> kFudges = {{
    {-0.5f, -0.5f, 0, 0},
    {0, 0, 0.5f, 0.5f},
    {0, 0, 0, 0},
}};

// clang-format off
constexpr std::array<uint32_t, GFXMGR_COLOURS> kDefaultColours = {
    0xff000000, 0xffffffff, 0xffff0000, 0xff00ff00, 0xff0000ff, 0xff00ffff, 0xffff00ff, 0xffffff00,
    0x3f000000, 0x7f000000, 0xbf000000, 0x3fffffff, 0x7fffffff, 0xbfffffff, 0x7f000026, 0x3f000026,
    0xbf001426,
    // black from alpha 0 to 255 in steps of ten per cent
    0x00000000, 0x19000000, 0x33000000, 0x4c000000, 0x66000000, 0x7f000000, 0x99000000,
    0xb2000000, 0xcc000000, 0xe5000000, 0xff000000,
    0xffff0000, 0xff00ff00,
};
// clang-format on

struct GfxMgrState {
    std::array<Page, MAX_TEXTURES> pages;
    int32_t pageCount;
    GfxMgrIcon* icons;  // tracked block of `capacity` records
    int32_t iconCount;
    int32_t capacity;
    int32_t fudgeMethod;
    Fudge fudge;
    int32_t originX;
    int32_t originY;
    std::array<uint32_t, GFXMGR_COLOURS> colours;
};

constinit GfxMgrState s_gfx = {{}, 0, nullptr, 0, 0, 2, kFudges[2], 0, 0, kDefaultColours};

int32_t Distance(int32_t a, int32_t b) { return a > b ? a - b : b - a; }

uint8_t* PixelAt(const Page& page, int32_t x, int32_t y)
{
    return page.pixels + (static_cast<size_t>(y) * GFXMGR_PAGE_SIZE + x) * page.bytesPerPixel;
}

// The first icon already packed with these pixels, or -1. Only pages still holding their pixels
// can be compared.
int32_t FindDuplicate(const uint8_t* pixels, int32_t width, int32_t height, int32_t format)
{
    for (int32_t i = 0; i < s_gfx.iconCount; ++i) {
        const GfxMgrIcon& icon = s_gfx.icons[i];
        const Page& page = s_gfx.pages[icon.page];
        if (icon.width != width || icon.height != height || page.format != format
            || page.pixels == nullptr)
            continue;
        const size_t rowBytes = static_cast<size_t>(width) * page.bytesPerPixel;
        bool same = true;
        for (int32_t row = 0; row < height && same; ++row) {
            same =
                std::memcmp(PixelAt(page, icon.x, icon.y + row), pixels + row * rowBytes, rowBytes)
                == 0;
        }
        if (same) return i;
    }
    return -1;
}

// How well an icon fits a page: on the current row first, then on a new row; 0 when it does
// not fit.
int32_t PlaceScore(const PackCursor& c, int32_t width, int32_t height)
{
    if (c.x + width <= GFXMGR_PAGE_SIZE && c.y + height <= GFXMGR_PAGE_SIZE)
        return 65792 - Distance(c.rowHeight, height);
    if (c.y + c.rowHeight + height <= GFXMGR_PAGE_SIZE) return 256 - Distance(c.rowHeight, height);
    return 0;
}

// Where the icon goes in the chosen page; the cursor moves past it.
void Place(PackCursor* c, int32_t width, int32_t height, int32_t* x, int32_t* y)
{
    if (c->x + width > GFXMGR_PAGE_SIZE) {
        c->x = 0;
        c->y += c->rowHeight;
        c->rowHeight = 0;
    }
    if (c->y + height > GFXMGR_PAGE_SIZE)
        FatalError("GfxMgr_Create(): failed to fit texture - something wrong with choosing code");
    *x = c->x;
    *y = c->y;
    c->x += width;
    if (height > c->rowHeight) c->rowHeight = height;
}

// Highest score wins, the first page on ties.
int32_t ChoosePage(int32_t width, int32_t height, int32_t format)
{
    int32_t best = -1;
    int32_t bestScore = 0;
    for (int32_t p = 0; p < s_gfx.pageCount; ++p) {
        const Page& page = s_gfx.pages[p];
        if (page.format != format || page.pixels == nullptr) continue;
        const int32_t score = PlaceScore(page.cursor, width, height);
        if (score > bestScore) {
            best = p;
            bestScore = score;
        }
    }
    return best;
}

int32_t CreateNewTexture(int32_t format)
{
    if (s_gfx.pageCount >= MAX_TEXTURES)
        FatalError("CreateNewTexture(): too many textures - increase MAX_TEXTURES");
    const ColFmt* const colFmt = D3DTexGetTextureFormat(format);
    Page& page = s_gfx.pages[s_gfx.pageCount];
    page = {};
    page.texture = -1;
    page.format = format;
    page.bytesPerPixel = static_cast<int32_t>(colFmt->bitsPerPixel / 8);
    AllocateMemory(&page.pixels, GFXMGR_PAGE_SIZE * GFXMGR_PAGE_SIZE * page.bytesPerPixel,
                   MEM_TYPE_GAME);
    return s_gfx.pageCount++;
}

// By value: a duplicate's record comes from the very list this may move.
int32_t AppendIcon(GfxMgrIcon icon)
{
    if (s_gfx.iconCount == s_gfx.capacity) {
        s_gfx.capacity += GFXMGR_LIST_STEP;
        const uint32_t bytes = static_cast<uint32_t>(s_gfx.capacity * sizeof(GfxMgrIcon));
        if (s_gfx.icons == nullptr)
            AllocateMemory(&s_gfx.icons, bytes, MEM_TYPE_GAME);
        else
            ResizeMemory(&s_gfx.icons, bytes);
    }
    s_gfx.icons[s_gfx.iconCount] = icon;
    return s_gfx.iconCount++;
}

void SetQuadStates()
{
    D3DSetRenderState(RS_ZENABLE, 0);
    D3DSetRenderState(RS_ZWRITEENABLE, 0);
    D3DSetRenderState(RS_CULLMODE, HOST_CULL_NONE);
    D3DSetRenderState(RS_FOGENABLE, 0);
}

void DrawQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
              uint32_t colour)
{
    const D3DScreenVertex fan[4] = {{x0, y0, 0, 1, colour, kSpecularNone, u0, v0},
                                    {x1, y0, 0, 1, colour, kSpecularNone, u1, v0},
                                    {x1, y1, 0, 1, colour, kSpecularNone, u1, v1},
                                    {x0, y1, 0, 1, colour, kSpecularNone, u0, v1}};
    D3DDrawPrimitive(D3D_PRIM_FAN, D3D_VERTEX_SCREEN, fan, 4);
}

ColFmt ScreenFormat()
{
    HostPixelFormat pixelFormat{};
    HostSurfaceGetFormat(DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING), &pixelFormat);
    ColFmt format{};
    DDrawPixelFormat2ColFmt(pixelFormat, &format);
    return format;
}

// A texture format of the screen's own colour fields, so that a texel drawn unchanged reads back
// as it was; else the device's solid format of the screen's depth.
int32_t ScreenLikeFormat()
{
    const ColFmt screen = ScreenFormat();
    for (int32_t f = 0; f < D3DTexFormatCount(); ++f) {
        const ColFmt& candidate = *D3DTexGetTextureFormat(f);
        bool same = candidate.bitsPerPixel == screen.bitsPerPixel;
        for (int32_t c = 0; c < 3; ++c)
            same = same && candidate.comp[c].mask == screen.comp[c].mask;
        if (same) return f;
    }
    return D3DTexFindTextureFormat(static_cast<uint16_t>(D3DTEX_SOLID | D3DTexDefaultDepth()));
}

// The 32 x 32 test card: red, green, blue and grey quadrants in the screen's depth.
int32_t MakeTestTexture(const ColFmt** format)
{
    static constexpr std::array<uint32_t, 4> kQuadrants = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000,
                                                           0xFF808080};  // R, G, B, A bytes
    constexpr ColFmt kRgba = {
        {{0, 8, 0xFF}, {8, 8, 0xFF00}, {16, 8, 0xFF0000}, {24, 8, 0xFF000000}}, 0xFFFFFFFF, 4, 32};
    const int32_t texFormat = ScreenLikeFormat();
    *format = D3DTexGetTextureFormat(texFormat);
    std::array<uint32_t, kTestSize * kTestSize> rgba{};
    for (int32_t y = 0; y < kTestSize; ++y) {
        for (int32_t x = 0; x < kTestSize; ++x)
            rgba[y * kTestSize + x] = kQuadrants[(y / 16) * 2 + x / 16];
    }
    std::array<uint32_t, kTestSize * kTestSize> converted{};
    ColConvMemory(rgba.data(), kRgba, converted.data(), **format, kTestSize * kTestSize);
    return D3DTexCreateTexture(kTestSize, kTestSize, converted.data(), texFormat);
}

// The sum over the drawn 32 x 32 block of each colour field's distance from the test card's.
int32_t BlockError(int32_t texture, const ColFmt& cardFormat)
{
    HostSurface* const screen = DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING);
    const ColFmt screenFormat = ScreenFormat();
    void* bits = nullptr;
    int32_t pitch = 0;
    if (HostFailed(HostSurfaceLock(screen, &bits, &pitch)))
        FatalError("GfxMgr_Init(): cannot read the screen back");
    int32_t error = 0;
    const int32_t screenBytes = static_cast<int32_t>(screenFormat.bitsPerPixel / 8);
    const int32_t cardBytes = static_cast<int32_t>(cardFormat.bitsPerPixel / 8);
    HostSurface* const cardSurface = D3DTexAccessDDrawSurface(texture);
    void* cardBits = nullptr;
    int32_t cardPitch = 0;
    HostSurfaceLock(cardSurface, &cardBits, &cardPitch);
    for (int32_t y = 0; y < kTestSize; ++y) {
        for (int32_t x = 0; x < kTestSize; ++x) {
            const uint8_t* const drawn =
                static_cast<uint8_t*>(bits) + (kTestAt + y) * pitch + (kTestAt + x) * screenBytes;
            const uint8_t* const wanted =
                static_cast<uint8_t*>(cardBits) + y * cardPitch + x * cardBytes;
            const uint32_t got =
                ColConvPixel(ColConvertRead(drawn, screenFormat), screenFormat, cardFormat);
            const uint32_t expected = ColConvertRead(wanted, cardFormat);
            for (int32_t c = 0; c < 3; ++c) {
                const ColComponent& part = cardFormat.comp[c];
                error += Distance(static_cast<int32_t>((got & part.mask) >> part.shift),
                                  static_cast<int32_t>((expected & part.mask) >> part.shift));
            }
        }
    }
    HostSurfaceUnlock(cardSurface);
    HostSurfaceUnlock(screen);
    return error;
}

// The test card drawn with the current offsets, and how far the screen is from it.
int32_t MeasureFudge(int32_t texture, const ColFmt& cardFormat)
{
    const Fudge& f = s_gfx.fudge;
    D3DClearScene(D3D_CLEAR_TARGET);
    D3DBeginScene();
    SetQuadStates();
    D3DSetRenderState(RS_ALPHABLENDENABLE, 0);
    D3DTexSetCurrentHandle(texture);
    const float at = static_cast<float>(kTestAt);
    const float size = static_cast<float>(kTestSize);
    DrawQuad(at + f.x, at + f.y, at + size + f.x, at + size + f.y, f.u / size, f.v / size,
             (size + f.u) / size, (size + f.v) / size, GFXMGR_WHITE);
    D3DEndScene();
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    return BlockError(texture, cardFormat);
}

void ChooseFudgeMethod()
{
    const ColFmt* cardFormat = nullptr;
    const int32_t texture = MakeTestTexture(&cardFormat);
    int32_t best = 0;
    int32_t bestError = 0;
    for (int32_t method = 0; method < kFudgeMethods; ++method) {
        InitTextureFudge(method);
        const int32_t error = MeasureFudge(texture, *cardFormat);
        DebugPrintf(DBG_GRAPHICS, 80, "GfxMgr_Init(): texture fudge method %d: err %d\n", method,
                    error);
        if (method == 0 || error < bestError) {
            best = method;
            bestError = error;
        }
    }
    D3DTexDestroyTexture(texture);
    DebugPrintf(DBG_GRAPHICS, 70, "GfxMgr_Init(): best fudge method was %d\n", best);
    InitTextureFudge(best);
}

const GfxMgrIcon& CheckedIcon(int32_t icon)
{
    if (icon < 0 || icon >= s_gfx.iconCount)
        FatalError("GfxMgr_DrawIcon(): icon %d out of range", icon);
    return s_gfx.icons[icon];
}

void CheckColourIndex(int32_t index)
{
    if (index < 0 || index >= GFXMGR_COLOURS) FatalError("Error: AddIcon_ColourList, %d", index);
}

// Text size: by the width table when the font has one, else a fixed pitch.
int32_t Advance(const IconSet& font, uint8_t code)
{
    return font.widths != nullptr ? font.widths[code] : font.width;
}

}  // namespace

void GfxMgr_Init()
{
    GfxMgr_Free();
    GfxMgr_FreeList();
    s_gfx.originX = 0;
    s_gfx.originY = 0;
    s_gfx.colours = kDefaultColours;
    ChooseFudgeMethod();
}

void GfxMgr_CreateStart()
{
    if (s_gfx.iconCount != 0)
        FatalError("GfxMgr_CreateStart(): icons already created - can't do it again");
}

int32_t GfxMgr_Create(const void* pixels, int32_t width, int32_t height, int32_t format)
{
    if (width > GFXMGR_PAGE_SIZE || height > GFXMGR_PAGE_SIZE)
        FatalError("GfxMgr_Create(): icon too large for texture size");
    const auto* const source = static_cast<const uint8_t*>(pixels);
    const int32_t same = FindDuplicate(source, width, height, format);
    if (same != -1) return AppendIcon(s_gfx.icons[same]);

    int32_t p = ChoosePage(width, height, format);
    if (p == -1) p = CreateNewTexture(format);
    Page& page = s_gfx.pages[p];
    int32_t x = 0, y = 0;
    Place(&page.cursor, width, height, &x, &y);
    const size_t rowBytes = static_cast<size_t>(width) * page.bytesPerPixel;
    for (int32_t row = 0; row < height; ++row)
        std::memcpy(PixelAt(page, x, y + row), source + row * rowBytes, rowBytes);
    return AppendIcon({p, x, y, width, height});
}

int32_t GfxMgr_PagesFor(const std::vector<GfxMgrPackIcon>& icons)
{
    std::vector<PackCursor> pages;
    for (size_t i = 0; i < icons.size(); ++i) {
        const GfxMgrPackIcon& icon = icons[i];
        if (icon.width > GFXMGR_PAGE_SIZE || icon.height > GFXMGR_PAGE_SIZE) return -1;
        const auto same = [&](const GfxMgrPackIcon& other) {
            return other.width == icon.width && other.height == icon.height
                   && *other.pixels == *icon.pixels;
        };
        if (std::any_of(icons.begin(), icons.begin() + static_cast<ptrdiff_t>(i), same)) continue;
        int32_t best = -1, bestScore = 0;
        for (size_t p = 0; p < pages.size(); ++p) {
            const int32_t score = PlaceScore(pages[p], icon.width, icon.height);
            if (score > bestScore) {
                best = static_cast<int32_t>(p);
                bestScore = score;
            }
        }
        if (best == -1) {
            pages.push_back({});
            best = static_cast<int32_t>(pages.size()) - 1;
        }
        int32_t x = 0, y = 0;
        Place(&pages[best], icon.width, icon.height, &x, &y);
    }
    return static_cast<int32_t>(pages.size());
}

void GfxMgr_Upload()
{
    for (int32_t p = 0; p < s_gfx.pageCount; ++p) {
        Page& page = s_gfx.pages[p];
        if (page.pixels == nullptr) continue;
        page.texture =
            D3DTexCreateTexture(GFXMGR_PAGE_SIZE, GFXMGR_PAGE_SIZE, page.pixels, page.format);
        FreeMemory(&page.pixels);
    }
}

void GfxMgr_Free()
{
    for (int32_t p = 0; p < s_gfx.pageCount; ++p) {
        Page& page = s_gfx.pages[p];
        if (page.texture != -1) D3DTexDestroyTexture(page.texture);
        if (page.pixels != nullptr) FreeMemory(&page.pixels);
        page = {};
    }
    s_gfx.pageCount = 0;
    s_gfx.iconCount = 0;
}

void GfxMgr_FreeList()
{
    if (s_gfx.icons != nullptr) FreeMemory(&s_gfx.icons);
    s_gfx.iconCount = 0;
    s_gfx.capacity = 0;
}

void GfxMgr_DrawIcon(int32_t icon, int32_t x, int32_t y, int32_t width, int32_t height,
                     uint32_t colour)
{
    const GfxMgrIcon& i = CheckedIcon(icon);
    const Fudge& f = s_gfx.fudge;
    const float page = static_cast<float>(GFXMGR_PAGE_SIZE);
    const float left = static_cast<float>(x) + f.x;
    const float top = static_cast<float>(y) + f.y;
    SetQuadStates();
    D3DTexSetCurrentHandle(s_gfx.pages[i.page].texture);
    DrawQuad(left, top, left + static_cast<float>(width), top + static_cast<float>(height),
             (static_cast<float>(i.x) + f.u) / page, (static_cast<float>(i.y) + f.v) / page,
             (static_cast<float>(i.x + i.width) + f.u) / page,
             (static_cast<float>(i.y + i.height) + f.v) / page, colour);
}

void GfxMgr_DrawIcon(int32_t icon, int32_t x, int32_t y, uint32_t colour)
{
    const GfxMgrIcon& i = CheckedIcon(icon);
    GfxMgr_DrawIcon(icon, x, y, i.width, i.height, colour);
}

void GfxMgr_DrawIcon(int32_t icon, int32_t x, int32_t y)
{
    GfxMgr_DrawIcon(icon, x, y, GFXMGR_WHITE);
}

void GfxMgr_DrawTiled() { FatalError("GfxMgr_DrawTiled(): not done yet..."); }

int32_t GfxMgr_IconWidth(int32_t icon) { return CheckedIcon(icon).width; }
int32_t GfxMgr_IconHeight(int32_t icon) { return CheckedIcon(icon).height; }
const GfxMgrIcon& GfxMgr_GetIcon(int32_t icon) { return CheckedIcon(icon); }
int32_t GfxMgr_IconCount() { return s_gfx.iconCount; }
int32_t GfxMgr_PageCount() { return s_gfx.pageCount; }

int32_t GfxMgr_PageTexture(int32_t page)
{
    if (page < 0 || page >= s_gfx.pageCount)
        FatalError("GfxMgr_PageTexture(): page %d out of range", page);
    return s_gfx.pages[page].texture;
}

void InitTextureFudge(int32_t method)
{
    if (method < 0 || method >= kFudgeMethods) FatalError("InitTextureFudge(): invalid fudge type");
    s_gfx.fudgeMethod = method;
    s_gfx.fudge = kFudges[method];
}

int32_t GfxMgr_FudgeMethod() { return s_gfx.fudgeMethod; }

void GfxMgr_SetOrigin(int32_t x, int32_t y, uint8_t flags)
{
    const int32_t width = static_cast<int32_t>(ScreenWidth());
    const int32_t height = static_cast<int32_t>(ScreenHeight());
    const int32_t across = flags >> 4, down = flags & 0xF;
    s_gfx.originX = x + (across == 2 ? width / 2 : across == 3 ? width : 0);
    s_gfx.originY = y + (down == 2 ? height / 2 : down == 3 ? height : 0);
}

void GfxMgr_Align(int32_t* x, int32_t* y, int32_t width, int32_t height, uint8_t flags)
{
    const int32_t across = flags >> 4, down = flags & 0xF;
    if (across == 2) *x -= width / 2;
    if (across == 3) *x -= width;
    if (down == 2) *y -= height / 2;
    if (down == 3) *y -= height;
    *x += s_gfx.originX;
    *y += s_gfx.originY;
}

void GfxMgr_FillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t flags,
                     int32_t colourIndex)
{
    const uint32_t colour = GfxMgr_Colour(colourIndex);
    GfxMgr_Align(&x, &y, width, height, flags);
    SetQuadStates();
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    DrawQuad(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + width),
             static_cast<float>(y + height), 0, 0, 0, 0, colour);
}

void AddIcon_ColourList(int32_t index, float r, float g, float b, float a)
{
    CheckColourIndex(index);
    const auto byte = [](float c) { return static_cast<uint32_t>(c * 255.0f) & 0xFF; };
    s_gfx.colours[index] = byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

uint32_t GfxMgr_Colour(int32_t index)
{
    CheckColourIndex(index);
    return s_gfx.colours[index];
}

int32_t GfxMgr_StringWidth(int32_t font, const char* text)
{
    const IconSet& set = Icon_GetSet(font);
    int32_t width = 0;
    for (const char* c = text; *c != '\0'; ++c)
        width += Advance(set, static_cast<uint8_t>(*c));
    return width;
}

void GfxMgr_DrawText(int32_t font, const char* text, int32_t length, int32_t x, int32_t y,
                     uint8_t flags, int32_t colourIndex)
{
    const IconSet& set = Icon_GetSet(font);
    int32_t width = 0;
    for (int32_t i = 0; i < length; ++i)
        width += Advance(set, static_cast<uint8_t>(text[i]));
    GfxMgr_Align(&x, &y, width, set.height, flags);
    const uint32_t colour = (set.flags & ICON_TINTED) ? GfxMgr_Colour(colourIndex) : GFXMGR_WHITE;
    for (int32_t i = 0; i < length; ++i) {
        // A signed character would index before the font: codes are unsigned bytes.
        const uint8_t code = static_cast<uint8_t>(text[i]);
        if (code < set.count) GfxMgr_DrawIcon(set.icons[code], x, y, colour);
        x += Advance(set, code);
    }
}

void GfxMgr_DrawString(int32_t font, const char* text, int32_t x, int32_t y, uint8_t flags,
                       int32_t colourIndex)
{
    GfxMgr_DrawText(font, text, static_cast<int32_t>(std::strlen(text)), x, y, flags, colourIndex);
}

void GfxMgr_DrawStringTinted(int32_t font, const char* text, int32_t x, int32_t y, uint8_t flags,
                             int32_t colourIndex)
{
    GfxMgr_DrawString(font, text, x, y, flags, colourIndex);
}

void GfxMgr_PrintfText(int32_t font, int32_t x, int32_t y, uint8_t flags, const char* format, ...)
{
    char buffer[GFXMGR_TEXT_BYTES];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    GfxMgr_DrawString(font, buffer, x, y, flags, 1);
}

void GfxMgr_PrintfTextAligned(int32_t font, int32_t x, int32_t y, uint8_t flags,
                              int32_t colourIndex, const char* format, ...)
{
    char buffer[GFXMGR_TEXT_BYTES];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    GfxMgr_DrawString(font, buffer, x, y, flags, colourIndex);
}
