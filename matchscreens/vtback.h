// matchscreens/vtback.h: the in-match menu interface's environment-1 back end: menus drawn over the
// software 3D view's game screen on a 640 x 480 page centred in it, with the view's shade
// tables, the match fonts and graphics, and a pointer drawn over the page while a menu waits.
#pragma once

#include <cstdint>

#include "menus/vtmenu.h"

constexpr int32_t VTBACK_PAGE_WIDTH = 640;
constexpr int32_t VTBACK_PAGE_HEIGHT = 480;

extern const VTBackEnd SoftVTBackEnd;

// The page's origin in view pixels: ((W - 640) / 2, (H - 480) / 2).
void VTBack_PageOrigin(int32_t* x, int32_t* y);
