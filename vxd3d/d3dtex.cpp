// vxd3d/d3dtex.cpp: the device view's texture slots and the kits' colour ramps.
#include "vxd3d/d3dtex.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "engine/dxd3dtex.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/kitcolours.h"
#include "game/records.h"

namespace {

constexpr const char* kRoot = "vxdata\\d3d\\";
constexpr uint32_t kPlainFlags = D3DTEX_SOURCE_RGBA;
constexpr uint32_t kTeamFlags = D3DTEX_SOURCE_RGBA | D3DTEX_ALPHA_SOLID;
constexpr int32_t kGroups = 4;
constexpr int32_t kShades = 32;

struct TexState {
    std::array<int32_t, TEXD3D_SLOTS> slots;                        // device handles, -1 free
    std::array<uint32_t*, TEXD3D_SIDES * TEXD3D_RAMP_SLOTS> ramps;  // tracked blocks
};

constexpr std::array<int32_t, TEXD3D_SLOTS> FreeSlots()
{
    std::array<int32_t, TEXD3D_SLOTS> slots{};
    for (int32_t& slot : slots)
        slot = -1;
    return slots;
}

constinit TexState s_tex = {FreeSlots(), {}};

struct RawFile {
    uint8_t* block = nullptr;  // tracked
    int32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Into *file, whose block field owns the tracked block: the owner's address must stay put.
void LoadRaw(const char* name, RawFile* file)
{
    char path[128];
    std::snprintf(path, sizeof path, "%s%s", kRoot, name);
    file->size = PakLoadFile(path, &file->block);
    if (file->size >= TEXD3D_HEAD_BYTES) {
        uint16_t w = 0, h = 0;
        std::memcpy(&w, file->block + 4, sizeof w);
        std::memcpy(&h, file->block + 6, sizeof h);
        file->width = w;
        file->height = h;
    }
}

// An empty head would pass the size check with nothing in it: it is refused with the same text.
void CheckSize(const RawFile& file, int32_t bytesPerPixel, const char* function)
{
    const int64_t expected = TEXD3D_HEAD_BYTES + int64_t{file.width} * file.height * bytesPerPixel;
    if (file.width == 0 || file.height == 0 || file.size != expected)
        FatalError("Error: %s(): texture file size is wrong (was %d bytes, should be %d for "
                   "%dx%d)\n",
                   function, file.size, static_cast<int32_t>(expected), file.width, file.height);
}

int32_t FirstFreeSlot(const char* function)
{
    for (int32_t i = 0; i < TEXD3D_SLOTS; ++i) {
        if (s_tex.slots[i] == -1) return i;
    }
    FatalError("%s(): too many textures created", function);
}

// ARGB words (blue in the low byte) into the R, G, B, A bytes the device takes.
void ToSourceOrder(uint32_t* words, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t p = words[i];
        const uint8_t bytes[4] = {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                  static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)};
        std::memcpy(&words[i], bytes, sizeof bytes);
    }
}

uint32_t* RampOf(int32_t side, int32_t rampSlot)
{
    if (side < 0 || side >= TEXD3D_SIDES || rampSlot < 0 || rampSlot >= TEXD3D_RAMP_SLOTS)
        FatalError("TexD3D_GetRamp(): side %d ramp %d out of range", side, rampSlot);
    uint32_t* const ramp = s_tex.ramps[side * TEXD3D_RAMP_SLOTS + rampSlot];
    if (ramp == nullptr) FatalError("TexD3D_GetRamp(): ramps not allocated");
    return ramp;
}

// The base's 8-bit entries through the ramp into a new tracked block of ARGB words owned by
// *pixels.
void ThroughRamp(const RawFile& base, int32_t side, int32_t rampSlot, uint32_t** pixels)
{
    const uint32_t* const ramp = RampOf(side, rampSlot);
    const int32_t count = base.width * base.height;
    AllocateMemory(pixels, static_cast<uint32_t>(count * 4), MEM_TYPE_GAME);
    const uint8_t* const entries = base.block + TEXD3D_HEAD_BYTES;
    for (int32_t i = 0; i < count; ++i)
        (*pixels)[i] = ramp[entries[i]];
}

// The ARGB words at *owner + offset become the slot's texture; the block is freed.
int32_t Store(int32_t slot, uint8_t** owner, uint32_t offset, int32_t width, int32_t height,
              uint32_t flags)
{
    ToSourceOrder(reinterpret_cast<uint32_t*>(*owner + offset), width * height);
    s_tex.slots[slot] =
        D3DTexAdvancedCreateTexture(static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                    reinterpret_cast<void**>(owner), offset, flags);
    return slot;
}

int32_t Store(int32_t slot, uint32_t** pixels, int32_t width, int32_t height, uint32_t flags)
{
    return Store(slot, reinterpret_cast<uint8_t**>(pixels), 0, width, height, flags);
}

}  // namespace

void TexD3D_ResetTable() { s_tex.slots = FreeSlots(); }

void TexD3D_FreeAll()
{
    for (int32_t& handle : s_tex.slots) {
        if (handle == -1) continue;
        D3DTexDestroyTexture(handle);
        handle = -1;
    }
}

int32_t TexD3D_UsedSlots()
{
    int32_t used = 0;
    for (const int32_t handle : s_tex.slots)
        used += handle != -1;
    return used;
}

int32_t TexD3D_GetTexture(int32_t slot)
{
    if (slot < 0 || slot >= TEXD3D_SLOTS || s_tex.slots[slot] == -1)
        FatalError("TexD3D_GetTexture(): slot %d not in use", slot);
    return s_tex.slots[slot];
}

int32_t TexD3D_CreateTexture(const char* name)
{
    const int32_t slot = FirstFreeSlot("TexD3D_CreateTexture");
    RawFile file;
    LoadRaw(name, &file);
    CheckSize(file, 4, "TexD3D_CreateTexture");
    return Store(slot, &file.block, TEXD3D_HEAD_BYTES, file.width, file.height, kPlainFlags);
}

int32_t TexD3D_CreateTextureForTeam(const char* name, int32_t side, int32_t rampSlot)
{
    const int32_t slot = FirstFreeSlot("TexD3D_CreateTextureForTeam");
    RawFile file;
    LoadRaw(name, &file);
    CheckSize(file, 1, "TexD3D_CreateTextureForTeam");
    uint32_t* pixels = nullptr;
    ThroughRamp(file, side, rampSlot, &pixels);
    FreeMemory(&file.block);
    return Store(slot, &pixels, file.width, file.height, kTeamFlags);
}

int32_t TexD3D_CreateTextureForTeamWithOverlay(const char* name, int32_t side, int32_t rampSlot,
                                               const char* overlay)
{
    const int32_t slot = FirstFreeSlot("TexD3D_CreateTextureForTeam");
    RawFile base;
    LoadRaw(name, &base);
    CheckSize(base, 1, "TexD3D_CreateTextureForTeamWithOverlay");
    RawFile top;
    LoadRaw(overlay, &top);
    CheckSize(top, 4, "TexD3D_CreateTextureForTeamWithOverlay");
    if (top.width != base.width || top.height != base.height)
        FatalError("TexD3D_CreateTextureForTeamWithOverlay(): texture and overlay size mismatch");
    uint32_t* pixels = nullptr;
    ThroughRamp(base, side, rampSlot, &pixels);
    for (int32_t i = 0; i < base.width * base.height; ++i) {
        uint32_t over = 0;
        std::memcpy(&over, top.block + TEXD3D_HEAD_BYTES + i * 4, sizeof over);
        pixels[i] = TexD3D_OverlayPixel(pixels[i], over);
    }
    FreeMemory(&top.block);
    FreeMemory(&base.block);
    return Store(slot, &pixels, base.width, base.height, kTeamFlags);
}

uint32_t TexD3D_OverlayPixel(uint32_t base, uint32_t overlay)
{
    const uint32_t a = overlay >> 24;
    if (a == 255) return overlay;
    if (a == 0) return base;
    uint32_t mixed = 0;
    for (int32_t shift = 0; shift < 24; shift += 8) {
        const uint32_t o = (overlay >> shift) & 0xFF, b = (base >> shift) & 0xFF;
        mixed |= (o * a / 255 + b * (255 - a) / 255) << shift;
    }
    return mixed;
}

void TexD3D_AllocRamps()
{
    for (uint32_t*& ramp : s_tex.ramps) {
        // Allocation zero-fills: group 0 and the entries past the last group stay black.
        if (ramp == nullptr)
            AllocateMemory(&ramp, TEXD3D_RAMP_ENTRIES * sizeof(uint32_t), MEM_TYPE_GAME);
    }
}

void TexD3D_FreeRamps()
{
    for (uint32_t*& ramp : s_tex.ramps) {
        if (ramp != nullptr) FreeMemory(&ramp);
    }
}

const uint32_t* TexD3D_GetRamp(int32_t side, int32_t rampSlot) { return RampOf(side, rampSlot); }

void TexD3D_BuildTeamRamps(int32_t side, const KitDesign& kit)
{
    for (int32_t slot = 0; slot < TEXD3D_RAMP_SLOTS; ++slot) {
        for (int32_t i = 0; i < kGroups; ++i)
            TexD3D_WriteRamp(side, slot, i + 1, kit.colours[slot][i]);
    }
}

void TexD3D_BuildOfficialRamps()
{
    for (int32_t slot = 0; slot < 3; ++slot) {
        for (int32_t group = 1; group < kGroups; ++group)
            TexD3D_WriteRamp(2, slot, group, TEXD3D_OFFICIAL_COLOUR);
        TexD3D_WriteRamp(2, slot, kGroups, TEXD3D_OFFICIAL_TRIM_COLOUR);
    }
}

void TexD3D_WriteRamp(int32_t side, int32_t rampSlot, int32_t group, int32_t colour)
{
    uint32_t* const ramp = RampOf(side, rampSlot);
    if (group < 1 || group > kGroups)
        FatalError("TexD3D_WriteRamp(): group %d out of range", group);
    const KitColour& c = KitColourTable[KitColour_Clamp(colour)];
    const int32_t from[3] = {c.r, c.g, c.b};
    for (int32_t s = 0; s < kShades; ++s) {
        uint32_t pixel = 0;  // alpha 0
        for (int32_t k = 0; k < 3; ++k) {
            const int32_t d = from[k] / 16;
            pixel = pixel << 8 | static_cast<uint32_t>(from[k] + (d - from[k]) * s / 31);
        }
        ramp[TEXD3D_GROUP_ENTRIES * group + s] = pixel;
    }
}
