// vx256/textures.cpp: the software view's texture table and its kit pixel operations.
#include "vx256/textures.h"

#include <string>

#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"

namespace {

constexpr const char* kRoot = "vxdata\\software\\";
constexpr int32_t kAbortLine = 65;

void* TextureSlots[TEXT_MAX_TEXTURES];

// Loads a texture file into *owner and checks that its sizes account for every byte.
void LoadImage(const char* name, void** owner)
{
    const std::string path = kRoot + std::string(name);
    const int32_t bytes = PakLoadFile(path.c_str(), owner, MEM_TYPE_FILE);
    const auto* header = static_cast<const SoftTextureHeader*>(*owner);
    if (bytes < SOFT_TEXTURE_HEADER_BYTES || header->width <= 0 || header->height <= 0
        || bytes != SOFT_TEXTURE_HEADER_BYTES + int32_t{header->width} * header->height)
        FatalError("TEXT_CreateTexture(): '%s' is damaged", name);
}

uint8_t* PixelsOf(void* block) { return static_cast<uint8_t*>(block) + SOFT_TEXTURE_HEADER_BYTES; }

}  // namespace

int32_t TEXT_CreateTexture(const char* name)
{
    for (int32_t slot = 0; slot < TEXT_MAX_TEXTURES; ++slot) {
        if (TextureSlots[slot] != nullptr) continue;
        LoadImage(name, &TextureSlots[slot]);
        return slot;
    }
    FatalAbort("textures", kAbortLine, "TEXT_CreateTexture(): too many textures created");
}

void KIT_GetTextureSize(int32_t slot, int32_t* width, int32_t* height)
{
    if (slot < 0 || slot >= TEXT_MAX_TEXTURES)
        FatalError("Error: KIT_GetTextureSize(): invalid texture number - %d\n", slot);
    if (TextureSlots[slot] == nullptr)
        FatalError("Error: KIT_GetTextureSize(): texture no %d not loaded\n", slot);
    const auto* header = static_cast<const SoftTextureHeader*>(TextureSlots[slot]);
    *width = header->width;
    *height = header->height;
}

SoftTextureHeader* GetTexture(int32_t slot)
{
    return static_cast<SoftTextureHeader*>(TextureSlots[slot]);
}

void TEXT_ModifyTextureWithOverlay(int32_t slot, const char* name)
{
    void* overlay = nullptr;
    LoadImage(name, &overlay);
    int32_t width = 0;
    int32_t height = 0;
    KIT_GetTextureSize(slot, &width, &height);
    const auto* overlayHeader = static_cast<const SoftTextureHeader*>(overlay);
    if (overlayHeader->width != width || overlayHeader->height != height)
        FatalError("Error: TEXT_ModifyTextureWithOverlay sizes dont match Source:%dx%d, Dest:%dx%d",
                   overlayHeader->width, overlayHeader->height, width, height);
    // Counted in 32 bits: a 16-bit count would leave a texture of 32,768 pixels or more untouched.
    const uint8_t* from = PixelsOf(overlay);
    uint8_t* to = PixelsOf(TextureSlots[slot]);
    const int32_t count = width * height;
    for (int32_t i = 0; i < count; ++i) {
        if (from[i] != 0) to[i] = from[i];
    }
    FreeMemory(&overlay);
}

void TEXT_ShiftKitBand(int32_t slot, int16_t side)
{
    if (side != 1) return;
    int32_t width = 0;
    int32_t height = 0;
    KIT_GetTextureSize(slot, &width, &height);
    uint8_t* pixels = PixelsOf(TextureSlots[slot]);
    const int32_t count = width * height;
    for (int32_t i = 0; i < count; ++i) {
        if (pixels[i] >= TEXT_HOME_BAND_FIRST && pixels[i] <= TEXT_HOME_BAND_LAST)
            pixels[i] = static_cast<uint8_t>(pixels[i] + TEXT_BAND_DISTANCE);
    }
}

void TEXT_ClearTable()
{
    // Blocks are tracked by their owner, so a slot forgotten while it still held a block would
    // leak it and make the slot's next load fatal: free what is left instead.
    for (void*& slot : TextureSlots) {
        if (slot != nullptr) FreeMemory(&slot);
    }
}

void TEXT_FreeKitTextures()
{
    for (int32_t slot = 0; slot < TEXT_KIT_SLOTS; ++slot) {
        if (TextureSlots[slot] != nullptr) FreeMemory(&TextureSlots[slot]);
    }
}
