// vxd3d/d3dicon.cpp: the head-up display's icon sets, loaded and drawn by handle.
#include "vxd3d/d3dicon.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/colconv.h"
#include "engine/dxd3dtex.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "vxd3d/gfxmgr.h"

// clang-format off
IconSet IconSets[ICON_SETS] = {
    {"pointers\\mouse",    0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\igscan",    0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\vt2000",    0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\time",      0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\pn256x44",  0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\panel1",    0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\redc",      0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\yellowc",   0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\DIGIBACK",  0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\display",   0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\digifont",  0, 0, 0, 0, 0, nullptr, nullptr},
    {"pannels\\repbar",    0, 0, 0, 0, 0, nullptr, nullptr},
    {"fonts\\fnt12",       0, ICON_HAS_WIDTHS | ICON_TINTED, 0, 0, 0, nullptr, nullptr},
    {"fonts\\fnt16",       0, ICON_HAS_WIDTHS | ICON_TINTED, 0, 0, 0, nullptr, nullptr},
    {"fonts\\fnt24",       0, ICON_HAS_WIDTHS | ICON_TINTED, 0, 0, 0, nullptr, nullptr},
};
// clang-format on

namespace {

constexpr const char* kIconFolder = "vxdata\\d3d\\icons\\";

struct PixelFormatCode {
    uint16_t search;  // the texture format request
    ColFmt source;
};

// 0: 32-bit ARGB with blue in the low byte; 1: 24-bit RGB, blue first in memory.
const PixelFormatCode kFormats[2] = {
    {D3DTEX_SEMI,
     {{{16, 8, 0xFF0000}, {8, 8, 0xFF00}, {0, 8, 0xFF}, {24, 8, 0xFF000000}}, 0xFFFFFFFF, 4, 32}},
    {D3DTEX_SOLID, {{{16, 8, 0xFF0000}, {8, 8, 0xFF00}, {0, 8, 0xFF}, {0, 0, 0}}, 0xFFFFFF, 3, 24}},
};

uint16_t HeadWord(const uint8_t* file, int32_t at)
{
    uint16_t value = 0;
    std::memcpy(&value, file + at, sizeof value);
    return value;
}

void LoadWidths(IconSet* set)
{
    char path[96];
    std::snprintf(path, sizeof path, "%s%s.wid", kIconFolder, set->name);
    const int32_t size = PakLoadFile(path, &set->widths, MEM_TYPE_GAME);
    if (size != ICON_WIDTH_BYTES)
        FatalError("Error: ProcessIconFile(): file format wrong - incorrect file size\n");
}

}  // namespace

const IconSet& Icon_GetSet(int32_t set)
{
    if (set < 0 || set >= ICON_SETS) FatalError("Icon_GetSet(): icon set %d out of range", set);
    return IconSets[set];
}

void ProcessIconFile(int32_t number)
{
    IconSet& set = IconSets[number];
    const PixelFormatCode& code = kFormats[set.format];
    char path[96];
    std::snprintf(path, sizeof path, "%s%s.gfx", kIconFolder, set.name);
    uint8_t* file = nullptr;
    const int32_t size = PakLoadFile(path, &file);
    const int32_t bytes = static_cast<int32_t>(code.source.bitsPerPixel / 8);
    const int32_t width = size >= ICON_HEAD_BYTES ? HeadWord(file, 4) : 0;
    const int32_t height = size >= ICON_HEAD_BYTES ? HeadWord(file, 6) : 0;
    const int32_t count = size >= ICON_HEAD_BYTES ? HeadWord(file, 8) : 0;
    // An empty head would pass the size check with nothing in it.
    if (width == 0 || height == 0 || count == 0
        || size != ICON_HEAD_BYTES + int64_t{width} * height * count * bytes)
        FatalError("Error: ProcessIconFile(): file format wrong - incorrect file size\n");

    const int32_t format = D3DTexFindTextureFormat(code.search);
    const ColFmt& target = *D3DTexGetTextureFormat(format);
    const int32_t pixels = width * height;
    const int32_t packed = static_cast<int32_t>(target.bitsPerPixel / 8) * pixels;
    std::vector<uint8_t> converted(static_cast<size_t>(packed) * count);
    // The conversion works in place and leaves a texture of the file's own format alone.
    if (std::memcmp(&code.source, &target, sizeof target) == 0)
        std::memcpy(converted.data(), file + ICON_HEAD_BYTES, converted.size());
    else
        ColConvMemory(file + ICON_HEAD_BYTES, code.source, converted.data(), target,
                      static_cast<uint32_t>(pixels * count));
    AllocateMemory(&set.icons, static_cast<uint32_t>(count * sizeof(int32_t)), MEM_TYPE_GAME);
    for (int32_t i = 0; i < count; ++i)
        set.icons[i] = GfxMgr_Create(converted.data() + static_cast<size_t>(i) * packed, width,
                                     height, format);
    set.width = width;
    set.height = height;
    set.count = count;
    FreeMemory(&file);
    if (set.flags & ICON_HAS_WIDTHS) LoadWidths(&set);
}

void Icon_Init()
{
    GfxMgr_Init();
    GfxMgr_CreateStart();
    for (int32_t set = 0; set < ICON_SETS; ++set)
        ProcessIconFile(set);
    GfxMgr_Upload();
}

void Icon_Uninit()
{
    for (IconSet& set : IconSets) {
        if (set.icons != nullptr) FreeMemory(&set.icons);
        if (set.widths != nullptr) FreeMemory(&set.widths);
        set.width = set.height = set.count = 0;
    }
    GfxMgr_Free();
    GfxMgr_FreeList();
}

void Icon_DrawSection(uint32_t handle, int32_t x, int32_t y, int32_t sectionX, int32_t sectionY,
                      int32_t width, int32_t height, uint8_t flags, int32_t colourIndex)
{
    const IconSet& set = Icon_GetSet(static_cast<int32_t>(handle >> 16));
    const int32_t icon = static_cast<int32_t>(handle & 0xFFFF);
    if (sectionX + width > set.width || sectionY + height > set.height)
        FatalError("Icon_DrawSection(): section out of range");
    if (icon >= set.count) FatalError("Icon_DrawSection(): icon %d out of range", icon);
    GfxMgr_Align(&x, &y, width, height, flags);
    const uint32_t colour = (set.flags & ICON_TINTED) ? GfxMgr_Colour(colourIndex) : GFXMGR_WHITE;
    GfxMgr_DrawIcon(set.icons[icon], x, y, width, height, colour);
}

void Icon_Draw(uint32_t handle, int32_t x, int32_t y, uint8_t flags)
{
    const IconSet& set = Icon_GetSet(static_cast<int32_t>(handle >> 16));
    Icon_DrawSection(handle, x, y, 0, 0, set.width, set.height, flags, 1);
}

int32_t Icon_GetWidth(uint32_t handle)
{
    return Icon_GetSet(static_cast<int32_t>(handle >> 16)).width;
}

int32_t Icon_GetHeight(uint32_t handle)
{
    return Icon_GetSet(static_cast<int32_t>(handle >> 16)).height;
}
