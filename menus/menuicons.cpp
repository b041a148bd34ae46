// menus/menuicons.cpp: the menus' stored pictures: icons and backgrounds, loaded on first use
// into purgeable memory and converted once into the screen's format.
#include "menus/menuicons.h"

#include <cstring>

#include "engine/colconv.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/timer.h"
#include "menus/menupc.h"

// clang-format off
const std::array<IconFile, ICON_FILE_ROWS + 1> IconFiles = {{
    {1, nullptr}, {1, "bigblock"}, {1, "blankico"}, {2, "radio"}, {84, "menush"},
    {13, "i_sq2"}, {2, "tube2"}, {1, "reddisc2"},
    {100, "kit1"}, {100, "kit2"}, {100, "kit3"}, {100, "kit4"}, {100, "kit5"}, {100, "kit6"},
    {100, "kit7"}, {100, "kit8"}, {100, "kit9"}, {100, "kit10"}, {100, "kit11"},
    {3, "arrotick"}, {3, "cards"}, {4, "players"}, {4, "players2"}, {12, "isoicons"},
    {1, "ball"}, {1, "ball2"}, {1, "ballshad"}, {1, "pitch"}, {1, "squares"}, {1, "square"},
    {11, "digifont"}, {1, "goldstar"}, {1, "squares2"},
    {5, "england"}, {5, "france"}, {5, "germany"}, {5, "holland"}, {5, "italy"},
    {5, "portugal"}, {5, "scotland"}, {5, "spain"}, {5, "belgium"},
    {2, "shootout"}, {1, "LRScroll"}, {1, "mouse"}, {20, "hourglas"}, {1, "smarrow"},
    {1, "eurocon"}, {3, "updownar"}, {12, "traincon"}, {1, "pitch3"}, {1, "pitch4"},
    {1, "kprs_kit"}, {3, "plr_disc"}, {1, "pitch120"}, {1, "digibck"}, {4, "subject"},
    {4, "subjecthi"}, {10, "PerfDisc"}, {1, "poohole"}, {1, "shortlst"}, {1, "ownclub"},
    {21, "NegClock"}, {4, "train2"}, {4, "traincor"}, {1, "Tr_Pitch"}, {30, "PSquares"},
    {1, "larrow"}, {1, "rarrow"}, {3, "pcficons"}, {1, "sbar2"}, {11, "ig_iso"}, {1, "wdisc"},
    {0, nullptr},
}};

const std::array<const char*, BACKGROUND_COUNT + 1> BackgroundNames = {
    "blank", "iso", "new2", "bumhole", "euro", "maineng", "mainport", "mainfre", "mainger",
    "mainita", "commtry3", "fuckpit", "ignew", "ignew2", "Demo", "splash1", "ClubInfo", "comday",
    "ignew3", "scanback", "isot", "Nameinp", "splash2", "splash3", "Leader", "splash4", "splash5",
    "Frontita", "Frontger", "Frontspa", "Frontpor", "Frontfre", "creditbg", "frontend",
    "splash6", "splash7", "BUMHOLEB", "CLUBINFB", "CREDITB", "EUROB", "COMDAYB", "FRONTSPA",
    "MAINCAT", "MAINSPA", "FUCKPITB", "NAMEINPB", "BG9", "SCANNERB", "BG2", "BG4", "BG5", "BG1",
    "ISOTB", "ISOB", "SIGNINGB", "IGNEW3B", "IGNEWB", "IGNEW2B", "BG1NOT", nullptr,
};
// clang-format on

namespace {

struct IconEntry {
    uint16_t row;
    uint16_t frame;
};

struct PictureHeader {
    int16_t width;
    int16_t height;
    int16_t frames;
};

struct MenuIconsState {
    IconEntry icons[ICON_COUNT];
    uint8_t* iconBlocks[ICON_FILE_ROWS];  // purgeable: the memory manager may null them
    uint8_t* backgrounds[BACKGROUND_COUNT];
};

MenuIconsState s_icons;

PictureHeader ReadHeader(const uint8_t* block)
{
    PictureHeader header;
    std::memcpy(&header.width, block + 4, 2);
    std::memcpy(&header.height, block + 6, 2);
    std::memcpy(&header.frames, block + 8, 2);
    return header;
}

// 5-6-5 pixels after `headerBytes` into the screen's format (in the 8-bit mode, keyed pictures
// turn the key colour into index 0). The block is resized to the
// converted size before a wider format is written, and pixels are then converted from the last
// backwards so none is overwritten before it is read.
void ConvertPictureBlock(uint8_t** block, uint32_t headerBytes, uint32_t count, bool keyed)
{
    if (MenuScreen.is256) {
        if (keyed) {
            ColConvRow565To8Keyed(*block + headerBytes, count, MENU_KEY_565);
        } else {
            ColConvRow565To8(*block + headerBytes, count);
        }
        ResizeMemory(block, headerBytes + count);
        return;
    }
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    if (bytes == 2) {
        ColConvMemory(*block + headerBytes, MenuScreen.sourceFormat, *block + headerBytes,
                      MenuScreen.screenFormat, count);
        return;
    }
    ResizeMemory(block, headerBytes + count * bytes);
    uint8_t* pixels = *block + headerBytes;
    for (uint32_t i = count; i-- > 0;) {
        uint16_t source;
        std::memcpy(&source, pixels + 2 * i, 2);
        ColConvertWrite(pixels + bytes * i, MenuScreen.screenFormat,
                        ColConvPixel(source, MenuScreen.sourceFormat, MenuScreen.screenFormat));
    }
}

void CheckIconNumber(int32_t n, const char* function)
{
    if (n < ICON_FIRST || n > ICON_LAST)
        FatalError("Error: %s(): Bad icon number: %d\n", function, n);
}

// The frame's file row, present and converted.
const uint8_t* IconFileOf(int32_t n)
{
    const IconEntry entry = s_icons.icons[n];
    LoadIconFile(entry.row);
    return s_icons.iconBlocks[entry.row];
}

}  // namespace

void MenuIconsInit() { s_icons = {}; }

void MenuIconsUninit()
{
    for (uint8_t*& block : s_icons.iconBlocks) {
        if (block != nullptr) FreeMemory(&block);
    }
    for (uint8_t*& block : s_icons.backgrounds) {
        if (block != nullptr) FreeMemory(&block);
    }
}

void InitIconLists() { InitIconListsFrom(IconFiles, BackgroundNames); }

void InitIconListsFrom(std::span<const IconFile> files, std::span<const char* const> backgrounds)
{
    int32_t count = 0;
    for (size_t row = 0; row < files.size() && files[row].frames != 0; ++row) {
        for (int32_t frame = 0; frame < files[row].frames; ++frame) {
            if (count >= ICON_COUNT)
                FatalAbort("menus\\menupc", __LINE__, "InitIconLists(): IconList not in sync");
            s_icons.icons[count++] = {static_cast<uint16_t>(row), static_cast<uint16_t>(frame)};
        }
    }
    if (count != ICON_COUNT)
        FatalAbort("menus\\menupc", __LINE__, "InitIconLists(): IconList not in sync");
    if (backgrounds.size() <= BACKGROUND_COUNT || backgrounds[BACKGROUND_COUNT - 1] == nullptr
        || backgrounds[BACKGROUND_COUNT] != nullptr)
        FatalAbort("menus\\menupc", __LINE__, "InitIconLists(): backgrounds not in sync");
}

void LoadIconFile(int32_t row)
{
    uint8_t*& block = s_icons.iconBlocks[row];
    if (block != nullptr) {
        SetMemPriority(&block, TickCount.load());
        return;
    }
    const char* name = IconFiles[row].name;
    const int32_t size =
        PakLoadFile(MakeFileName("menugfx", name, "gfx"), &block, MEM_TYPE_PURGEABLE);
    SetMemPriority(&block, TickCount.load());
    if (size < PICTURE_HEADER_BYTES || std::memcmp(block, "GFX0", 4) != 0)
        FatalError("Error: LoadIconFile(): Bad icon file: '%s'\n", name);
    const PictureHeader header = ReadHeader(block);
    const int64_t pixels = int64_t{header.width} * header.height * header.frames;
    if (header.width < 0 || header.height < 0 || header.frames < 0
        || size != PICTURE_HEADER_BYTES + pixels * 2)
        FatalError("Error: LoadIconFile(): icon file '%s' is wrong size\n", name);
    ConvertPictureBlock(&block, PICTURE_HEADER_BYTES, static_cast<uint32_t>(pixels), true);
}

const uint8_t* GetIconAddress(int32_t n)
{
    CheckIconNumber(n, "GetIconAddress");
    const IconEntry entry = s_icons.icons[n];
    const uint8_t* block = IconFileOf(n);
    const PictureHeader header = ReadHeader(block);
    if (entry.frame >= header.frames)
        FatalError("Error: GetIconAddress(): Bad index into icon file ('%s' has %d frames)\n",
                   IconFiles[entry.row].name, header.frames);
    const size_t frameBytes =
        static_cast<size_t>(header.width) * header.height * MenuScreen.bytesPerPixel;
    return block + PICTURE_HEADER_BYTES + frameBytes * entry.frame;
}

void GetIconSize(int32_t n, int32_t* width, int32_t* height)
{
    CheckIconNumber(n, "GetIconSize");
    const PictureHeader header = ReadHeader(IconFileOf(n));
    *width = header.width;
    *height = header.height;
}

int32_t GetScaledIconSize(int32_t n, int32_t* width, int32_t* height)
{
    GetIconSize(n, width, height);
    *width /= MenuScreen.scale;
    *height /= MenuScreen.scale;
    return *width;
}

void DoIcon(int32_t x, int32_t y, int32_t n, int32_t alignment)
{
    int32_t w, h;
    GetScaledIconSize(n, &w, &h);
    AlignPoint(&x, &y, w, h, alignment);
    const uint8_t* pixels = GetIconAddress(n);
    DoIconRaw(x * MenuScreen.scale, y * MenuScreen.scale, w * MenuScreen.scale,
              h * MenuScreen.scale, pixels);
}

void DoIconRaw(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels)
{
    DrawKeyedImage(x, y, w, h, pixels, 0);
}

void DoIconClipped(int32_t x, int32_t y, int32_t n, int32_t alignment, int32_t skipX, int32_t skipY,
                   int32_t w, int32_t h)
{
    int32_t iconW, iconH;
    GetIconSize(n, &iconW, &iconH);
    if (w <= 0 || h <= 0 || skipX < 0 || skipY < 0 || skipX + w > iconW || skipY + h > iconH)
        return;
    const int32_t scale = MenuScreen.scale;
    AlignPoint(&x, &y, iconW / scale, iconH / scale, alignment);
    const uint8_t* pixels =
        GetIconAddress(n) + (static_cast<size_t>(skipY) * iconW + skipX) * MenuScreen.bytesPerPixel;
    DrawKeyedImage(x * scale + skipX, y * scale + skipY, w, h, pixels, iconW - w);
}

const char* GetItemLabelText(int32_t n)
{
    CheckIconNumber(n, "GetItemLabelText");
    return "";
}

void DoBackground(int32_t n)
{
    if (n < 0 || n >= BACKGROUND_COUNT)
        FatalError("Error: DoBackground(): bad background number: %d\n", n);
    if (MenuScreen.presented) {
        ScreenWipeOut();
        MenuScreen.presented = 0;
    }
    uint8_t*& block = s_icons.backgrounds[n];
    const auto pixels = static_cast<uint32_t>(MenuScreen.width * MenuScreen.height);
    if (block == nullptr) {
        const char* name = BackgroundNames[n];
        const int32_t size =
            PakLoadFile(MakeFileName("menugfx", name, "bck"), &block, MEM_TYPE_PURGEABLE);
        if (static_cast<uint32_t>(size) != pixels * 2)
            FatalError("Error: DoBackground(): background '%s' was wrong size\n", name);
        ConvertPictureBlock(&block, 0, pixels, false);
    }
    SetMemPriority(&block, TickCount.load());
    PutScreenRect(0, 0, MenuScreen.width, MenuScreen.height, block);
    MenuAttr.drawColour = 0x03E0;
    MenuAttr.fontColour = 0;
    MenuAttr.font = 1;
    MenuAttr.numberType = 0;
    MenuAttr.buttonStyle = 0;
}
