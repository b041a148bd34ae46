// vx256/mgraphic.h: the 35 match graphics, loaded on first use from "MISCGFX" into blocks the
// memory manager may purge, and drawn into the game screen with colour 0 transparent.
#pragma once

#include <cstdint>

constexpr int32_t MGRAPHIC_COUNT = 35;

// The graphics by number, as their users name them.
enum MGraphicNumber : int32_t {
    MGRAPH_SHADOW,
    MGRAPH_REPBAR,
    MGRAPH_MOUSE,
    MGRAPH_6HIGH,
    MGRAPH_6HIGH_Y,
    MGRAPH_HILIGHT,
    MGRAPH_BALL2,
    MGRAPH_DIGIFONT,
    MGRAPH_ARROWS,
    MGRAPH_ARROWS2,
    MGRAPH_PLUS,
    MGRAPH_SPIN,
    MGRAPH_SPIN2,
    MGRAPH_SPINOUT,
    MGRAPH_BARS,
    MGRAPH_TICKBOX,
    MGRAPH_CARDS,
    MGRAPH_PITCH,
    MGRAPH_PLAYERS,
    MGRAPH_SHIRTS,
    MGRAPH_ISOICONS,
    MGRAPH_SMLLTCK,
    MGRAPH_SMSHIRTS,
    MGRAPH_SKID,
    MGRAPH_CAMVIEWS,
    MGRAPH_PANEL,
    MGRAPH_BUTTONS,
    MGRAPH_SCANARROWS,
    MGRAPH_ARRWMASK,
    MGRAPH_SCAN,
    MGRAPH_HAND,
    MGRAPH_NEWPITCH,
    MGRAPH_STICKMEN,
    MGRAPH_ALLDISC,
    MGRAPH_IGSCAN,
};

struct MGraphicItem {
    const char* name;  // below "MISCGFX", without ".gfx"
    int32_t frames;    // a preset above 0 is kept, else taken from the file's head
    int32_t width;
    int32_t height;
    uint8_t* pixels;  // all frames; null while not loaded or once purged
};

// Every graphic unloaded (blocks freed), presets restored.
void MGraphic_Init();
void MGraphic_Uninit();  // safe without Init and twice

// The name of graphic n (0-34) below "MISCGFX"; the generator names its files by it.
const char* MGraphic_Name(int32_t n);
// Makes sure graphic n is in memory and refreshes its purge priority. Fatal: "MGraphGetItem():-
// Invalid graphic number %d\n" for 35 or more, "MGraphic_Load():- Invalid header - %s" with the
// name for a file that is not GFX0 or whose frames do not fit it.
void MGraphic_Load(int32_t n);
// Loads and returns the record; 35 or more: fatal "MGraphGetItem():- Invalid graphic number -
// %d\n".
const MGraphicItem& MGraphGetItem(int32_t n);
// Draws one frame at view position (x, y) placed by the flags (the graphic's own size is part of
// the anchor: 2 centres it on the view's centre line shifted by x, 3 keeps it x from the right
// or bottom edge). Width or height 0 or less, or past the graphic, mean its own; a frame 0 or
// less, or not below the count, means frame 0. An align part of 0: fatal
// "MGraphDisplay2DGraphic(): invalid align type".
void MGraphDisplay2DGraphic(int32_t x, int32_t y, int32_t flags, int32_t width, int32_t height,
                            int32_t n, int32_t frame);
