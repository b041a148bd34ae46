// vx256/softraster.h: the software renderer's simplest drawers: translucent, flat and
// texture-mask polygons, the recoloured rectangle, and the row writers of the pitch's grass and
// dithered markings. Polygons are walked as the software view's walkers walk them (same edges,
// same winding, same stop on a row whose right x falls below its left x); nothing is ever written
// outside the screen drawn on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "viewservices/viewscreen.h"

constexpr int32_t SOFT_MASK_TEXTURE_WIDTH = 64;  // bytes per row of a mask texture
constexpr int32_t SOFT_GRASS_TILE = 64;          // texels of the grass tile, across and down
constexpr int32_t SOFT_GRASS_PLANE_ROW = 128;    // the tile twice across, twice down
constexpr int32_t SOFT_GRASS_PLANE_BYTES = 128 * 128;
// As stored, mirrored in u, mirrored in v, mirrored in both.
constexpr int32_t SOFT_GRASS_BLOCK_BYTES = 4 * SOFT_GRASS_PLANE_BYTES;
constexpr int32_t SOFT_PATTERN_ROWS = 16;
constexpr int32_t SOFT_PATTERN_ROW_BYTES = 256;
// The rows, then 4 bytes that a four-byte copy at the last row's end may read.
constexpr int32_t SOFT_PATTERN_BYTES = SOFT_PATTERN_ROWS * SOFT_PATTERN_ROW_BYTES + 4;
constexpr int32_t SOFT_DEPTH_THRESHOLDS = 28;  // 100, 120, ... 640

#pragma pack(push, 1)
struct SoftScreenVertex {
    int32_t x;  // 28.4 (whole pixels for Soft_DrawPolygonC)
    int32_t y;
    float a;  // interpolated down the edges: texels for the mask drawer
    float b;
};

struct SoftGrassRow {  // one per screen row
    int32_t xStart;
    int32_t xEnd;
    int32_t uStart;  // 16.16 texels
    int32_t vStart;
    int32_t uEnd;
    int32_t vEnd;
    int32_t scratch[9];  // the grass pass's own
};

struct SoftMarkingRow {  // one per screen row
    int32_t xStart;
    int32_t xEnd;
    int32_t notRead[2];
    int32_t depthKey;
};
#pragma pack(pop)

static_assert(sizeof(SoftScreenVertex) == 16);
static_assert(sizeof(SoftGrassRow) == 60);
static_assert(offsetof(SoftGrassRow, vEnd) == 20);
static_assert(sizeof(SoftMarkingRow) == 20);
static_assert(offsetof(SoftMarkingRow, depthKey) == 16);
static_assert(std::is_trivially_copyable_v<SoftGrassRow>);

// No row target; Uninit is safe without Init and twice.
void SoftRaster_Init();
void SoftRaster_Uninit();

// Vertices snap to whole pixels; each row's span [x left, x right) is cut to the menu screen and
// drawn with DoShadedBox(x, y, width, 1, percent) (A) or DrawHLine(x, y, width, 1) (B) in the
// current draw colour. Up to SOFT_MAX_POLY_VERTICES vertices.
void Soft_DrawPolygonA(const SoftScreenVertex* vertices, int32_t count, int32_t percent);
void Soft_DrawPolygonB(const SoftScreenVertex* vertices, int32_t count);
// Into the game screen at buffer positions, vertices in whole pixels, a and b texels of a mask
// texture of `textureHeight` rows of 64 bytes: every pixel of [x left, x right] whose texel is not
// 0 takes the colour. Texel reads stay inside the texture.
void Soft_DrawPolygonC(const SoftScreenVertex* vertices, int32_t count, const uint8_t* texture,
                       int32_t textureHeight, uint8_t colour);
// Every game-screen pixel of the rectangle (buffer positions, cut to the screen) becomes
// table[pixel]; table has 256 entries.
void Soft_RemapRect(int32_t x, int32_t y, int32_t width, int32_t height, const uint8_t* table);

// Where the row writers draw: pixel (x, y) of a row table goes to column x + columnOffset and row
// y + 64 of `screen`; rows run 0 .. viewHeight - 1.
void Soft_SetRowTarget(const GameScreenRecord& screen, int32_t viewHeight, int32_t columnOffset);
// Rows first..last (clamped to the view) from rows[y]. grassBlock: SOFT_GRASS_BLOCK_BYTES, the
// four planes. A row's ends may come in either order; its u and v wrap every 64 texels.
void Soft_DrawGrassRows(int32_t first, int32_t last, const SoftGrassRow* rows,
                        const uint8_t* grassBlock);
// The same rows copied from a pattern block of SOFT_PATTERN_BYTES, two pattern rows chosen by the
// rows' depth keys and dithered by position; a row ending left of its start is skipped.
void Soft_DrawMarkingRows(int32_t first, int32_t last, const SoftMarkingRow* rows,
                          const uint8_t* pattern);
