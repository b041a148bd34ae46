// vx256/kittextures.cpp: the people's kit parts and looks, their texture table and the named
// texture cache.
#include "vx256/kittextures.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include <strings.h>

#include "engine/fatal.h"
#include "game/matchblocks.h"
#include "menus/loadbar.h"
#include "viewservices/videosettings.h"
#include "vx256/textures.h"
#include "vxd3d/d3dtex.h"

// clang-format off
KitPartRecord KitPartTable[KIT_PARTS + 1] = {
    {KIT_KIND_MISC, 0x00FF, "shoe", "sskin\\textures\\MISC", 0, 0, 0, 0},
    {KIT_KIND_MISC, 0x00FF, "shoeb", "sskin\\textures\\MISC", 0, 0, 0, 0},
    {KIT_KIND_MISC, 0x00FF, "bbottom", "sskin\\textures\\MISC", 0, 0, 0, 0},
    {KIT_KIND_MISC, 0x00FF, "CARDred", "sskin\\textures\\MISC", 0, 0, 0, 0},
    {KIT_KIND_MISC, 0x00FF, "CARDyel", "sskin\\textures\\MISC", 0, 0, 0, 0},
    {KIT_KIND_SKIN, 0x001C, "forearm", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_SKIN, 0x001C, "hand", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_SKIN, 0x00FF, "AllLeg", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_FACE, 0x00FF, "faceF", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_FACE, 0x00FF, "faceb", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_FACE, 0x00FF, "faceL", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_FACE, 0x00FF, "neckb", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_FACE, 0x00FF, "neckf", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_FACE, 0x00FF, "necks", "sskin\\textures\\SKINS", 0, 0, 0, 0},
    {KIT_KIND_SHINS, 0x10FF, "AllShin", "sskin\\textures\\kits\\SHINS\\SHIN", 2, 0, 0, 0},
    {KIT_KIND_SHIRT_TOP, 0x101C, "shirttop", "sskin\\textures\\kits\\shirttop\\stop", 0, 0, 0, 0},
    {KIT_KIND_ARM_LEFT, 0x101C, "uparml", "sskin\\textures\\kits\\upparms\\uparm", 0, 0, 0, 0},
    {KIT_KIND_SHORTS, 0x10FF, "sinsidel", "sskin\\textures\\kits\\shorts\\short", 1, 0, 0, 0},
    {KIT_KIND_SHORTS, 0x10FF, "ssidel", "sskin\\textures\\kits\\shorts\\short", 1, 0, 0, 0},
    {KIT_KIND_SHORTS, 0x10FF, "sback", "sskin\\textures\\kits\\shorts\\short", 1, 0, 0, 0},
    {KIT_KIND_SHORTS, 0x10FF, "sfront", "sskin\\textures\\kits\\shorts\\short", 1, 0, 0, 0},
    {KIT_KIND_SHIRT, 0x101C, "shirtsr", "sskin\\textures\\kits\\SHIRTS\\SHIRT", 0, 0, 0, 0},
    {KIT_KIND_SHIRT, 0x101C, "shirtsl", "sskin\\textures\\kits\\SHIRTS\\SHIRT", 0, 0, 0, 0},
    {KIT_KIND_SHIRT, 0x101C, "shirtfr", "sskin\\textures\\kits\\SHIRTS\\SHIRT", 0, 0, 0, 0},
    {KIT_KIND_SHIRT, 0x121C, "shirtbac", "sskin\\textures\\kits\\SHIRTS\\SHIRT", 0, 0, 0, 0},
    {KIT_KIND_ARM_RIGHT, 0x101C, "uparmr", "sskin\\textures\\kits\\upparms\\uparm", 0, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "sleve", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "glove", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "kshirtsr", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "kshirtsl", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "kshirtfr", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x120C, "kshirtb", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "kuparml", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {KIT_KIND_KEEPER, 0x100C, "kshirtt", "sskin\\textures\\kits\\keeper\\kit", 3, 0, 0, 0},
    {0, 0, nullptr, nullptr, 0, 0, 0, 0},
};
// clang-format on

int16_t KitTextureTable[KIT_PERSONS][KIT_PART_SLOTS];
NamedTextureRecord NamedTextureCache[KIT_NAMED_TEXTURES];

namespace {

int32_t SoftwareTeamTexture(const char* name, int32_t variation, int32_t)
{
    const int32_t texture = TEXT_CreateTexture(name);
    TEXT_ShiftKitBand(texture, static_cast<int16_t>(variation));
    return texture;
}

int32_t SoftwareTeamTextureWithOverlay(const char* name, int32_t variation, int32_t colourSet,
                                       const char* overlay)
{
    const int32_t texture = SoftwareTeamTexture(name, variation, colourSet);
    TEXT_ModifyTextureWithOverlay(texture, overlay);
    return texture;
}

int32_t SoftwareTextureWithOverlay(const char* name, const char* overlay)
{
    const int32_t texture = TEXT_CreateTexture(name);
    TEXT_ModifyTextureWithOverlay(texture, overlay);
    return texture;
}

int32_t DeviceTextureWithOverlay(const char*, const char*)
{
    FatalError("no case for non-team textures with overlays!");
}

constexpr KitRenderer kRenderers[KIT_RENDERER_COUNT] = {
    {TEXT_CreateTexture, SoftwareTeamTexture, SoftwareTeamTextureWithOverlay,
     SoftwareTextureWithOverlay, KIT_GetTextureSize},
    // The device keeps no sizes: the load sets every part's to 0.
    {TexD3D_CreateTexture, TexD3D_CreateTextureForTeam, TexD3D_CreateTextureForTeamWithOverlay,
     DeviceTextureWithOverlay, nullptr},
};

}  // namespace

KitRenderer KitRenderers[KIT_RENDERER_COUNT] = {kRenderers[0], kRenderers[1]};

namespace {

constexpr const char* kNumbersFolder = "sskin\\textures\\overlays\\Numbers\\";
constexpr int32_t kOfficialKit = 999;
constexpr int32_t kKeeperKit = 1;
constexpr KitLook kOfficialLook = {0, 2, 0, 4};  // White, brown hair, "Normal"

// Skin code 0 "Latin", 1 "Dafrican", 2 "WestInd", 3 "White" from the look's skin type.
constexpr auto kSkinCodes = std::to_array<int32_t>({3, 0, 3, 3, 2, 1, 2});
constexpr auto kSkinNames = std::to_array<const char*>({"Latin", "Dafrican", "WestInd", "White"});
// Hair colour codes 0, 4, 8, 12 from the look's hair colour, and their names by code / 4.
constexpr auto kHairColourCodes = std::to_array<int32_t>({4, 12, 8, 0});
constexpr auto kHairColourNames =
    std::to_array<const char*>({"black", "blonde", "brown", "ginger"});
constexpr int32_t kHairNormal = 16;
constexpr int32_t kHairLong = 32;  // "normal": the same folder as "Normal", names ignore case

bool IsTeamKind(uint32_t kind)
{
    return kind == KIT_KIND_SHINS || kind == KIT_KIND_SHIRT || kind == KIT_KIND_SHIRT_TOP
           || kind == KIT_KIND_SHORTS || kind == KIT_KIND_ARM_LEFT || kind == KIT_KIND_ARM_RIGHT
           || kind == KIT_KIND_KEEPER;
}

int32_t SkinCode(const KitLook& look)
{
    return look.skin < kSkinCodes.size() ? kSkinCodes[look.skin] : 3;
}

int32_t HairLengthCode(uint16_t style)
{
    if (style < 3) return 0;
    if (style == 4 || style > 6) return kHairNormal;
    return kHairLong;
}

const char* HairLengthName(int32_t code)
{
    switch (code) {
        case 0: return "Short";
        case kHairNormal: return "Normal";
        case kHairLong: return "normal";
        default: FatalError("ERROR: ReturnHairLengthName default case hit!");
    }
}

bool InViewMode3D() { return GetMatchSidesBlock()->viewMode == VIEW_3D; }

const KitRenderer& ActiveRenderer()
{
    return KitRenderers[Video_Has3DDevice() ? KIT_RENDERER_DEVICE : KIT_RENDERER_SOFTWARE];
}

// A person-by-part or cache entry as the device's texture.
int32_t DeviceTexture(int16_t slot) { return slot == -1 ? -1 : TexD3D_GetTexture(slot); }

bool CarriesNumber(const KitPartRecord& part)
{
    return (part.flags & KIT_FLAG_NUMBER_BITS) != 0
           && (part.kind == KIT_KIND_SHIRT || part.kind == KIT_KIND_KEEPER);
}

void CheckCacheIndex(int32_t index)
{
    if (index < 0 || index >= KIT_NAMED_TEXTURES)
        FatalError("Error: KIT_GetTextureSizeFromIndex(): invalid index %d\n", index);
}

// The part's size from the first person who has it; every other must match.
void SetPartSize(int32_t partNumber, KitPartRecord* part, const KitRenderer& renderer)
{
    bool found = false;
    for (int32_t person = 0; person < KIT_PERSONS; ++person) {
        const int16_t texture = KitTextureTable[person][partNumber];
        if (texture == -1) continue;
        int32_t width = 0;
        int32_t height = 0;
        renderer.size(texture, &width, &height);
        if (!found) {
            part->width = static_cast<int16_t>(width);
            part->height = static_cast<int16_t>(height);
            found = true;
        } else if (width != part->width || height != part->height) {
            FatalError("Error: KITPLR_GetTextureSizeFromIndex(): Error in texture sizes for '%s' "
                       "%d\n       found size %dx%d and %dx%d\n",
                       part->name, partNumber, width, height, part->width, part->height);
        }
    }
    if (!found)
        FatalError("Error: KITPLR_GetTextureSizeFromIndex(): failed to find a texture '%s' %d "
                   "loaded\n",
                   part->name, partNumber);
}

}  // namespace

void KitTextures_Init()
{
    // A load's sizes stay in the table: a later model load must not read them as its own.
    for (KitPartRecord& part : KitPartTable) {
        part.width = 0;
        part.height = 0;
    }
    KIT_ClearTextureTable();
    NORMTEXT_ClearCache();
    std::copy(std::begin(kRenderers), std::end(kRenderers), KitRenderers);
}

void KitTextures_Uninit() { KitTextures_Init(); }

void KIT_ClearTextureTable()
{
    for (auto& row : KitTextureTable) {
        for (int16_t& texture : row)
            texture = -1;
    }
}

int16_t KIT_GetKitType(const KitPartRecord& part, int32_t person)
{
    if (part.kind == KIT_KIND_MISC) return 0;
    if (IsTeamKind(part.kind)) return static_cast<int16_t>(person < 16 ? 0 : person < 32 ? 1 : 2);
    if (part.kind != KIT_KIND_SKIN && part.kind != KIT_KIND_FACE)
        FatalError("ERROR: KIT_GetKitType(): `default case hit'");
    const KitLook look = KIT_GetPlayerPhysLook(person);
    const int32_t skin = SkinCode(look);
    if (part.kind == KIT_KIND_SKIN) return static_cast<int16_t>(skin);
    if (skin == 1 || skin == 2) return static_cast<int16_t>(skin + kHairNormal);
    const int32_t colour = kHairColourCodes[std::min<uint16_t>(look.hairColour, 3)];
    return static_cast<int16_t>(skin + colour + HairLengthCode(look.hairStyle));
}

const char* KIT_BuildFilename(int32_t variation, const KitPartRecord& part)
{
    static char buffer[KIT_NAME_BYTES];
    switch (part.kind) {
        case KIT_KIND_MISC:
            std::snprintf(buffer, sizeof buffer, "%s\\%s.GFX", part.directory, part.name);
            break;
        case KIT_KIND_SKIN:
            std::snprintf(buffer, sizeof buffer, "%s\\%s\\skin\\%s.GFX", part.directory,
                          kSkinNames[variation & 3], part.name);
            break;
        case KIT_KIND_FACE:
            std::snprintf(buffer, sizeof buffer, "%s\\%s\\faces\\%s\\%s\\%s.GFX", part.directory,
                          kSkinNames[variation & 3], HairLengthName(variation & 48),
                          kHairColourNames[(variation & 12) / 4], part.name);
            break;
        case KIT_KIND_SHINS:
        case KIT_KIND_SHIRT:
        case KIT_KIND_SHIRT_TOP:
        case KIT_KIND_SHORTS:
        case KIT_KIND_ARM_LEFT:
        case KIT_KIND_ARM_RIGHT: {
            if (variation < 0 || variation > 2)
                FatalError("ERROR: BuildFilename type = %d", variation);
            const int32_t number =
                variation == 2 ? kOfficialKit : Kit_ReturnKit(part.kind, variation);
            // Both arms read the left arm's file.
            const bool arm = part.kind == KIT_KIND_ARM_LEFT || part.kind == KIT_KIND_ARM_RIGHT;
            std::snprintf(buffer, sizeof buffer, "%s%03d\\%s.GFX", part.directory, number,
                          arm ? "uparml" : part.name);
            break;
        }
        case KIT_KIND_KEEPER:
            std::snprintf(buffer, sizeof buffer, "%s%03d\\%s.GFX", part.directory, kKeeperKit,
                          part.name);
            break;
        default: FatalError("ERROR: KIT_BuildFilename `default case hit'");
    }
    return buffer;
}

const char* KitBuildOverlayFilename(int32_t shirtNumber, const KitPartRecord& part)
{
    static char buffer[KIT_NAME_BYTES];
    if (part.kind != KIT_KIND_SHIRT && part.kind != KIT_KIND_KEEPER)
        FatalError("ERROR: KIT_BuildOverlayFilename `default case hit'");
    if ((part.flags & KIT_FLAG_NUMBER_OVERLAY) == 0)
        FatalError("Error: KitBuildOverlayFilename(): can't build shirt overlay name\n");
    std::snprintf(buffer, sizeof buffer, "%sB_NUM%d.GFX", kNumbersFolder, shirtNumber);
    return buffer;
}

int32_t Kit_ReturnKit(uint32_t kind, int32_t side)
{
    const KitDesign kit = MatchSide_GetKit(GetMatchSidesBlock()->sides[side]);
    switch (kind) {
        case KIT_KIND_SHINS: return kit.shins + 1;
        case KIT_KIND_SHIRT:
        case KIT_KIND_KEEPER: return kit.shirt + 1;
        case KIT_KIND_SHIRT_TOP: return kit.shirtTop + 1;
        case KIT_KIND_SHORTS: return kit.shorts + 1;
        case KIT_KIND_ARM_LEFT: return kit.armLeft + 1;
        case KIT_KIND_ARM_RIGHT: return kit.armRight + 1;
        default:
            FatalError("ERROR: Kit_ReturnKit %d kitpart not found", static_cast<int32_t>(kind));
    }
}

int32_t KIT_GetShirtNumber(int32_t person)
{
    if (person >= KIT_FIRST_OFFICIAL) return -1;
    return GetMatchSidesBlock()->sides[person / 16].entries[person % 16].shirt;
}

KitLook KIT_GetPlayerPhysLook(int32_t person)
{
    if (person < 0 || person >= KIT_PERSONS)
        FatalError("Error: KIT_GetPlayerPhysLook(): player number %d out of range\n", person);
    if (person >= KIT_FIRST_OFFICIAL) return kOfficialLook;
    const MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[person / 16].entries[person % 16];
    return {entry.skin, entry.hairColour, entry.look, entry.hairStyle};
}

SoftTextureHeader* KIT_GetPersonTexture(int32_t person, int32_t part)
{
    if (person < 0 || person >= KIT_PERSONS || part < 0 || part >= KIT_PART_SLOTS)
        FatalError("KIT_GetPersonTexture(): person %d part %d out of range", person, part);
    const int16_t texture = KitTextureTable[person][part];
    return texture == -1 ? nullptr : GetTexture(texture);
}

int32_t KIT_GetPersonTextureD3D(int32_t person, int32_t part)
{
    if (person < 0 || person >= KIT_PERSONS || part < 0 || part >= KIT_PART_SLOTS)
        FatalError("KIT_GetPersonTextureD3D(): person %d part %d out of range", person, part);
    return DeviceTexture(KitTextureTable[person][part]);
}

void KIT_LoadOneTexture(int32_t partNumber, KitPartRecord* part)
{
    std::array<int16_t, KIT_VARIATIONS> shared;
    shared.fill(-1);
    for (int32_t person = 0; person < KIT_PERSONS; ++person) {
        const int32_t variation = KIT_GetKitType(*part, person);
        if (variation < 0 || variation >= KIT_VARIATIONS)
            FatalError("Error: KIT_LoadOneTexture(): type out of range: %d\n", variation);
        const int32_t number = CarriesNumber(*part) ? KIT_GetShirtNumber(person) : -1;
        if (number == -1 && shared[variation] != -1) {
            KitTextureTable[person][partNumber] = shared[variation];
            continue;
        }
        if (!InViewMode3D()) FatalError("KIT_LoadOneTexture(): unknown game type");
        const KitRenderer& renderer = ActiveRenderer();
        const char* const file = KIT_BuildFilename(variation, *part);
        const bool team = (part->flags & KIT_FLAG_TEAM) != 0;
        int32_t texture = -1;
        if (number == -1) {
            texture = team ? renderer.createForTeam(file, variation, part->colourSet)
                           : renderer.create(file);
            shared[variation] = static_cast<int16_t>(texture);
        } else {
            const char* const overlay = KitBuildOverlayFilename(number, *part);
            texture =
                team ? renderer.createForTeamWithOverlay(file, variation, part->colourSet, overlay)
                     : renderer.createWithOverlay(file, overlay);
        }
        KitTextureTable[person][partNumber] = static_cast<int16_t>(texture);
    }
}

void KITPLR_LoadAllTextures()
{
    LoadBar_StartBlock(KIT_PART_SLOTS, 1.0f);
    for (int32_t n = 0; KitPartTable[n].name != nullptr; ++n) {
        LoadBar_Advance(1.0f);
        KIT_LoadOneTexture(n, &KitPartTable[n]);
        if (!InViewMode3D()) FatalError("no case for non-watch games");
        if (Video_Has3DDevice()) {
            KitPartTable[n].width = 0;
            KitPartTable[n].height = 0;
        } else {
            SetPartSize(n, &KitPartTable[n], KitRenderers[KIT_RENDERER_SOFTWARE]);
        }
    }
    LoadBar_EndBlock();
}

void KITPLR_GetTextureSizeFromIndex(int32_t part, int16_t* width, int16_t* height)
{
    // Only the 34 parts have sizes; the table's three spare slots never get one.
    if (part < 0 || part >= KIT_PARTS)
        FatalError("Error: KITPLR_GetTextureSizeFromIndex(): invalid index %d\n", part);
    *width = KitPartTable[part].width;
    *height = KitPartTable[part].height;
}

int32_t KITPLR_GetTextureIndexFromName(const char* name)
{
    char partName[KIT_NAME_BYTES];
    for (int32_t n = 0; KitPartTable[n].name != nullptr; ++n) {
        std::snprintf(partName, sizeof partName, "%s.GFX", KitPartTable[n].name);
        if (strcasecmp(partName, name) == 0) return n;
    }
    FatalError("Error: KITPLR_GetTextureIndexFromName(): cannot find '%s' texture in list\n", name);
}

void NORMTEXT_ClearCache()
{
    for (NamedTextureRecord& record : NamedTextureCache) {
        record.name[0] = '\0';
        record.texture = -1;
    }
}

int32_t NORMTEXT_LoadTexture(const char* name)
{
    int32_t firstFree = -1;
    for (int32_t i = 0; i < KIT_NAMED_TEXTURES; ++i) {
        const NamedTextureRecord& record = NamedTextureCache[i];
        if (record.name[0] == '\0') {
            if (firstFree == -1) firstFree = i;
        } else if (strcasecmp(record.name, name) == 0) {
            return i;
        }
    }
    // A name the record cannot hold whole would never match its stored copy: every call would
    // load it again.
    if (std::strlen(name) >= KIT_NAME_BYTES)
        FatalError("NORMTEXT_LoadTexture(): texture name too long: '%s'\n", name);
    if (firstFree == -1) FatalError("ERROR:NORMTEXT_LoadTexture MAX Textures reached\n");
    if (!InViewMode3D()) FatalError("NORMTEXT_LoadTexture(): unknown game format");
    NamedTextureRecord& record = NamedTextureCache[firstFree];
    record.texture = static_cast<int16_t>(ActiveRenderer().create(name));
    std::snprintf(record.name, sizeof record.name, "%s", name);
    return firstFree;
}

SoftTextureHeader* KIT_GetTextureFromIndex(int32_t index)
{
    CheckCacheIndex(index);
    const int16_t texture = NamedTextureCache[index].texture;
    return texture == -1 ? nullptr : GetTexture(texture);
}

int32_t KIT_GetTextureFromIndexD3D(int32_t index)
{
    CheckCacheIndex(index);
    return DeviceTexture(NamedTextureCache[index].texture);
}

void KIT_GetTextureSizeFromIndex(int32_t index, int32_t* width, int32_t* height)
{
    CheckCacheIndex(index);
    // The device keeps no sizes of its textures.
    const KitRenderer& renderer = ActiveRenderer();
    if (!InViewMode3D() || renderer.size == nullptr) FatalError("texture size not available");
    renderer.size(NamedTextureCache[index].texture, width, height);
}

int32_t KIT_MaxTexturesPerMatch()
{
    constexpr int32_t kSkinVariations = 4;
    constexpr int32_t kFaceVariations =
        2 + 2 * 4 * 3;  // skins 1, 2 once; 0, 3 by colour and length
    constexpr int32_t kNumbered = KIT_FIRST_OFFICIAL + 1;  // the officials share theirs
    int32_t total = 0;
    for (int32_t n = 0; KitPartTable[n].name != nullptr; ++n) {
        const KitPartRecord& part = KitPartTable[n];
        if (part.kind == KIT_KIND_MISC)
            total += 1;
        else if (part.kind == KIT_KIND_SKIN)
            total += kSkinVariations;
        else if (part.kind == KIT_KIND_FACE)
            total += kFaceVariations;
        else
            total += CarriesNumber(part) ? kNumbered : 3;
    }
    return total;
}
