// vx256/mgraphic.cpp: the match graphics: loading, purging and drawing one frame.
#include "vx256/mgraphic.h"

#include <array>
#include <cstdio>

#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/timer.h"
#include "viewservices/viewscreen.h"
#include "vx256/gfx0.h"

namespace {

constexpr auto kGraphicNames = std::to_array<const char*>({
    "SHADOW",
    "REPBAR",
    "mouse",
    "fonts\\6high",
    "fonts\\6high_y",
    "hilite\\HiLight",
    "hilite\\ball2",
    "hilite\\digifont",
    "hilite\\arrows",
    "hilite\\arrows2",
    "hilite\\plus",
    "hilite\\spin",
    "hilite\\spin2",
    "hilite\\spinout",
    "hilite\\bars",
    "hilite\\tickbox",
    "hilite\\cards",
    "hilite\\pitch",
    "hilite\\players",
    "hilite\\shirts",
    "hilite\\isoicons",
    "hilite\\smlltck",
    "hilite\\smshirts",
    "skid",
    "scanner\\camviews",
    "scanner\\PANEL",
    "scanner\\buttons",
    "scanner\\arrows",
    "scanner\\arrwmask",
    "scanner\\scan",
    "scanner\\hand",
    "newpitch",
    "scanner\\stickmen",
    "Alldisc",
    "igscan",
});
static_assert(kGraphicNames.size() == MGRAPHIC_COUNT);

struct MGraphicState {
    MGraphicItem items[MGRAPHIC_COUNT];
};

constexpr MGraphicState StartState()
{
    MGraphicState state{};
    for (int32_t n = 0; n < MGRAPHIC_COUNT; ++n)
        state.items[n].name = kGraphicNames[n];
    return state;
}

// Constant-initialised, so the graphics work before MGraphic_Init as after it.
MGraphicState s_mgraphic = StartState();

void LoadPixels(MGraphicItem* item)
{
    char name[128];
    std::snprintf(name, sizeof(name), "MISCGFX\\%s.gfx", item->name);
    const int32_t handle = PakOpenFile(name);
    Gfx0Head head{};
    if (!Gfx0_ReadHead(handle, &head))
        FatalError("MGraphic_Load():- Invalid header - %s", item->name);
    if (item->frames <= 0) item->frames = head.count;
    if (item->width <= 0) item->width = head.width;
    if (item->height <= 0) item->height = head.height;
    // A preset size is the table's word against the file's: the file must still hold it.
    if (!Gfx0_FitsFile(handle, item->width, item->height, item->frames))
        FatalError("MGraphic_Load():- Invalid header - %s", item->name);
    const uint32_t size = static_cast<uint32_t>(item->width * item->height * item->frames);
    AllocateMemory(&item->pixels, size, MEM_TYPE_PURGEABLE);
    PakReadFile(item->pixels, GFX0_HEAD_BYTES, static_cast<int32_t>(size), handle);
    PakCloseFile(handle);
}

int32_t Place(int32_t part, int32_t value, int32_t size, int32_t viewSize, int32_t first)
{
    if (part == first) return value;
    if (part == first * 2) return value + (viewSize / 2 - size / 2);
    if (part == first * 3) return viewSize - value - size;
    FatalError("MGraphDisplay2DGraphic(): invalid align type");
}

}  // namespace

void MGraphic_Init() { MGraphic_Uninit(); }

void MGraphic_Uninit()
{
    for (MGraphicItem& item : s_mgraphic.items) {
        if (item.pixels != nullptr) FreeMemory(&item.pixels);
    }
    s_mgraphic = StartState();
}

const char* MGraphic_Name(int32_t n)
{
    if (n < 0 || n >= MGRAPHIC_COUNT)
        FatalError("MGraphGetItem():- Invalid graphic number %d\n", n);
    return kGraphicNames[n];
}

void MGraphic_Load(int32_t n)
{
    if (n < 0 || n >= MGRAPHIC_COUNT)
        FatalError("MGraphGetItem():- Invalid graphic number %d\n", n);
    MGraphicItem& item = s_mgraphic.items[n];
    if (item.pixels == nullptr) LoadPixels(&item);
    SetMemPriority(&item.pixels, Tick.load());
}

const MGraphicItem& MGraphGetItem(int32_t n)
{
    if (n < 0 || n >= MGRAPHIC_COUNT)
        FatalError("MGraphGetItem():- Invalid graphic number - %d\n", n);
    MGraphic_Load(n);
    return s_mgraphic.items[n];
}

void MGraphDisplay2DGraphic(int32_t x, int32_t y, int32_t flags, int32_t width, int32_t height,
                            int32_t n, int32_t frame)
{
    const MGraphicItem& item = MGraphGetItem(n);
    if (width <= 0 || width > item.width) width = item.width;
    if (height <= 0 || height > item.height) height = item.height;
    if (frame <= 0 || frame >= item.frames) frame = 0;
    const int32_t px = Place(flags & 3, x, width, ViewSize.width, 1);
    const int32_t py = Place(flags & 12, y, height, ViewSize.height, 4);
    const uint8_t* source = item.pixels + frame * item.width * item.height;
    GameScreen_CopyTrans(source, item.width, px + GAMESCREEN_MARGIN, py + GAMESCREEN_MARGIN, width,
                         height);
}
