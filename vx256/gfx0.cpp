// vx256/gfx0.cpp: the GFX0 head. The sizes are signed 16-bit values in the file, so a damaged
// head could ask for a negative or a huge allocation: nothing is trusted that the file can't hold.
#include "vx256/gfx0.h"

#include <cstring>

#include "engine/pakfile.h"

namespace {

int32_t ReadI16(const uint8_t* at)
{
    int16_t value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

}  // namespace

bool Gfx0_FitsFile(int32_t handle, int32_t width, int32_t height, int32_t count)
{
    if (width <= 0 || height <= 0 || count <= 0) return false;
    const int64_t bytes = int64_t{width} * height * count;
    return GFX0_HEAD_BYTES + bytes <= PakFileLength(handle);
}

bool Gfx0_ReadHead(int32_t handle, Gfx0Head* head)
{
    uint8_t bytes[GFX0_HEAD_BYTES] = {};
    if (PakReadFile(bytes, 0, GFX0_HEAD_BYTES, handle) != GFX0_HEAD_BYTES) return false;
    if (std::memcmp(bytes, "GFX0", 4) != 0) return false;
    *head = {ReadI16(bytes + 4), ReadI16(bytes + 6), ReadI16(bytes + 8)};
    return Gfx0_FitsFile(handle, head->width, head->height, head->count);
}
