// vx256/kittextures.h: the clothes and looks of the 35 people of a match (16 a side and three
// officials) for both 3D views: a fixed table of 34 kit and body parts, the variation each person
// wears of each part, the texture file names, the person-by-part texture table (one texture
// shared by everyone who looks the same, one of his own where a shirt number is printed) and a
// cache of the other named model textures.
#pragma once

#include <cstdint>

#include "vx256/softspan.h"

constexpr int32_t KIT_PERSONS = 35;  // 0-15 home, 16-31 away, 32-34 the officials
constexpr int32_t KIT_FIRST_OFFICIAL = 32;
constexpr int32_t KIT_PARTS = 34;
constexpr int32_t KIT_PART_SLOTS = 37;
constexpr int32_t KIT_VARIATIONS = 64;
constexpr int32_t KIT_NAMED_TEXTURES = 1024;
constexpr int32_t KIT_NAME_BYTES = 80;

enum KitPartKind : uint32_t {
    KIT_KIND_MISC = 0,
    KIT_KIND_SKIN = 1,
    KIT_KIND_SHINS = 2,
    KIT_KIND_SHIRT = 3,
    KIT_KIND_SHIRT_TOP = 4,
    KIT_KIND_SHORTS = 5,
    KIT_KIND_ARM_LEFT = 6,
    KIT_KIND_FACE = 9,
    KIT_KIND_ARM_RIGHT = 10,
    KIT_KIND_KEEPER = 11,
};

constexpr uint32_t KIT_FLAG_TEAM = 0x1000;            // recoloured or tinted for the side
constexpr uint32_t KIT_FLAG_NUMBER_OVERLAY = 0x0200;  // carries the shirt number overlay
constexpr uint32_t KIT_FLAG_NUMBER_BITS = 0x0F00;     // with a shirt kind: asks for the number

struct KitPartRecord {
    uint32_t kind;  // KitPartKind
    uint32_t flags;
    const char* name;
    const char* directory;
    int16_t colourSet;  // for the 3D device's team loader: 0 shirt, 1 shorts, 2 shins, 3 keeper
    int16_t spare;
    int16_t width;  // set by the software renderer's load, 0 with the 3D device
    int16_t height;
};

// The person's look: the words of his match-day entry from its skin on.
struct KitLook {
    uint16_t skin;        // 0-6
    uint16_t hairColour;  // 0-3
    uint16_t look;
    uint16_t hairStyle;
};

struct NamedTextureRecord {
    char name[KIT_NAME_BYTES];  // empty: free
    int16_t texture;            // -1 when free
};

// The 34 parts, then a record with a null name.
extern KitPartRecord KitPartTable[KIT_PARTS + 1];
extern int16_t KitTextureTable[KIT_PERSONS][KIT_PART_SLOTS];  // -1: none
extern NamedTextureRecord NamedTextureCache[KIT_NAMED_TEXTURES];

// How a renderer makes kit textures: plain, coloured for the variation's side (through the
// part's colour set on the 3D device), and the same with a shirt number drawn over it. The
// software renderer recolours after loading; the 3D device colours while it loads.
struct KitRenderer {
    int32_t (*create)(const char* name);
    int32_t (*createForTeam)(const char* name, int32_t variation, int32_t colourSet);
    int32_t (*createForTeamWithOverlay)(const char* name, int32_t variation, int32_t colourSet,
                                        const char* overlay);
    int32_t (*createWithOverlay)(const char* name, const char* overlay);  // not a team part
    void (*size)(int32_t texture, int32_t* width, int32_t* height);
};
enum KitRendererKind { KIT_RENDERER_SOFTWARE, KIT_RENDERER_DEVICE, KIT_RENDERER_COUNT };
extern KitRenderer KitRenderers[KIT_RENDERER_COUNT];

// Every part's size unset, the texture table and the named cache empty, the renderers as built.
void KitTextures_Init();
void KitTextures_Uninit();  // the same: safe without Init and twice

void KIT_ClearTextureTable();
// Every part for every person, under a load-bar block; each part's size set from its textures.
void KITPLR_LoadAllTextures();
void KIT_LoadOneTexture(int32_t partNumber, KitPartRecord* part);
int16_t KIT_GetKitType(const KitPartRecord& part, int32_t person);            // the variation, 0-63
const char* KIT_BuildFilename(int32_t variation, const KitPartRecord& part);  // static buffer
const char* KitBuildOverlayFilename(int32_t shirtNumber, const KitPartRecord& part);  // another
int32_t Kit_ReturnKit(uint32_t kind, int32_t side);  // the side's design for the kind, + 1
int32_t KIT_GetShirtNumber(int32_t person);          // -1 for the officials
KitLook KIT_GetPlayerPhysLook(int32_t person);
SoftTextureHeader* KIT_GetPersonTexture(int32_t person, int32_t part);  // null: none
int32_t KIT_GetPersonTextureD3D(int32_t person, int32_t part);  // the device texture, -1: none
void KITPLR_GetTextureSizeFromIndex(int32_t part, int16_t* width, int16_t* height);
int32_t KITPLR_GetTextureIndexFromName(const char* name);  // "<part name>.GFX", any case
void NORMTEXT_ClearCache();
int32_t NORMTEXT_LoadTexture(const char* name);  // the cache index; one per name, any case
SoftTextureHeader* KIT_GetTextureFromIndex(int32_t index);
int32_t KIT_GetTextureFromIndexD3D(int32_t index);  // the device texture, -1: none
void KIT_GetTextureSizeFromIndex(int32_t index, int32_t* width, int32_t* height);

// The most textures one match's kit load can create: the generator keeps it below the slots
// the kits own in the software texture table.
int32_t KIT_MaxTexturesPerMatch();
