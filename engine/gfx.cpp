// engine/gfx.cpp: the 2D graphics layer's view of the display modes.
#include "engine/gfx.h"

#include "engine/dxdraw.h"

int32_t GfxFindMode(int32_t width, int32_t height, int32_t kind)
{
    for (int32_t i = 0; i < DDrawModeCount; ++i) {
        const DDrawMode& mode = DDrawModes[i];
        if (mode.width == width && mode.height == height && mode.kind == kind) return i;
    }
    return -1;
}
