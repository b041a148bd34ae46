// menus/loadbar.h: the bar that fills while long loading work runs. Work reports progress in
// nested blocks, each standing for a share of its parent; a poll function redraws the bar.
#pragma once

#include <cstdint>

constexpr int32_t LOADBAR_STACK_SIZE = 16;
constexpr int32_t LOADBAR_POLL_TICKS = 20;
constexpr uint32_t LOADBAR_FLAG_FLIP = 1;  // flip the display pages after each drawing

enum LoadBarEventKind : uint32_t { LOADBAR_START, LOADBAR_END, LOADBAR_DRAW };

struct LoadBarEvent {
    uint32_t kind;  // LoadBarEventKind
    void* userData;
    float fraction;  // 0.0-1.0, for LOADBAR_DRAW
};

using LoadBarCallback = void (*)(const LoadBarEvent& event);

// The standard callback's record: two 8-bit "GFX0" pictures of one size, the empty bar and the
// full bar, and their palette (768 bytes of 6-bit RGB); the bar runs from barStart to barEnd.
struct LoadBarGfx {
    const char* emptyName;
    const char* fullName;
    const char* paletteName;
    uint32_t barStart;
    uint32_t barEnd;
    uint32_t flags;  // LOADBAR_FLAG_FLIP
    uint8_t* empty;  // loaded at the start event, in the screen's format in hi-colour modes
    uint8_t* full;
    uint32_t width;
    uint32_t height;
};

void LoadBarInit();    // forgets every level and callback; removes nothing
void LoadBarUninit();  // safe without LoadBarInit and twice

// Starts the bar with the standard pictures ("vxdata\load\load1FRE.gfx", "load2FRE.gfx",
// "loadpal.pal", bar from 32 to 450) and `flags`.
void LoadBar_Init(uint32_t flags);
// The same with a caller's callback and data: resets the levels, installs the redraw poll
// function (every 20 ticks) and sends the start event.
void LoadBar_InitCallback(LoadBarCallback callback, void* userData);
// A nested level of `total` steps standing for `weight` of its parent's steps. A 16th open level
// is a fatal abort.
void LoadBar_StartBlock(float total, float weight);
void LoadBar_Advance(float amount);  // at most up to the level's total
// Closes the current level, adding its weight to its parent (at most the parent's total); with
// no level open: fatal abort.
void LoadBar_EndBlock();
// Removes the poll function and sends the end event; a level still open is a fatal error.
void LoadBar_Uninit();
// The four progress calls do nothing while the bar is not started, and each ends with Poll.

float LoadBar_Fraction();  // of the whole work, 0.0-1.0

void LoadBarGfx_Callback(const LoadBarEvent& event);
