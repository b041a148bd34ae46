// engine/screengrab.cpp: the screen saved to the next free numbered TGA file in the user folder.
#include "engine/screengrab.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/colconv.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/userfile.h"

namespace {

constexpr size_t TGA_HEADER_SIZE = 18;
constexpr uint8_t TGA_TOP_LEFT = 0x20;

// 8-8-8 RGB, what hi-colour pixels become in the file.
constexpr ColFmt RGB888 = {
    {{16, 8, 0xFF0000}, {8, 8, 0xFF00}, {0, 8, 0xFF}, {0, 0, 0}}, 0xFFFFFF, 3, 24};

void Put16(std::vector<uint8_t>* bytes, size_t at, uint32_t value)
{
    (*bytes)[at] = static_cast<uint8_t>(value);
    (*bytes)[at + 1] = static_cast<uint8_t>(value >> 8);
}

std::vector<uint8_t> TgaOfScreen()
{
    const bool paletted = GfxGraphicMode() == GFX_MODE_8BIT;
    const uint32_t width = ScreenWidth();
    const uint32_t height = ScreenHeight();
    std::vector<uint8_t> bytes(TGA_HEADER_SIZE, 0);
    bytes[1] = paletted ? 1 : 0;
    bytes[2] = paletted ? 1 : 2;
    Put16(&bytes, 5, paletted ? 256 : 0);
    bytes[7] = paletted ? 24 : 0;
    Put16(&bytes, 12, width);
    Put16(&bytes, 14, height);
    bytes[16] = paletted ? 8 : 24;
    bytes[17] = TGA_TOP_LEFT;
    if (paletted) {
        const uint8_t* palette = GfxPalette();
        for (int32_t i = 0; i < 256; ++i) {
            for (int32_t component : {2, 1, 0}) {
                bytes.push_back(static_cast<uint8_t>(palette[3 * i + component] * 4));
            }
        }
    }
    // One lock around the whole read: each GfxReadPixel then nests inside it.
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t pixel = GfxReadPixel(static_cast<int32_t>(x), static_cast<int32_t>(y));
            if (paletted) {
                bytes.push_back(static_cast<uint8_t>(pixel));
                continue;
            }
            const uint32_t rgb = ColConvPixel(pixel, GfxScreenFormat(), RGB888);
            bytes.insert(bytes.end(), {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8),
                                       static_cast<uint8_t>(rgb >> 16)});
        }
    }
    DDrawEndDraw(&screen, 0, 0, 0, 0);
    return bytes;
}

bool WriteGrab(const char* name)
{
    const std::vector<uint8_t> bytes = TgaOfScreen();
    return UserFile_Write(name, bytes.data(), bytes.size()) == USERFILE_OK;
}

}  // namespace

void SaveScreenGrab()
{
    for (int n = 1; n <= SCREENGRAB_MAX; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "grab%04d.tga", n);
        if (UserFile_Probe(name) != USERFILE_MISSING) continue;  // a name taken, by anything
        if (!IsGraphicMode() || !WriteGrab(name)) {
            std::printf("Error: Cannot save screen grab\n");
            return;
        }
        std::printf("\a");
        return;
    }
    std::printf("Error: too many screen grabs\n");
}
