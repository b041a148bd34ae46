// tools/mkdata/menugfx.h: the generators of the menus' pictures and fonts.
#pragma once

#include "tools/mkdata/fileset.h"

class MkCanvas;

// "menugfx\fnt12", "fnt16" and "fnt24" (".gfx" glyph cells and ".wid" advances) rasterised
// from DejaVu; byte b is the character Windows-1252 gives it.
void MkGenerateMenuFonts(MkFileSet* set);
// The 72 icon files "menugfx\<name>.gfx", sized and drawn as the icon table expects.
void MkGenerateMenuIcons(MkFileSet* set);
// The 58 background files "menugfx\<name>.bck" (two rows of the table share one name), each
// carrying its row number in its bottom-right pixel.
void MkGenerateMenuBackgrounds(MkFileSet* set);
// Background 19 ("scanback"), the 2D match view's pitch: grass, a darker band round it and the
// markings, all drawn through the view's own overview camera and projection on 640 x 480.
void MkPaintScanback(MkCanvas* c);
// The load bar: "vxdata\load\load1FRE.gfx" (empty), "load2FRE.gfx" (full), "loadpal.pal".
void MkGenerateLoadBar(MkFileSet* set);
// The club emblem "gfxgen\ball.gfx" (52 x 52, "GFX0", 1 byte per pixel) and its 6-bit palette
// "gfxgen\ball.pal", whose patches take the two kit-colour ramps.
void MkGenerateEmblem(MkFileSet* set);
