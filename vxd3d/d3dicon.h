// vxd3d/d3dicon.h: the fifteen icon sets of the 3D-device view's head-up display (pointer,
// panels, digits, replay bar, fonts), loaded through the graphics manager and drawn by a 32-bit
// handle: the set number in the high 16 bits, the icon in the low 16.
#pragma once

#include <cstdint>

constexpr int32_t ICON_SETS = 15;
constexpr int32_t ICON_FIRST_FONT = 12;  // fnt12, fnt16, fnt24
constexpr uint32_t ICON_HAS_WIDTHS = 1;  // a ".wid" table of 256 advances exists
constexpr uint32_t ICON_TINTED = 2;      // drawn in a colour of the graphics manager's table
constexpr int32_t ICON_WIDTH_BYTES = 256;
constexpr int32_t ICON_HEAD_BYTES = 16;  // "GFX0", width at 4, height at 6, count at 8 (u16)
constexpr int32_t ICON_MAX_SIZE = 256;

struct IconSet {
    const char* name;  // under "vxdata\d3d\icons\"
    int32_t format;    // 0: 32-bit ARGB, blue in the low byte; 1: 24-bit RGB
    uint32_t flags;
    int32_t width;  // of every icon, filled at load
    int32_t height;
    int32_t count;
    int32_t* icons;   // the graphics manager's index of each icon (tracked block)
    uint8_t* widths;  // 256 advances, or null
};

extern IconSet IconSets[ICON_SETS];  // owned by d3dicon

constexpr uint32_t Icon_Handle(int32_t set, int32_t icon)
{
    return static_cast<uint32_t>(set) << 16 | static_cast<uint32_t>(icon);
}

// The graphics manager's start, the 15 sets in table order, then the upload.
void Icon_Init();
void Icon_Uninit();  // safe twice
// Loads set `set` from "vxdata\d3d\icons\<name>.gfx" (and ".wid"). A file whose size is not 16 +
// width x height x count x bytes per pixel, or whose width, height or count is 0, is fatal "Error:
// ProcessIconFile(): file format wrong - incorrect file size\n".
void ProcessIconFile(int32_t set);
void Icon_Draw(uint32_t handle, int32_t x, int32_t y, uint8_t flags);
// The icon into a width x height rectangle, aligned by `flags`; fatal "Icon_DrawSection():
// section out of range" past the icon.
void Icon_DrawSection(uint32_t handle, int32_t x, int32_t y, int32_t sectionX, int32_t sectionY,
                      int32_t width, int32_t height, uint8_t flags, int32_t colourIndex);
int32_t Icon_GetWidth(uint32_t handle);  // the set's icon size: the index part is ignored
int32_t Icon_GetHeight(uint32_t handle);
// The set of a handle or font number; outside 0-14 is fatal.
const IconSet& Icon_GetSet(int32_t set);
