// tools/mkdata/kittextures.cpp: the kits, skins, faces, shirt numbers, boots and cards of the
// people of a match, drawn once as inks and written as software textures. Team textures are
// drawn in the home kit band only, so that the game moves them to the away band by adding a
// constant; a shirt pattern draws exactly the colour slots the kit-clash test counts for it.
#include "tools/mkdata/kittextures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/records.h"
#include "menus/kits.h"
#include "tools/mkdata/canvas.h"
#include "tools/mkdata/d3dtextures.h"
#include "tools/mkdata/matchgfx.h"
#include "vx256/kittextures.h"
#include "vx256/textures.h"

namespace {

constexpr int32_t kShirt = 64;  // shirts, backs, the keeper's shirts and the number overlays
constexpr int32_t kPart = 32;   // the other kit parts, skins and faces
constexpr int32_t kSmall = 16;  // necks, boots and cards
constexpr int32_t kOfficialKit = 999;
constexpr int32_t kKeeperKit = 1;
const std::string kRoot = "vxdata\\software\\";
const std::string kTextures = "sskin\\textures\\";

MkInk Kit(int32_t slot, int32_t level)
{
    return {INK_KIT, static_cast<uint8_t>(slot), static_cast<uint8_t>(std::clamp(level, 0, 255))};
}
MkInk Official(int32_t level)
{
    return {INK_OFFICIAL, 0, static_cast<uint8_t>(std::clamp(level, 0, 255))};
}
MkInk Skin(int32_t code, int32_t level)
{
    return {INK_SKIN, static_cast<uint8_t>(code), static_cast<uint8_t>(std::clamp(level, 0, 255))};
}
MkInk Hair(int32_t colour, int32_t level)
{
    return {INK_HAIR, static_cast<uint8_t>(colour),
            static_cast<uint8_t>(std::clamp(level, 0, 255))};
}
MkInk Fixed(uint8_t entry) { return {INK_FIXED, entry, 0}; }

// Soft cloth folds: a level from 40 to about 120, darker towards the edges.
int32_t Fold(int32_t x, int32_t y, int32_t size)
{
    const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
    const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(size);
    const float edge = std::abs(u - 0.5f) * 2.0f;
    return 40
           + static_cast<int32_t>(50.0f * edge * edge + 18.0f * std::sin(v * 9.0f + u * 5.0f)
                                  + 18.0f);
}

template <typename Paint>
MkKitDrawing Draw(int32_t size, Paint paint)
{
    MkKitDrawing drawing{size, std::vector<MkInk>(static_cast<size_t>(size) * size)};
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x)
            drawing.texels[static_cast<size_t>(y) * size + x] = paint(x, y);
    }
    return drawing;
}

// Which of the pattern's colour slots (an index into its slot list) a texel shows.
int32_t MotifSlot(int32_t pattern, int32_t count, int32_t x, int32_t y, int32_t size)
{
    if (count == 1) return 0;
    const int32_t unit = size / 16;  // the motif scales with the texture
    // Narrow enough that every slot shows on every part.
    const int32_t width = std::min((4 + (pattern / 5) % 3 * 2) * unit, size / (count + 1));
    int32_t band = 0;
    switch (pattern % 5) {
        case 0: band = x / width; break;                              // stripes
        case 1: band = y / width; break;                              // hoops
        case 2: band = x * count / size; break;                       // halves or thirds
        case 3: band = (x + y) / (width * 2); break;                  // sashes
        default: band = (y + std::abs(x - size / 2)) / width; break;  // chevrons
    }
    return band % count;
}

// A shirt part of the pattern: each slot k of the pattern in kit slot k - 1, the later slots a
// little darker, so that a kit of one colour still shows its pattern.
MkKitDrawing ShirtOfPattern(int32_t pattern, int32_t size)
{
    const KitPatternSlots& slots = Kit_PatternSlots(pattern);
    int32_t count = 0;
    while (count < KIT_SLOTS_COUNTED && slots[count] != 0)
        ++count;
    return Draw(size, [&](int32_t x, int32_t y) {
        const int32_t k = MotifSlot(pattern, count, x, y, size);
        return Kit(slots[k] - 1, Fold(x, y, size) + k * 60);
    });
}

MkKitDrawing OfficialShirt(int32_t size)
{
    return Draw(size, [&](int32_t x, int32_t y) {
        if (y < size / 10) return Fixed(MP_BLACK);  // collar
        return Official(Fold(x, y, size));
    });
}

// Sleeves, shorts and socks: a body slot with trims of another.
MkKitDrawing Trimmed(int32_t size, int32_t design, int32_t body, int32_t trim, bool hoops)
{
    const int32_t hem = 2 + design % 3;
    return Draw(size, [&](int32_t x, int32_t y) {
        const bool stripe = design >= 4 && std::abs(x - size / 2) < 2;
        const bool hoop = hoops && design % 2 == 1 && (y / 4) % 3 == 1;
        if (y >= size - hem || stripe || hoop) return Kit(trim, Fold(x, y, size) + 30);
        return Kit(body, Fold(x, y, size));
    });
}

MkKitDrawing OfficialTrimmed(int32_t size, bool black)
{
    return Draw(size, [&](int32_t x, int32_t y) {
        if (black) return Fixed(y < 3 ? MP_PANEL1 + 1 : MP_BLACK);
        return y >= size - 3 ? Fixed(MP_BLACK) : Official(Fold(x, y, size));
    });
}

// A 5 x 7 digit font: each row's bits, high bit left.
constexpr std::array<std::array<uint8_t, 7>, 10> kDigits = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
}};
constexpr int32_t kDigitScale = 3;
constexpr int32_t kDigitTop = 14;

bool DigitInk(int32_t number, int32_t x, int32_t y)
{
    const std::string text = std::to_string(number);
    const int32_t cell = 6 * kDigitScale;
    const int32_t left = (kShirt - static_cast<int32_t>(text.size()) * cell + kDigitScale) / 2;
    const int32_t column = (x - left) / kDigitScale;
    const int32_t row = (y - kDigitTop) / kDigitScale;
    if (x < left || y < kDigitTop || row >= 7 || column >= 6 * static_cast<int32_t>(text.size()))
        return false;
    const int32_t digit = text[column / 6] - '0';
    const int32_t bit = column % 6;
    return bit < 5 && (kDigits[digit][row] >> (4 - bit) & 1) != 0;
}

// White digits with a black edge; 0 (transparent) elsewhere.
MkKitDrawing Number(int32_t number)
{
    return Draw(kShirt, [&](int32_t x, int32_t y) {
        if (DigitInk(number, x, y)) return Fixed(MP_WHITE);
        for (int32_t dy = -1; dy <= 1; ++dy) {
            for (int32_t dx = -1; dx <= 1; ++dx) {
                if (DigitInk(number, x + dx, y + dy)) return Fixed(MP_BLACK);
            }
        }
        return MkInk{};
    });
}

enum FaceView { FACE_FRONT, FACE_BACK, FACE_SIDE, NECK_BACK, NECK_FRONT, NECK_SIDE };

struct Look {
    int32_t skin;    // 0 Latin, 1 Dafrican, 2 WestInd, 3 White
    bool longHair;   // "Normal" rather than "Short"
    int32_t colour;  // 0 black, 1 blonde, 2 brown, 3 ginger
};

MkInk FaceFront(const Look& look, int32_t x, int32_t y)
{
    const int32_t hairline = look.longHair ? 9 : 6;
    const int32_t dx = std::abs(x - 16);
    if (y < hairline || (look.longHair && dx > 12 && y < 20))
        return Hair(look.colour, 80 + (x * 7 + y * 3) % 60);
    if ((y == 12 || y == 11) && dx >= 3 && dx <= 7) return Fixed(MK_FACE_FIRST + 3);  // brows
    if (y >= 14 && y <= 15 && dx >= 3 && dx <= 7) return Fixed(dx == 5 ? MK_IRIS : MK_EYE_WHITE);
    if (y >= 16 && y <= 20 && dx <= 1) return Skin(look.skin, 140);  // the nose's shadow
    if (y == 24 && dx <= 4) return Fixed(MK_LIPS);
    if (y == 25 && dx <= 3) return Fixed(MP_BROWN_DARK);
    return Skin(look.skin, 60 + dx * 5);
}

MkInk FaceBack(const Look& look, int32_t x, int32_t y)
{
    const int32_t nape = look.longHair ? 30 : 24;
    if (y < nape) return Hair(look.colour, 70 + (x * 5 + y * 7) % 70 + std::abs(x - 16) * 3);
    return Skin(look.skin, 110);
}

MkInk FaceSide(const Look& look, int32_t x, int32_t y)
{
    const int32_t hairline = look.longHair ? 9 : 6;
    if (y < hairline || (x > 20 && y < (look.longHair ? 28 : 18)))
        return Hair(look.colour, 90 + (x + y) % 50);
    if (x >= 15 && x <= 18 && y >= 12 && y <= 19) return Skin(look.skin, 150);  // the ear
    if (x <= 2 && y == 14) return Fixed(MK_EYE_WHITE);
    if (x <= 3 && y == 24) return Fixed(MK_LIPS);
    return Skin(look.skin, 70 + x * 3);
}

MkKitDrawing FacePart(const Look& look, FaceView view)
{
    const int32_t size = view >= NECK_BACK ? kSmall : kPart;
    return Draw(size, [&](int32_t x, int32_t y) {
        switch (view) {
            case FACE_FRONT: return FaceFront(look, x, y);
            case FACE_BACK: return FaceBack(look, x, y);
            case FACE_SIDE: return FaceSide(look, x, y);
            case NECK_BACK:
                if (look.longHair && y < 4) return Hair(look.colour, 120);
                return Skin(look.skin, 120 + y * 4);
            default: return Skin(look.skin, 90 + y * 5 + (view == NECK_SIDE ? x * 2 : 0));
        }
    });
}

MkKitDrawing SkinPart(int32_t skin, int32_t part)
{
    return Draw(kPart, [&](int32_t x, int32_t y) {
        const bool nail = part == 1 && y >= 26 && (x % 8) >= 2 && (x % 8) <= 4;
        return nail ? Skin(skin, 10) : Skin(skin, Fold(x, y, kPart) + part * 10);
    });
}

MkKitDrawing Boot(bool sole)
{
    return Draw(kSmall, [&](int32_t x, int32_t y) {
        if (sole) return Fixed((x % 5 == 2 && y % 5 == 2) ? MP_WHITE : MP_PANEL1);
        return Fixed((y >= 5 && y <= 10 && (x + y) % 5 == 0) ? MP_WHITE : MP_BLACK);
    });
}

MkKitDrawing Card(uint8_t colour)
{
    return Draw(kSmall, [&](int32_t x, int32_t y) {
        const bool edge = x == 0 || y == 0 || x == kSmall - 1 || y == kSmall - 1;
        return Fixed(edge ? MP_BLACK : colour);
    });
}

// The software layout of the inks: each ramp's entries, lightest first.
struct InkRamp {
    int32_t first;
    int32_t count;
};
constexpr auto kKitBands = std::to_array<InkRamp>({{48, 11}, {60, 12}, {72, 9}, {81, 11}});
constexpr InkRamp kOfficialBand = {136, 8};

uint8_t OnRamp(InkRamp ramp, uint8_t level)
{
    return static_cast<uint8_t>(ramp.first + level * (ramp.count - 1) / 255);
}

}  // namespace

uint8_t MkSoftwareEntry(const MkInk& ink)
{
    switch (ink.kind) {
        case INK_NONE: return 0;
        case INK_KIT: return OnRamp(kKitBands[ink.which], ink.level);
        case INK_OFFICIAL: return OnRamp(kOfficialBand, ink.level);
        case INK_SKIN:
            return OnRamp({MK_SKIN_RAMPS_FIRST + ink.which * MK_SKINHAIR_RAMP, MK_SKINHAIR_RAMP},
                          ink.level);
        case INK_HAIR:
            return OnRamp(
                {MK_SKIN_RAMPS_FIRST + (4 + ink.which) * MK_SKINHAIR_RAMP, MK_SKINHAIR_RAMP},
                ink.level);
        default: return ink.which;
    }
}

namespace {

// One drawing, both renderers' files: the software view's palette entries and the 3D device's
// ramp entries (team parts) or colours.
void AddTexture(MkFileSet* set, const std::string& name, const MkKitDrawing& drawing, bool team)
{
    std::vector<uint8_t> bytes;
    MkPutU16(&bytes, static_cast<uint32_t>(drawing.size));
    MkPutU16(&bytes, static_cast<uint32_t>(drawing.size));
    for (const MkInk& ink : drawing.texels)
        bytes.push_back(MkSoftwareEntry(ink));
    MkAddFile(set, kRoot + name + ".GFX", std::move(bytes));
    MkAddDeviceKitTexture(set, name + ".GFX", drawing, team);
}

void AddPersonTexture(MkFileSet* set, const std::string& name, const MkKitDrawing& drawing)
{
    AddTexture(set, kTextures + name, drawing, false);
}

// The kit family folder of a part, with its number: "kits\SHIRTS\SHIRT001".
std::string KitFolder(const KitPartRecord& part, int32_t number)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s%03d\\", part.directory, number);
    return buffer;
}

// The keeper's shirt pieces are as large as a shirt's; his sleeves, gloves and shirt top are not.
bool IsKeeperShirtPiece(const KitPartRecord& part)
{
    const std::string name = part.name;
    return name == "kshirtsr" || name == "kshirtsl" || name == "kshirtfr" || name == "kshirtb";
}

// The drawing of one design of a part (the design number + 1; 999 is the officials' kit).
MkKitDrawing KitPartDrawing(const KitPartRecord& part, int32_t number)
{
    const bool official = number == kOfficialKit;
    const int32_t design = number - 1;
    switch (part.kind) {
        case KIT_KIND_SHIRT:
            return official ? OfficialShirt(kShirt) : ShirtOfPattern(design, kShirt);
        case KIT_KIND_SHIRT_TOP:
            return official ? OfficialShirt(kPart) : ShirtOfPattern(design, kPart);
        case KIT_KIND_ARM_LEFT:
            return official ? OfficialShirt(kPart)
                            : Trimmed(kPart, design, 0, 1 + design % 3, false);
        case KIT_KIND_SHORTS:
            return official ? OfficialTrimmed(kPart, true) : Trimmed(kPart, design, 3, 0, false);
        case KIT_KIND_SHINS:
            return official ? OfficialTrimmed(kPart, false) : Trimmed(kPart, design, 3, 0, true);
        default:  // the keeper's kit
            return Trimmed(IsKeeperShirtPiece(part) ? kShirt : kPart, 4, 3, 0, false);
    }
}

int32_t DesignCount(int32_t kind)
{
    return kind == KIT_KIND_SHIRT || kind == KIT_KIND_SHIRT_TOP ? KIT_PATTERNS : KIT_PART_DESIGNS;
}

void AddKitPart(MkFileSet* set, const KitPartRecord& part)
{
    if (part.kind == KIT_KIND_ARM_RIGHT) return;  // both arms read the left arm's files
    const std::string name = part.name;
    if (part.kind == KIT_KIND_KEEPER) {
        AddTexture(set, KitFolder(part, kKeeperKit) + name, KitPartDrawing(part, kKeeperKit), true);
        return;
    }
    for (int32_t number = 1; number <= DesignCount(part.kind); ++number)
        AddTexture(set, KitFolder(part, number) + name, KitPartDrawing(part, number), true);
    AddTexture(set, KitFolder(part, kOfficialKit) + name, KitPartDrawing(part, kOfficialKit), true);
}

void AddPeople(MkFileSet* set)
{
    const std::array<const char*, 4> skins = {"Latin", "Dafrican", "WestInd", "White"};
    const std::array<const char*, 4> colours = {"black", "blonde", "brown", "ginger"};
    const std::array<const char*, 3> skinParts = {"forearm", "hand", "AllLeg"};
    const std::array<const char*, 6> faceParts = {"faceF", "faceb", "faceL",
                                                  "neckb", "neckf", "necks"};
    for (int32_t skin = 0; skin < 4; ++skin) {
        const std::string folder = std::string("SKINS\\") + skins[skin] + "\\";
        for (int32_t part = 0; part < 3; ++part)
            AddPersonTexture(set, folder + "skin\\" + skinParts[part], SkinPart(skin, part));
        // Dafrican and WestInd faces come in one look only.
        const bool oneLook = skin == 1 || skin == 2;
        for (int32_t length = oneLook ? 1 : 0; length < 2; ++length) {
            for (int32_t colour = 0; colour < (oneLook ? 1 : 4); ++colour) {
                const Look look{skin, length == 1, colour};
                const std::string faces = folder + "faces\\"
                                          + (length == 1 ? "Normal\\" : "Short\\") + colours[colour]
                                          + "\\";
                for (int32_t view = 0; view < 6; ++view)
                    AddPersonTexture(set, faces + faceParts[view],
                                     FacePart(look, static_cast<FaceView>(view)));
            }
        }
    }
}

void AddMisc(MkFileSet* set)
{
    AddPersonTexture(set, "MISC\\shoe", Boot(false));
    AddPersonTexture(set, "MISC\\shoeb", Boot(false));
    AddPersonTexture(set, "MISC\\bbottom", Boot(true));
    AddPersonTexture(set, "MISC\\CARDred", Card(MP_CARD_RED));
    AddPersonTexture(set, "MISC\\CARDyel", Card(MP_CARD_YELLOW));
    for (int32_t number = 0; number < 100; ++number)
        AddPersonTexture(set, "overlays\\Numbers\\B_NUM" + std::to_string(number), Number(number));
}

}  // namespace

void MkGenerateKitTextures(MkFileSet* set)
{
    // Every texture a match can load must fit below the slots the kits own in the table.
    if (KIT_MaxTexturesPerMatch() >= TEXT_KIT_SLOTS) {
        std::fprintf(stderr, "mkdata: a match could load %d kit textures\n",
                     KIT_MaxTexturesPerMatch());
        std::exit(1);
    }
    for (int32_t n = 0; KitPartTable[n].name != nullptr; ++n) {
        if (KitPartTable[n].kind != KIT_KIND_MISC && KitPartTable[n].kind != KIT_KIND_SKIN
            && KitPartTable[n].kind != KIT_KIND_FACE)
            AddKitPart(set, KitPartTable[n]);
    }
    AddPeople(set);
    AddMisc(set);
}
