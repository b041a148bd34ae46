// vx256/pitch.h: the pitch of the software 3D view: the grass in perspective and the markings
// over it (lines, boxes, circle, arcs and spots), built once from the pitch's lines and drawn each
// frame through the camera's view transform, the five-plane clipper and the row writers.
#pragma once

#include <cstdint>

#include "viewservices/viewscreen.h"
#include "vx256/softraster.h"
#include "vx256/softspan.h"

constexpr int32_t PITCH_STRAIGHT_PIECES = 17;
constexpr int32_t PITCH_CORNER_ARC_PIECES = 12;
constexpr int32_t PITCH_SPOTS = 3;
constexpr int32_t PITCH_SPOT_CORNERS = 6;
constexpr int32_t PITCH_CIRCLE_POINTS = 38;
constexpr int32_t PITCH_ARC_POINTS = 20;
constexpr int32_t PITCH_MAX_VIEW_HEIGHT = 1024;
constexpr int32_t PITCH_LINE_BYTES = SOFT_PATTERN_BYTES;  // 4,100
constexpr int32_t PITCH_GRASS_FILE_BYTES = SOFT_TEXTURE_HEADER_BYTES + 64 * 64;
// Depth keys of the marking rows: 1/z' of the row's grass, scaled.
constexpr float PITCH_DEPTH_KEY_SCALE = 1368576.0f;

// A ring's covered pixels on one view row, as runs that neither overlap nor touch, so that each
// pixel is drawn once however many of the ring's segments reach it.
constexpr int32_t PITCH_RING_RUNS = 8;
struct PitchRingRow {
    int32_t count;
    int32_t xStart[PITCH_RING_RUNS];
    int32_t xEnd[PITCH_RING_RUNS];
};

struct PitchPoint {  // on the ground
    float x, y;
};

// Every marking piece, in pitch units; each quad runs round its corners in one winding.
struct PitchGeometry {
    PitchPoint straight[PITCH_STRAIGHT_PIECES][4];
    PitchPoint cornerArcs[PITCH_CORNER_ARC_PIECES][4];
    PitchPoint spots[PITCH_SPOTS][PITCH_SPOT_CORNERS];  // centre, near and far penalty spots
    PitchPoint circleOuter[PITCH_CIRCLE_POINTS];
    PitchPoint circleInner[PITCH_CIRCLE_POINTS];
    PitchPoint circleBounds[4];
    PitchPoint arcOuter[2][PITCH_ARC_POINTS];  // near end, far end
    PitchPoint arcInner[2][PITCH_ARC_POINTS];
    PitchPoint arcBounds[2][4];
    PitchPoint grass[4];
    float grassU[4], grassV[4];  // texels
};

// Builds the geometry and loads "line.gfx" into a 256-aligned block. A file shorter than
// PITCH_LINE_BYTES is fatal "Soft_InitPitchLines(): '%s' is too short". Loaded lines are not
// loaded again.
void Soft_InitPitchLines();
void Soft_FreePitchLines();  // safe when nothing is loaded
// Loads "grass.gfx" into the four mirrored planes of a 16,384-aligned block; a file shorter than
// PITCH_GRASS_FILE_BYTES is fatal "Soft_LoadGrass(): '%s' is too short".
void Soft_LoadGrass();
void Soft_FreeGrass();  // safe when nothing is loaded

// The view the pitch is drawn into: `screen` the game screen (its 64-pixel margin included),
// width and height those of the view; heights above PITCH_MAX_VIEW_HEIGHT draw only that many
// rows. Also points the row writers at the screen.
void Soft_SetViewport(const GameScreenRecord& screen, int32_t width, int32_t height);

// Each frame, in this order, through the current camera: the grass (which also gives each row
// its depth key), the straight markings and spots, then the arcs and the circle.
void Soft_DrawClippedQuad();
void Soft_DrawPitchMarkings();
void Soft_DrawMarkingArcs();

const PitchGeometry& Pitch_Geometry();
const uint8_t* Pitch_LinePattern();  // null until loaded
const uint8_t* Pitch_GrassPlanes();  // null until loaded
// Scan-converts a ring (a strip of one quad per segment between `outer` and `inner`, closed or
// not) into the ring rows through the current camera; false when it covers no row. The rows
// first .. last hold its runs.
bool Pitch_ScanRing(const PitchPoint* outer, const PitchPoint* inner, int32_t points, bool closed,
                    int32_t* first, int32_t* last);
const PitchRingRow* Pitch_RingRows();
// The row tables as the last piece left them (rows 0 .. view height - 1).
const SoftMarkingRow* Pitch_MarkingRows();
const SoftGrassRow* Pitch_GrassRows();

// The pitch's projection of a view-space point to 28.4: the view spans x from 16 (W/2) to 16
// (3W/2) and y from 0 to 16 H; depth view z times 16.
SoftVertex Pitch_Project(float x, float y, float z, float u, float v);
// Scan-converts a marking piece of projected vertices (convex, either winding) into the marking
// rows; false when it covers no row of the view. A piece under 1.5 pixels tall is one row.
bool Pitch_ScanMarking(const SoftVertex* vertices, int32_t count, int32_t* first, int32_t* last);
// Of the triples i < j < k of screen vertices, the one whose shortest side is longest (the first
// such on ties).
void Pitch_BestTriple(const SoftVertex* vertices, int32_t count, int32_t* i, int32_t* j,
                      int32_t* k);
